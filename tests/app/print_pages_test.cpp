#include "app/print_pages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nuvel {
namespace {

// A document of lines given as text.
struct Lines {
  std::vector<std::string> text;
  PrintLineSource Source() const {
    return [this](int32_t n) {
      const std::string& s = text.at(static_cast<size_t>(n - 1));
      return std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    };
  }
};

Lines Numbered(int count) {
  Lines l;
  for (int i = 1; i <= count; ++i) l.text.push_back("L" + std::to_string(i));
  return l;
}

std::string Text(const std::vector<uint8_t>& b) { return std::string(b.begin(), b.end()); }

TEST(PrintPagesTest, LinesPerPage) {
  EXPECT_EQ(LinesPerPage(60), 57);
  EXPECT_EQ(LinesPerPage(4), 1);
  EXPECT_EQ(LinesPerPage(0), 1);
}

TEST(PrintPagesTest, DocumentPagesAndNumbers) {
  const struct {
    int lines;
    int perPage;
    std::vector<size_t> pageSizes;
    std::vector<std::optional<int>> numbers;
  } cases[] = {
      {0, 5, {}, {}},
      {3, 5, {3}, {std::nullopt}},                       // a short page has no number
      {5, 5, {5}, {1}},                                  // exactly one page: numbered, no empty sheet
      {10, 5, {5, 5}, {1, 2}},                           // exact multiple
      {11, 5, {5, 5, 1}, {1, 2, std::nullopt}},
      {3, 1, {1, 1, 1}, {1, 2, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.lines) + " lines, " + std::to_string(c.perPage) + " a page");
    const Lines doc = Numbered(c.lines);
    const auto pages = PaginateDocument(doc.Source(), c.lines, c.perPage, 8);
    ASSERT_EQ(pages.size(), c.pageSizes.size());
    for (size_t i = 0; i < pages.size(); ++i) {
      EXPECT_EQ(pages[i].Lines.size(), c.pageSizes[i]) << "page " << i + 1;
      EXPECT_EQ(pages[i].Number, c.numbers[i]) << "page " << i + 1;
    }
  }
}

TEST(PrintPagesTest, EmptyLinesAtTheEndMakeNoSheet) {
  Lines doc = Numbered(10);
  doc.text.push_back("");
  doc.text.push_back("\x14");
  const auto pages = PaginateDocument(doc.Source(), 12, 5, 8);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[1].Number, 2);
  // An empty line inside the document prints.
  Lines gap{{"a", "", "b", ""}};
  EXPECT_EQ(PaginateDocument(gap.Source(), 4, 5, 8)[0].Lines.size(), 3u);
  Lines blank{{"", ""}};
  EXPECT_TRUE(PaginateDocument(blank.Source(), 2, 5, 8).empty());
}

TEST(PrintPagesTest, DocumentLinesGetABlankAndLoseTheParagraphMark) {
  Lines doc{{"abc\x14", "a\tb", "\x14", "x\x14y"}};
  const auto pages = PaginateDocument(doc.Source(), 4, 57, 4);
  ASSERT_EQ(pages.size(), 1u);
  const auto& l = pages[0].Lines;
  EXPECT_EQ(Text(l[0]), " abc");
  EXPECT_EQ(Text(l[1]), " a   b");  // the tab is expanded in the line, before the blank is put in front
  EXPECT_EQ(Text(l[2]), " ");
  EXPECT_EQ(Text(l[3]), " x\x14y");  // a mark inside the line stays
}

TEST(PrintPagesTest, LongLinesAreCut) {
  Lines doc{{std::string(2000, 'x'), std::string(1020, 'y') + "\t" + "zzzz"}};
  const auto pages = PaginateDocument(doc.Source(), 2, 57, 8);
  EXPECT_EQ(pages[0].Lines[0].size(), kPrintLineMax + 1);
  EXPECT_EQ(pages[0].Lines[1].size(), kPrintLineMax + 1);
  EXPECT_EQ(ExpandPrintLine(pages[0].Lines[1], 8).size(), kPrintLineMax);
}

TEST(PrintPagesTest, SelectionStartsAtItsFirstCharacter) {
  const struct {
    const char* name;
    int firstCol, lastLine, endCol;
    std::vector<std::string> expected;
  } cases[] = {
      {"inside one line", 3, 1, 6, {"  cde"}},
      {"from the line start", 1, 1, 3, {"ab"}},
      {"over two lines", 4, 2, 3, {"   defgh", "12"}},
      {"to the line end with its mark", 2, 3, 5, {" bcdefgh", "12345", "pqr\x14"}},
      {"start column past the line end", 20, 2, 2, {"        ", "1"}},
  };
  const Lines doc{{"abcdefgh", "12345", "pqr\x14", "zz"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto pages = PaginateSelection(doc.Source(), 1, c.firstCol, c.lastLine, c.endCol, 57, 8);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_FALSE(pages[0].Number.has_value());
    std::vector<std::string> got;
    for (const auto& l : pages[0].Lines) got.push_back(Text(l));
    EXPECT_EQ(got, c.expected);
  }
}

TEST(PrintPagesTest, SelectionBlanksTabsByTheirCells) {
  const Lines doc{{"a\tbc"}};
  const auto pages = PaginateSelection(doc.Source(), 1, 3, 1, 5, 57, 4);
  EXPECT_EQ(Text(pages[0].Lines[0]), "    bc");
}

TEST(PrintPagesTest, SelectionPagesBreakAtDocumentLineMultiples) {
  const Lines doc = Numbered(130);
  // From line 40 with 57 lines a page: the first page ends after line 57.
  const auto pages = PaginateSelection(doc.Source(), 40, 1, 120, 100, 57, 8);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0].Lines.size(), 18u);
  EXPECT_EQ(Text(pages[0].Lines.back()), "L57");
  EXPECT_EQ(pages[1].Lines.size(), 57u);
  EXPECT_EQ(Text(pages[2].Lines.front()), "L115");
  EXPECT_EQ(pages[2].Lines.size(), 6u);
  for (const auto& p : pages) EXPECT_FALSE(p.Number.has_value());
  // A selection that ends on a multiple leaves no empty page.
  EXPECT_EQ(PaginateSelection(doc.Source(), 1, 1, 57, 100, 57, 8).size(), 1u);
}

TEST(PrintPagesTest, PageRanges) {
  const Lines doc = Numbered(12);
  const auto all = PaginateDocument(doc.Source(), 12, 5, 8);
  EXPECT_EQ(PageRange(all, 0, 0).size(), 3u);
  const auto middle = PageRange(all, 2, 2);
  ASSERT_EQ(middle.size(), 1u);
  EXPECT_EQ(Text(middle[0].Lines[0]), " L6");
  EXPECT_EQ(middle[0].Number, 2);
  EXPECT_EQ(PageRange(all, 2, 9).size(), 2u);
  EXPECT_TRUE(PageRange(all, 4, 5).empty());
}

}  // namespace
}  // namespace nuvel
