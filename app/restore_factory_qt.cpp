#include "app/restore_factory_qt.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "core/message_texts.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "platform/atomic_file.h"
#include "platform/program_path.h"
#include "ui/message_format.h"

namespace nuvel {

namespace {

void RestoreFactorySettings(TMainForm& form, DocumentWindows& docs) {
  if (MessageDlgById(38418, 41118, MsgDlgType::Confirmation, platform::mbOKCancel) != platform::mrOk) return;
  const std::string backup = platform::FindFileNoCase(ProgPath, "INIBakup");
  std::error_code ec;
  if (!std::filesystem::is_regular_file(backup, ec)) {
    MessageDlgById(38419, 41119, MsgDlgType::Information, platform::mbOK);
    return;
  }
  // Every document first: a window the user keeps ends the command with
  // nothing changed.
  for (TMDIChild* c : docs.Children())
    if (!c->close()) return;
  std::ifstream in(backup, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) return;
  if (!platform::WriteFileAtomically(IniFileName(), bytes)) {
    MessageDlg(FormatMessage(GetMessageText(42014, 42015), {FileNameInMessage(IniFileName())}), MsgDlgType::Error,
               platform::mbOK);
    return;
  }
  form.CloseWithoutSaving();
}

}  // namespace

void AttachRestoreFactorySettings(MainCommands& on, TMainForm& form, DocumentWindows& docs) {
  on.On("RestoreFactorySettings1", [&form, &docs] { RestoreFactorySettings(form, docs); });
}

}  // namespace nuvel
