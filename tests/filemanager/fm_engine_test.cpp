// The file manager's settings and window numbers, its status lines, the
// roots of its tree and the bounded call that keeps a dead network share
// from stopping the window.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "core/settings.h"
#include "filemanager/bounded_call.h"
#include "filemanager/dir_roots.h"
#include "filemanager/file_list_status.h"
#include "filemanager/fm_settings.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using platform::DriveType;

TEST(FileWindowSettingsTest, DefaultsAndRoundTrip) {
  test::TempProgramFolder temp;
  FileWindowSettings s = ReadFileWindowSettings("");
  EXPECT_EQ(s.height, 300);
  EXPECT_EQ(s.width, 435);
  EXPECT_FALSE(s.left);
  EXPECT_FALSE(s.sortColumn);
  EXPECT_TRUE(s.forward);
  EXPECT_EQ(s.filter, "*.*");

  s.height = 400;
  s.width = 600;
  s.left = 10;
  s.top = -5;
  s.columns = std::array<int, 4>{118, 76, 55, 100};
  s.sortColumn = 3;
  s.forward = false;
  WriteFileWindowSettings("2", s);
  WriteFileWindowFilter("2", "*.txt");
  EXPECT_EQ(ReadIniString("FileManager", "WindowPosition2"), "400 600 10 -5");
  EXPECT_EQ(ReadIniString("FileManager", "Columns2"), "118 76 55 100");
  const FileWindowSettings back = ReadFileWindowSettings("2");
  EXPECT_EQ(back.height, 400);
  EXPECT_EQ(back.left, 10);
  EXPECT_EQ(back.top, -5);
  EXPECT_EQ(back.columns, s.columns);
  EXPECT_EQ(back.sortColumn, 3);
  EXPECT_FALSE(back.forward);
  EXPECT_EQ(back.filter, "*.txt");
  // The first window's keys are untouched by the second's.
  EXPECT_EQ(ReadFileWindowSettings("").filter, "*.*");
}

TEST(FileWindowSettingsTest, MalformedValuesGiveDefaults) {
  test::TempProgramFolder temp;
  const struct {
    const char* key;
    const char* value;
  } bad[] = {{"WindowPosition", "300 x 1 2"}, {"WindowPosition", "1 2 3"}, {"Columns", "1 2 3 4 5"},
             {"SortCol", "7"},                {"SortCol", "one"},         {"Columns", "10 -1 20 30"}};
  for (const auto& b : bad) {
    WriteIniString("FileManager", b.key, b.value);
    const FileWindowSettings s = ReadFileWindowSettings("");
    EXPECT_EQ(s.height, 300) << b.key << "=" << b.value;
    EXPECT_FALSE(s.left) << b.key << "=" << b.value;
    EXPECT_FALSE(s.columns) << b.key << "=" << b.value;
    EXPECT_FALSE(s.sortColumn) << b.key << "=" << b.value;
    WriteIniString("FileManager", b.key, std::nullopt);
  }
  WriteIniString("FileManager", "SortDrct", "yes");
  EXPECT_TRUE(ReadFileWindowSettings("").forward);
}

TEST(FileWindowNumbersTest, LowestFreeNumberAndAtMostTen) {
  FileWindowNumbers n;
  EXPECT_EQ(n.Take(), 1);
  EXPECT_EQ(n.Take(), 2);
  EXPECT_EQ(n.Take(), 3);
  n.Release(2);
  EXPECT_EQ(n.Take(), 2);  // a closed window's number is used again: no gaps, no clashes
  for (int i = 4; i <= 10; ++i) EXPECT_EQ(n.Take(), i);
  EXPECT_EQ(n.Take(), std::nullopt);
  EXPECT_EQ(n.Count(), 10);
  EXPECT_EQ(FileWindowSuffix(1), "");
  EXPECT_EQ(FileWindowSuffix(10), "10");
  EXPECT_EQ(FileWindowCaptionEnd(1), "");
  EXPECT_EQ(FileWindowCaptionEnd(3), ":3");
}

TEST(FileListStatusTest, TotalsAndSelection) {
  std::vector<FileEntry> files(3);
  files[0].name = "a";
  files[0].size = uint64_t{5} << 30;
  files[1].name = "b";
  files[1].size = 10;
  files[2].name = "my notes.txt";
  files[2].size = 7;
  files[2].modifiedNs = 0;
  const struct {
    std::vector<int> selected;
    bool listView;
    const char* nameSize;
    const char* lablDate;
  } cases[] = {
      {{}, false, "Total size of files is: ", "5368709137  bytes in  3  files"},
      {{1}, false, "Total size of files is: ", "5368709137  bytes in  3  files"},
      {{1, 2}, false, "Total selected size is: ", "17  bytes in  2  files"},
      {{0, 1, 2}, true, "Total selected size is: ", "5368709137  bytes in  3  files"},
  };
  for (const auto& c : cases) {
    const FileListStatus s = StatusOfFiles(files, c.selected, c.listView);
    EXPECT_EQ(s.nameSize, c.nameSize);
    EXPECT_EQ(s.lablDate, c.lablDate);
  }
  const FileListStatus one = StatusOfFiles(files, {2}, true);
  EXPECT_EQ(one.nameSize, "my notes.txt  7  " + ModifiedText(0));
  EXPECT_EQ(one.lablDate, "");
  EXPECT_EQ(StatusOfFiles({}, {}, false).lablDate, "0  bytes in  0  files");
}

