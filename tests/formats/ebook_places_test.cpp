#include "formats/ebook_places.h"

#include <gtest/gtest.h>

#include "formats/ebook_tag_scan.h"

namespace nuvel {
namespace {

// Paragraphs "abc", "", "hello" as the editor holds them: "abc\r\n\r\nhello".
const std::vector<int32_t> kLengths = {3, 0, 5};
const ParaLengthOf kLength = [](int32_t p) { return kLengths[static_cast<std::size_t>(p - 1)]; };
constexpr int32_t kParas = 3;

TEST(EbookPlaces, OffsetsAndPlacesCountEveryLineEndAsTwo) {
  struct Case {
    int64_t offset;
    TTextPlace place;
  } cases[] = {
      {0, {1, 1}}, {2, {1, 3}}, {3, {1, 4}},  // end of "abc"
      {5, {2, 1}},                            // the empty paragraph
      {7, {3, 1}}, {11, {3, 5}}, {12, {3, 6}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceOfOffset(kLength, kParas, c.offset), c.place) << c.offset;
    EXPECT_EQ(OffsetOfPlace(kLength, kParas, c.place), c.offset) << c.offset;
  }
}

TEST(EbookPlaces, OffsetsOutsideTheTextStayInIt) {
  struct Case {
    int64_t offset;
    TTextPlace place;
  } cases[] = {
      {-4, {1, 1}},
      {4, {1, 4}},    // between CR and LF
      {6, {2, 1}},    // between the empty paragraph's CR and LF
      {13, {3, 6}},   // past the end
      {999, {3, 6}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlaceOfOffset(kLength, kParas, c.offset), c.place) << c.offset;
  EXPECT_EQ(OffsetOfPlace(kLength, kParas, {1, 40}), 3) << "a column past the paragraph is its end";
  EXPECT_EQ(OffsetOfPlace(kLength, kParas, {9, 1}), 12) << "a paragraph past the text is the end";
  EXPECT_EQ(PlaceOfOffset(kLength, 0, 5), (TTextPlace{1, 1}));
}

TEST(EbookPlaces, PlaceBookmarksInAnyOrderMatchesOneByOne) {
  std::vector<TBookmark> marks(6);
  const int64_t positions[] = {12, 0, 7, 4, 5, 9};
  for (std::size_t i = 0; i < marks.size(); ++i) marks[i].Position = positions[i];
  PlaceBookmarks(kLength, kParas, marks);
  for (const TBookmark& b : marks) {
    EXPECT_EQ((TTextPlace{b.Line, b.Col}), PlaceOfOffset(kLength, kParas, b.Position)) << b.Position;
  }
}

std::string Scan(std::string text, std::vector<TBookmark>& marks) {
  marks = ScanBookmarkTags(text);
  return text;
}

TEST(EbookTagScan, TagsBecomeBookmarks) {
  struct Expected {
    std::string name;
    int64_t position;
  };
  struct Case {
    const char* what;
    std::string text;
    std::string result;
    std::vector<Expected> marks;
  } cases[] = {
      {"chapter titles",
       "#Chapter One: The long beginning\r\ntext\r\nmore #Two\r\n<#>",
       "Chapter One: The long beginning\r\ntext\r\nmore Two\r\n<#>",
       {{"Chapter One: The", 0}, {"Two", 31 + 2 + 4 + 2 + 5}}},
      {"only the first tag of a line, tag line trimmed, trailing empty lines",
       "a ## b ## c\r\n<##>  \r\n\r\n",
       "a  b ## c\r\n<##>  \r\n\r\n",
       {{" b ## c", 2}}},
      {"LF line ends still count as two", "x\n@y\n<@>\n", "x\ny\n<@>\n", {{"y", 3}}},
      {"no tag line", "#One\r\n#Two", "#One\r\n#Two", {}},
      {"empty tag", "<>x\r\n<>", "<>x\r\n<>", {}},
      {"a tag after the tag line is not looked at", "<z>\r\nz1", "<z>\r\nz1", {}},
      {"empty text", "", "", {}},
  };
  for (const Case& c : cases) {
    std::vector<TBookmark> marks;
    EXPECT_EQ(Scan(c.text, marks), c.result) << c.what;
    ASSERT_EQ(marks.size(), c.marks.size()) << c.what;
    for (std::size_t i = 0; i < marks.size(); ++i) {
      EXPECT_EQ(marks[i].Name, c.marks[i].name) << c.what;
      EXPECT_EQ(marks[i].Position, c.marks[i].position) << c.what;
      EXPECT_EQ(marks[i].Line, -1);
    }
  }
}

}  // namespace
}  // namespace nuvel

#include "formats/ebook_names.h"

namespace nuvel {
namespace {

TEST(EbookNames, PalmNamesAndTitles) {
  struct Case {
    const char* name;
    bool pdb;
    const char* pdbName;
    const char* title;
  } cases[] = {
      {"/d/book.pdb", true, "/d/book.pdb", "book"},
      {"/d/Book.PRC", true, "/d/Book.pdb", "Book.PRC"},
      {"/d/x.PdB", true, "/d/x.pdb", "x"},
      {"/d/notes.txt", false, "/d/notes.pdb", "notes.txt"},
      {"/d.pdb/readme", false, "/d.pdb/readme.pdb", "readme"},
      {"/d/.pdb", false, "/d/.pdb.pdb", ".pdb"},
      {"/d/a.pdbx", false, "/d/a.pdb", "a.pdbx"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsPdbFileName(c.name), c.pdb) << c.name;
    EXPECT_EQ(PdbNameOf(c.name), c.pdbName) << c.name;
    EXPECT_EQ(EbookTitleOf(c.name), c.title) << c.name;
  }
}

}  // namespace
}  // namespace nuvel
