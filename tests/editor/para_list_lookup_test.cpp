#include <gtest/gtest.h>

#include <random>

#include "editor/para_list.h"
#include "tests/editor/para_list_test_support.h"

namespace nuvel {
namespace {

using test::B;
using test::Fill;
using test::Paras;
using Strings = std::vector<std::string>;

TEST(ParaList, ColumnsWithPointsAndTabs) {
  TNvcParaList list(nullptr, false, 8192);
  const std::string pointed = "\xE0\xC8\xE1";     // a letter, its point, a letter
  const std::string run = "\xE0\xC8\xCC\xE1";    // a letter, two points, a letter
  const std::string leading = "\xC8\xCC" "ab";    // points before any letter
  const std::string trailing = "ab\xC8\xCC";      // points after the last letter
  constexpr TPointSide kAfter = TPointSide::AfterLetter;
  constexpr TPointSide kBefore = TPointSide::BeforeLetter;
  struct Case {
    std::string line;
    uint32_t pos, column;
    TPointSide side = kBefore;
  } cases[] = {
      {"abc", 0, 1},       {"abc", 1, 1},       {"abc", 3, 3},      {"abc", 5, 5},
      {"", 4, 4},          {pointed, 2, 2},     {pointed, 3, 2},    {pointed, 4, 3},
      {"\tab", 2, 9},      {"\tab", 3, 10},     {"\tab", 5, 12},    {"a\tb", 3, 9},
      {run, 4, 2},         {run, 5, 3},         {run, 4, 2, kAfter},
      // A Hebrew line's leading run is one cell; an English line's belongs
      // to the letter after it.
      {leading, 2, 2, kAfter},  {leading, 3, 2, kAfter},  {leading, 4, 3, kAfter},
      {leading, 2, 1, kBefore}, {leading, 3, 1, kBefore}, {leading, 4, 2, kBefore},
      // An English line's trailing run is one cell; a Hebrew line's belongs
      // to the letter before it.
      {trailing, 3, 3, kBefore}, {trailing, 4, 3, kBefore}, {trailing, 5, 4, kBefore},
      {trailing, 4, 3, kAfter},  {trailing, 5, 3, kAfter},
      {"\xE0\xC8\xCC\tb", 5, 7},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(list.ColumnOfPos(B(c.line), c.pos, c.side), c.column) << c.line << " pos " << c.pos;
  }
  struct Back {
    std::string line;
    uint32_t column, pos;
    TPointSide side = kBefore;
  } backs[] = {
      {"abc", 1, 1}, {"abc", 2, 2},  {pointed, 2, 3}, {"\tab", 5, 1}, {"\tab", 9, 2},
      {"\tab", 10, 3}, {"\tab", 11, 4}, {"\tab", 13, 6}, {"", 7, 7},
      {run, 2, 4}, {run, 3, 5}, {run, 5, 7},
      {leading, 2, 3, kAfter}, {leading, 3, 4, kAfter}, {leading, 2, 4, kBefore},
      {trailing, 3, 4, kBefore}, {trailing, 4, 5, kBefore}, {trailing, 3, 5, kAfter},
      {"a\xC8", 2, 3, kAfter},  // past the points at the end: after them
  };
  for (const auto& c : backs) {
    EXPECT_EQ(list.PosOfColumn(B(c.line), c.column, c.side), c.pos) << c.line << " column " << c.column;
  }
}

TEST(ParaList, LineLookupsWithAndWithoutWrap) {
  TNvcParaList list(nullptr, true, 8192);
  list.SetWrapColumn(4);
  Fill(list, {"abc def ghi", "", "jk"});
  EXPECT_EQ(list.LineCount(), 5u);
  struct Case {
    uint32_t line;
    std::string text;
    uint32_t para, offset;
  } cases[] = {{1, "abc ", 1, 0}, {3, "ghi", 1, 8}, {4, "", 2, 0}, {5, "jk", 3, 0}, {2, "def ", 1, 4}};
  for (const auto& c : cases) {
    std::span<const uint8_t> text;
    ASSERT_NE(list.GetLineText(c.line, text), nullptr);
    EXPECT_EQ(std::string(text.begin(), text.end()), c.text);
    uint32_t offset = 99;
    EXPECT_EQ(list.LineToPara(c.line, offset), c.para);
    EXPECT_EQ(offset, c.offset);
    EXPECT_EQ(list.LineLength(c.line), c.text.size());
  }
  std::span<const uint8_t> text;
  EXPECT_EQ(list.GetLineText(6, text), nullptr);
  EXPECT_TRUE(text.empty());
  uint32_t column = 0;
  EXPECT_EQ(list.LineOf(1, 10, column), 3u);
  EXPECT_EQ(column, 2u);
  EXPECT_EQ(list.LineOf(9, 1, column), 5u);  // clamped to the last paragraph
  list.SetWordWrap(false);
  EXPECT_EQ(list.LineCount(), 3u);
  ASSERT_NE(list.GetLineText(1, text), nullptr);
  EXPECT_EQ(text.size(), 11u);
  uint32_t offset = 5;
  EXPECT_EQ(list.LineToPara(3, offset), 3u);
  EXPECT_EQ(offset, 0u);
}

// A plain model of the text: paragraphs in a vector, lines by a full wrap.
struct TModel {
  Strings paras{""};
  int32_t wrap = 0;
  std::vector<std::pair<uint32_t, std::string>> Lines() const {
    std::vector<std::pair<uint32_t, std::string>> out;
    for (uint32_t i = 0; i < paras.size(); ++i) {
      TParaNode node;
      node.Create(B(paras[i]), wrap, 8);
      for (uint32_t l = 1; l <= node.LineCount(); ++l) {
        auto s = node.GetLine(l);
        out.emplace_back(i + 1, std::string(s.begin(), s.end()));
      }
    }
    return out;
  }
};

std::string gLastEdit;  // the last random edit, shown when a check fails

void RandomEdit(std::mt19937& rng, TNvcParaList& list, TModel& m) {
  const std::string alphabet = "abcdefg  -\t\xE0\xE9";
  auto text = [&](uint32_t max) {
    std::string s;
    const uint32_t n = rng() % (max + 1);
    for (uint32_t i = 0; i < n; ++i) s += alphabet[rng() % alphabet.size()];
    return s;
  };
  const auto count = static_cast<uint32_t>(m.paras.size());
  const uint32_t para = 1 + rng() % count;
  std::string& p = m.paras[para - 1];
  const uint32_t pos = 1 + rng() % (static_cast<uint32_t>(p.size()) + 3);
  const uint32_t op = rng() % 9;
  gLastEdit = "op " + std::to_string(op) + " para " + std::to_string(para) + " pos " + std::to_string(pos);
  switch (op) {
    case 0: {
      const std::string s = text(12);
      ASSERT_EQ(list.InsertText(nullptr, para, B(s), pos), 0);
      if (!s.empty() || pos - 1 > p.size()) {
        if (pos - 1 > p.size()) p.resize(pos - 1, ' ');
        p.insert(pos - 1, s);
      }
      break;
    }
    case 1: {
      const uint32_t n = rng() % 6;
      list.DeleteText(nullptr, para, pos, n);
      if (pos - 1 < p.size()) p.erase(pos - 1, n);
      break;
    }
    case 2: {
      const std::string s = text(5);
      const uint32_t old = rng() % 5;
      ASSERT_EQ(list.ReplaceText(nullptr, para, B(s), old, pos), 0);
      if (pos - 1 < p.size()) {
        p.replace(pos - 1, old, s);
      } else if (!s.empty()) {
        p.resize(pos - 1, ' ');
        p += s;
      }
      break;
    }
    case 3: {
      uint32_t indent = 0;
      ASSERT_EQ(list.SplitPara(nullptr, para, false, indent, 8, pos), 0);
      const size_t at = std::min<size_t>(pos - 1, p.size());
      const std::string tail = p.substr(at);
      p.resize(at);
      m.paras.insert(m.paras.begin() + para, tail);
      break;
    }
    case 4:
      if (para < count) {
        const uint32_t at = static_cast<uint32_t>(p.size()) + 1;
        ASSERT_EQ(list.JoinParas(nullptr, para, at), 0);
        p += m.paras[para];
        m.paras.erase(m.paras.begin() + para);
      }
      break;
    case 5:
      list.DeletePara(nullptr, para);
      if (count > 1) m.paras.erase(m.paras.begin() + (para - 1));
      break;
    case 6: {
      const std::string s = text(20);
      if (rng() % 2) {
        ASSERT_EQ(list.InsertParaBefore(nullptr, para, B(s)), 0);
        m.paras.insert(m.paras.begin() + (para - 1), s);
      } else {
        ASSERT_EQ(list.InsertParaAfter(nullptr, para, B(s)), 0);
        m.paras.insert(m.paras.begin() + para, s);
      }
      break;
    }
    case 7: {
      std::string s = text(6) + (rng() % 2 ? "\r\n" : "\n") + text(6);
      if (rng() % 2) s += "\n";
      uint32_t at = para, where = std::min<uint32_t>(pos, static_cast<uint32_t>(p.size()) + 1);
      gLastEdit += " lines [" + s + "] into [" + p + "]";
      const uint32_t start = where;
      ASSERT_EQ(list.InsertLines(nullptr, at, B(s), where), 0);
      where = start;
      // Model: pieces split after LF, line ends stripped; a split inside the
      // text trims the blanks before the split point, while a piece at
      // the start of a paragraph becomes a paragraph of its own as it is.
      std::string before = p.substr(0, where - 1), after = p.substr(where - 1);
      Strings pieces;
      std::string cur;
      bool ended = false;
      for (char ch : s) {
        if (ch == '\n') {
          while (!cur.empty() && (cur.back() == '\r')) cur.pop_back();
          pieces.push_back(cur);
          cur.clear();
          ended = true;
        } else {
          cur += ch;
          ended = false;
        }
      }
      Strings out;
      std::string line = before;
      for (size_t i = 0; i < pieces.size(); ++i) {
        line += pieces[i];
        if (i == 0 && where > 1 && !after.empty()) {
          while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
        }
        out.push_back(line);
        line.clear();
      }
      line += (ended ? std::string() : cur) + after;
      out.push_back(line);
      m.paras.erase(m.paras.begin() + (para - 1));
      m.paras.insert(m.paras.begin() + (para - 1), out.begin(), out.end());
      break;
    }
    default: {
      if (count < 2) break;
      const uint32_t para2 = para + rng() % (count - para + 1);
      if (para2 == para) break;
      const uint32_t pos1 = 1 + rng() % (static_cast<uint32_t>(p.size()) + 1);
      const uint32_t pos2 = 1 + rng() % (static_cast<uint32_t>(m.paras[para2 - 1].size()) + 1);
      ASSERT_EQ(list.DeleteRange(nullptr, para, pos1, para2, pos2), 0);
      if (pos1 == 1 && pos2 == 1) {
        m.paras.erase(m.paras.begin() + (para - 1), m.paras.begin() + (para2 - 1));
      } else {
        const std::string joined = p.substr(0, pos1 - 1) + m.paras[para2 - 1].substr(pos2 - 1);
        m.paras.erase(m.paras.begin() + para, m.paras.begin() + para2);
        m.paras[para - 1] = joined;
      }
      break;
    }
  }
}

void ExpectMatches(TNvcParaList& list, const TModel& m, std::mt19937& rng) {
  ASSERT_EQ(Paras(list), m.paras);
  int64_t bytes = 0;
  for (const auto& p : m.paras) bytes += static_cast<int64_t>(p.size()) + 2;
  ASSERT_EQ(list.ByteCount(), bytes - 2);
  ASSERT_EQ(list.ParaCount(), m.paras.size());
  const auto lines = m.Lines();
  ASSERT_EQ(list.LineCount(), lines.size());
  // Runs of neighbouring lines (the cache) and jumps (the index).
  uint32_t line = 1 + rng() % static_cast<uint32_t>(lines.size());
  const auto paraCount = static_cast<uint32_t>(m.paras.size());
  uint32_t para = 1 + rng() % paraCount;
  for (int k = 0; k < 12; ++k) {
    if (k % 4 == 0) line = 1 + rng() % static_cast<uint32_t>(lines.size());
    else line = std::clamp<uint32_t>(rng() % 2 ? line + 1 : line - 1, 1, static_cast<uint32_t>(lines.size()));
    std::span<const uint8_t> text;
    ASSERT_NE(list.GetLineText(line, text), nullptr);
    ASSERT_EQ(std::string(text.begin(), text.end()), lines[line - 1].second) << "line " << line;
    uint32_t offset = 0;
    ASSERT_EQ(list.LineToPara(line, offset), lines[line - 1].first);
    // Paragraphs too by runs of neighbours (the cache) and jumps.
    if (k % 3 == 0) para = 1 + rng() % paraCount;
    else para = std::clamp<uint32_t>(rng() % 2 ? para + 1 : para - 1, 1, paraCount);
    TParaNode* node = list.GetParaNode(para);
    ASSERT_NE(node, nullptr);
    ASSERT_EQ(std::string(node->Bytes().begin(), node->Bytes().end()), m.paras[para - 1]);
    uint32_t column = 0;
    const uint32_t first = list.LineOf(para, 1, column);
    ASSERT_EQ(lines[first - 1].first, para);
    ASSERT_TRUE(first == 1 || lines[first - 2].first == para - 1);
  }
  EXPECT_EQ(list.GetParaNode(static_cast<uint32_t>(m.paras.size()) + 1), nullptr);
}

// Jumps to lines of a text left unchanged long enough for the index to
// answer them from its table of every line's paragraph, among paragraphs of
// one line, of none and of hundreds, each followed by steps to the
// neighbouring lines from where the jump left the list; then an edit, after
// which the table is stale, and the same again.
TEST(ParaList, LineJumpsOnAnUnchangedTextMatchAModel) {
  TModel m;
  m.wrap = 20;
  std::mt19937 rng(12);
  m.paras.clear();
  for (int p = 0; p < 3000; ++p) {
    const uint32_t words = p % 500 == 7 ? 1500 : p % 4 == 0 ? 0 : 1 + rng() % 6;
    std::string s;
    for (uint32_t w = 0; w < words; ++w) s += (w ? " " : "") + std::string(1 + rng() % 8, static_cast<char>('a' + w % 26));
    m.paras.push_back(s);
  }
  TNvcParaList list(nullptr, true, 65535);
  list.SetWrapColumn(m.wrap);
  Fill(list, m.paras);
  for (int round = 0; round < 2; ++round) {
    const auto lines = m.Lines();
    ASSERT_EQ(list.LineCount(), lines.size());
    const auto count = static_cast<uint32_t>(lines.size());
    for (int n = 0; n < 2000; ++n) {
      const uint32_t jump = 1 + rng() % count;
      for (uint32_t line : {jump, jump + 1, jump, jump - 1}) {
        if (line < 1 || line > count) continue;
        std::span<const uint8_t> text;
        ASSERT_NE(list.GetLineText(line, text), nullptr);
        ASSERT_EQ(std::string(text.begin(), text.end()), lines[line - 1].second) << "line " << line;
        uint32_t offset = 0;
        ASSERT_EQ(list.LineToPara(line, offset), lines[line - 1].first) << "line " << line;
      }
    }
    // Typing into a long paragraph changes its lines and those after it.
    ASSERT_EQ(list.InsertText(nullptr, 8, B("xx yy zz "), 1), 0);
    m.paras[7].insert(0, "xx yy zz ");
  }
}

TEST(ParaList, TotalsAndLookupsMatchAModelAfterRandomEdits) {
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    std::mt19937 rng(seed);
    TModel m;
    m.wrap = seed % 3 == 0 ? kNoWrapColumn : static_cast<int32_t>(3 + rng() % 12);
    TNvcParaList list(nullptr, m.wrap != kNoWrapColumn, seed % 2 ? 8192 : 0);
    if (m.wrap != kNoWrapColumn) list.SetWrapColumn(m.wrap);
    for (int step = 0; step < 600; ++step) {
      RandomEdit(rng, list, m);
      ASSERT_FALSE(HasFatalFailure()) << "seed " << seed << " step " << step << " " << gLastEdit;
      ExpectMatches(list, m, rng);
      ASSERT_FALSE(HasFatalFailure()) << "seed " << seed << " step " << step << " " << gLastEdit;
    }
    list.UndoBuffer().Clear();
    EXPECT_EQ(list.Nodes().LiveCount(), list.ParaCount()) << "seed " << seed;
  }
}

// Random edits, each its own group, then everything undone and redone: each
// undo step lands on an earlier state, and the ends are the first and last
// texts. Nodes are never lost or freed twice on the way.
TEST(ParaList, UndoAllAndRedoAllAfterRandomEdits) {
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    std::mt19937 rng(seed * 7919);
    TModel m;
    m.wrap = static_cast<int32_t>(4 + rng() % 10);
    TNvcParaList list(nullptr, true, 60000);
    list.SetWrapColumn(m.wrap);
    Fill(list, {"one two three", "four five", "six"});
    m.paras = Paras(list);
    std::vector<Strings> states{m.paras};
    for (int step = 0; step < 250; ++step) {
      RandomEdit(rng, list, m);
      ASSERT_FALSE(HasFatalFailure());
      if (states.back() != m.paras) states.push_back(m.paras);
    }
    ASSERT_EQ(Paras(list), states.back());
    size_t at = states.size() - 1;
    TParaPos caret;
    while (list.CanUndo()) {
      ASSERT_EQ(list.Undo(nullptr, caret), 0);
      const Strings now = Paras(list);
      size_t k = at;
      while (k > 0 && states[k] != now) --k;
      ASSERT_EQ(states[k], now) << "seed " << seed << ": undo landed on no earlier state";
      at = k;
    }
    EXPECT_EQ(Paras(list), states.front()) << "seed " << seed;
    EXPECT_FALSE(list.Modified());
    while (list.CanRedo()) ASSERT_EQ(list.Redo(nullptr, caret), 0);
    EXPECT_EQ(Paras(list), states.back()) << "seed " << seed;
    int64_t bytes = -2;
    for (const auto& p : states.back()) bytes += static_cast<int64_t>(p.size()) + 2;
    EXPECT_EQ(list.ByteCount(), bytes);
    m.paras = states.back();
    EXPECT_EQ(list.LineCount(), m.Lines().size());
    list.UndoBuffer().Clear();
    EXPECT_EQ(list.Nodes().LiveCount(), list.ParaCount());
  }
}

}  // namespace
}  // namespace nuvel
