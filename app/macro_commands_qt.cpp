// The key-macro file code comes before Qt, whose "slots" keyword it uses as a name.
#include "core/key_macros.h"
#include "app/macro_commands_qt.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "core/ini_location.h"
#include "core/message_texts.h"
#include "core/shared_state.h"
#include "tools/macro_dialog_qt.h"
#include "tools/macro_form_qt.h"
#include "tools/macro_magic_qt.h"
#include "ui/interface_texts_qt.h"

namespace nuvel {

namespace {

// Plays a macro file; what keeps it from playing is shown.
void PlayFile(TMacroMagic& magic, const std::string& file) {
  magic.SetMacroName(file);
  try {
    magic.Play();
  } catch (const std::exception& e) {
    MessageDlg(e.what(), MsgDlgType::Error, platform::mbOK);
  }
}

}  // namespace

void AttachMacroCommands(MainCommands& on, DocumentWindows& docs, TMacroMagic& magic, MacroCommandHooks hooks) {
  on.On("Record1", [&magic] {
    // A recording is the user's own file, kept in the user's data folder.
    std::error_code ec;
    std::filesystem::create_directories(UserDataFolder(), ec);
    magic.SetMacroName(UserDataFolder() + kLastRecordingName);
    if (magic.GetState() == TMacroMagic::Ready) {
      magic.StartRecord();
    } else if (magic.GetState() == TMacroMagic::Recording) {
      magic.StopRecord();
    }
  });
  on.On("PlayMacro1",
        [&magic] { PlayFile(magic, UserFileOrFactory(UserDataFolder(), ProgPath, kLastRecordingName)); });
  on.On("ChangeMacros1", [&docs, hooks] {
    // The editor works on the table itself; it is put back unless it closes with OK.
    const auto saved = MacroKeys;
    TMacroDialogN dialog(docs.Area() ? docs.Area()->window() : nullptr);
    if (!EngPrompts) SetHebCaps(&dialog, "SetHebCaps_MacroDialogN");
    dialog.AskSaveName = [&docs](const MacroSaveDialog& d) {
      return docs.Prompts().SaveFileName(d.title, d.filter, UserMacroFilePath(d.file_name));
    };
    dialog.AskOpenName = [&docs](const std::string& filter, const std::string& folder) -> std::optional<std::string> {
      const auto names = docs.Prompts().OpenFileNames("Open", filter, folder);
      if (names.empty()) return std::nullopt;
      return names.front();
    };
    const bool ok = hooks.runEditor ? hooks.runEditor(dialog) : dialog.exec() == QDialog::Accepted;
    if (!ok) MacroKeys = saved;
    MacroKeys[0] = MacroKeys[10].substr(0, 30);
  });
  docs.PlayMacroFileHandler = [&docs, &magic, hooks](const std::string& name) {
    if (!name.empty()) {
      PlayFile(magic, UserFileOrFactory(UserDataFolder(), ProgPath, name));
      return;
    }
    TMacroForm form(docs.Area() ? docs.Area()->window() : nullptr);
    if (!EngPrompts) SetHebCaps(&form, "SetHebCaps_MacroForm");
    form.AskSaveName = [&docs](const std::string& filter, const std::string& folder) {
      return docs.Prompts().SaveFileName("Save Macro", filter, folder);
    };
    const bool ok = hooks.runChooser ? hooks.runChooser(form) : form.exec() == QDialog::Accepted;
    if (ok) PlayFile(magic, form.ChosenFile());
  };
}

}  // namespace nuvel
