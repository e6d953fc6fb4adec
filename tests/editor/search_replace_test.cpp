#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/hash_escapes.h"
#include "editor/editor_errors.h"
#include "editor/heb_text_editor.h"
#include "editor/search_options.h"
#include "tests/editor/heb_editor_test_support.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using test::Paras;
using test::Load;


struct Sel {
  int32_t p1, pos1, p2, pos2;
  friend bool operator==(const Sel&, const Sel&) = default;
};

Sel SelectionOf(const THebTextEditor& e) {
  return {e.SelBegin().Para, e.SelBegin().Pos, e.SelEnd().Para, e.SelEnd().Pos};
}

std::ostream& operator<<(std::ostream& os, const Sel& s) {
  return os << "(" << s.p1 << "," << s.pos1 << ")-(" << s.p2 << "," << s.pos2 << ")";
}

TEST(HashEscapes, DecodeTable) {
  struct Case {
    std::string in, out;
  };
  const Case cases[] = {
      {"#065", "A"},
      {"x#65y", "xAy"},
      {"#1234", std::string(1, char(123)) + "4"},  // at most three digits
      {"##", "#"},
      {"###065", "#A"},  // a kept "#" is not read again
      {"#x", "#x"},
      {"#", "#"},
      {"a\x0E" "b", "a\rb"},
      {"a\x0F" "b", "ab"},
      {"#321", "A"},  // modulo 256
      {"#035065", "#065"},  // a decoded "#" is not decoded again
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeHashEscapes(c.in), c.out) << c.in;
}

TEST(HashEscapes, BufferFormCutsLongTextsAndEndsAtZero) {
  EXPECT_EQ(DecodeHashEscapesPChar(std::string(300, 'a')), std::string(254, 'a'));
  EXPECT_EQ(DecodeHashEscapesPChar(std::string(255, 'a')), std::string(255, 'a'));
  EXPECT_EQ(DecodeHashEscapesPChar("ab#000cd"), "ab");
}

// One search: a text, a caret or a selection, what is searched with what
// options, and what must follow.
struct SearchCase {
  const char* name;
  std::string text;
  Sel start;  // a selection, or a caret when both ends are equal
  std::string find;
  std::optional<std::string> replace;
  uint16_t options;
  int32_t result;
  std::string after;  // the text afterwards; empty: unchanged
  Sel selection;      // the selection afterwards
  int32_t caretPos;   // the caret's position in its paragraph afterwards
};

class SearchReplaceTable : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SearchReplaceTable, Runs) {
  test::TempProgramFolder folder;
  const SearchCase& c = GetParam();
  test::THebEditorFixture f(60, 5);
  Load(f.editor, c.text);
  f.editor.SelectRange(c.start.p1, c.start.pos1, c.start.p2, c.start.pos2, true);
  const int32_t r = f.editor.SearchReplace(c.find, c.replace, c.options);
  EXPECT_EQ(r, c.result);
  EXPECT_EQ(Paras(f.editor), c.after.empty() ? c.text : c.after);
  EXPECT_EQ(SelectionOf(f.editor), c.selection);
  EXPECT_EQ(f.editor.CaretPos(), c.caretPos);
}

