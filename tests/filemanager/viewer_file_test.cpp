#include "filemanager/viewer_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "core/exceptions.h"
#include "filemanager/hex_line.h"
#include "filemanager/viewer_lines.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

std::string PageBytes(int pages) {
  std::string bytes;
  for (int p = 0; p < pages; ++p) bytes.append(4096, static_cast<char>('A' + p));
  return bytes;
}

TEST(ViewerFileTest, LeastRecentlyUsedPageGivesWay) {
  test::TempProgramFolder folder;
  folder.WriteFile("f", PageBytes(4));
  TViewerFile file(2);
  file.Open(folder.Path("f").string());
  EXPECT_EQ(file.CachedPages(), (std::vector<int64_t>{-1, -1}));
  // Pages 0, 1, 0, 2: page 1 is the oldest when page 2 comes.
  for (int64_t page : {0, 1, 0, 2}) {
    const auto bytes = file.BytesAt(page * 4096 + 7);
    ASSERT_EQ(bytes.size(), 4096u - 7);
    EXPECT_EQ(bytes[0], 'A' + page);
  }
  auto pages = file.CachedPages();
  std::sort(pages.begin(), pages.end());
  EXPECT_EQ(pages, (std::vector<int64_t>{0, 2}));
}

TEST(ViewerFileTest, ScanOverManyPagesKeepsTheCacheBoundAndReadsAheadInRuns) {
  test::TempProgramFolder folder;
  folder.WriteFile("f", PageBytes(26) + "tail");
  TViewerFile file(16);
  file.Open(folder.Path("f").string());
  for (int64_t pos = 0; pos < file.Size(); pos += 4096) {
    const auto bytes = file.BytesAt(pos);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes[0], pos / 4096 < 26 ? 'A' + pos / 4096 : 't');
  }
  EXPECT_EQ(file.CachedPages().size(), 16u);
  EXPECT_LT(file.ReadCalls(), 27u / 2);
  // Backwards too: every byte still right.
  for (int64_t pos = file.Size() - 1; pos >= 0; pos -= 4096) EXPECT_FALSE(file.BytesAt(pos).empty());
  EXPECT_TRUE(file.BytesAt(file.Size()).empty());
  EXPECT_EQ(file.BytesAt(file.Size() - 4).size(), 4u);
}

TEST(ViewerFileTest, PageCountIsClampedAndShrinkingKeepsTheCurrentPage) {
  test::TempProgramFolder folder;
  folder.WriteFile("f", PageBytes(8));
  TViewerFile file(1);
  EXPECT_EQ(file.PageCount(), 2);
  file.SetPageCount(1000);
  EXPECT_EQ(file.PageCount(), 512);
  file.SetPageCount(8);
  file.Open(folder.Path("f").string());
  for (int64_t page : {3, 5, 1, 6}) file.BytesAt(page * 4096);
  file.SetPageCount(2);
  EXPECT_EQ(file.CachedPages()[0], 6);
  EXPECT_EQ(file.BytesAt(6 * 4096 + 1)[0], 'G');
}

TEST(ViewerFileTest, OnlyRegularFilesOpenAndErrorsHaveTheViewersTexts) {
  test::TempProgramFolder folder;
  TViewerFile file;
  struct Case {
    std::string path;
    std::string text;
  };
  const std::string fifo = folder.Path("pipe").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  folder.WriteFile("plain", "x");
  const std::vector<Case> cases = {
      {folder.Path("missing").string(), "Viewer: file not found"},
      {folder.Path("plain").string() + "/below", "Viewer: path not found or invalid file name"},
      {folder.Folder(), "is a folder"},
      {fifo, "pipe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      file.Open(c.path);
      ADD_FAILURE() << "opened";
    } catch (const EInOutError& e) {
      if (c.text == "is a folder" || c.text == "pipe") {
        EXPECT_NE(std::string(e.what()), "");
      } else {
        EXPECT_EQ(std::string(e.what()), c.text);
      }
    }
    EXPECT_FALSE(file.IsOpen());
  }
  EXPECT_EQ(ViewerErrorText(EMFILE), "Viewer: too many open files");
  EXPECT_EQ(ViewerErrorText(EACCES), "Viewer: file access denied");
  EXPECT_EQ(ViewerErrorText(EIO), "Viewer triggered I/O error 5");
}

// A sparse file beyond 4 GB: positions past 32 bits read, lines past them
// are found, and the page that an old 16-bit empty-slot marker would name
// (page 65535) is read like any other.
TEST(ViewerFileTest, SparseFileBeyondFourGigabytes) {
  test::TempProgramFolder folder;
  const std::string path = folder.Path("big").string();
  const int64_t size = (int64_t{4} << 30) + 8192;
  {
    folder.WriteFile("big", "");
    ASSERT_EQ(::truncate(path.c_str(), size), 0);
    FILE* f = std::fopen(path.c_str(), "r+b");
    ASSERT_NE(f, nullptr);
    const int64_t marks[] = {int64_t{65535} * 4096 + 10, (int64_t{4} << 30) + 7, size - 6};
    for (int64_t at : marks) {
      ASSERT_EQ(::fseeko(f, at, SEEK_SET), 0);
      std::fputs("\nMARK\n", f);
    }
    std::fclose(f);
  }
  TViewerFile file(4);
  file.Open(path);
  EXPECT_EQ(file.Size(), size);
  EXPECT_EQ(file.BytesAt(int64_t{65535} * 4096 + 11)[0], 'M');
  EXPECT_EQ(file.BytesAt((int64_t{4} << 30) + 8)[0], 'M');
  EXPECT_EQ(file.BytesAt(size - 1).size(), 1u);

  TViewerLines lines(file);
  // One scan to the end; the jumps after it start from the sparse index.
  EXPECT_EQ(lines.CheckLine(kUnknownLineCount), 6);
  const TLineAnchor beyond = lines.LineAtOffset((int64_t{4} << 30) + 9);
  EXPECT_EQ(beyond.pos, (int64_t{4} << 30) + 8);
  EXPECT_EQ(beyond.line, 3);
  auto text = lines.TextLine(beyond.line);
  EXPECT_EQ(std::string(text.begin(), text.end()), "MARK");
  EXPECT_EQ(lines.GotoLine(1).pos, int64_t{65535} * 4096 + 11);
  EXPECT_EQ(lines.GotoLine(6).pos, size);
  EXPECT_EQ(HexOffsetDigits(size), 9);
  EXPECT_EQ(FormatHexLine((int64_t{4} << 30) + 16, {}, true, true, 9).substr(0, 9), "100000010");
}

TEST(HexLineTest, Columns) {
  const uint8_t bytes[] = {'A', 0, 9, 200, 31, 'z'};
  struct Case {
    bool expandTabs;
    bool filter;
    const char* chars;
  };
  for (const Case& c : {Case{true, true, "A....z"}, Case{false, true, "A....z"}, Case{true, false, "A..\xC8\x1Fz"},
                        Case{false, false, "A.\t\xC8\x1Fz"}}) {
    const std::string line = FormatHexLine(0x1230, bytes, c.expandTabs, c.filter);
    ASSERT_EQ(line.size(), 75u);
    EXPECT_EQ(line.substr(0, 10), "00001230  ");
    EXPECT_EQ(line.substr(10, 18), "41 00 09 C8 1F 7A ");
    EXPECT_EQ(line.substr(59, 6), c.chars);
    EXPECT_EQ(line.substr(65), std::string(10, ' '));
  }
  EXPECT_EQ(HexLineCount(100), 7);
  EXPECT_EQ(HexLineCount(0), 0);
}

}  // namespace
}  // namespace nuvel
