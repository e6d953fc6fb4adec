#include "tools/spell_driver.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>

#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "tests/editor/heb_editor_test_support.h"
#include "tests/support/reading_order.h"
#include "tests/support/recording_message_sink.h"
#include "tests/tools/spell_test_support.h"
#include "tools/spell_engine.h"

namespace nuvel {
namespace {

// Scripted answers; records what each dialog was shown.
class TFakeSpellerUi : public TSpellerUi {
 public:
  TSpellerAnswer AskSpeller(const TSpellerRequest& request) override {
    asked.push_back(request);
    TSpellerAnswer a = answers.empty() ? TSpellerAnswer{} : answers.front();
    if (!answers.empty()) answers.pop_front();
    if (a.Replacement.empty() && a.Action != TSpellerAction::LookUp) a.Replacement = request.Replacement;
    a.Left = request.Left + 10;
    a.Top = request.Top;
    return a;
  }
  bool AskCorrectContinue() override {
    ++correctShown;
    return continueAfterCorrect;
  }
  std::deque<TSpellerAnswer> answers;
  std::vector<TSpellerRequest> asked;
  int correctShown = 0;
  bool continueAfterCorrect = false;
};

struct TDriverFixture {
  explicit TDriverFixture(std::string text, bool engm = true) {
    spell.folder.CopyShippedFile("NuvStr.DLL");
    editor.editor.SetEngm(engm);
    editor.editor.LoadString(text);
  }
  void Run() {
    TSpellEngine engine;
    ASSERT_TRUE(engine.OpenDictionaries(spell.files));
    TSpellDriver driver(editor.editor, engine, ui);
    driver.SpellNextWords();
  }
  std::string Text() const { return editor.editor.Text(); }

  test::TSpellFixture spell;
  test::THebEditorFixture editor{80, 5};
  TFakeSpellerUi ui;
  test::RecordingMessageSink sink;
};

TSpellerAnswer Answer(TSpellerAction action, std::string replacement = {}) { return {action, std::move(replacement)}; }

std::vector<std::string> AskedWords(const TFakeSpellerUi& ui) {
  std::vector<std::string> out;
  for (const auto& r : ui.asked) out.push_back(r.Word);
  return out;
}

TEST(SpellDriver, RunOverTheDocument) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<TSpellerAnswer> answers;
    std::string after;
    std::vector<std::string> asked;
  };
  const Case cases[] = {
      {"replace", "the teh cat", {Answer(TSpellerAction::Replace, "the")}, "the the cat", {"teh"}},
      {"cancel leaves it", "teh dog", {Answer(TSpellerAction::Cancel)}, "teh dog", {"teh"}},
      {"ignore for the run", "teh cat teh", {Answer(TSpellerAction::Ignore)}, "teh cat teh", {"teh"}},
      {"add", "zork cat zork", {Answer(TSpellerAction::Add)}, "zork cat zork", {"zork"}},
      {"automatic from then on", "teh cat teh dog teh", {Answer(TSpellerAction::AutoChange, "the")},
       "the cat the dog the", {"teh"}},
      {"mark", "zork cat", {Answer(TSpellerAction::Mark)}, "\\zork cat", {"zork"}},
      {"stop", "teh zork", {Answer(TSpellerAction::Stop)}, "teh zork", {"teh"}},
      // A longer replacement moves the scan past the whole new text.
      {"longer replacement", "teh cat zork", {Answer(TSpellerAction::Replace, "the cat cat"), Answer(TSpellerAction::Cancel)},
       "the cat cat cat zork", {"teh", "zork"}},
      {"shorter replacement", "tabless zork", {Answer(TSpellerAction::Replace, "tea"), Answer(TSpellerAction::Cancel)},
       "tea zork", {"tabless", "zork"}},
      {"look up, then replace", "tabx",
       {Answer(TSpellerAction::LookUp, "tab"), Answer(TSpellerAction::Replace, "tables")}, "tables", {"tabx", "tabx"}},
  };
  for (const Case& c : cases) {
    TDriverFixture f(c.text);
    f.ui.answers.assign(c.answers.begin(), c.answers.end());
    f.Run();
    EXPECT_EQ(f.Text(), c.after) << c.name;
    EXPECT_EQ(AskedWords(f.ui), c.asked) << c.name;
    EXPECT_TRUE(f.sink.requests.empty()) << c.name;
  }
}

