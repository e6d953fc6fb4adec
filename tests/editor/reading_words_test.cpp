// The tools that read words read a document kept in logical order as it
// reads: the same mixed text loaded into a Hebrew and an English document
// gives the same words in the same order, and a change written back reads
// as it was written. A document of the system's visual forms keeps the
// stored order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/border_map.h"
#include "editor/block_transforms.h"
#include "editor/heb_text_editor.h"
#include "editor/reading_para.h"
#include "tests/editor/heb_editor_test_support.h"
#include "tests/editor/mixed_logical_text.h"
#include "tests/formats/formats_test_support.h"
#include "tests/support/reading_order.h"

namespace nuvel::test {
namespace {

using Words = std::vector<std::string>;

// The words of MixedLogicalLines as they read, line by line.
const std::vector<Words>& ExpectedWords() {
  static const std::vector<Words> words = {
      {"The", "quick", "brown", "fox", "jumps", "over", "the", "lazy", "dog"},
      {"\xF9\xEC\xE5\xED", "\xF2\xE5\xEC\xED", "Hello", "world", "123"},
      {"\xF9\xE5\xF8\xE4", "\xF9\xF0\xE9\xE9\xE4", "\xE9\xF8\xE5\xF9\xEC\xE9\xED", "2024"},
      {"Price", "1", "234", "50", "\xF9\"\xE7", "on", "12", "05", "2024", "quick"},
      {"\xE4\xE5\xE0", "\xE0\xEE\xF8", "quick", "test", "\xF9\xED", "x", "3", "5"},
      {"\xF9\xC8\xD1\xEC\xE5\xC9\xED", "quick", "\xE1\xC8\xCC\xF8\xC8\xE0", "the", "end"},
      {},
      {"quick", "quick", "quickly"},
  };
  return words;
}

struct Loaded {
  explicit Loaded(bool english) {
    LoadLogical(f.editor, english, MixedLogicalLines());
  }
  THebEditorFixture f{200, 10};
};

TEST(ReadingWords, TheNextWordsComeInReadingOrder) {
  Words expected;
  for (const Words& line : ExpectedWords()) expected.insert(expected.end(), line.begin(), line.end());
  for (const bool english : {false, true}) {
    Loaded doc(english);
    Words got;
    int32_t para = 1, pos = 0, start = 0;
    std::string word;
    while (doc.f.editor.GetNextWord(para, pos, word, &start)) {
      got.push_back(word);
      // The start is the word's place in the reading text.
      const std::string reading = MixedLogicalLines()[static_cast<size_t>(para - 1)];
      EXPECT_EQ(reading.substr(static_cast<size_t>(start - 1), word.size()), word) << english;
    }
    EXPECT_EQ(got, expected) << "english " << english;
  }
}

TEST(ReadingWords, TheCaretWordIsTheWordAsItReads) {
  for (const bool english : {false, true}) {
    Loaded doc(english);
    THebTextEditor& e = doc.f.editor;
    for (size_t line = 0; line < ExpectedWords().size(); ++line) {
      const std::string& logical = MixedLogicalLines()[line];
      const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(logical.data()), logical.size());
      const BorderMap map = BorderMap::OfLogical(english, bytes);
      size_t from = 0;
      for (const std::string& w : ExpectedWords()[line]) {
        const size_t at = logical.find(w, from);
        ASSERT_NE(at, std::string::npos);
        from = at + w.size();
        if (w.find('"') != std::string::npos) continue;  // the caret word stops at a quote
        // The caret on the cell of the word's middle byte.
        const size_t cell = map.StoredOf(at + w.size() / 2);
        e.MoveCaretToPara(static_cast<int32_t>(line) + 1, static_cast<int32_t>(cell) + 1, false);
        int32_t para = 0, start = 0, end = 0;
        EXPECT_EQ(e.GetCaretWord(para, start, end), w) << "english " << english << " line " << line;
        EXPECT_EQ(start, static_cast<int32_t>(at) + 1) << w;
        EXPECT_EQ(end, static_cast<int32_t>(from) + 1) << w;
      }
    }
  }
}

TEST(ReadingWords, AReplacedWordReadsAsWritten) {
  // Each word of a line replaced by a longer one, in the reading text; the
  // document reads as the logical text with that replacement, and the edit
  // is one undo step.
  for (const bool english : {false, true}) {
    for (size_t line = 0; line < ExpectedWords().size(); ++line) {
      size_t from = 0;
      for (const std::string& w : ExpectedWords()[line]) {
        Loaded doc(english);
        THebTextEditor& e = doc.f.editor;
        std::string logical = MixedLogicalLines()[line];
        const size_t at = logical.find(w, from);
        from = at + w.size();
        const std::string with = "Abc \xE0\xE1 12";
        ASSERT_EQ(e.ReplaceReading(static_cast<int32_t>(line) + 1, static_cast<int32_t>(at) + 1,
                                   static_cast<int32_t>(at + w.size()) + 1,
                                   std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(with.data()), with.size())),
                  0);
        std::vector<std::string> expected = MixedLogicalLines();
        expected[line].replace(at, w.size(), with);
        EXPECT_EQ(LogicalParas(e)[line], expected[line]) << "english " << english << " word " << w;
        e.Undo();
        EXPECT_EQ(LogicalParas(e), MixedLogicalLines()) << w;
      }
    }
  }
}

