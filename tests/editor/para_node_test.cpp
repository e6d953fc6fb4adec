#include "editor/para_node.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/wrap_routines.h"

namespace nuvel {
namespace {

std::span<const uint8_t> B(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}
std::string Str(std::span<const uint8_t> s) { return std::string(s.begin(), s.end()); }
std::vector<uint32_t> Starts(const TParaNode& node) {
  auto s = node.LineStarts();
  return {s.begin(), s.end()};
}
std::vector<uint32_t> FreshWrap(const TParaNode& node, int32_t w, uint32_t t) {
  TParaNode fresh;
  fresh.Create(node.Bytes(), w, t);
  return Starts(fresh);
}

TEST(WrapRoutines, BreakRule) {
  struct Case {
    std::string rest;
    uint32_t n;
    uint32_t expected;
  } cases[] = {
      {"abcd", 4, 4},          // the rest fits
      {"abc  def", 3, 5},      // blanks just past the limit stay on the line
      {"abc-def", 4, 4},       // break after the hyphen
      {"ab- \tcd", 3, 5},      // blanks after a hyphen stay on the line
      {"abcdefgh", 4, 4},      // no break byte: hard break
      {"ab\xCE" "cdef", 4, 4}, // the maqaf is no break byte
      {"a\tbcdef", 4, 2},      // a tab breaks like a blank
  };
  for (const auto& c : cases) EXPECT_EQ(FindBreak(B(c.rest), c.n), c.expected) << c.rest;
}

TEST(WrapRoutines, ColumnsAndWords) {
  EXPECT_EQ(ExpandedWidth(B("a\tb"), 8), 9u);
  EXPECT_EQ(ExpandedWidth(B("\t\t"), 4), 8u);
  EXPECT_EQ(OffsetForColumn(B("\tabcdef"), 10, 8), 3u);  // the tab and two letters reach column 10
  EXPECT_EQ(OffsetForColumn(B("abc"), 10, 8), 4u);        // ends first: length plus 1
  EXPECT_EQ(WordStartBefore(B("one two three"), 10), 8u);
  EXPECT_EQ(WordStartBefore(B("onetwothree"), 6), 6u);
  EXPECT_EQ(FindLineEnd(B("ab\ncd")), 3u);
  EXPECT_EQ(FindLineEnd(B("abcd")), 4u);
  const uint32_t starts[] = {0, 5, 9};
  EXPECT_EQ(LineIndexOf(starts, 1), 1u);
  EXPECT_EQ(LineIndexOf(starts, 6), 2u);
  EXPECT_EQ(LineIndexOf(starts, 10), 3u);
  EXPECT_EQ(LineIndexOf(starts, 100), 3u);
  uint8_t buffer[8] = {'a', 'b', 0};
  EXPECT_EQ(PadBlanks(buffer, 2, 5), 5u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer)), "ab   ");
  EXPECT_EQ(PadBlanks(buffer, 5, 20), 8u);  // never past the buffer
}

TEST(ParaNode, WrapLayouts) {
  struct Case {
    std::string text;
    int32_t w;
    uint32_t t;
    std::vector<uint32_t> starts;
  } cases[] = {
      {"abcd   efgh", 4, 8, {0, 7}},           // a full line followed by blanks
      {"abc-def", 4, 8, {0, 4}},              // hyphen break
      {"abcdefghij", 4, 8, {0, 4, 8}},        // hard cuts
      {"\tab cdefghijklm", 10, 8, {0, 4, 14}},  // a tab and two letters fill 10 columns
      {"\tabcdef", 10, 8, {0, 1}},              // a leading tab breaks like a blank
      {"ab cd   ", 3, 8, {0, 3}},             // trailing blanks give no empty line
      {"abcdefgh", 0, 8, {0}},                // no wrapping
      {"abcdefgh", kNoWrapColumn, 8, {0}},
      {"", 4, 8, {0}},
  };
  for (const auto& c : cases) {
    TParaNode node;
    node.Create(B(c.text), c.w, c.t);
    EXPECT_EQ(Starts(node), c.starts) << c.text << " at " << c.w;
  }
}

TEST(ParaNode, CreateCopiesUpToZeroAndRecordsWhatItCopied) {
  TParaNode node;
  const std::string text("abc\0def", 7);
  node.Create(B(text), 80, 8);
  EXPECT_EQ(node.Length(), 3u);
  EXPECT_EQ(Str(node.Bytes()), "abc");
  EXPECT_EQ(node.Capacity(), 8u);
  TParaNode empty;
  empty.Create({}, 80, 8);
  EXPECT_EQ(empty.Capacity(), 0u);
  EXPECT_EQ(empty.Length(), 0u);
  EXPECT_EQ(empty.LineCount(), 1u);
  EXPECT_EQ(empty.GetText()[0], 0);
  uint32_t first = 0, last = 0;
  EXPECT_EQ(empty.InsertText(B("x"), 1, 80, 8, first, last), 0);
  EXPECT_EQ(empty.Capacity(), 16u);
}

