// The order of the file list and the texts of its columns.
#include "filemanager/file_sort.h"

#include <gtest/gtest.h>

#include <ctime>

namespace nuvel {
namespace {

std::vector<std::string> Names(const std::vector<FileEntry>& files) {
  std::vector<std::string> out;
  for (const auto& f : files) out.push_back(f.name);
  return out;
}

FileEntry File(std::string name, uint64_t size, int64_t seconds = 0) {
  FileEntry e;
  e.name = std::move(name);
  e.size = size;
  e.modifiedNs = seconds * 1'000'000'000;
  return e;
}

TEST(FileSort, EveryColumnBothWays) {
  constexpr uint64_t GiB = uint64_t{1} << 30;
  const std::vector<FileEntry> files = {
      File("b.TXT", 10, 2000), File("A.txt", 9, 1000), File("a.txt", 5 * GiB, 3000), File("c", 4 * GiB + 1, 1500),
      File("d.rtf", 4 * GiB, 1000),
  };
  const struct {
    SortOrder order;
    std::vector<std::string> expected;
  } cases[] = {
      {{kColName, true}, {"A.txt", "a.txt", "b.TXT", "c", "d.rtf"}},
      {{kColName, false}, {"d.rtf", "c", "b.TXT", "a.txt", "A.txt"}},
      // Sizes as 64-bit numbers: 4 GiB does not wrap to 0, "9" before "10".
      {{kColSize, true}, {"A.txt", "b.TXT", "d.rtf", "c", "a.txt"}},
      {{kColSize, false}, {"a.txt", "c", "d.rtf", "b.TXT", "A.txt"}},
      // Types without regard to case; no extension first; ties by name.
      {{kColType, true}, {"c", "d.rtf", "A.txt", "a.txt", "b.TXT"}},
      // Dates as timestamps; equal times by name.
      {{kColModified, true}, {"A.txt", "d.rtf", "c", "b.TXT", "a.txt"}},
      {{kColModified, false}, {"a.txt", "b.TXT", "c", "d.rtf", "A.txt"}},
  };
  for (const auto& c : cases) {
    auto sorted = files;
    SortFiles(sorted, c.order);
    EXPECT_EQ(Names(sorted), c.expected) << "column " << c.order.column << (c.order.forward ? " up" : " down");
  }
}

TEST(FileSort, DatesCompareBelowTheSecondAndBeforeNineteenSeventy) {
  FileEntry early = File("early", 0), late = File("late", 0), old = File("old", 0);
  early.modifiedNs = 1'000'000'000'000'000'001;
  late.modifiedNs = 1'000'000'000'000'000'002;
  old.modifiedNs = -5;
  std::vector<FileEntry> files = {late, early, old};
  SortFiles(files, {kColModified, true});
  EXPECT_EQ(Names(files), (std::vector<std::string>{"old", "early", "late"}));
}

TEST(FileSort, HeaderClicks) {
  SortOrder o;
  EXPECT_EQ(o.column, kColSize);
  EXPECT_TRUE(o.forward);
  o.Click(kColSize);
  EXPECT_FALSE(o.forward);  // the same column turns the direction
  o.Click(kColName);
  EXPECT_EQ(o.column, kColName);
  EXPECT_TRUE(o.forward);  // another column sorts ascending
  o.Click(kColName);
  o.Click(kColName);
  EXPECT_TRUE(o.forward);
}

TEST(FileColumns, Texts) {
  const struct {
    const char* name;
    const char* type;
  } types[] = {{"notes.txt", "txt"}, {"file.backup", "backu"}, {"noext", ""}, {".profile", ""},
               {"a.tar.GZ", "GZ"},   {"trailing.", ""}};
  for (const auto& t : types) EXPECT_EQ(FileTypeText(t.name), t.type) << t.name;

  EXPECT_EQ(AttrText(0), "    ");
  EXPECT_EQ(AttrText(faReadOnly), "R   ");
  EXPECT_EQ(AttrText(faReadOnly | faHidden | faArchive), "RH A");
  EXPECT_EQ(SizeText(uint64_t{5} << 32), "21474836480");

  std::tm noon{};
  noon.tm_year = 2023 - 1900;
  noon.tm_mon = 2;
  noon.tm_mday = 7;
  noon.tm_hour = 14;
  noon.tm_min = 5;
  noon.tm_isdst = -1;
  const int64_t noonNs = static_cast<int64_t>(std::mktime(&noon)) * 1'000'000'000 + 999;
  EXPECT_EQ(ModifiedText(noonNs), "2023/03/07 14:05");
  std::tm midnight = noon;
  midnight.tm_hour = 0;
  midnight.tm_min = 0;
  midnight.tm_isdst = -1;
  EXPECT_EQ(ModifiedText(static_cast<int64_t>(std::mktime(&midnight)) * 1'000'000'000), "2023/03/07");
}

}  // namespace
}  // namespace nuvel
