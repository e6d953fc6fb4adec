#include <gtest/gtest.h>

#include <charconv>
#include <string>
#include <vector>

#include "textsearch/entry_field.h"

namespace nuvel {
namespace {

// A whole-number field from 0 to 9, as a descendant would step it.
class DigitField : public TNvcBaseEntryField {
 public:
  std::vector<bool> redraws;
  DigitField() {
    OnRedraw = [this](bool on) { redraws.push_back(on); };
  }

 protected:
  void IncValue(bool wrap, double delta) override {
    int v = 0;
    std::from_chars(Text().data(), Text().data() + Text().size(), v);
    v += static_cast<int>(delta);
    if (v > 9) v = wrap ? v - 10 : 9;
    if (v < 0) v = wrap ? v + 10 : 0;
    ReplaceText(std::to_string(v));
  }
};

TEST(EntryField, SpinnerStepsLeaveTheCaretAtTheStart) {
  const struct {
    const char* start;
    bool up;
    bool wrap;
    const char* expected;
  } cases[] = {
      {"4", true, true, "5"}, {"9", true, true, "0"}, {"9", true, false, "9"},
      {"0", false, true, "9"}, {"0", false, false, "0"}, {"3", false, false, "2"},
  };
  for (const auto& c : cases) {
    DigitField f;
    f.SetText(c.start);
    f.ProcessCommand(ccEnd);
    f.ProcessCommand(ccExtendLeft);
    if (c.up)
      f.IncreaseValue(c.wrap, 1);
    else
      f.DecreaseValue(c.wrap, 1);
    EXPECT_EQ(f.Text(), c.expected) << c.start;
    EXPECT_EQ(f.CaretPos(), 0);
    EXPECT_EQ(f.SelStart(), f.SelEnd());
    EXPECT_EQ(f.redraws, (std::vector<bool>{false, true}));
  }
}

TEST(EntryField, MoveCaretOnlyWithTheFocus) {
  DigitField f;
  f.SetMaxLength(10);
  f.SetText("12345");
  f.MoveCaret(3);
  EXPECT_EQ(f.CaretPos(), 0);
  f.SetHasFocus(true);
  f.MoveCaret(3);
  EXPECT_EQ(f.CaretPos(), 3);
  f.MoveCaret(-5);
  EXPECT_EQ(f.CaretPos(), 0);
  f.MoveCaret(9);
  EXPECT_EQ(f.CaretPos(), 5);
}

TEST(EntryField, EditingCommands) {
  DigitField f;
  f.SetMaxLength(5);
  f.SetText("ab");
  f.ProcessCommand(ccEnd);
  for (char ch : std::string("cdefg")) f.ProcessCommand(ccChar, static_cast<uint8_t>(ch));
  EXPECT_EQ(f.Text(), "abcde");  // MaxLength stops the typing
  EXPECT_TRUE(f.Modified());
  f.ProcessCommand(ccHome);
  f.ProcessCommand(ccIns);  // overwrite
  f.ProcessCommand(ccChar, 'X');
  EXPECT_EQ(f.Text(), "Xbcde");
  f.ProcessCommand(ccExtendRight);
  f.ProcessCommand(ccExtendRight);
  EXPECT_EQ(f.SelStart(), 1);
  EXPECT_EQ(f.SelEnd(), 3);
  f.ProcessCommand(ccDel);
  EXPECT_EQ(f.Text(), "Xde");
  f.ProcessCommand(ccBack);
  EXPECT_EQ(f.Text(), "de");
  EXPECT_FALSE(f.ProcessCommand(ccBack));  // at the start
  f.ProcessCommand(ccRestore);
  EXPECT_EQ(f.Text(), "ab");
  EXPECT_FALSE(f.Modified());
  f.SetText("one two");
  EXPECT_EQ(f.Text(), "one t");  // longer than MaxLength: cut
  f.ProcessCommand(ccWordRight);
  EXPECT_EQ(f.CaretPos(), 4);
  f.ProcessCommand(ccDelEol);
  EXPECT_EQ(f.Text(), "one ");
}

}  // namespace
}  // namespace nuvel
