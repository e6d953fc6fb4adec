#include "app/macro_script.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

using K = MacroAction::Kind;

MacroAction T(uint8_t b) { return {K::Type, b, 0, {}}; }
MacroAction Menu(int n) { return {K::ClickMenu, 0, n, {}}; }
MacroAction File(std::string f) { return {K::PlayFile, 0, 0, std::move(f)}; }
MacroAction Choose() { return {K::ChooseFile, 0, 0, {}}; }

struct Case {
  const char* text;
  std::vector<MacroAction> actions;
};

TEST(MacroScript, TextBecomesActions) {
  const Case cases[] = {
      {"ab{", {T('a'), T('b'), T(13)}},
      {"x&&y", {T('x'), T('&'), T('y')}},
      {"ab&;cd{", {T('a'), T('b')}},
      {"&D3", {Menu(3)}},
      {"&d3x", {Menu(3), T('x')}},
      {"&D65&D66&D67&D265&D293", {Menu(65), Menu(66), Menu(67), Menu(265), Menu(293)}},
      {"&D68a", {T('a')}},        // no command behind item 68
      {"&D1.5a", {T('a')}},       // a number that does not convert clicks nothing
      {"&Da", {T('a')}},
      {"&D999", {}},
      {"\xF4" "3", {T(0xF4), T('3')}},  // pe only escapes after "&"
      {"&\xF4" "3", {Menu(3)}},
      {"&F{", {Choose()}},
      {"&F", {Choose()}},
      {"&Fmy.mcr{a", {File("my.mcr"), T('a')}},
      {"&fmy.mcr\rb", {File("my.mcr"), T('b')}},
      {"&\xF7" "rec.mcr", {File("rec.mcr")}},
      {"&Qz", {T('z')}},          // unknown escape: nothing
      {"a&", {T('a')}},           // a lone "&" at the end
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(InterpretMacro(c.text), c.actions);
  }
}

TEST(MacroScript, HebrewBytesAreTypedAsTheyAre) {
  EXPECT_EQ(InterpretMacro("\xE0\xE1"), (std::vector<MacroAction>{T(0xE0), T(0xE1)}));
}

TEST(MacroScript, MenuItemNames) {
  EXPECT_EQ(MacroMenuItemName(3), "Open1");
  EXPECT_EQ(MacroMenuItemName(293), "Compare1");
  EXPECT_FALSE(MacroMenuItemName(68));
  EXPECT_FALSE(MacroMenuItemName(0));
}

TEST(MacroScript, FindAndReplaceTextsReadInTurn) {
  std::string buf = "a&&b{c&;d{e";
  size_t pos = 0;
  EXPECT_EQ(ReadMacroText(buf, pos), "a&b");
  EXPECT_EQ(pos, 5u);
  EXPECT_EQ(ReadMacroText(buf, pos), "c");
  EXPECT_EQ(pos, buf.size());
  EXPECT_EQ(ReadMacroText(buf, pos), "");

  std::string crSep = "find\rrepl";
  pos = 0;
  EXPECT_EQ(ReadMacroText(crSep, pos), "find");
  EXPECT_EQ(ReadMacroText(crSep, pos), "repl");
}

}  // namespace
}  // namespace nuvel