// Edits whose literal incremental re-wrap goes wrong; each must end equal to
// a full wrap of the new text.
TEST(ParaNode, RewrapEqualsFullWrapInTrickyCases) {
  uint32_t first = 0, last = 0;
  TParaNode a;
  a.Create(B("baba"), 3, 8);
  ASSERT_EQ(a.InsertText(B("ba-"), 3, 3, 8, first, last), 0);
  EXPECT_EQ(Starts(a), (std::vector<uint32_t>{0, 3, 5}));

  TParaNode b;
  b.Create(B("a-b -aaa"), 3, 8);
  b.DeleteText(4, 2, 3, 8, first, last);
  EXPECT_EQ(Starts(b), (std::vector<uint32_t>{0, 2, 5}));

  TParaNode c;
  c.Create(B(" aba"), 3, 8);
  ASSERT_EQ(c.ReplaceText(1, 2, B("-aa"), 3, 8, first, last), 0);
  EXPECT_EQ(Starts(c), (std::vector<uint32_t>{0, 1, 4}));
}

TEST(ParaNode, InsertPastEndPadsWithBlanks) {
  TParaNode node;
  node.Create(B("abcde"), 80, 8);
  uint32_t first = 0, last = 0;
  ASSERT_EQ(node.InsertText(B("XY"), 10, 80, 8, first, last), 0);
  EXPECT_EQ(Str(node.Bytes()), "abcde    XY");
  EXPECT_EQ(node.Length(), 11u);
}

TEST(ParaNode, TypingInALongParagraphTouchesFewLines) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "word" + std::to_string(i) + " ";
  TParaNode node;
  node.Create(B(text), 20, 8);
  const auto before = Starts(node);
  uint32_t first = 0, last = 0;
  node.DeleteText(before[1] + 2, 1, 20, 8, first, last);  // a byte of line 2
  EXPECT_EQ(Starts(node), FreshWrap(node, 20, 8));
  EXPECT_LE(first, 2u);
  EXPECT_LE(last, 4u);
  // Far lines moved back by one byte as a whole.
  EXPECT_EQ(node.LineStarts().back(), before.back() - 1);
}

TEST(ParaNode, BytesOfItsOwnTextCanBeInserted) {
  TParaNode node;
  node.Create(B("abcdefg"), 80, 8);  // a full buffer: inserting moves it
  uint32_t first = 0, last = 0;
  ASSERT_EQ(node.InsertText(node.Bytes().subspan(1, 3), 1, 80, 8, first, last), 0);
  EXPECT_EQ(Str(node.Bytes()), "bcdabcdefg");
  ASSERT_EQ(node.ReplaceText(1, 2, node.Bytes().subspan(4, 6), 80, 8, first, last), 0);
  EXPECT_EQ(Str(node.Bytes()), "bcdefgdabcdefg");
}

TEST(ParaNode, OverwriteLeavesLaterStartsAlone) {
  TParaNode node;
  node.Create(B("one two three four five six seven"), 10, 8);
  const auto before = Starts(node);
  uint32_t first = 0, last = 0;
  ASSERT_EQ(node.ReplaceText(2, 2, B("NE"), 10, 8, first, last), 0);
  EXPECT_EQ(Str(node.Bytes()), "oNE two three four five six seven");
  EXPECT_EQ(Starts(node), before);
  EXPECT_EQ(first, 1u);
  EXPECT_EQ(last, 1u);
}

TEST(ParaNode, LinesAndPositions) {
  TParaNode node;
  node.Create(B("abc def ghi"), 4, 8);
  ASSERT_EQ(node.LineCount(), 3u);
  EXPECT_EQ(Str(node.GetLine(2)), "def ");
  EXPECT_EQ(Str(node.GetLine(3)), "ghi");
  EXPECT_TRUE(node.GetLine(4).empty());
  EXPECT_TRUE(node.GetLine(0).empty());
  struct Case {
    uint32_t pos, line, column;
  } cases[] = {{1, 1, 1}, {4, 1, 4}, {5, 2, 1}, {9, 3, 1}, {12, 3, 4}, {40, 3, 32}};
  for (const auto& c : cases) {
    uint32_t column = 0;
    EXPECT_EQ(node.PosToLine(c.pos, column), c.line) << c.pos;
    EXPECT_EQ(column, c.column) << c.pos;
  }
  EXPECT_EQ(node.CountBlanksBefore(8), 1u);
  EXPECT_EQ(node.CountBlanksBefore(7), 0u);
}

