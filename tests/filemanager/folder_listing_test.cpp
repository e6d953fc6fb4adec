// Reading a real folder for the file list and the tree.
#include "filemanager/folder_listing.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>

#include "tests/filemanager/fm_test_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(const FolderListing& l) {
  std::set<std::string> out;
  for (const auto& f : l.files) out.insert(f.name);
  return out;
}

class FolderListingTest : public testing::Test {
 protected:
  void SetUp() override {
    dir.Write("a.txt", "lower");
    dir.Write("A.TXT", "UPPER CASE");
    dir.Write("my notes.txt", "x");
    dir.Write("README", "r");
    dir.Write(".hidden", "h");
    fs::create_directories(dir.Path("Sub/deep"));
    fs::create_directories(dir.Path("apple"));
    fs::create_directories(dir.Path(".config"));
    fs::create_symlink(dir.Path("a.txt"), dir.Path("link-to-file"));
    fs::create_symlink(dir.Path("Sub"), dir.Path("link-to-folder"));
    fs::create_symlink(dir.Path("gone"), dir.Path("dangling"));
    ASSERT_EQ(::mkfifo(dir.Path("pipe").c_str(), 0644), 0);
    sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string path = dir.Path("sock");
    if (path.size() < sizeof addr.sun_path) {
      std::copy(path.begin(), path.end(), addr.sun_path);
      ::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    }
  }
  void TearDown() override { ::close(sock); }
  test::FmTestFolder dir;
  int sock = -1;
};

TEST_F(FolderListingTest, FilesOnlyRealNamesKept) {
  const FolderListing l = ListFiles(dir.Path(), "*.*");
  EXPECT_EQ(l.error, 0);
  // Two files that differ only in case stay two; no folders, pipes, sockets,
  // dangling links or hidden files.
  EXPECT_EQ(Names(l), (std::set<std::string>{"a.txt", "A.TXT", "my notes.txt", "README", "link-to-file"}));
  for (const auto& f : l.files) {
    if (f.name == "A.TXT") {
      EXPECT_EQ(f.size, 10u);
    }
    if (f.name == "link-to-file") {
      EXPECT_EQ(f.size, 5u);
    }  // the file it leads to
  }
}

TEST_F(FolderListingTest, MasksWithoutRegardToCase) {
  EXPECT_EQ(Names(ListFiles(dir.Path(), "*.txt")), (std::set<std::string>{"a.txt", "A.TXT", "my notes.txt"}));
  EXPECT_EQ(Names(ListFiles(dir.Path(), "read*.*")), (std::set<std::string>{"README"}));
}

TEST_F(FolderListingTest, ReadOnlyAndTimes) {
  ASSERT_EQ(::chmod(dir.Path("README").c_str(), 0444), 0);
  const struct timespec times[2] = {{0, UTIME_OMIT}, {1'600'000'000, 123}};
  ASSERT_EQ(::utimensat(AT_FDCWD, dir.Path("a.txt").c_str(), times, 0), 0);
  for (const auto& f : ListFiles(dir.Path(), "*.*").files) {
    EXPECT_EQ(f.readOnly, f.name == "README") << f.name;
    if (f.name == "a.txt") {
      EXPECT_EQ(f.modifiedNs, 1'600'000'000'000'000'123);
    }
  }
}

TEST_F(FolderListingTest, Subfolders) {
  const SubfolderListing s = ListSubfolders(dir.Path());
  EXPECT_EQ(s.names, (std::vector<std::string>{".config", "apple", "link-to-folder", "Sub"}));
  EXPECT_TRUE(HasSubfolder(dir.Path()));
  EXPECT_TRUE(HasSubfolder(dir.Path("Sub")));
  EXPECT_FALSE(HasSubfolder(dir.Path("Sub/deep")));
}

TEST_F(FolderListingTest, UnreadableFolders) {
  EXPECT_EQ(ListFiles(dir.Path("missing"), "*.*").error, ENOENT);
  EXPECT_EQ(ListSubfolders(dir.Path("a.txt")).error, ENOTDIR);
  EXPECT_FALSE(HasSubfolder(dir.Path("missing")));
}

TEST_F(FolderListingTest, LookUpOneFile) {
  FileEntry e;
  ASSERT_TRUE(LookUpFile(dir.Path("A.TXT"), e));
  EXPECT_EQ(e.name, "A.TXT");
  EXPECT_EQ(e.size, 10u);
  EXPECT_FALSE(LookUpFile(dir.Path("Sub"), e));
  EXPECT_FALSE(LookUpFile(dir.Path("pipe"), e));
  EXPECT_FALSE(LookUpFile(dir.Path("nothing"), e));
}

}  // namespace
}  // namespace nuvel