TEST(ReadingWords, CapitalisingTakesTheFirstLetterOfEachWordAsItReads) {
  // Up and Down over the whole text, in both directions, gives what the
  // same transform gives the logical text itself.
  const TBlockTable lower = MakeBlockTable(TBlockMode::LowerCase, 0);
  const TBlockTable capitals = MakeBlockTable(TBlockMode::Capitalise, 0);
  std::vector<std::string> expected;
  for (const std::string& line : MixedLogicalLines()) {
    const std::span<const uint8_t> b(reinterpret_cast<const uint8_t*>(line.data()), line.size());
    const std::vector<uint8_t> once = TransformBytes(b, 0, b.size(), lower, TBlockMode::LowerCase);
    const std::vector<uint8_t> twice = TransformBytes(once, 0, once.size(), capitals, TBlockMode::Capitalise);
    expected.emplace_back(twice.begin(), twice.end());
  }
  ASSERT_EQ(expected[1].substr(expected[1].size() - 15), "Hello World 123");
  for (const bool english : {false, true}) {
    Loaded doc(english);
    THebTextEditor& e = doc.f.editor;
    e.SelectRange(1, 1, e.ParaCount(), e.ParaLength(e.ParaCount()) + 1, true);
    UpAndDownBlock(e);
    EXPECT_EQ(LogicalParas(e), expected) << "english " << english;
  }
}

TEST(ReadingWords, ReformatJoinsAndBreaksTheLinesAsTheyRead) {
  // Short lines of mixed text ending with the paragraph mark; reformatted
  // to 24 columns, every new line reads in order: the lines' words, read
  // line after line, are the words of the text, and no line is longer.
  const std::vector<std::string> lines = {
      "\xF9\xEC\xE5\xED and some English", "words \xE5\xF2\xE5\xE3 \xEE\xE9\xEC\xE9\xED (12.5%)",
      "the end \xF1\xE5\xF3\x14"};
  std::string joined;
  for (const std::string& l : lines) joined += (joined.empty() ? "" : " ") + l;
  for (const bool english : {false, true}) {
    THebEditorFixture f(200, 10);
    f.editor.SetWordWrap(true);
    f.editor.SetWrapColumn(24);
    LoadLogical(f.editor, english, lines);
    f.editor.MoveCaretToPara(1, 1, false);
    f.editor.ReformatParagraph();
    std::vector<std::string> got = LogicalParas(f.editor);
    std::string rejoined;
    for (std::string& l : got) {
      EXPECT_LE(l.size(), 25u) << l;
      while (!l.empty() && l.back() == ' ') l.pop_back();
      rejoined += (rejoined.empty() ? "" : " ") + l;
    }
    EXPECT_EQ(rejoined, joined) << "english " << english;
    EXPECT_GE(got.size(), 3u);
  }
}

class ReadingWordsOfAVisualForm : public FormatsTest {};

TEST_F(ReadingWordsOfAVisualForm, TheStoredOrderStays) {
  // A Hebrew .NVW line keeps its English reversed, as the system's own
  // forms do; its tools see it as stored.
  const std::string path = WriteTemp("visual.nvw", "\xF9\xEC\xE5\xED dlrow olleh\r\n");
  THebEditorFixture f(200, 10);
  f.editor.SetEngm(false);
  f.editor.LoadFromFile(path);
  ASSERT_FALSE(f.editor.LogicalOrder());
  Words got;
  int32_t para = 1, pos = 0;
  std::string word;
  while (f.editor.GetNextWord(para, pos, word)) got.push_back(word);
  EXPECT_EQ(got, (Words{"\xF9\xEC\xE5\xED", "dlrow", "olleh"}));
  f.editor.SelectRange(1, 1, 1, 17, true);
  UpAndDownBlock(f.editor);
  EXPECT_EQ(std::string(f.editor.GetPara(1).begin(), f.editor.GetPara(1).end()), "\x99\xEC\xE5\xED Dlrow Olleh");
}

}  // namespace
}  // namespace nuvel::test
