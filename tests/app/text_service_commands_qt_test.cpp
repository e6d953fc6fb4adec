// The main window's text service commands on a real document window: each item
// acts on the active document when it is enabled, the block and counter
// commands, the commands that cannot be undone, File Info, Compare and the
// speller over English and Hebrew documents.
#include "app/text_service_commands_qt.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <deque>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "editor/heb_text_editor_widget_qt.h"
#include "tests/support/recording_message_sink.h"
#include "tests/tools/spell_test_support.h"
#include "tools/spell_driver.h"
#include "tools/spell_engine.h"

namespace nuvel {
namespace {

class ScriptedSpeller : public TSpellerUi {
 public:
  explicit ScriptedSpeller(std::deque<TSpellerAnswer>* answers) : answers_(answers) {}
  TSpellerAnswer AskSpeller(const TSpellerRequest& request) override {
    TSpellerAnswer a;
    if (!answers_->empty()) {
      a = answers_->front();
      answers_->pop_front();
    }
    if (a.Replacement.empty()) a.Replacement = request.Replacement;
    return a;
  }
  bool AskCorrectContinue() override { return true; }

 private:
  std::deque<TSpellerAnswer>* answers_;
};

class TextServiceCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ProgPath;
    spell_.folder.CopyShippedFile("NuvStr.DLL");
    spell_.folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n");
    ASSERT_TRUE(program_.Start({"nuvel"}, nullptr));
    before_ = SetSpellerUiFactory([this] { return std::make_unique<ScriptedSpeller>(&answers_); });
  }
  void TearDown() override {
    SetSpellerUiFactory(before_);
    ProgPath = saved_;
    EngPrompts = true;
  }
  THebTextEditor& NewDocument(const std::string& text, bool english = true) {
    Form().Item("New1")->trigger();
    THebTextEditor& e = program_.Documents()->ActiveChild()->HebDoc();
    e.SetEngm(english);
    e.LoadString(text);
    return e;
  }
  TMainForm& Form() { return *program_.MainForm(); }
  MainCommands& Commands() { return *Form().Commands; }
  bool Run(const char* item) {
    Commands().Refresh();
    if (!Commands().Enabled(QString::fromLatin1(item))) return false;
    Commands().Run(QString::fromLatin1(item));
    return true;
  }
  static std::string Paras(const THebTextEditor& e) {
    std::string out;
    for (int32_t p = 1; p <= e.ParaCount(); ++p) {
      if (p > 1) out += '|';
      const auto b = e.GetPara(p);
      out.append(b.begin(), b.end());
    }
    return out;
  }

  test::TSpellFixture spell_;
  test::RecordingMessageSink sink_;
  Program program_;
  std::string saved_;
  std::deque<TSpellerAnswer> answers_;
  SpellerUiFactory before_;
};

TEST_F(TextServiceCommands, ItemsActOnTheActiveDocument) {
  struct Case {
    const char* item;
    std::string text;
    int32_t line1, col1, line2, col2;  // a selection when line2 > 0, else the caret at (line1, col1)
    std::string after;
    bool cannotUndo = false;
  };
  const Case cases[] = {
      {"ChangeCaseofCharacter1", "abc", 1, 2, 0, 0, "aBc"},
      {"FlipCaseCtrlJU1", "abc", 1, 1, 0, 0, "Abc"},
      {"CutaWord1", "one two", 1, 1, 0, 0, "two"},
      {"RemoveDoubleSpaces1", "a   b", 1, 1, 0, 0, "a b"},
      {"ReformatParagraph1", "aa\r\nbb\x14\r\ncc", 1, 1, 0, 0, "aa bb\x14|cc"},
      {"RemDups1", "x\r\nx\r\ny", 1, 1, 0, 0, "x|y"},
      {"AddParLines1", "x\r\ny\r\nz", 1, 1, 0, 0, "x||y||z"},
      {"RevParen1", "(a)", 1, 1, 0, 0, ")a(", true},
      {"RevFile1", "abc", 1, 1, 0, 0, "cba", true},
      {"RemoveHTML1", "<b>x</b>", 1, 1, 0, 0, "x", true},
      {"MergeParsTxt1", "one\r\ntwo", 1, 1, 0, 0, "one two|", true},
      {"SelUpperCase1", "abcd", 1, 2, 1, 4, "aBCd"},
      {"BlockLowerCase1", "ABCD", 1, 2, 1, 4, "AbcD"},
      {"SelFill1", "abcd", 1, 2, 1, 4, "a!!d"},
      {"UpandDown1", "hELLO wORLD", 1, 1, 1, 12, "Hello World"},
      {"BlockFlipCase1", "xaBc1Dx", 1, 2, 1, 7, "xAbC1dx"},
      {"ReverseBlock1", "abcd", 1, 1, 1, 5, "dcba"},
      {"Counter1", "", 1, 1, 0, 0, "<#>"},
      {"HebrewCounter1", "", 1, 1, 0, 0, "<#H>"},
      {"ZeroCounter1", "", 1, 1, 0, 0, "<C:#>"},
      {"Replacewithnumbers1", "<#1>-<#1>", 1, 1, 0, 0, "1-2"},
      {"Insertnumbers1", "<#1>", 1, 1, 0, 0, "<#1 :1>"},
  };
  for (const Case& c : cases) {
    THebTextEditor& e = NewDocument(c.text);
    if (c.line2 > 0) {
      e.SetSelection(c.line1, c.col1, c.line2, c.col2, true);
    } else {
      e.SetCaretPosition(c.line1, c.col1);
    }
    sink_.requests.clear();
    ASSERT_TRUE(Run(c.item)) << c.item << " is disabled";
    EXPECT_EQ(Paras(e), c.after) << c.item;
    if (c.cannotUndo) {
      EXPECT_FALSE(e.CanUndo()) << c.item;
      ASSERT_EQ(sink_.requests.size(), 1u) << c.item;
      EXPECT_EQ(sink_.requests[0].text, "This command cannot be undone: the undo history has been cleared.");
    } else {
      EXPECT_TRUE(sink_.requests.empty()) << c.item;
    }
    program_.Documents()->ActiveChild()->HebDoc().SetModified(false);
    program_.Documents()->ActiveChild()->close();
  }
}

