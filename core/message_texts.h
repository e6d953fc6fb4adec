#pragma once
// Two-language messages by number: every message has an English id and a
// Hebrew id in the string library; the interface language (EngPrompts)
// chooses which is shown.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/message_sink.h"

namespace nuvel {

using platform::ModalResult;
using platform::MsgDlgButtons;
using platform::MsgDlgType;

// The text of `eng_id` when EngPrompts, else of `heb_id`, from the string
// library (ids taken modulo 65536); empty when the library or the id is missing.
std::string GetMessageText(uint32_t eng_id, uint32_t heb_id);

// Shows GetMessageText (cut to 255 characters) through the message sink with
// the dialog type, buttons and help context; returns the button pressed.
ModalResult MessageDlgById(uint32_t eng_id, uint32_t heb_id, MsgDlgType type, MsgDlgButtons buttons,
                           int32_t help_context = 0);

// A file name inside a message's text is put between these two bytes, which
// no message holds otherwise: the name is then shown as the file system's
// bytes decode (UTF-8), never through the system's 8-bit set, and as one
// left-to-right run, so that a path reads right inside a Hebrew sentence.
inline constexpr char kFileNameBegin = '\x0E';
inline constexpr char kFileNameEnd = '\x0F';
std::string FileNameInMessage(std::string_view name);

// The runtime's MessageDlg: a message box with `text` through the message sink.
ModalResult MessageDlg(const std::string& text, MsgDlgType type, MsgDlgButtons buttons, int32_t help_context = 0);

}  // namespace nuvel
