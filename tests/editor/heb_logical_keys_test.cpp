// The keys that change text act on the paragraph in reading order: a mixed
// line typed as a writer types it (switching the keyboard between words,
// numbers with the Hebrew layer, Backspace and Delete, Enter) reads back as
// typed in both document directions, and the caret is shown where the next
// character goes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/command_numbers.h"
#include "core/shared_state.h"
#include "tests/editor/heb_editor_test_support.h"
#include "tests/support/reading_order.h"

namespace nuvel {
namespace {

using test::Own;

// One step: "E <keys>", "H <keys>", "N <keys>" type through that keyboard
// (the desktop's own layout being US); "T <text>" types the text as the
// desktop's Hebrew layout gives it, whatever the program's keyboard; "BS",
// "DEL", "RET", "HOME" (start of the text), "END" (end of the line),
// "DOWN", "LEFT" and "RIGHT" press that key.
struct Row {
  const char* name;
  bool english;
  std::vector<std::string> lines;  // the document, in reading order
  std::vector<std::string> steps;
  std::vector<std::string> after;  // in reading order
};

class HebLogicalKeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DageshState = false;
    VowelSkip = false;
  }

  void Play(const Row& row) {
    test::LoadLogical(f.editor, row.english, row.lines);
    f.editor.SetCaretPosition(1, 1);
    for (const std::string& step : row.steps) {
      const std::string verb = step.substr(0, step.find(' '));
      const std::string text = step.size() > verb.size() ? step.substr(verb.size() + 1) : std::string();
      if (verb == "E" || verb == "H" || verb == "N") {
        const TKeytype type = verb == "E" ? TKeytype::English : verb == "H" ? TKeytype::Hebrew : TKeytype::Nikud;
        f.editor.SetKeyType(type);
        f.editor.SetOV(type == TKeytype::Nikud);
        // The main window sets the second-language flag as the menu shows it.
        f.editor.SetSEng((type == TKeytype::English) != row.english);
        f.Type(text);
      } else if (verb == "T") {
        f.Type(Own(text));
      } else {
        const TNvcCommand command = verb == "BS"     ? ccBack
                                    : verb == "DEL"  ? ccDel
                                    : verb == "RET"  ? ccNewLine
                                    : verb == "HOME" ? ccFirstPage
                                    : verb == "END"  ? ccEnd
                                    : verb == "DOWN" ? ccDown
                                    : verb == "LEFT" ? ccLeft
                                                     : ccRight;
        f.editor.DoCommand(command, 0);
      }
    }
  }

  test::THebEditorFixture f{40, 5};
};

TEST_F(HebLogicalKeysTest, MixedLinesReadBackAsTyped) {
  const Row rows[] = {
      {"Delete at the start", true, {"abc"}, {"HOME", "DEL"}, {"bc"}},
      {"English words and Enter in a Hebrew document", false, {}, {"E Hello", "RET", "E World"}, {"Hello", "World"}},
      {"Backspace at the end of an English word in Hebrew",
       false,
       {},
       {"H akuo ", "E Hellp", "BS", "E o"},
       {Own("שלום Hello")}},
      {"Enter after Hebrew in an English document",
       true,
       {},
       {"E Hello", "H akuo", "RET", "E World"},
       {Own("Helloשלום"), "World"}},
      {"three words, two keyboards, Hebrew document",
       false,
       {},
       {"H akuo", "E  Hello", "H  guko"},
       {Own("שלום Hello עולם")}},
      {"three words, two keyboards, English document",
       true,
       {},
       {"E Hi", "H  akuo", "E  there"},
       {Own("Hi שלום there")}},
      {"the desktop's Hebrew layout with the English keyboard",
       true,
       {},
       {"E Hi ", "T שלום עולם"},
       {Own("Hi שלום עולם")}},
      {"the desktop's Hebrew layout in a Hebrew document", false, {}, {"E ", "T שלום עולם"}, {Own("שלום עולם")}},
      {"a number with the Hebrew layer", false, {}, {"H akuo 2024"}, {Own("שלום 2024")}},
      {"a price with the Hebrew layer's point", false, {}, {"H njhr 3/50"}, {Own("מחיר 3.50")}},
      {"a date with the Hebrew layer's slash", false, {}, {"H 12q05q2024"}, {"12/05/2024"}},
      {"a number in an English document's Hebrew", true, {}, {"H akuo 2024 guko"}, {Own("שלום 2024 עולם")}},
      {"a pointed word, Hebrew document", false, {}, {"N t8c7"}, {Own("אָבְ")}},
      {"a pointed word, English document", true, {}, {"N t8c7"}, {Own("אָבְ")}},
      {"Backspace through a number", false, {}, {"H akuo 2024", "BS", "BS"}, {Own("שלום 20")}},
      {"Backspace through Hebrew in English", true, {}, {"E ab ", "H akuo", "BS", "BS"}, {Own("ab של")}},
      {"Backspace joins a line, in reading order", true, {"ab", Own("גד")}, {"HOME", "DOWN", "BS"}, {Own("abגד")}},
      {"Delete at a line's end joins, in reading order",
       false,
       {Own("אב"), "cd"},
       {"HOME", "END", "DEL"},
       {Own("אבcd")}},
      {"Enter in the middle of a Hebrew line", false, {Own("אבגד")}, {"HOME", "LEFT", "LEFT", "RET"}, {Own("אב"), Own("גד")}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Play(row);
    EXPECT_EQ(test::LogicalParas(f.editor), row.after);
  }
}

TEST_F(HebLogicalKeysTest, CaretShowsWhereTheNextCharacterGoes) {
  // "שלום Hello" in a Hebrew document is stored "שלום olleH": typing on
  // in English, the caret stands right of "Hello" as shown, at cell 6.
  Play({"", false, {}, {"H akuo ", "E Hello"}, {}});
  EXPECT_EQ(f.editor.CaretPos(), 6);
  // A Hebrew word typed in an English document grows leftwards from where
  // it began; the caret keeps to its start.
  Play({"", true, {}, {"E ab ", "H akuo"}, {}});
  EXPECT_EQ(f.editor.CaretPos(), 4);
}

TEST_F(HebLogicalKeysTest, ACaretPutBetweenRunsTypesWhereItIsShown) {
  // Cell 6 of "שלום olleH" stands between the blank and "Hello" as shown:
  // English there continues "Hello", Hebrew goes before it.
  struct Case {
    std::string step;
    std::string after;
  } const cases[] = {{"E x", Own("שלום Hellox")}, {"H t", Own("שלום אHello")}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    test::LoadLogical(f.editor, false, {Own("שלום Hello")});
    f.editor.SetCaretPosition(1, 6);
    f.editor.SetKeyType(c.step[0] == 'E' ? TKeytype::English : TKeytype::Hebrew);
    f.Type(c.step.substr(2));
    EXPECT_EQ(test::LogicalParas(f.editor), std::vector<std::string>{c.after});
  }
}

TEST_F(HebLogicalKeysTest, EachKeyIsOneUndoStep) {
  Play({"", false, {}, {"H akuo ", "E Hellp", "BS"}, {}});
  f.editor.DoCommand(ccUndo, 0);
  EXPECT_EQ(test::LogicalParas(f.editor), std::vector<std::string>{Own("שלום Hellp")});
  Play({"", true, {"ab", Own("גד")}, {"HOME", "END", "DEL"}, {}});
  f.editor.DoCommand(ccUndo, 0);
  EXPECT_EQ(test::LogicalParas(f.editor), (std::vector<std::string>{"ab", Own("גד")}));
}

}  // namespace
}  // namespace nuvel