TEST_F(TextServiceCommands, HebrewCountersAndEnableRules) {
  THebTextEditor& e = NewDocument("", false);
  ASSERT_TRUE(Run("Counter1"));
  ASSERT_TRUE(Run("HebrewCounter1"));
  EXPECT_EQ(Paras(e), ">#<>#\xF2<");
  // Up and Down and the block commands need a selection; the paragraph
  // commands need more than one paragraph.
  e.LoadString("abc");
  Commands().Refresh();
  for (const char* item : {"UpandDown1", "SelUpperCase1", "ReverseBlock1", "BlockFlipCase1", "RemDups1"})
    EXPECT_FALSE(Commands().Enabled(QString::fromLatin1(item))) << item;
  e.SelectAll(true);
  Commands().Refresh();
  for (const char* item : {"UpandDown1", "SelUpperCase1", "ReverseBlock1", "BlockFlipCase1"})
    EXPECT_TRUE(Commands().Enabled(QString::fromLatin1(item))) << item;
}

TEST_F(TextServiceCommands, FileInfoAndCompare) {
  THebTextEditor& a = NewDocument("one two\r\nthree");
  a.SetCaretPosition(2, 1);
  ASSERT_TRUE(Run("FileInfo1"));
  ASSERT_EQ(sink_.requests.size(), 1u);
  EXPECT_EQ(sink_.requests[0].text, "Words in the file: 3\nCharacter at the cursor: 8");
  // One window: nothing to compare with.
  sink_.requests.clear();
  Commands().Run(QStringLiteral("Compare1"));
  EXPECT_TRUE(sink_.requests.empty() || sink_.requests[0].text == "Compare needs two open document windows.");
  THebTextEditor& b = NewDocument("one twX\r\nthree");
  b.SetCaretPosition(1, 1);
  a.SetCaretPosition(1, 1);
  sink_.requests.clear();
  ASSERT_TRUE(Run("Compare1"));
  ASSERT_EQ(sink_.requests.size(), 1u);
  EXPECT_EQ(sink_.requests[0].text, "Here is a difference");
  EXPECT_TRUE(b.HasSelection());
  EXPECT_EQ(b.SelBegin().Pos, 7);
}

TEST_F(TextServiceCommands, SpellerReplacesAndKeepsAddedWordsAcrossRuns) {
  THebTextEditor& e = NewDocument("the teh zork");
  e.SetCaretPosition(1, 5);
  answers_ = {TSpellerAnswer{TSpellerAction::Replace, "the"}, TSpellerAnswer{TSpellerAction::Add, {}}};
  // The caret word is misspelled: the speller, then nothing more.
  ASSERT_TRUE(Run("Spell1"));
  EXPECT_EQ(Paras(e), "the the zork");
  // A correct caret word: Continue goes over the rest of the document.
  e.SetCaretPosition(1, 1);
  sink_.answers = {platform::mrNo};  // keep the repeated word
  ASSERT_TRUE(Run("Spell1"));
  EXPECT_FALSE(SharedSpellEngine().IsOpen());
  // The added word is in the user list of the next run.
  TSpellEngine again;
  ASSERT_TRUE(again.OpenDictionaries());
  EXPECT_TRUE(again.CheckWord("zork", true, false).Found);
  again.FinishSpelling();

  // Hebrew: a misspelled word replaced by the first suggestion.
  const std::string misspelled = test::kShalom + "\xE9";
  THebTextEditor& h = NewDocument(misspelled, false);
  h.SetCaretPosition(1, 1);
  answers_ = {TSpellerAnswer{TSpellerAction::Replace, {}}};
  ASSERT_TRUE(Run("Spell1"));
  EXPECT_EQ(Paras(h), test::kShalom);
}

}  // namespace
}  // namespace nuvel
