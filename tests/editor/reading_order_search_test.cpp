// Find, Replace, Replace All and Go to Character in a document kept in
// logical order work on the text as it reads: the same mixed text, loaded
// into a Hebrew and an English document, gives the counts of `grep -F` and
// the result of `LC_ALL=C sed` on the text in reading order; a match
// selects the smallest stored stretch that holds it; a document of the
// system's visual forms is searched in its stored order.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/border_map.h"
#include "core/border_order.h"
#include "editor/go_to_character.h"
#include "editor/heb_text_editor.h"
#include "editor/para_list.h"
#include "editor/reading_order_search.h"
#include "editor/search_options.h"
#include "editor/undo_buffer.h"
#include "platform/ascii_case.h"
#include "tests/editor/mixed_logical_text.h"
#include "tests/formats/formats_test_support.h"
#include "tests/support/reading_order.h"
#include "tests/support/standard_tools.h"

namespace nuvel::test {
namespace {

std::span<const uint8_t> Bytes(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

std::string Logical(bool english, std::span<const uint8_t> stored) {
  std::string s(stored.begin(), stored.end());
  return Turned(english, s);
}

// Where a match selects: the stored stretch of every occurrence of `find`
// in each paragraph's reading order, left to right, not overlapping.
struct Selection {
  int32_t para;
  int32_t begin;  // 1-based
  int32_t end;
  bool operator==(const Selection&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Selection& s) {
  return os << "para " << s.para << " [" << s.begin << ", " << s.end << ")";
}

std::vector<Selection> ExpectedSelections(const THebTextEditor& e, const std::string& find, bool matchCase) {
  std::vector<Selection> out;
  const std::string key = matchCase ? find : platform::UpperAscii(find);
  for (int32_t p = 1; p <= e.ParaCount(); ++p) {
    std::string text = Logical(e.Engm(), e.GetPara(p));
    const BorderMap map = BorderMap::OfLogical(e.Engm(), Bytes(text));
    if (!matchCase) text = platform::UpperAscii(text);
    for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + key.size())) {
      const auto [first, last] = map.StoredStretch(at, at + key.size());
      out.push_back({p, static_cast<int32_t>(first) + 1, static_cast<int32_t>(last) + 1});
    }
  }
  return out;
}

std::vector<Selection> FindAll(THebTextEditor& e, const std::string& find, uint16_t options) {
  std::vector<Selection> out;
  if ((options & kSearchBackwards) != 0) {
    e.MoveCaretToPara(e.ParaCount(), e.ParaLength(e.ParaCount()) + 1, false);
  } else {
    e.MoveCaretToPara(1, 1, false);
  }
  while (e.FindText(find, options) && out.size() < 100) {
    EXPECT_EQ(e.SelBegin().Para, e.SelEnd().Para);
    out.push_back({e.SelBegin().Para, e.SelBegin().Pos, e.SelEnd().Pos});
  }
  return out;
}

int Lines(const std::vector<Selection>& found) {
  int lines = 0;
  for (size_t i = 0; i < found.size(); ++i) lines += i == 0 || found[i].para != found[i - 1].para;
  return lines;
}

std::string JoinedLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

class ReadingOrderSearch : public FormatsTest {
 protected:
  std::filesystem::path Folder() const { return temp_.Path(""); }
  static std::vector<std::string> Stored(const THebTextEditor& e) {
    std::vector<std::string> out;
    for (int32_t p = 1; p <= e.ParaCount(); ++p) out.emplace_back(e.GetPara(p).begin(), e.GetPara(p).end());
    return out;
  }
};

struct Row {
  const char* name;
  std::string find;
  std::string with;
  bool matchCase;
};

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      {"English word, English replacement", "quick", "slow", true},
      {"English word in any case", "QUICK", "Fast", false},
      {"English word, Hebrew replacement", "quick", Own("מהיר"), true},
      {"number with separators", "1,234.50", "2,000.75", true},
      {"date", "12/05/2024", "1.1.2025", true},
      {"brackets around English", "(quick test)", "[slow run]", true},
      {"brackets around a number", "(2024)", "(5785)", true},
      {"Hebrew with points", Own("שָׁלוֹם"), Own("שָׁלוֹם") + " peace", true},
      {"Hebrew word, English replacement", Own("ירושלים"), "Jerusalem 3", true},
      {"mixed phrase across the scripts", Own("עולם") + " - Hello", "Hi " + Own("שם"), true},
      {"English word and a Hebrew one", "on 12/05/2024, quick", Own("ביום") + " 1", true},
      {"bracket and Hebrew", "[" + Own("שם") + "] {x}", "{x}", true},
  };
  return rows;
}

