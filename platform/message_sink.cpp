#include "platform/message_sink.h"

#include <cstdio>

namespace nuvel::platform {
namespace {

MessageSink*& Installed() {
  static MessageSink* sink = nullptr;
  return sink;
}

}  // namespace

MessageSink* SetMessageSink(MessageSink* sink) {
  MessageSink* before = Installed();
  Installed() = sink;
  return before;
}

MessageSink* CurrentMessageSink() { return Installed(); }

ModalResult DefaultAnswer(MsgDlgButtons buttons) {
  if (buttons & mbCancel) return mrCancel;
  if (buttons & mbNo) return mrNo;
  if (buttons & mbOK) return mrOk;
  static constexpr struct {
    MsgDlgButtons button;
    ModalResult result;
  } kOrder[] = {{mbYes, mrYes},     {mbAbort, mrAbort},       {mbRetry, mrRetry}, {mbIgnore, mrIgnore},
                {mbAll, mrAll},     {mbNoToAll, mrNoToAll},   {mbYesToAll, mrYesToAll}};
  for (const auto& entry : kOrder) {
    if (buttons & entry.button) return entry.result;
  }
  return mrOk;
}

ModalResult ShowMessageRequest(const MessageRequest& request) {
  if (MessageSink* sink = Installed()) return sink->Show(request);
  std::fprintf(stderr, "Nuvel Text Editor: %s\n", request.text.c_str());
  return DefaultAnswer(request.buttons);
}

void ShowMessage(std::string_view text) {
  MessageRequest request;
  request.text = text;
  request.type = MsgDlgType::Custom;
  request.buttons = mbOK;
  request.plain = true;
  ShowMessageRequest(request);
}

}  // namespace nuvel::platform