TEST(SpellDriver, LookUpOffersTheWordsThatBeginWithTheText) {
  TDriverFixture f("tabx");
  f.ui.answers = {Answer(TSpellerAction::LookUp, "tab"), Answer(TSpellerAction::Cancel)};
  f.Run();
  ASSERT_EQ(f.ui.asked.size(), 2u);
  EXPECT_EQ(f.ui.asked[1].Suggestions, (std::vector<std::string>{"table", "tables"}));
  EXPECT_EQ(f.ui.asked[1].Replacement, "tab");
  // The dialog's place is kept from word to word.
  EXPECT_EQ(f.ui.asked[1].Left, f.ui.asked[0].Left + 10);
}

TEST(SpellDriver, AddedAndAutomaticWordsAreWrittenToTheUserList) {
  TDriverFixture f("zork teh");
  f.ui.answers = {Answer(TSpellerAction::Add), Answer(TSpellerAction::AutoChange, "the")};
  f.Run();
  std::ifstream in(f.spell.files.EnglishUser, std::ios::binary);
  const std::string list((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(list, "teh the\r\nzork\r\n");
  // A second run asks nothing.
  TDriverFixture g("zork teh");
  g.spell.files = f.spell.files;
  g.Run();
  EXPECT_EQ(g.Text(), "zork the");
  EXPECT_TRUE(g.ui.asked.empty());
}

TEST(SpellDriver, RepeatedWordQuestion) {
  struct Case {
    std::string text;
    platform::ModalResult answer;
    std::string after;
  };
  const Case cases[] = {
      {"the the cat", platform::mrYes, "the cat"},
      {"cat the the", platform::mrYes, "cat the"},
      {"the the cat", platform::mrNo, "the the cat"},
  };
  for (const Case& c : cases) {
    TDriverFixture f(c.text);
    f.sink.answers = {c.answer};
    f.Run();
    EXPECT_EQ(f.Text(), c.after) << c.text;
    ASSERT_EQ(f.sink.requests.size(), 1u) << c.text;
    EXPECT_EQ(f.sink.requests[0].buttons, platform::mbYes | platform::mbNo);
    EXPECT_EQ(f.sink.requests[0].text, "The word \"the\" appears twice in a row.\rDelete the second one?");
  }
}

TEST(SpellDriver, HebrewWordsInBothDirections) {
  using test::kShalom;
  const std::string misspelled = kShalom + "\xE9";
  // Hebrew document: stored as read.
  TDriverFixture heb(misspelled + " " + kShalom, false);
  heb.ui.answers = {Answer(TSpellerAction::Replace)};
  heb.Run();
  EXPECT_EQ(heb.Text(), kShalom + " " + kShalom);
  ASSERT_EQ(heb.ui.asked.size(), 1u);
  EXPECT_EQ(heb.ui.asked[0].Word, misspelled);
  // English document: the Hebrew word is stored reversed, shown as read and
  // written back reversed.
  const std::string stored(misspelled.rbegin(), misspelled.rend());
  TDriverFixture eng("cat " + stored, true);
  eng.ui.answers = {Answer(TSpellerAction::Replace)};
  eng.Run();
  EXPECT_EQ(eng.Text(), "cat " + std::string(kShalom.rbegin(), kShalom.rend()));
  ASSERT_EQ(eng.ui.asked.size(), 1u);
  EXPECT_EQ(eng.ui.asked[0].Word, misspelled);
}

TEST(SpellDriver, EnglishInsideAHebrewDocumentIsReadInReadingOrder) {
  // The Hebrew document keeps "the teh zork cat" reversed, as a file of
  // another program reads; the run asks about its words as they read, and
  // a replacement reads in the document as it was written.
  using test::kShalom;
  const std::string logical = kShalom + " the teh zork cat " + kShalom;
  TDriverFixture f(test::Turned(false, logical), false);
  ASSERT_TRUE(f.editor.editor.LogicalOrder());
  f.ui.answers = {Answer(TSpellerAction::Replace, "the"), Answer(TSpellerAction::Stop)};
  f.Run();
  EXPECT_EQ(AskedWords(f.ui), (std::vector<std::string>{"teh", "zork"}));
  EXPECT_EQ(test::LogicalParas(f.editor.editor).front(), kShalom + " the the zork cat " + kShalom);
}

TEST(SpellDriver, TheRunStopsAtTheMisspelledWordAndSelectsIt) {
  // Stopped at "zork", the word it asked about is the one selected.
  using test::kShalom;
  for (const bool english : {false, true}) {
    const std::string logical = kShalom + " cat zork dog " + kShalom + " teh";
    TDriverFixture f(test::Turned(english, logical), english);
    TSpellEngine engine;
    ASSERT_TRUE(engine.OpenDictionaries(f.spell.files));
    struct StopUi : TSpellerUi {
      TSpellerAnswer AskSpeller(const TSpellerRequest& r) override {
        words.push_back(r.Word);
        const TEditorPosition a = std::min(editor->SelBegin(), editor->SelEnd());
        const TEditorPosition b = std::max(editor->SelBegin(), editor->SelEnd());
        const auto text = editor->GetPara(a.Para);
        if (a.Para == b.Para) selected.assign(text.begin() + (a.Pos - 1), text.begin() + (b.Pos - 1));
        return {TSpellerAction::Stop, r.Replacement};
      }
      bool AskCorrectContinue() override { return false; }
      THebTextEditor* editor = nullptr;
      std::vector<std::string> words;
      std::string selected;
    } ui;
    ui.editor = &f.editor.editor;
    TSpellDriver stopping(f.editor.editor, engine, ui);
    stopping.SpellNextWords();
    EXPECT_EQ(ui.words, (std::vector<std::string>{"zork"})) << english;
    // The selection holds the word's cells (reversed where it is stored so).
    const std::string stored = english ? "zork" : "kroz";
    EXPECT_EQ(ui.selected, stored) << english;
  }
}

TEST(SpellDriver, SpellCommandOnTheCaretWord) {
  // A correct word: the OK dialog; Continue runs over the rest from the caret.
  TDriverFixture f("teh cat zork");
  f.editor.editor.MoveCaretToPara(1, 6, false);
  f.ui.continueAfterCorrect = true;
  f.ui.answers = {Answer(TSpellerAction::Cancel)};
  {
    TSpellEngine engine;
    ASSERT_TRUE(engine.OpenDictionaries(f.spell.files));
    TSpellDriver driver(f.editor.editor, engine, f.ui);
    driver.Spell();
    EXPECT_FALSE(engine.IsOpen());
  }
  EXPECT_EQ(f.ui.correctShown, 1);
  EXPECT_EQ(AskedWords(f.ui), (std::vector<std::string>{"zork"}));
  EXPECT_EQ(f.editor.editor.CaretPos(), 6);
  // A misspelled caret word: the speller; nothing more.
  TDriverFixture g("teh cat zork");
  g.ui.answers = {Answer(TSpellerAction::Replace, "the")};
  {
    TSpellEngine engine;
    ASSERT_TRUE(engine.OpenDictionaries(g.spell.files));
    TSpellDriver driver(g.editor.editor, engine, g.ui);
    driver.Spell();
  }
  EXPECT_EQ(g.Text(), "the cat zork");
  EXPECT_EQ(AskedWords(g.ui), (std::vector<std::string>{"teh"}));
  EXPECT_EQ(g.ui.correctShown, 0);
}

}  // namespace
}  // namespace nuvel