TEST_F(ReadingOrderSearch, FindAndReplaceAllAgreeWithGrepAndSedInEitherDirection) {
  const std::string file = MixedLogicalFile();
  for (const Row& row : Rows()) {
    const std::string opts = row.matchCase ? "" : "I";
    const std::string sed = "s/" + SedLiteral(row.find, true) + "/" + SedLiteral(row.with, false) + "/g" + opts;
    const int grepLines = GrepCount(Folder(), row.find, file, !row.matchCase);
    const int grepOccurrences = GrepOccurrences(Folder(), row.find, file, !row.matchCase);
    ASSERT_GT(grepLines, 0) << row.name << ": the row finds nothing";
    const std::string sedResult = SedOutput(Folder(), sed, file);
    for (const bool english : {false, true}) {
      SCOPED_TRACE(std::string(row.name) + (english ? ", English document" : ", Hebrew document"));
      THebTextEditor e;
      LoadLogical(e, english, MixedLogicalLines());
      ASSERT_TRUE(e.LogicalOrder());
      const uint16_t exact = row.matchCase ? kSearchMatchCase : 0;

      const std::vector<Selection> expected = ExpectedSelections(e, row.find, row.matchCase);
      const std::vector<Selection> forwards = FindAll(e, row.find, exact);
      EXPECT_EQ(Lines(forwards), grepLines);
      EXPECT_EQ(static_cast<int>(forwards.size()), grepOccurrences);
      EXPECT_EQ(forwards, expected) << "each match selects its smallest stored stretch, in reading order";
      std::vector<Selection> backwards = FindAll(e, row.find, exact | kSearchBackwards);
      std::reverse(backwards.begin(), backwards.end());
      EXPECT_EQ(backwards, expected);

      const std::vector<std::string> before = Stored(e);
      e.MoveCaretToPara(3, 2, false);  // Replace All takes the whole text wherever the caret is
      const int32_t count = e.ReplaceText(row.find, row.with, kSearchReplaceAll | kSearchFromStart | exact);
      EXPECT_EQ(count, grepOccurrences);
      EXPECT_EQ(JoinedLines(LogicalParas(e)), sedResult);
      // Paragraphs without a match keep their bytes; the whole run is one
      // undo step.
      const std::vector<std::string> after = Stored(e);
      for (size_t i = 0; i < before.size(); ++i) {
        const bool holds = std::any_of(expected.begin(), expected.end(),
                                       [&](const Selection& s) { return s.para == static_cast<int32_t>(i) + 1; });
        if (!holds) {
          EXPECT_EQ(after[i], before[i]) << "paragraph " << i + 1;
        }
      }
      e.Undo();
      EXPECT_EQ(Stored(e), before);
    }
  }
}

TEST_F(ReadingOrderSearch, ReplaceOneByOneGivesSedsResult) {
  // Replace replaces the match the last search selected and goes on to the
  // next, forwards as sed does and backwards too.
  const std::string file = MixedLogicalFile();
  for (const Row& row : Rows()) {
    const std::string sed = "s/" + SedLiteral(row.find, true) + "/" + SedLiteral(row.with, false) + "/g" +
                            (row.matchCase ? "" : "I");
    const std::string sedResult = SedOutput(Folder(), sed, file);
    for (const bool english : {false, true}) {
      for (const bool up : {false, true}) {
        SCOPED_TRACE(std::string(row.name) + (english ? ", English document" : ", Hebrew document") +
                     (up ? ", up" : ", down"));
        THebTextEditor e;
        LoadLogical(e, english, MixedLogicalLines());
        if (up) {
          e.MoveCaretToPara(e.ParaCount(), 1, false);
        } else {
          e.MoveCaretToPara(1, 1, false);
        }
        const uint16_t options = kSearchReplace | (row.matchCase ? kSearchMatchCase : 0) | (up ? kSearchBackwards : 0);
        int replaced = 0;
        for (int step = 0; step < 100; ++step) {
          const int32_t r = e.ReplaceText(row.find, row.with, options);
          if (r < 0) break;
          replaced += r;
        }
        EXPECT_EQ(replaced, GrepOccurrences(Folder(), row.find, file, !row.matchCase));
        EXPECT_EQ(JoinedLines(LogicalParas(e)), sedResult);
      }
    }
  }
}

