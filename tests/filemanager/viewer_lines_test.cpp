#include "filemanager/viewer_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// Line starts as the rules give them: CR LF, lone CR and lone LF end a line.
std::vector<int64_t> NaiveStarts(const std::string& bytes) {
  std::vector<int64_t> starts{0};
  if (bytes.empty()) return starts;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
      starts.push_back(static_cast<int64_t>(i) + 1);
  }
  return starts;
}

class ViewerLinesTest : public ::testing::Test {
 protected:
  void Open(const std::string& bytes, int pages = 16) {
    folder_.WriteFile("view.txt", bytes);
    file_.SetPageCount(pages);
    file_.Open(folder_.Path("view.txt").string());
    lines_.Reset();
  }
  std::string Text(int64_t line) {
    auto s = lines_.TextLine(line);
    return {s.begin(), s.end()};
  }

  test::TempProgramFolder folder_;
  TViewerFile file_;
  TViewerLines lines_{file_};
};

TEST_F(ViewerLinesTest, LineEndsOfEveryKindSplitLines) {
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases = {
      {"crlf", "one\r\ntwo\r\nthree", {"one", "two", "three"}},
      {"lone lf", "one\ntwo\nthree", {"one", "two", "three"}},
      {"lone cr", "one\rtwo\rthree", {"one", "two", "three"}},
      {"mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"lf cr is two breaks", "a\n\rb", {"a", "", "b"}},
      {"trailing break gives an empty last line", "a\n", {"a", ""}},
      {"empty lines", "\n\r\n\r", {"", "", "", ""}},
      {"nul shown as blank", std::string("a\0b", 3), {"a b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open(c.bytes);
    EXPECT_EQ(lines_.CheckLine(1000), static_cast<int64_t>(c.lines.size()) - 1);
    EXPECT_EQ(lines_.LineCount(), static_cast<int64_t>(c.lines.size()));
    for (size_t i = 0; i < c.lines.size(); ++i) EXPECT_EQ(Text(static_cast<int64_t>(i)), c.lines[i]) << i;
  }
}

TEST_F(ViewerLinesTest, EmptyFileHasNoLines) {
  Open("");
  EXPECT_EQ(lines_.LineCount(), 0);
  EXPECT_EQ(lines_.CheckLine(5), 0);
  EXPECT_TRUE(lines_.TextLine(0).empty());
}

TEST_F(ViewerLinesTest, CountIsUnknownUntilAScanReachesTheEnd) {
  Open("a\nb\nc\n");
  EXPECT_EQ(lines_.LineCount(), kUnknownLineCount);
  EXPECT_EQ(lines_.CheckLine(1), 1);
  EXPECT_EQ(lines_.LineCount(), kUnknownLineCount);
  EXPECT_EQ(lines_.CheckLine(99), 3);
  EXPECT_EQ(lines_.LineCount(), 4);
}

TEST_F(ViewerLinesTest, OverLongLineShowsItsFirstPartAndTheNextLineFollowsItsBreak) {
  const std::string longLine(2000, 'x');
  Open(longLine + "\r\nnext\n" + std::string(5000, 'y'));
  EXPECT_EQ(Text(0), std::string(1023, 'x'));
  EXPECT_EQ(Text(1), "next");
  EXPECT_EQ(Text(2), std::string(1023, 'y'));
  EXPECT_EQ(lines_.CheckLine(9), 2);
}

// Breaks placed on both sides of page and block borders, read in every
// order, agree with the plain split.
TEST_F(ViewerLinesTest, BreaksAtPageAndBlockBordersAgreeWithThePlainSplit) {
  for (int64_t border : {int64_t{256}, int64_t{4096}, int64_t{8192}}) {
    for (const char* brk : {"\r\n", "\r", "\n"}) {
      for (int64_t shift = -2; shift <= 1; ++shift) {
        std::string bytes(static_cast<size_t>(border + 600), 'a');
        const std::string b = brk;
        bytes.replace(static_cast<size_t>(border + shift), b.size(), b);
        bytes.replace(100, 1, "\n");
        SCOPED_TRACE(std::to_string(border) + " " + std::to_string(shift) + " " + std::to_string(b.size()));
        Open(bytes, 2);
        const auto starts = NaiveStarts(bytes);
        EXPECT_EQ(lines_.CheckLine(1 << 20), static_cast<int64_t>(starts.size()) - 1);
        for (int64_t line = static_cast<int64_t>(starts.size()) - 1; line >= 0; --line)
          EXPECT_EQ(lines_.GotoLine(line).pos, starts[static_cast<size_t>(line)]);
      }
    }
  }
}

// Random files of short lines with every kind of break: random jumps to
// lines and to byte offsets, forwards and backwards, match the plain split.
TEST_F(ViewerLinesTest, RandomJumpsMatchThePlainSplit) {
  std::mt19937 rng(27);
  const char* const breaks[] = {"\n", "\r\n", "\r", "\n\n", "\r\r\n"};
  for (int round = 0; round < 4; ++round) {
    std::string bytes;
    const size_t size = 20000 + 30000 * static_cast<size_t>(round);
    while (bytes.size() < size) {
      bytes.append(std::uniform_int_distribution<size_t>(0, round == 3 ? 3 : 90)(rng), 'w');
      bytes += breaks[std::uniform_int_distribution<int>(0, 4)(rng)];
    }
    const auto starts = NaiveStarts(bytes);
    const auto last = static_cast<int64_t>(starts.size()) - 1;
    Open(bytes, round % 2 == 0 ? 2 : 16);
    for (int jump = 0; jump < 300; ++jump) {
      const int64_t line = std::uniform_int_distribution<int64_t>(0, last + 3)(rng);
      const TLineAnchor a = lines_.GotoLine(line);
      ASSERT_EQ(a.line, std::min(line, last)) << "round " << round;
      ASSERT_EQ(a.pos, starts[static_cast<size_t>(a.line)]) << "line " << line;
      const int64_t offset = std::uniform_int_distribution<int64_t>(0, static_cast<int64_t>(bytes.size()) - 1)(rng);
      const TLineAnchor o = lines_.LineAtOffset(offset);
      const auto want = std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin() - 1;
      ASSERT_EQ(o.line, want) << "offset " << offset;
      ASSERT_EQ(o.pos, starts[static_cast<size_t>(want)]);
    }
    EXPECT_EQ(lines_.CheckLine(last + 10), last);
  }
}

TEST_F(ViewerLinesTest, ShortJumpStartsFromTheNearestKnownPoint) {
  std::string bytes;
  for (int i = 0; i < 3000; ++i) bytes += "line " + std::to_string(i) + "\n";
  Open(bytes);
  lines_.GotoLine(1000);
  lines_.GotoLine(10);
  EXPECT_EQ(lines_.LastStart().line, 0);
  lines_.GotoLine(1005);
  EXPECT_EQ(lines_.LastStart().line, 1000);
  EXPECT_EQ(Text(1005), "line 1005");
}

TEST_F(ViewerLinesTest, SparseIndexStaysBoundedAndServesJumps) {
  std::string bytes;
  for (int i = 0; bytes.size() < 3'000'000; ++i) bytes += "row " + std::to_string(i) + "\n";
  Open(bytes);
  const int64_t last = lines_.CheckLine(kUnknownLineCount);
  const TLineIndex& index = lines_.Index();
  EXPECT_LE(index.Size(), index.MaxEntries());
  EXPECT_GT(index.Size(), 10u);
  lines_.GotoLine(0);
  const TLineAnchor a = lines_.GotoLine(last / 2);
  // The jump started from a checkpoint close before the line.
  EXPECT_LE(a.pos - lines_.LastStart().pos, 2 * index.Spacing());
  EXPECT_EQ(Text(last / 2), "row " + std::to_string(last / 2));
}

TEST(LineIndexTest, HalvesWhenFullAndKeepsOrder) {
  TLineIndex index(4, 10);
  for (int64_t i = 1; i <= 100; ++i) index.Add({i, i * 10});
  EXPECT_LE(index.Size(), 4u);
  EXPECT_GE(index.Spacing(), 40);
  TLineAnchor prev{-1, -1};
  for (int64_t line : {0, 5, 33, 60, 99}) {
    const TLineAnchor a = index.AtOrBeforeLine(line);
    EXPECT_LE(a.line, line);
    EXPECT_EQ(a.pos, a.line * 10);
    EXPECT_GE(a.line, prev.line);
    prev = a;
  }
  EXPECT_EQ(index.AtOrBeforePos(5).line, 0);
}

}  // namespace
}  // namespace nuvel
