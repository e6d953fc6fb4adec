#include "app/conversion_wizard_command_qt.h"

#include <QApplication>
#include <filesystem>
#include <optional>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/mdi_child_qt.h"
#include "core/message_texts.h"
#include "editor/heb_text_editor.h"
#include "tools/conversion_batch.h"
#include "tools/conversion_wizard_qt.h"
#include "ui/message_format.h"

namespace nuvel {

namespace {

std::string FolderStart(const std::string& name) {
  const auto slash = name.rfind('/');
  return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

// Opens `name` in a window of its own with the source's conversion, or
// activates its window when it is open already; null when it is missing.
TMDIChild* OpenSource(DocumentWindows& docs, const std::string& name, const WizardChoices& c) {
  if (docs.ActivateIfOpen(name)) return docs.ActiveChild();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(name, ec)) {
    MessageDlg(FormatMessage(GetMessageText(38413, 41113), {FileNameInMessage(name)}), MsgDlgType::Information,
               platform::mbOK);
    return nullptr;
  }
  const WizardFormat f = SourceFormat(c);
  return docs.CreateMDIChild(name, false, static_cast<uint8_t>(f.diskFormat.value_or(255)), f.mode);
}

// The converted document: kept in its window with the destination's
// settings, or written to the destination (and its window closed when the
// wizard opened it).
void Finish(DocumentWindows& docs, TMDIChild& child, const WizardChoices& c, bool openedHere) {
  THebTextEditor& editor = child.HebDoc();
  if (c.sheim) docs.RunBuiltInFilter(4);
  if (KeptInEditor(c)) {
    KeepForWizard(editor, c);
    return;
  }
  const uint8_t diskConv = editor.Disk_Conv();
  const bool modified = editor.Modified();
  SaveForWizard(editor, c.dest_name, c);
  if (openedHere) {
    editor.SetModified(false);
    child.close();
  } else {
    // The user's own document stays open as it was: an export does not
    // change the format of its next save.
    editor.SetDisk_Conv(diskConv);
    editor.SetModified(modified);
  }
}

void RunWizard(DocumentWindows& docs, const WizardCommandHooks& hooks) {
  TWizrdFrm dialog(docs.Area()->window());
  dialog.Browse = [&docs, &dialog](bool source, const std::string& filter) -> std::vector<std::string> {
    const WizardChoices now = dialog.Choices();
    const std::string start = now.sources.empty() ? std::string() : FolderStart(now.sources.front());
    if (source) return docs.Prompts().OpenFileNames("Source File", filter, start);
    if (now.sources.size() > 1) {
      if (auto folder = docs.Prompts().FolderName("Destination Folder", start)) return {*folder};
      return {};
    }
    if (auto name = docs.Prompts().SaveFileName("Dest File", filter, start)) return {*name};
    return {};
  };
  const bool ok = hooks.run ? hooks.run(dialog) : dialog.exec() == QDialog::Accepted;
  if (!ok) return;
  WizardChoices c = dialog.Choices();
  c.englishDocument = false;
  if (TMDIChild* active = docs.ActiveChild()) c.englishDocument = active->HebDoc().Engm();

  if (c.source == WizardSource::InEditor) {
    if (TMDIChild* active = docs.ActiveChild()) Finish(docs, *active, c, false);
    return;
  }
  if (c.sources.empty()) {
    MessageDlgById(38514, 41730, MsgDlgType::Information, platform::mbOK);
    return;
  }
  if (c.sources.size() > 1 && !KeptInEditor(c)) {
    // Several files into a folder: each on its own, the sources untouched.
    const std::vector<WizardFileResult> results = ConvertWizardFiles(c, nullptr);
    int64_t converted = 0;
    for (const WizardFileResult& r : results) {
      if (r.ok) {
        ++converted;
        continue;
      }
      MessageDlg(FormatMessage(GetMessageText(42012, 42013), {FileNameInMessage(r.source), r.message}),
                 MsgDlgType::Warning, platform::mbOK);
    }
    MessageDlg(FormatMessage(GetMessageText(42010, 42011), {converted, static_cast<int64_t>(results.size())}),
               MsgDlgType::Information, platform::mbOK);
    return;
  }
  for (const std::string& source : c.sources) {
    const bool wasOpen = docs.FindChild(source) != nullptr;
    TMDIChild* child = OpenSource(docs, source, c);
    if (!child) continue;
    // The clean-ups go to the source's own window.
    CleanUpSource(child->HebDoc(), c.source);
    Finish(docs, *child, c, !wasOpen);
  }
}

}  // namespace

void AttachConversionWizard(MainCommands& on, DocumentWindows& docs, WizardCommandHooks hooks) {
  on.On("ConversionWizard1", [&docs, hooks] {
    RunWizard(docs, hooks);
    if (TMDIChild* c = docs.ActiveChild()) c->ApplyOptions();
  });
}

}  // namespace nuvel