TEST_F(ReadingOrderSearch, ReplaceAllInASelectionKeepsToIt) {
  // Lines 2 to 4 selected from the start of the second: the first line's
  // and the last's matches stay.
  const std::vector<std::string> lines = {"quick one", Own("שלום") + " quick, quick", "quick " + Own("עולם"),
                                          "quick end"};
  for (const bool english : {false, true}) {
    SCOPED_TRACE(english ? "English document" : "Hebrew document");
    THebTextEditor e;
    LoadLogical(e, english, lines);
    e.SelectRange(2, 1, 4, 1, true);
    EXPECT_EQ(e.ReplaceText("quick", "slow", kSearchReplaceAll | kSearchInSelection | kSearchMatchCase), 3);
    EXPECT_EQ(LogicalParas(e), (std::vector<std::string>{"quick one", Own("שלום") + " slow, slow",
                                                         "slow " + Own("עולם"), "quick end"}));
  }
}

TEST_F(ReadingOrderSearch, AReplacementChangesOnlyTheStoredBytesBetweenTheFirstAndLastChanged) {
  // A long Hebrew paragraph with one English phrase: the undo record holds
  // the replaced word, not the paragraph.
  std::string line;
  for (int i = 0; i < 20; ++i) line += Own("מילה ארוכה ");
  line += "the quick brown fox ";
  for (int i = 0; i < 20; ++i) line += Own("עוד מילים ");
  for (const bool english : {false, true}) {
    SCOPED_TRACE(english ? "English document" : "Hebrew document");
    THebTextEditor e;
    LoadLogical(e, english, {line});
    ASSERT_EQ(e.ReplaceText("quick", "slow", kSearchReplaceAll | kSearchFromStart | kSearchMatchCase), 1);
    TUndoRecord record;
    ASSERT_TRUE(e.ParaList().UndoBuffer().PeekUndo(record));
    EXPECT_LE(record.OldBytes().size(), 5u);
    EXPECT_LE(record.NewBytes().size(), 4u);
  }
}

TEST_F(ReadingOrderSearch, WholeWordsAreToldByTheLettersBesideTheMatchAsItReads) {
  // "quick" as a word: not in "quickly", whose letters after it stand before
  // it in a Hebrew document's storage.
  for (const bool english : {false, true}) {
    SCOPED_TRACE(english ? "English document" : "Hebrew document");
    THebTextEditor e;
    LoadLogical(e, english, {Own("שלום") + " quickly quick " + Own("עולם")});
    EXPECT_EQ(e.ReplaceText("quick", "slow", kSearchReplaceAll | kSearchFromStart | kSearchWholeWord), 1);
    EXPECT_EQ(LogicalParas(e), std::vector<std::string>{Own("שלום") + " quickly slow " + Own("עולם")});
  }
}

TEST_F(ReadingOrderSearch, AVisualFormIsSearchedInItsStoredOrder) {
  SetConvMode(0);
  const std::string path = WriteTemp("visual.nvw", "\xF9\xEC\xE5\xED kciuq\r\n");
  THebTextEditor e;
  e.SetEngm(false);
  e.LoadFromFile(path);
  ASSERT_FALSE(e.LogicalOrder());
  EXPECT_FALSE(e.FindText("quick", kSearchFromStart));
  EXPECT_TRUE(e.FindText("kciuq", kSearchFromStart));
  EXPECT_EQ(e.ReplaceText("kciuq", "wols", kSearchReplaceAll | kSearchFromStart), 1);
  EXPECT_EQ(std::string(e.GetPara(1).begin(), e.GetPara(1).end()), "\xF9\xEC\xE5\xED wols");
}

TEST_F(ReadingOrderSearch, GoToCharacterGoesOnInReadingOrder) {
  struct Case {
    std::string line;
    uint8_t ch;
  };
  const Case cases[] = {
      {"abc cab " + Own("שלום") + " c", 'c'},
      {Own("שלום") + " (abc) " + Own("עולם") + " (12)", '('},
      {Own("אבג") + " 12 " + Own("גבא") + " 21", '1'},
      {Own("ירושלים") + " and " + Own("יפו"), static_cast<uint8_t>(Own("י")[0])},
  };
  for (const Case& c : cases) {
    for (const bool english : {false, true}) {
      SCOPED_TRACE(Logical(english, Bytes(c.line)) + (english ? ", English document" : ", Hebrew document"));
      THebTextEditor e;
      LoadLogical(e, english, {"", c.line});
      const std::string logical = c.line;
      std::vector<uint8_t> storedBytes;
      const BorderMap map = BorderMap::OfLogical(english, Bytes(logical), &storedBytes);
      std::vector<int32_t> expected;
      for (size_t l = 0; l < logical.size(); ++l)
        if (static_cast<uint8_t>(logical[l]) == c.ch) expected.push_back(static_cast<int32_t>(map.StoredOf(l)) + 1);
      std::vector<int32_t> visited;
      e.MoveCaretToPara(1, 1, false);
      while (GoToCharacter(e, c.ch) && visited.size() < 20) {
        EXPECT_EQ(e.CaretPara(), 2);
        visited.push_back(e.CaretPos());
      }
      EXPECT_EQ(visited, expected);
    }
  }
}

