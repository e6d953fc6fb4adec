#include "core/message_texts.h"

#include "core/shared_state.h"
#include "platform/string_library.h"

namespace nuvel {

std::string GetMessageText(uint32_t eng_id, uint32_t heb_id) {
  return platform::LoadLibraryString(static_cast<uint16_t>(EngPrompts ? eng_id : heb_id));
}

ModalResult MessageDlg(const std::string& text, MsgDlgType type, MsgDlgButtons buttons, int32_t help_context) {
  platform::MessageRequest request;
  request.text = text;
  request.type = type;
  request.buttons = buttons;
  request.help_context = help_context;
  return platform::ShowMessageRequest(request);
}

ModalResult MessageDlgById(uint32_t eng_id, uint32_t heb_id, MsgDlgType type, MsgDlgButtons buttons,
                           int32_t help_context) {
  return MessageDlg(GetMessageText(eng_id, heb_id).substr(0, 255), type, buttons, help_context);
}

std::string FileNameInMessage(std::string_view name) {
  std::string out;
  out.reserve(name.size() + 2);
  out += kFileNameBegin;
  for (char c : name)
    if (c != kFileNameBegin && c != kFileNameEnd) out += c;
  out += kFileNameEnd;
  return out;
}

}  // namespace nuvel
