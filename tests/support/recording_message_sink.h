#pragma once
// A message sink for tests: installs itself while it lives, records every
// request and answers with scripted results (then DefaultAnswer).
#include <deque>
#include <vector>

#include "platform/message_sink.h"

namespace nuvel::test {

class RecordingMessageSink : public platform::MessageSink {
 public:
  RecordingMessageSink() : previous_(platform::SetMessageSink(this)) {}
  ~RecordingMessageSink() override { platform::SetMessageSink(previous_); }
  RecordingMessageSink(const RecordingMessageSink&) = delete;
  RecordingMessageSink& operator=(const RecordingMessageSink&) = delete;

  platform::ModalResult Show(const platform::MessageRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return platform::DefaultAnswer(request.buttons);
    platform::ModalResult answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::vector<platform::MessageRequest> requests;
  std::deque<platform::ModalResult> answers;

 private:
  platform::MessageSink* previous_;
};

}  // namespace nuvel::test