constexpr uint16_t kCase = kSearchMatchCase;
constexpr uint16_t kBack = kSearchBackwards;
constexpr uint16_t kAll = kSearchReplaceAll;

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchReplaceTable,
    ::testing::Values(
        SearchCase{"HashEscapeFindsLetter", "xxAyy", {1, 1, 1, 1}, "#065", {}, kCase, 0, "", {1, 3, 1, 4}, 4},
        SearchCase{"WholeWordSkipsInsideWord", "concat cat", {1, 1, 1, 1}, "cat", {}, kCase | kSearchWholeWord, 0,
                   "", {1, 8, 1, 11}, 11},
        SearchCase{"WordStart", "concat catalog", {1, 1, 1, 1}, "cat", {}, kSearchWordStart, 0, "", {1, 8, 1, 11},
                   11},
        SearchCase{"WordEnd", "catalog concat", {1, 1, 1, 1}, "cat", {}, kSearchWordEnd, 0, "", {1, 12, 1, 15}, 15},
        SearchCase{"BackwardFromEndTakesLast", "abc abc", {1, 8, 1, 8}, "abc", {}, kCase | kBack, 0, "",
                   {1, 5, 1, 8}, 5},
        SearchCase{"BackwardFromMatchTakesEarlier", "abc abc", {1, 5, 1, 5}, "abc", {}, kCase | kBack, 0, "",
                   {1, 1, 1, 4}, 1},
        SearchCase{"ForwardFromCaretSkipsEarlier", "cat cat", {1, 2, 1, 2}, "cat", {}, 0, 0, "", {1, 5, 1, 8}, 8},
        SearchCase{"ForwardDoesNotWrap", "cat x", {1, 3, 1, 3}, "cat", {}, 0, -1, "", {1, 3, 1, 3}, 3},
        SearchCase{"FromStartIgnoresCaret", "cat x", {1, 3, 1, 3}, "cat", {}, kSearchFromStart, 0, "",
                   {1, 1, 1, 4}, 4},
        SearchCase{"BackwardFromEndOfText", "cat|x cat y", {1, 1, 1, 1}, "cat", {}, kBack | kSearchFromStart, 0, "",
                   {2, 3, 2, 6}, 3},
        SearchCase{"AcrossParagraphs", "x|y cat", {1, 1, 1, 1}, "cat", {}, 0, 0, "", {2, 3, 2, 6}, 6},
        SearchCase{"CaseFoldsAscii", "Hello", {1, 1, 1, 1}, "hELLO", {}, 0, 0, "", {1, 1, 1, 6}, 6},
        SearchCase{"MatchCaseRefuses", "Hello", {1, 1, 1, 1}, "hello", {}, kCase, -1, "", {1, 1, 1, 1}, 1},
        // 0xC0 and 0xE0 differ by the Latin-1 case bit: alef must not match.
        SearchCase{"HebrewNeverFolds", "\xE0\xE1", {1, 1, 1, 1}, "\xC0", {}, 0, -1, "", {1, 1, 1, 1}, 1},
        SearchCase{"NoSelectionLeavesCaret", "the cat sat", {1, 1, 1, 1}, "cat", {}, kSearchNoSelection, 0, "",
                   {1, 8, 1, 8}, 8},
        SearchCase{"InSelectionOnly", "cat cat cat", {1, 2, 1, 11}, "cat", {}, kSearchInSelection, 0, "",
                   {1, 5, 1, 8}, 8},
        SearchCase{"InSelectionEndExclusive", "cat cat", {1, 2, 1, 7}, "cat", {}, kSearchInSelection, -1, "",
                   {1, 2, 1, 7}, 7},
        SearchCase{"EmptyTextDoesNothing", "cat", {1, 1, 1, 1}, "", {}, 0, 0, "", {1, 1, 1, 1}, 1},
        SearchCase{"ReplaceModeWithoutReplacement", "cat", {1, 1, 1, 1}, "cat", {}, kSearchReplace, 0, "",
                   {1, 1, 1, 1}, 1},
        SearchCase{"ReplaceSelectionThenSelectNext", "cat cat", {1, 1, 1, 4}, "cat", "dog", kSearchReplace | kCase,
                   1, "dog cat", {1, 5, 1, 8}, 8},
        SearchCase{"ReplaceOneWithoutMatchingSelectionOnlyFinds", "cat cat", {1, 2, 1, 2}, "cat", "dog",
                   kSearchReplace, 0, "", {1, 5, 1, 8}, 8},
        SearchCase{"ReplaceAllGrowingEndsAfterThree", "aaa", {1, 1, 1, 1}, "a", "aa", kAll | kSearchFromStart, 3,
                   "aaaaaa", {1, 1, 1, 1}, 1},
        SearchCase{"ReplaceAllInSelectionKeepsIt", "a a a|a a a|a a a", {2, 1, 2, 6}, "a", "bb",
                   kAll | kSearchInSelection, 3, "a a a|bb bb bb|a a a", {2, 1, 2, 9}, 9},
        SearchCase{"ReplaceAllOverParagraphsWithEscape", "ab|cab|b", {1, 1, 1, 1}, "ab", "#035", kAll, 2,
                   "#|c#|b", {1, 1, 1, 1}, 1},
        SearchCase{"ReplaceAllBackwards", "ab ab ab", {1, 9, 1, 9}, "ab", "x", kAll | kBack, 3, "x x x",
                   {1, 6, 1, 6}, 6},
        // The byte before the next match is the replacement's last one.
        SearchCase{"ReplaceAllSeesItsReplacementBefore", "aaa", {1, 1, 1, 1}, "a", "-",
                   kAll | kSearchWordStart | kSearchFromStart, 3, "---", {1, 1, 1, 1}, 1},
        SearchCase{"ReplaceAllBackwardsSeesItsReplacementAfter", "aaa", {1, 1, 1, 1}, "a", "-",
                   kAll | kSearchWordEnd | kBack | kSearchFromStart, 3, "---", {1, 1, 1, 1}, 1},
        SearchCase{"ReplaceAllByNothingKeepsWordEdges", "xab ab", {1, 1, 1, 1}, "ab", "",
                   kAll | kSearchWholeWord, 1, "xab ", {1, 1, 1, 1}, 1},
        SearchCase{"ReplaceAllNothingFound", "abc", {1, 1, 1, 1}, "x", "y", kAll, -1, "", {1, 1, 1, 1}, 1}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

TEST(SearchReplace, ReplaceAllIsOneUndoStep) {
  test::TempProgramFolder folder;
  test::THebEditorFixture f(60, 5);
  Load(f.editor, "cat cat|dog|cat");
  EXPECT_EQ(f.editor.ReplaceText("cat", "mouse", kAll | kSearchFromStart), 3);
  EXPECT_EQ(Paras(f.editor), "mouse mouse|dog|mouse");
  f.editor.Undo();
  EXPECT_EQ(Paras(f.editor), "cat cat|dog|cat");
  f.editor.Redo();
  EXPECT_EQ(Paras(f.editor), "mouse mouse|dog|mouse");
}

TEST(SearchReplace, ParagraphLimitStopsWithEverythingSoFarKept) {
  test::TempProgramFolder folder;
  test::THebEditorFixture f(60, 5);
  Load(f.editor, "aaaaa|aaaaa");
  f.editor.SetParaLengthLimit(10);
  std::vector<uint16_t> errors;
  f.editor.OnError = [&](TNvcCustomEditor&, uint16_t& code) { errors.push_back(code); };
  EXPECT_EQ(f.editor.ReplaceText("a", "aaa", kAll | kSearchFromStart), kEditorParaTooLong);
  EXPECT_EQ(f.editor.LastSearchError(), kEditorParaTooLong);
  EXPECT_EQ(errors, std::vector<uint16_t>{kEditorParaTooLong});
  // Two replacements fit (5 + 2 + 2); the third would not.
  EXPECT_EQ(Paras(f.editor), "aaaaaaaaa|aaaaa");
  f.editor.Undo();
  EXPECT_EQ(Paras(f.editor), "aaaaa|aaaaa");
}

TEST(SearchReplace, ReadOnlyTextIsSearchedButNotChanged) {
  test::TempProgramFolder folder;
  test::THebEditorFixture f(60, 5);
  Load(f.editor, "cat cat");
  f.editor.SetReadOnly(true);
  EXPECT_EQ(f.editor.ReplaceText("cat", "dog", kAll | kSearchFromStart), 0);
  EXPECT_EQ(Paras(f.editor), "cat cat");
}

TEST(SearchReplace, FindTextFacesAndMacroReplace) {
  test::TempProgramFolder folder;
  test::THebEditorFixture f(60, 5);
  Load(f.editor, "one two one");
  EXPECT_TRUE(f.editor.FindText("", 0));  // an empty text counts as found
  EXPECT_EQ(SelectionOf(f.editor), (Sel{1, 1, 1, 1}));
  EXPECT_TRUE(f.editor.FindText("two", 0));
  EXPECT_FALSE(f.editor.FindText("two", 0));
  EXPECT_TRUE(f.editor.FindText(std::string("one") + std::string(300, 'x'), 0) == false);
  EXPECT_TRUE(f.editor.Replace("one", "1", kSearchReplace | kSearchFromStart));
  EXPECT_EQ(Paras(f.editor), "one two one");  // no selection was on a match: only found
  EXPECT_TRUE(f.editor.Replace("one", "1", kSearchReplace));
  EXPECT_EQ(Paras(f.editor), "1 two one");
  EXPECT_FALSE(f.editor.Replace("zzz", "1", kSearchReplace));
}

TEST(SearchReplace, BackwardTwiceFindsBothWords) {
  test::TempProgramFolder folder;
  test::THebEditorFixture f(60, 5);
  Load(f.editor, "abc abc");
  f.editor.MoveCaretToPara(1, 8, false);
  ASSERT_TRUE(f.editor.FindText("abc", kBack));
  EXPECT_EQ(SelectionOf(f.editor), (Sel{1, 5, 1, 8}));
  ASSERT_TRUE(f.editor.FindText("abc", kBack));
  EXPECT_EQ(SelectionOf(f.editor), (Sel{1, 1, 1, 4}));
  EXPECT_FALSE(f.editor.FindText("abc", kBack));
}

// The naive search the engine must agree with: every start position in
// order, the same ASCII folding and word tests.
std::optional<Sel> NaiveFind(const std::vector<std::string>& paras, int32_t caretPara, int32_t caretPos,
                             const std::string& pat, uint16_t options, const std::string& delimiters) {
  auto fold = [&](char c) {
    if (options & kSearchMatchCase) return c;
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  };
  auto isDelim = [&](char c) { return delimiters.find(c) != std::string::npos; };
  auto accept = [&](const std::string& t, size_t at) {
    for (size_t i = 0; i < pat.size(); ++i)
      if (fold(t[at + i]) != fold(pat[i])) return false;
    if (options & kSearchWholeWord) {
      if (at > 0 && !isDelim(t[at - 1])) return false;
      if (at + pat.size() < t.size() && !isDelim(t[at + pat.size()])) return false;
    }
    return true;
  };
  const auto n = static_cast<int32_t>(pat.size());
  if (options & kSearchBackwards) {
    for (int32_t p = caretPara; p >= 1; --p) {
      const std::string& t = paras[static_cast<size_t>(p - 1)];
      int32_t end = p == caretPara ? caretPos - 1 : static_cast<int32_t>(t.size());
      for (int32_t at = end - n; at >= 0; --at)
        if (accept(t, static_cast<size_t>(at))) return Sel{p, at + 1, p, at + 1 + n};
    }
  } else {
    for (int32_t p = caretPara; p <= static_cast<int32_t>(paras.size()); ++p) {
      const std::string& t = paras[static_cast<size_t>(p - 1)];
      for (int32_t at = p == caretPara ? caretPos - 1 : 0; at + n <= static_cast<int32_t>(t.size()); ++at)
        if (accept(t, static_cast<size_t>(at))) return Sel{p, at + 1, p, at + 1 + n};
    }
  }
  return std::nullopt;
}

TEST(SearchReplace, AgreesWithNaiveSearch) {
  test::TempProgramFolder folder;
  std::mt19937 rng(20261210);
  const std::string alphabet = "abAB \xE0\xC0-";
  auto pick = [&](size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s += alphabet[rng() % alphabet.size()];
    return s;
  };
  test::THebEditorFixture f(200, 5);
  // The naive search reads the stored bytes, as a visual form is searched.
  f.editor.SetLogicalOrder(false);
  for (int round = 0; round < 400; ++round) {
    std::vector<std::string> paras;
    std::string text;
    const size_t count = 1 + rng() % 4;
    for (size_t i = 0; i < count; ++i) {
      std::string p = pick(rng() % 30);
      while (!p.empty() && p.back() == ' ') p.pop_back();  // loading trims trailing blanks
      paras.push_back(p);
      text += (i ? "\r\n" : "") + p;
    }
    f.editor.LoadString(text);
    const std::string pat = pick(1 + rng() % 3);
    if (pat.find_first_not_of(' ') == std::string::npos) continue;
    const uint16_t options = static_cast<uint16_t>((rng() % 2 ? kSearchMatchCase : 0) |
                                                   (rng() % 2 ? kSearchBackwards : 0) |
                                                   (rng() % 3 == 0 ? kSearchWholeWord : 0));
    const auto caretPara = static_cast<int32_t>(1 + rng() % count);
    const auto caretPos =
        static_cast<int32_t>(1 + rng() % (paras[static_cast<size_t>(caretPara - 1)].size() + 1));
    f.editor.MoveCaretToPara(caretPara, caretPos, false);
    const auto expected = NaiveFind(paras, caretPara, caretPos, pat, options, f.editor.WordDelimiters());
    const bool found = f.editor.FindText(pat, options);
    ASSERT_EQ(found, expected.has_value()) << "round " << round << " text " << text << " pat " << pat;
    if (found) {
      ASSERT_EQ(SelectionOf(f.editor), *expected) << "round " << round << " pat " << pat;
    }
  }
}

TEST(FindChoseir, FindsSpellingsWithoutInnerVavAndYod) {
  test::TempProgramFolder folder;
  // shin vav mem vav resh: the inner vavs go one by one, first to last.
  const std::string full = "\xF9\xE5\xEE\xE5\xF8";
  const std::string noFirst = "\xF9\xEE\xE5\xF8";
  const std::string noVav = "\xF9\xEE\xF8";
  const std::string noSecond = "\xF9\xE5\xEE\xF8";  // not one of the forms
  struct Case {
    std::string text;
    bool found;
    Sel selection;
  };
  const Case cases[] = {
      {"x " + noVav + " " + full, true, {1, 3, 1, 6}},
      {full + " " + noFirst, true, {1, 1, 1, 6}},
      {"ab " + noFirst, true, {1, 4, 1, 8}},
      {"ab " + noSecond, false, {1, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    test::THebEditorFixture f(60, 5);
    f.editor.SetEngm(false);  // Hebrew words in a Hebrew document
    Load(f.editor, c.text);
    EXPECT_EQ(f.editor.FindChoseir(full, kCase), c.found) << c.text;
    EXPECT_EQ(SelectionOf(f.editor), c.selection) << c.text;
  }
}

TEST(FindChoseir, YodPassStartsFromTheWordAsGiven) {
  test::TempProgramFolder folder;
  // yod vav-less forms: "a yod b vav c" gives "a b vav c" in the yod pass and
  // "a yod b c" in the vav pass, never "a b c".
  const std::string word = "\xF9\xE9\xEE\xE5\xF8";
  test::THebEditorFixture f(60, 5);
  f.editor.SetEngm(false);
  Load(f.editor, "\xF9\xEE\xF8 \xF9\xEE\xE5\xF8");
  EXPECT_TRUE(f.editor.FindChoseir(word, kCase));
  EXPECT_EQ(SelectionOf(f.editor), (Sel{1, 5, 1, 9}));
}

}  // namespace
}  // namespace nuvel