TEST(DirRootsTest, RootsFromTheMountTable) {
  const auto table = platform::ParseMountTable(
      "/dev/vda1 / ext4 rw 0 0\n"
      "/dev/vda2 /home/Dana ext4 rw 0 0\n"
      "proc /proc proc rw 0 0\n"
      "/dev/sdb1 /media/Dana/STICK vfat rw 0 0\n"
      "/dev/sdc1 /mnt/Data ext4 rw 0 0\n"
      "nas:/x /srv/Share nfs4 rw 0 0\n");
  const auto roots = TreeRoots(table, "/home/Dana/");
  ASSERT_EQ(roots.size(), 5u);
  const struct {
    const char* path;
    DriveType type;
    bool lazy;
  } expected[] = {{"/", DriveType::Fixed, false},
                  {"/home/Dana", DriveType::Fixed, false},
                  {"/media/Dana/STICK", DriveType::Removable, true},
                  {"/mnt/Data", DriveType::Fixed, false},
                  {"/srv/Share", DriveType::Remote, true}};
  for (size_t i = 0; i < roots.size(); ++i) {
    EXPECT_EQ(roots[i].path, expected[i].path);  // real case kept
    EXPECT_EQ(roots[i].type, expected[i].type) << roots[i].path;
    EXPECT_EQ(roots[i].Lazy(), expected[i].lazy) << roots[i].path;
  }
  EXPECT_EQ(RootOf(roots, "/home/Dana/Docs"), 1);
  EXPECT_EQ(RootOf(roots, "/home/DanaX"), 0);  // a prefix of letters is not a folder above
  EXPECT_EQ(RootOf(roots, "/srv/Share/a/b/"), 4);
  EXPECT_EQ(RootOf(roots, "/"), 0);
  EXPECT_EQ(RootOf(roots, "relative"), -1);
  // Home at "/" adds no second root.
  EXPECT_EQ(TreeRoots({}, "/").size(), 1u);
}

TEST(DirRootsTest, FolderChains) {
  EXPECT_EQ(FolderChain("/", "/usr/share//doc/"), (std::vector<std::string>{"/", "/usr", "/usr/share", "/usr/share/doc"}));
  EXPECT_EQ(FolderChain("/home/Dana", "/home/Dana/My Docs/A"),
            (std::vector<std::string>{"/home/Dana", "/home/Dana/My Docs", "/home/Dana/My Docs/A"}));
  EXPECT_EQ(FolderChain("/home/Dana", "/home/Dana"), (std::vector<std::string>{"/home/Dana"}));
  EXPECT_TRUE(FolderChain("/home/Dana", "/home/dana/x").empty());  // case matters
  EXPECT_EQ(CleanFolderPath("/a//b/"), "/a/b");
  EXPECT_EQ(CleanFolderPath("/"), "/");
}

TEST(DirRootsTest, LastFolderPerRoot) {
  const auto roots = TreeRoots(platform::ParseMountTable("/dev/sdc1 /mnt/Data ext4 rw 0 0\n"), "/home/d");
  RootMemory memory;
  EXPECT_EQ(memory.FolderOn("/mnt/Data"), "/mnt/Data");
  memory.Remember(roots, "/mnt/Data/x/y/");
  memory.Remember(roots, "/home/d/Docs");
  memory.Remember(roots, "/etc");
  EXPECT_EQ(memory.FolderOn("/mnt/Data"), "/mnt/Data/x/y");
  EXPECT_EQ(memory.FolderOn("/home/d"), "/home/d/Docs");
  EXPECT_EQ(memory.FolderOn("/"), "/etc");
}

TEST(BoundedCallTest, AHangingCallIsLeftBehind) {
  EXPECT_EQ(CallWithin<int>([] { return 7; }, std::chrono::seconds(30)), 7);

  struct Gate {
    std::mutex m;
    std::condition_variable cv;
    bool open = false;
  };
  auto gate = std::make_shared<Gate>();
  auto finished = std::make_shared<std::atomic<bool>>(false);
  const auto result = CallWithin<int>(
      [gate, finished] {
        std::unique_lock lock(gate->m);
        gate->cv.wait(lock, [&] { return gate->open; });
        *finished = true;
        return 1;
      },
      std::chrono::milliseconds(20));
  EXPECT_EQ(result, std::nullopt);
  EXPECT_FALSE(*finished);
  {
    std::lock_guard lock(gate->m);
    gate->open = true;
  }
  gate->cv.notify_all();  // the thread ends by itself; its answer is dropped
}

}  // namespace
}  // namespace nuvel