TEST(StoredPrefilter, NeverPassesOverAParagraphThatHoldsThePatternAsItReads) {
  // Random mixed lines, and patterns cut from them at random.
  const std::vector<std::string> pieces = {
      "abc", "Hello", "Quick", Own("שלום"), Own("אב"), "12", "1,234.50", "2024/05/12", " ", ", ", "(", ")", "[", "]",
      "-", ".", ":", "\"", "%", Own("שָׁלוֹם"), "\x85\xE0", "q", Own("י"), "{x}"};
  std::mt19937 random(43);
  for (int i = 0; i < 20000; ++i) {
    std::string line;
    for (int n = 1 + static_cast<int>(random() % 10); n > 0; --n) line += pieces[random() % pieces.size()];
    const size_t from = random() % line.size();
    const std::string pattern = line.substr(from, 1 + random() % (line.size() - from));
    const bool matchCase = random() % 2 == 0;
    const TStoredPrefilter filter(matchCase ? pattern : platform::UpperAscii(pattern), matchCase);
    for (const bool english : {false, true}) {
      const std::string stored = Turned(english, line);
      ASSERT_TRUE(filter.MayHold(Bytes(stored))) << "line " << line << " pattern " << pattern << " english " << english;
    }
  }
  // It does pass over paragraphs without the pattern's longest run.
  const TStoredPrefilter quick("quick" + Own("שלום"), true);
  EXPECT_FALSE(quick.MayHold(Bytes(Turned(false, Own("שלום") + " quack"))));
  EXPECT_TRUE(quick.MayHold(Bytes(Turned(false, Own("שלום") + " quick"))));
}

TEST(CellsInReadingOrder, GiveTheSelectedTextAsItReads) {
  struct Case {
    std::string line;  // in reading order
    std::string word;  // a stretch of it
  };
  const Case cases[] = {
      {Own("שלום") + " quick brown " + Own("עולם"), "quick"},
      {Own("שלום") + " quick brown " + Own("עולם"), "quick brown"},
      {"the " + Own("ירושלים") + " road", Own("ירושלים")},
      {Own("מחיר") + " (1,234.50) " + Own("שקל"), "(1,234.50)"},
      {Own("שלום") + " Hello", Own("שלום") + " Hello"},
  };
  for (const Case& c : cases) {
    for (const bool english : {false, true}) {
      SCOPED_TRACE(Logical(english, Bytes(c.line)) + (english ? ", English document" : ", Hebrew document"));
      std::vector<uint8_t> stored;
      const BorderMap map = BorderMap::OfLogical(english, Bytes(c.line), &stored);
      const size_t at = c.line.find(c.word);
      const auto [first, last] = map.StoredStretch(at, at + c.word.size());
      const std::vector<uint8_t> whole = CellsInReadingOrder(english, stored, 0, stored.size());
      EXPECT_EQ(std::string(whole.begin(), whole.end()), c.line);
      const std::vector<uint8_t> word = CellsInReadingOrder(english, stored, first, last);
      // The stretch may hold more where the word crosses a run's edge.
      EXPECT_NE(std::string(word.begin(), word.end()).find(c.word), std::string::npos);
      if (last - first == c.word.size()) {
        EXPECT_EQ(std::string(word.begin(), word.end()), c.word);
      }
    }
  }
}

TEST(StoredChange, IsTheStretchBetweenTheFirstAndLastChangedByte) {
  struct Case {
    std::string before, after;
    size_t first, last;
    std::string fresh;
  };
  const Case cases[] = {
      {"abcdef", "abcdef", 6, 6, ""},
      {"abcdef", "abXdef", 2, 3, "X"},
      {"abcdef", "abXYZdef", 2, 3, "XYZ"},
      {"abcdef", "adef", 1, 3, ""},
      {"abcdef", "Xbcdef", 0, 1, "X"},
      {"abcdef", "abcdeX", 5, 6, "X"},
      {"aaa", "aaaa", 3, 3, "a"},
      {"", "xy", 0, 0, "xy"},
      {"fed kciuq cba", "fed wols cba", 4, 9, "wols"},
  };
  for (const Case& c : cases) {
    const TStoredChange change = StoredChange(Bytes(c.before), Bytes(c.after));
    EXPECT_EQ(change.first, c.first) << c.before << " -> " << c.after;
    EXPECT_EQ(change.last, c.last) << c.before << " -> " << c.after;
    EXPECT_EQ(std::string(change.fresh.begin(), change.fresh.end()), c.fresh) << c.before << " -> " << c.after;
  }
}

}  // namespace
}  // namespace nuvel::test
