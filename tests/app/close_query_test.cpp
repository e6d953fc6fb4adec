#include "app/close_query.h"

#include <gtest/gtest.h>

#include "tests/support/recording_message_sink.h"

namespace nuvel {
namespace {

using namespace platform;

struct FakeActions : CloseQueryActions {
  explicit FakeActions(const test::RecordingMessageSink& s) : sink(s) {}
  const test::RecordingMessageSink& sink;
  bool saveResult = true;
  bool saveAsResult = true;
  std::vector<std::string> calls;
  // The window must be in front before its question is asked.
  void BringToFront() override { calls.push_back(sink.requests.empty() ? "front" : "front after the question"); }
  bool Save() override {
    calls.push_back("save");
    return saveResult;
  }
  bool SaveAs() override {
    calls.push_back("saveas");
    return saveAsResult;
  }
  void StopCollecting() override { calls.push_back("stop"); }
};

TEST(CloseQuery, Matrix) {
  struct Case {
    bool modified;
    int64_t length;
    bool untitled;
    ModalResult answer;   // mrNone: no question expected
    bool saveOk;          // the save or Save As succeeds
    bool closes;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {false, 10, false, mrNone, true, true, {}},
      {true, 0, false, mrNone, true, true, {}},        // modified but empty: no question
      {true, 0, true, mrNone, true, true, {}},
      {true, 5, false, mrYes, true, true, {"front", "save"}},
      {true, 5, false, mrYes, false, false, {"front", "save"}},   // failed save keeps the window
      {true, 5, true, mrYes, true, true, {"front", "saveas"}},
      {true, 5, true, mrYes, false, false, {"front", "saveas"}},  // cancelled Save As keeps it
      {true, 5, false, mrNo, true, true, {"front"}},
      {true, 5, true, mrNo, true, true, {"front"}},
      {true, 5, false, mrCancel, true, false, {"front"}},
      {true, 5, true, mrCancel, true, false, {"front"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.modified << c.length << c.untitled << c.answer << c.saveOk);
    test::RecordingMessageSink sink;
    if (c.answer != mrNone) sink.answers.push_back(c.answer);
    FakeActions actions(sink);
    actions.saveResult = actions.saveAsResult = c.saveOk;
    CloseQueryDocument doc{c.modified, c.length, c.untitled, false, "Save changes to X?", ""};
    EXPECT_EQ(RunCloseQuery(doc, actions), c.closes);
    EXPECT_EQ(actions.calls, c.calls);
    ASSERT_EQ(sink.requests.size(), c.answer == mrNone ? 0u : 1u);
    if (!sink.requests.empty()) {
      EXPECT_EQ(sink.requests[0].text, "Save changes to X?");
      EXPECT_EQ(sink.requests[0].buttons, mbYesNoCancel);
    }
  }
}

TEST(CloseQuery, CollectingWindowAsksOnceMore) {
  for (ModalResult answer : {mrYes, mrNo}) {
    test::RecordingMessageSink sink;
    sink.answers = {answer};
    FakeActions actions(sink);
    CloseQueryDocument doc{false, 0, false, true, "", "Close the collecting window?"};
    EXPECT_EQ(RunCloseQuery(doc, actions), answer == mrYes);
    const std::vector<std::string> expected =
        answer == mrYes ? std::vector<std::string>{"front", "stop"} : std::vector<std::string>{"front"};
    EXPECT_EQ(actions.calls, expected);
    ASSERT_EQ(sink.requests.size(), 1u);
    EXPECT_EQ(sink.requests[0].text, "Close the collecting window?");
  }
  // Cancelled save: the collecting question is never asked.
  test::RecordingMessageSink sink;
  sink.answers = {mrCancel};
  FakeActions actions(sink);
  CloseQueryDocument doc{true, 3, false, true, "save?", "collect?"};
  EXPECT_FALSE(RunCloseQuery(doc, actions));
  EXPECT_EQ(sink.requests.size(), 1u);
}

}  // namespace
}  // namespace nuvel
