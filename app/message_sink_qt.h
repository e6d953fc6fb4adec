#pragma once
// The program's message sink: every message box that engine code asks for is
// shown here as a QMessageBox.
#include <QString>
#include <memory>
#include <string_view>

#include "platform/message_sink.h"

class QAbstractButton;
class QMessageBox;

namespace nuvel {

using platform::MessageRequest;
using platform::MessageSink;
using platform::ModalResult;

// The message box for a request: icon and caption by dialog type, the
// request's buttons, the text turned from the 8-bit set into Unicode.
std::unique_ptr<QMessageBox> BuildMessageBox(const MessageRequest& request);
// The modal result of a button of a box made by BuildMessageBox; mrCancel
// when the box was closed without a button.
ModalResult ResultOfButton(const QMessageBox& box, const QAbstractButton* button);

class QtMessageSink : public MessageSink {
 public:
  // Installs itself as the message sink while it lives.
  QtMessageSink();
  ~QtMessageSink() override;
  QtMessageSink(const QtMessageSink&) = delete;
  QtMessageSink& operator=(const QtMessageSink&) = delete;

  ModalResult Show(const MessageRequest& request) override;

  // Each message's text also goes to the standard error, one line
  // "nuvel: message: <text>", so that a run driven by an input script
  // can be checked for what it was told.
  bool EchoToStandardError = false;

 private:
  MessageSink* previous_;
};

}  // namespace nuvel
