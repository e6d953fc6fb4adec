#include "ui/interface_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace nuvel {
namespace {

std::string T(uint16_t id) { return "T" + std::to_string(id); }

const ResolvedText* Find(const std::vector<ResolvedText>& texts, const std::string& name, TextSlot slot) {
  for (const auto& t : texts)
    if (t.component == name && t.slot == slot) return &t;
  return nullptr;
}

TEST(InterfaceTexts, NotationReadsEveryKindOfEntry) {
  const auto list = ParseTextAssignments("File1 40499+; Calculator1 41157;\n NewBtn hint 41199; form 41099; List [2] 41301");
  ASSERT_EQ(list.size(), 5u);
  EXPECT_EQ(list[0].component, "File1");
  EXPECT_EQ(list[0].slot, TextSlot::CaptionAndHint);
  EXPECT_EQ(list[0].id, 40499);
  EXPECT_EQ(list[1].slot, TextSlot::Caption);
  EXPECT_EQ(list[2].slot, TextSlot::Hint);
  EXPECT_EQ(list[3].component, "");
  EXPECT_EQ(list[4].slot, TextSlot::Item);
  EXPECT_EQ(list[4].index, 2);
}

TEST(InterfaceTexts, MalformedNotationIsRefused) {
  for (const char* bad : {"File1", "File1 x40", "File1 hint 40+", "File1 [x] 4", "A B C D"})
    EXPECT_THROW(ParseTextAssignments(bad), std::invalid_argument) << bad;
}

TEST(InterfaceTexts, CaptionAndHintSplitIntoTheIdAndTheNextId) {
  const auto texts = ResolveTexts(ParseTextAssignments("Open1 40503+; Openfile1 40503+"), T);
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(Find(texts, "Open1", TextSlot::Caption)->text, "T40503");
  EXPECT_EQ(Find(texts, "Open1", TextSlot::Hint)->text, "T40504");
  // The same library text labels both items.
  EXPECT_EQ(Find(texts, "Openfile1", TextSlot::Caption)->text, "T40503");
}

TEST(InterfaceTexts, MainWindowJoinedTexts) {
  const auto texts = ResolveTexts(MainFormTexts(), T);
  const struct { const char* name; TextSlot slot; const char* text; } cases[] = {
      {"FindAgainCtrlL1", TextSlot::Hint, "Ctrl+L T40596"},
      {"FindAgainCtrlL1", TextSlot::Caption, "T40595"},
      {"FlipCaseCtrlJU1", TextSlot::Hint, "Ctrl+J,U T40546"},
      {"FlipCaseCtrlJU1", TextSlot::Caption, "T40545"},
      {"SetMark1", TextSlot::Caption, "T407491"},
      {"SetMark9", TextSlot::Caption, "T407499"},
      {"SetMark0", TextSlot::Caption, "T407490"},
      {"GoTo1", TextSlot::Caption, "T40751&1"},
      {"GoTo0", TextSlot::Caption, "T40751&0"},
      {"ConversionWizard1", TextSlot::Caption, "T41716"},
      {"ConversionWizard1", TextSlot::Hint, "T40922"},
      {"", TextSlot::Caption, "T41099"},
      {"SheimPrtBtn", TextSlot::Hint, "T40924"},
      {"Calculator1", TextSlot::Caption, "T41157"},
  };
  for (const auto& c : cases) {
    const ResolvedText* t = Find(texts, c.name, c.slot);
    ASSERT_NE(t, nullptr) << c.name;
    EXPECT_EQ(t->text, c.text) << c.name;
  }
  // Items without the plus sign get no hint.
  EXPECT_EQ(Find(texts, "Calculator1", TextSlot::Hint), nullptr);
  EXPECT_EQ(Find(texts, "NewBtn", TextSlot::Caption), nullptr);
}

TEST(InterfaceTexts, IdsOfAListIncludeTheHintIds) {
  const auto ids = TextIdsOf(ParseTextAssignments("File1 40499+; NewBtn hint 41199"));
  EXPECT_EQ(ids, (std::vector<uint16_t>{40499, 40500, 41199}));
}

TEST(InterfaceTexts, OtherWindowsSpecialTexts) {
  const auto about = ResolveTexts(FindTextRoutine("SetHebCaps_TextAboutBox")->texts, T);
  EXPECT_EQ(Find(about, "", TextSlot::Caption)->text, "40725") << "the first character dropped";
  const auto search = ResolveTexts(FindTextRoutine("SetHebCaps_TextSearch")->texts, T);
  EXPECT_EQ(Find(search, "NvcLabel1", TextSlot::Caption)->text, "\xE8\xF7\xF1\xE8\xE9\xED");
  EXPECT_EQ(Find(search, "FNextBtn", TextSlot::Hint)->text, "Ctrl+L T40596");
  const auto prefs = ResolveTexts(FindTextRoutine("SetHebCaps_PreferencesDlg")->texts, T);
  EXPECT_EQ(Find(prefs, "Button3", TextSlot::Caption)->text, "...T41103");
  std::vector<std::string> memo;
  for (const auto& t : ResolveTexts(FindTextRoutine("SetHebCaps_WizrdFrm")->texts, T))
    if (t.component == "Memo3" && t.slot == TextSlot::Line) memo.push_back(t.text);
  EXPECT_EQ(memo, (std::vector<std::string>{"T41739", "", "T41740", "", "T41741"}));
  // Literal texts and empty lines read no library id.
  const auto ids = TextIdsOf(FindTextRoutine("SetHebCaps_WizrdFrm")->texts);
  EXPECT_EQ(std::count(ids.begin(), ids.end(), 0), 0);
  EXPECT_EQ(FindTextRoutine("SetHebCaps_MainForm")->window, "MainForm");
  EXPECT_TRUE(FindTextRoutine("SetHebCaps_PreferencesDlg")->rightToLeft);
  EXPECT_EQ(FindTextRoutine("NoSuchRoutine"), nullptr);
  EXPECT_EQ(TextRoutines().size(), 21u) << "the main window's, the popup's and nineteen windows'";
}

TEST(InterfaceTexts, DocumentPopupList) {
  const auto texts = ResolveTexts(MdiChildTexts(), T);
  EXPECT_EQ(Find(texts, "InstallonPalm1", TextSlot::Caption)->text, "T40777");
  EXPECT_EQ(Find(texts, "CutS1", TextSlot::Hint)->text, "T40524");
}

}  // namespace
}  // namespace nuvel
