#pragma once
// The one way engine code asks for a message box. Engines never open a window
// themselves: they hand a request to the current sink, which the program
// implements with a real dialog and tests implement with a recording fake.
// Texts are bytes of the system's own 8-bit character set.
#include <cstdint>
#include <string>
#include <string_view>

namespace nuvel::platform {

enum class MsgDlgType { Warning, Error, Information, Confirmation, Custom };

// Button sets: a bit per button, combined with "|".
using MsgDlgButtons = uint16_t;
inline constexpr MsgDlgButtons mbYes = 1 << 0;
inline constexpr MsgDlgButtons mbNo = 1 << 1;
inline constexpr MsgDlgButtons mbOK = 1 << 2;
inline constexpr MsgDlgButtons mbCancel = 1 << 3;
inline constexpr MsgDlgButtons mbAbort = 1 << 4;
inline constexpr MsgDlgButtons mbRetry = 1 << 5;
inline constexpr MsgDlgButtons mbIgnore = 1 << 6;
inline constexpr MsgDlgButtons mbAll = 1 << 7;
inline constexpr MsgDlgButtons mbNoToAll = 1 << 8;
inline constexpr MsgDlgButtons mbYesToAll = 1 << 9;
inline constexpr MsgDlgButtons mbHelp = 1 << 10;
inline constexpr MsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
inline constexpr MsgDlgButtons mbOKCancel = mbOK | mbCancel;

// The button the user pressed.
using ModalResult = int;
inline constexpr ModalResult mrNone = 0;
inline constexpr ModalResult mrOk = 1;
inline constexpr ModalResult mrCancel = 2;
inline constexpr ModalResult mrAbort = 3;
inline constexpr ModalResult mrRetry = 4;
inline constexpr ModalResult mrIgnore = 5;
inline constexpr ModalResult mrYes = 6;
inline constexpr ModalResult mrNo = 7;
inline constexpr ModalResult mrAll = 8;
inline constexpr ModalResult mrNoToAll = 9;
inline constexpr ModalResult mrYesToAll = 10;

struct MessageRequest {
  std::string text;     // 8-bit text of the message
  MsgDlgType type = MsgDlgType::Information;
  MsgDlgButtons buttons = mbOK;
  int32_t help_context = 0;
  bool plain = false;   // a plain message box: no icon, the program's name as caption
  std::string caption;  // a caption of its own (8-bit text); empty: the usual one
  std::string yesCaption;  // the Yes button's own text (8-bit text); empty: "Yes"
};

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows the message modally and returns the button pressed.
  virtual ModalResult Show(const MessageRequest& request) = 0;
};

// Installs `sink` (nullptr: none) and returns the one installed before.
MessageSink* SetMessageSink(MessageSink* sink);
MessageSink* CurrentMessageSink();

// Hands the request to the current sink. With none installed the text goes to
// the standard error stream and the answer is DefaultAnswer(buttons).
ModalResult ShowMessageRequest(const MessageRequest& request);

// A plain message box with an OK button (the runtime's ShowMessage).
void ShowMessage(std::string_view text);

// The answer that declines when nobody can be asked: Cancel, else No, else OK,
// else the first button of the set.
ModalResult DefaultAnswer(MsgDlgButtons buttons);

}  // namespace nuvel::platform