TEST(ParaNode, StripTrailingBlanksKeepsTheTableValid) {
  TParaNode node;
  node.Create(B("abc def \t  "), 4, 8);
  EXPECT_EQ(node.StripTrailingBlanks(), 4u);
  EXPECT_EQ(Str(node.Bytes()), "abc def");
  EXPECT_EQ(Starts(node), FreshWrap(node, 4, 8));
}

bool gRefuse = false;
bool RefuseWhenAsked(std::size_t) { return !gRefuse; }

TEST(ParaNode, FailedGrowthReports263AndChangesNothing) {
  TParaNode node;
  node.Create(B("abcdefg"), 4, 8);  // capacity 8: full
  SetParaAllocHook(&RefuseWhenAsked);
  gRefuse = true;
  uint32_t first = 0, last = 0;
  EXPECT_EQ(node.InsertText(B("xyz"), 2, 4, 8, first, last), kNodeOutOfMemory);
  EXPECT_EQ(node.ReplaceText(2, 1, B("xyz"), 4, 8, first, last), kNodeOutOfMemory);
  EXPECT_EQ(Str(node.Bytes()), "abcdefg");
  EXPECT_EQ(Starts(node), (std::vector<uint32_t>{0, 4}));
  EXPECT_THROW(TParaNode().Create(B("abc"), 4, 8), std::bad_alloc);
  gRefuse = false;
  SetParaAllocHook(nullptr);
}

TEST(ParaNode, SizesAbove16BitsWork) {
  std::string text(70000, 'a');
  for (size_t i = 50; i < text.size(); i += 50) text[i] = ' ';
  TParaNode node;
  node.Create(B(text), 79, 8);
  EXPECT_EQ(node.Length(), 70000u);
  EXPECT_GT(node.Capacity(), 70000u);
  uint32_t first = 0, last = 0;
  ASSERT_EQ(node.InsertText(B("xyz "), 69990, 79, 8, first, last), 0);
  EXPECT_EQ(node.Length(), 70004u);
  EXPECT_EQ(Starts(node), FreshWrap(node, 79, 8));
}

// Thousands of seeded random edits on paragraphs with blanks, tabs, hyphens
// and long words; after each the line table equals a full wrap.
TEST(ParaNode, RandomEditsAlwaysMatchAFullWrap) {
  const std::string alphabet = "aaaaabbbcc  \t--\xE0\xE1\xCE";
  for (uint32_t seed = 1; seed <= 2000; ++seed) {
    std::mt19937 rng(seed);
    const int32_t w = static_cast<int32_t>(1 + rng() % 24);
    const uint32_t t = 1 + rng() % 8;
    auto randomText = [&](uint32_t n) {
      std::string s;
      for (uint32_t i = 0; i < n; ++i) {
        if (rng() % 10 == 0) s += std::string(1 + rng() % 30, 'x');  // a long word
        s += alphabet[rng() % alphabet.size()];
      }
      return s;
    };
    TParaNode node;
    node.Create(B(randomText(rng() % 60)), w, t);
    std::string model(reinterpret_cast<const char*>(node.GetText()), node.Length());
    for (int step = 0; step < 40; ++step) {
      uint32_t first = 0, last = 0;
      const uint32_t len = node.Length();
      const uint32_t p = 1 + rng() % (len + 3);
      switch (rng() % 3) {
        case 0: {
          const std::string s = randomText(rng() % 6);
          ASSERT_EQ(node.InsertText(B(s), p, w, t, first, last), 0);
          if (p - 1 > model.size()) model.resize(p - 1, ' ');
          model.insert(p - 1, s);
          break;
        }
        case 1: {
          const uint32_t n = rng() % 8;
          node.DeleteText(p, n, w, t, first, last);
          if (p - 1 < model.size()) model.erase(p - 1, n);
          break;
        }
        default: {
          const std::string s = randomText(rng() % 5);
          const uint32_t m = rng() % 5;
          ASSERT_EQ(node.ReplaceText(p, m, B(s), w, t, first, last), 0);
          if (p - 1 > model.size()) model.resize(p - 1, ' ');
          model.replace(p - 1, m, s);
          break;
        }
      }
      ASSERT_EQ(Str(node.Bytes()), model) << "seed " << seed << " step " << step;
      ASSERT_EQ(Starts(node), FreshWrap(node, w, t)) << "seed " << seed << " step " << step;
      ASSERT_GE(first, 1u);
      ASSERT_LE(first, last);
      ASSERT_LE(last, node.LineCount());
    }
  }
}

}  // namespace
}  // namespace nuvel
