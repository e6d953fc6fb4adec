#include "app/file_view_command_qt.h"

#include <QAction>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/main_form_qt.h"
#include "filemanager/file_viewers_qt.h"

namespace nuvel {

TFileViewers* AttachFileViewers(TMainForm& form, DocumentWindows& docs) {
  TViewFormHost host;
  host.controller = form.MainController;
  host.searchText = [&docs] { return docs.SearchString; };
  host.setSearchText = [&docs](const std::string& text) { docs.SearchString = text; };
  host.openInEditor = [&docs](const std::string& name) { docs.OpenListEntry(name); };
  host.nikudKeyboard = [&form] {
    QAction* nikud = form.Item(QStringLiteral("NikudKeyboard1"));
    return nikud != nullptr && nikud->isChecked();
  };
  host.chooseFile = [&docs]() -> std::optional<std::string> {
    const auto names = docs.PromptOpenNames("Open", docs.LastOpenFolder);
    if (names.empty()) return std::nullopt;
    return names.front();
  };
  host.shownChanged = [&form](bool shown) {
    QAction* item = form.Item(QStringLiteral("FileViewer"));
    if (item == nullptr) return;
    item->setVisible(shown);
    // The entry is made at the first activation; its command is wired once
    // it is there.
    if (shown && form.Commands != nullptr && !form.Commands->Has(QStringLiteral("FileViewer")))
      form.Commands->On("FileViewer", [] {
        if (TFileViewers* v = ProgramFileViewers()) v->ShowLatest();
      });
  };
  auto* viewers = new TFileViewers(host, &form);
  viewers->setObjectName(QStringLiteral("FileViewers"));
  SetProgramFileViewers(viewers);
  return viewers;
}

}  // namespace nuvel
