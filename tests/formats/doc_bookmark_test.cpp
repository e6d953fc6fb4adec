#include "formats/doc_bookmark.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

std::vector<TBookmark> At(std::initializer_list<int64_t> file_positions) {
  std::vector<TBookmark> v;
  for (int64_t p : file_positions) {
    TBookmark b;
    b.FilePosition = p;
    b.Position = -7;  // overwritten
    v.push_back(b);
  }
  return v;
}

TEST(DocLineEnds, ReadingMakesCrLfAndMovesBookmarks) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<int64_t> file_positions;
    std::string expected;
    std::vector<int64_t> positions;
  };
  const Case cases[] = {
      {"letter, LF, letter", "a\nb", {2}, "a\r\nb", {3}},
      {"bookmark on the line feed stays", "a\nb", {1}, "a\r\nb", {1}},
      {"existing CR LF stays", "a\r\nb", {3}, "a\r\nb", {3}},
      {"lone CR gets a LF", "a\rb", {1, 2}, "a\r\nb", {1, 3}},
      {"several line ends", "\n\nx\n", {0, 1, 2, 3, 4, 99}, "\r\n\r\nx\r\n", {0, 2, 4, 5, 7, 102}},
      {"bookmarks out of order", "1\n2\n3", {4, 0, 2}, "1\r\n2\r\n3", {6, 0, 3}},
      {"empty text", "", {0}, "", {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<TBookmark> marks;
    for (int64_t p : c.file_positions) marks.push_back(At({p})[0]);
    EXPECT_EQ(DocTextToCrLf(c.text, marks), c.expected);
    for (std::size_t i = 0; i < marks.size(); ++i) {
      EXPECT_EQ(marks[i].Position, c.positions[i]) << i;
      EXPECT_EQ(marks[i].FilePosition, c.file_positions[i]) << i;
    }
  }
}

TEST(DocLineEnds, SavingMakesLfAndMovesBookmarksBack) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<int64_t> positions;
    std::string expected;
    std::vector<int64_t> file_positions;
  };
  const Case cases[] = {
      {"letter, CR LF, letter", "a\r\nb", {3}, "a\nb", {2}},
      {"bookmark on the CR stays", "a\r\nb", {1}, "a\nb", {1}},
      {"lone CR becomes LF, keeping the line", "a\rb", {2}, "a\nb", {2}},
      {"lone LF stays", "a\nb", {2}, "a\nb", {2}},
      {"several", "\r\n\r\nx\r\n", {0, 2, 4, 5, 7}, "\n\nx\n", {0, 1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<TBookmark> marks;
    for (int64_t p : c.positions) {
      TBookmark b;
      b.Position = p;
      marks.push_back(b);
    }
    EXPECT_EQ(DocTextToLf(c.text, marks), c.expected);
    for (std::size_t i = 0; i < marks.size(); ++i) EXPECT_EQ(marks[i].FilePosition, c.file_positions[i]) << i;
  }
}

}  // namespace
}  // namespace nuvel
