#include "formats/bracket_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_message_sink.h"

namespace nuvel {
namespace {

struct Message {
  std::string text;
  std::string caption;
  bool operator==(const Message&) const = default;
};

std::vector<Message> Messages(const test::RecordingMessageSink& sink) {
  std::vector<Message> out;
  for (const auto& r : sink.requests) out.push_back({r.text, r.caption});
  return out;
}

const std::string kPrompt = "Call_Prmpt was Called";

TEST(ExecBracketCommand, CommandsOnOneParagraph) {
  struct Case {
    const char* name;
    bool english;
    std::string s;
    int32_t pos;
    std::string after;
    int32_t posAfter;
    bool changed;
    std::vector<Message> messages;
  };
  const Case cases[] = {
      {"font size", true, "<fs12>abc", 1, "\\fs24 abc", 6, false, {}},
      {"font size cuts before doubling", true, "<fs10.5>", 1, "\\fs20 ", 6, false, {}},
      {"font size without a number", true, "<fs>x", 1, "\\fs-200000 x", 11, false, {}},
      {"Hebrew font size reads digits reversed", false, "x>\xF1\xE2" "21<", 2, "x\\fs24 ", 7, false, {}},
      {"centre", true, "<j2>text", 1, "{\\qc text", 5, true, {}},
      {"left", true, "<J1>", 1, "{\\ql ", 5, true, {}},
      {"unknown code right", true, "<j7>", 1, "{\\qr ", 5, true, {}},
      {"doubled bracket", true, "a<<b", 2, "a<b", 2, false, {}},
      {"bracket then closing", true, "a<>b", 2, "a>b", 2, false, {}},
      {"no closing bracket", true, "a<fs12", 2, "a<fs12", 3, false, {}},
      {"fn is skipped", true, "<fn3>", 1, "<FN3>", 4, false, {}},
      {"fx 3 accepted", true, "<fx3>", 1, "<FX3>", 5, false, {}},
      {"fx 0 is a problem", true, "<fx0>", 1, "<FX0>", 5, false, {{"Problem: <FX0", " Illegal:  <FX0 "}}},
      {"Hebrew problem text", false, ">\xF1x0<", 1, ">\xF1X0<", 5, false,
       {{">\xF1X0 :\xED\xF2 \xE4\xE9\xE9\xF2\xE1", " 0X\xF1>  :\xE9\xF7\xE5\xE7 \xE0\xEC "}}},
      {"illegal command", true, "<q1>", 1, "<Q1>", 4, false, {{" Illegal:  Q1> ", kPrompt}}},
      {"Hebrew illegal command", false, ">q1<", 1, ">Q1<", 4, false,
       {{" Q1<  :\xE9\xF7\xE5\xE7 \xE0\xEC ", kPrompt}}},
      {"accepted alone", true, "<a5>", 1, "<A5>", 4, false, {}},
  };
  for (const Case& c : cases) {
    TBracketState st;
    test::RecordingMessageSink sink;
    std::string s = c.s;
    int32_t pos = c.pos;
    bool changed = false, stop = false;
    ExecBracketCommand(st, pos, s, c.english, 0, changed, stop);
    EXPECT_EQ(s, c.after) << c.name;
    EXPECT_EQ(pos, c.posAfter) << c.name;
    EXPECT_EQ(changed, c.changed) << c.name;
    EXPECT_FALSE(stop) << c.name;
    EXPECT_EQ(Messages(sink), c.messages) << c.name;
  }
}

TEST(ExecBracketCommand, JustificationWithoutNumberKeepsTheLastCode) {
  TBracketState st;
  bool changed = false, stop = false;
  std::string s = "<j>";
  int32_t pos = 1;
  ExecBracketCommand(st, pos, s, true, 0, changed, stop);
  EXPECT_EQ(s, "{\\qr ");  // 10 before any
  s = "<j2>";
  pos = 1;
  ExecBracketCommand(st, pos, s, true, 0, changed, stop);
  s = "<j>";
  pos = 1;
  ExecBracketCommand(st, pos, s, true, 0, changed, stop);
  EXPECT_EQ(s, "{\\qc ");
}

TEST(ExecBracketCommand, StoreAndRecall) {
  TBracketState st;
  test::RecordingMessageSink sink;
  bool changed = false, stop = false;
  // Commands after a first byte: a storage command at the very start with a
  // blank after its bracket runs to the paragraph's last byte but one.
  auto run = [&](std::string s, uint8_t promptNo = 0) {
    s.insert(0, "x");
    int32_t pos = 2;
    ExecBracketCommand(st, pos, s, true, promptNo, changed, stop);
    return s.substr(1);
  };
  // A storage command stays in the text and keeps what follows its number.
  EXPECT_EQ(run("< 5<j2>"), "< 5<j2>");
  EXPECT_EQ(st.Strings[5], "<j2>");
  EXPECT_FALSE(changed);
  // A recall acts through its nested commands: the paragraph itself stays.
  EXPECT_EQ(run("<5>"), "<5>");
  EXPECT_TRUE(changed);
  EXPECT_EQ(st.Justification, 2);
  // "B" slots lie 98 higher; slot 0 and slots above the table are ignored.
  run("< B3xyz>");
  EXPECT_EQ(st.Strings[101], "xyz>");
  run("< B20abc>");
  run("< .5abc>");
  for (size_t i : {0u, 1u, 2u, 3u, 4u, 6u}) EXPECT_TRUE(st.Strings[i].empty()) << i;
  EXPECT_TRUE(sink.requests.empty());
  // Empty slot, slot out of range, slot 0.
  run("<7>", 3);
  run("<200>");
  run("<0>");
  EXPECT_EQ(Messages(sink), (std::vector<Message>{{"GPrmpt=3  Code=1", kPrompt}, {"GPrmpt=0  Code=E", kPrompt}}));
}

TEST(ExecBracketCommand, ASlotThatRecallsItselfStops) {
  TBracketState st;
  test::RecordingMessageSink sink;
  bool changed = false, stop = false;
  std::string s = "x< 9 <9>";
  int32_t pos = 2;
  ExecBracketCommand(st, pos, s, true, 0, changed, stop);
  ASSERT_EQ(st.Strings[9], " <9>");
  s = "<9>";
  pos = 1;
  ExecBracketCommand(st, pos, s, true, 0, changed, stop);
  EXPECT_EQ(Messages(sink), (std::vector<Message>{{"GPrmpt=0  Code=E", kPrompt}}));
}

TEST(ExecBracketCommand, WidthBookkeeping) {
  TBracketState st;
  test::RecordingMessageSink sink;
  bool changed = false, stop = false;
  auto run = [&](std::string s, bool english) {
    int32_t pos = 1;
    ExecBracketCommand(st, pos, s, english, 0, changed, stop);
  };
  run("<l20>", true);
  EXPECT_EQ(st.Slack, 400 - 288);
  run("<l10>", true);
  EXPECT_EQ(st.Slack, 0);
  // Hebrew: a narrower line adds to the slack, a growth within it takes
  // from it, a larger growth is reported.
  run(">\xE0" "02<", false);  // 20 points
  EXPECT_EQ(st.LineWidth, 400);
  EXPECT_EQ(st.Slack, 0);  // a growth of 400 past a slack of 0 is reported
  EXPECT_EQ(sink.requests.size(), 1u);
  run(">\xE0" "01<", false);  // 10 points: narrower by 200
  EXPECT_EQ(st.LineWidth, 200);
  EXPECT_EQ(st.Slack, 200);
  run(">\xE0" "51<", false);  // 15 points: grows by 100
  EXPECT_EQ(st.Slack, 100);
  run(">\xE0" "02<", false);  // grows by 100 again: not less than the slack
  EXPECT_EQ(st.Slack, 0);
  EXPECT_EQ(sink.requests.size(), 2u);
  EXPECT_EQ(sink.requests.back().text, "GPrmpt=0  Code=X");
}

TEST(Twips, RoundsHalvesToEvenAndCutsToFour) {
  struct Case {
    double points;
    int32_t twips;
  };
  const Case cases[] = {{12, 240}, {10.5, 208}, {0.025, 0}, {0.075, 0}, {0.125, 0}, {0.2, 4},
                        {1.1, 20}, {0.175, 4}, {-1.1, -20}, {0.3, 4}};
  for (const Case& c : cases) EXPECT_EQ(Twips(c.points), c.twips) << c.points;
}

}  // namespace
}  // namespace nuvel
