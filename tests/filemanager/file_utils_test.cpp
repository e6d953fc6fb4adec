// The file manager's file operations on a real folder: copies that fail
// half way (a writer that fills the disk, a small file system), targets
// that exist, a file onto itself, moves across file systems, rename and
// attributes, and names that differ only in case.
#include "filemanager/file_utils.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "tests/filemanager/fm_test_folder.h"
#include "tests/support/named_pipe.h"
#include "tests/support/private_mounts.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;

std::string Bytes(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 7 + i / 251);
  return s;
}

FileOpFailure FailureOf(const std::function<void()>& run) {
  try {
    run();
  } catch (const FileOpError& e) {
    return e.failure;
  }
  ADD_FAILURE() << "no failure";
  return FileOpFailure::CannotChange;
}

CopyOptions Replacing(bool replace) {
  CopyOptions o;
  o.replace = replace;
  return o;
}

class FileUtils : public testing::Test {
 protected:
  test::FmTestFolder dir;
};

TEST_F(FileUtils, CopyKeepsContentModeAndTime) {
  // Sizes around the copy's block size; writers that take a few bytes at a time.
  const size_t block = size_t{1} << 20;
  const struct {
    size_t size;
    size_t writeAtMost;  // 0: the system's own copy
  } cases[] = {{0, 0}, {1, 0}, {block, 0}, {block + 1, 0}, {3 * block - 1, 0},
               {8192, 0}, {block, 4096}, {block + 1, 1000}, {17, 3}};
  for (const auto& c : cases) {
    const std::string data = Bytes(c.size);
    dir.Write("src", data);
    ::chmod(dir.Path("src").c_str(), 0640);
    const struct timespec times[2] = {{0, UTIME_OMIT}, {1'500'000'000, 42}};
    ::utimensat(AT_FDCWD, dir.Path("src").c_str(), times, 0);
    CopyOptions o;
    if (c.writeAtMost)
      o.writer = [n = c.writeAtMost](int fd, const void* p, size_t size) { return ::write(fd, p, std::min(size, n)); };
    EXPECT_EQ(CopyFile(dir.Path("src"), dir.Path("dst"), o), dir.Path("dst"));
    EXPECT_EQ(dir.Read("dst"), data) << c.size;
    struct stat st;
    ::stat(dir.Path("dst").c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_mtim.tv_sec, 1'500'000'000);
    EXPECT_EQ(dir.Names(), (std::set<std::string>{"src", "dst"}));
    fs::remove(dir.Path("dst"));
  }
}

TEST_F(FileUtils, CopyIntoAFolderAndRelativeTargets) {
  dir.Write("notes.txt", "n");
  fs::create_directories(dir.Path("Backup"));
  EXPECT_EQ(CopyFile(dir.Path("notes.txt"), dir.Path("Backup")), dir.Path("Backup/notes.txt"));
  // An existing copy inside is not replaced without leave.
  EXPECT_EQ(FailureOf([&] { CopyFile(dir.Path("notes.txt"), dir.Path("Backup/")); }), FileOpFailure::TargetExists);
}

TEST_F(FileUtils, OperationTargets) {
  fs::create_directories(dir.Path("Sub"));
  const std::string folder = dir.Path();
  EXPECT_EQ(OperationTarget(folder + "/a.txt", "b.txt", folder), folder + "/b.txt");
  EXPECT_EQ(OperationTarget(folder + "/a.txt", "Sub", folder), folder + "/Sub/a.txt");
  EXPECT_EQ(OperationTarget(folder + "/a.txt", folder + "/Sub/", ""), folder + "/Sub/a.txt");
  EXPECT_EQ(OperationTarget(folder + "/a.txt", "/", ""), "/a.txt");
  EXPECT_EQ(OperationTarget(folder + "/a.txt", "my notes.txt", folder), folder + "/my notes.txt");
}

TEST_F(FileUtils, NothingOntoItself) {
  dir.Write("same.txt", "keep me");
  fs::create_hard_link(dir.Path("same.txt"), dir.Path("hard.txt"));
  fs::create_symlink(dir.Path("same.txt"), dir.Path("soft.txt"));
  const std::string src = dir.Path("same.txt");
  for (const std::string& to : {src, dir.Path("hard.txt"), dir.Path("soft.txt"), dir.Path() + "/./same.txt"}) {
    EXPECT_EQ(FailureOf([&] { CopyFile(src, to, Replacing(true)); }), FileOpFailure::SameFile) << to;
    EXPECT_EQ(FailureOf([&] { MoveFile(src, to, Replacing(true)); }), FileOpFailure::SameFile) << to;
    EXPECT_EQ(FailureOf([&] { RenameFile(src, to, true); }), FileOpFailure::SameFile) << to;
  }
  // Into its own folder: the target is the file itself.
  EXPECT_EQ(FailureOf([&] { CopyFile(src, dir.Path(), Replacing(true)); }), FileOpFailure::SameFile);
  EXPECT_EQ(dir.Read("same.txt"), "keep me");
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"same.txt", "hard.txt", "soft.txt"}));
}

TEST_F(FileUtils, ExistingTargetsAreNotReplacedUnlessAllowed) {
  dir.Write("a.txt", "lower");
  dir.Write("A.TXT", "UPPER");
  const struct {
    const char* what;
    std::function<void(bool)> run;
  } ops[] = {
      {"copy", [&](bool r) { CopyFile(dir.Path("a.txt"), dir.Path("A.TXT"), Replacing(r)); }},
      {"move", [&](bool r) { MoveFile(dir.Path("a.txt"), dir.Path("A.TXT"), Replacing(r)); }},
      {"rename", [&](bool r) { RenameFile(dir.Path("a.txt"), dir.Path("A.TXT"), r); }},
  };
  for (const auto& op : ops) {
    EXPECT_EQ(FailureOf([&] { op.run(false); }), FileOpFailure::TargetExists) << op.what;
    // Both files as they were: a.txt beside A.TXT are two files.
    EXPECT_EQ(dir.Read("a.txt"), "lower") << op.what;
    EXPECT_EQ(dir.Read("A.TXT"), "UPPER") << op.what;
    EXPECT_EQ(dir.Names().size(), 2u) << op.what;
  }
  // With leave to replace, each one replaces.
  ops[0].run(true);
  EXPECT_EQ(dir.Read("A.TXT"), "lower");
  dir.Write("A.TXT", "UPPER");
  ops[2].run(true);
  EXPECT_EQ(dir.Read("A.TXT"), "lower");
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"A.TXT"}));
}

TEST_F(FileUtils, AFullDiskLeavesNoPartialTarget) {
  const std::string data = Bytes((size_t{1} << 20) * 2 + 5);
  dir.Write("big", data);
  dir.Write("old", "old target");
  const struct {
    const char* what;
    BlockWriter writer;
    int error;
  } faults[] = {
      {"no space after a while",
       [written = size_t{0}](int fd, const void* p, size_t n) mutable -> ssize_t {
         if (written > 1'500'000) {
           errno = ENOSPC;
           return -1;
         }
         written += n;
         return ::write(fd, p, n);
       },
       ENOSPC},
      {"a device error at once", [](int, const void*, size_t) -> ssize_t { errno = EIO; return -1; }, EIO},
      {"a write that takes nothing", [](int, const void*, size_t) -> ssize_t { return 0; }, ENOSPC},
  };
  for (const auto& f : faults) {
    for (const char* target : {"new", "old"}) {
      try {
        CopyFile(dir.Path("big"), dir.Path(target), {.replace = true, .writer = f.writer});
        ADD_FAILURE() << f.what;
      } catch (const FileOpError& e) {
        EXPECT_EQ(e.failure, FileOpFailure::WriteFailed) << f.what;
        EXPECT_EQ(e.error, f.error) << f.what;
        EXPECT_EQ(e.path, dir.Path(target));
      }
      EXPECT_EQ(dir.Names(), (std::set<std::string>{"big", "old"})) << f.what << " " << target;
      EXPECT_EQ(dir.Read("big"), data);
      EXPECT_EQ(dir.Read("old"), "old target");
    }
  }
}

TEST_F(FileUtils, SourcesThatCannotBeCopied) {
  fs::create_directories(dir.Path("folder"));
  const test::NamedPipe pipe(dir.Path("pipe"));
  ASSERT_TRUE(pipe.Made());
  EXPECT_EQ(FailureOf([&] { CopyFile(dir.Path("missing"), dir.Path("x")); }), FileOpFailure::CannotOpen);
  EXPECT_EQ(FailureOf([&] { CopyFile(dir.Path("folder"), dir.Path("x")); }), FileOpFailure::CannotOpen);
  // A named pipe is refused at once, not waited on for a writer.
  FileOpFailure pipeFailure{};
  const auto copy = [&] { pipeFailure = FailureOf([&] { CopyFile(pipe.Name(), dir.Path("x")); }); };
  EXPECT_TRUE(pipe.EndsWithinASecond(copy)) << "waited for a writer";
  EXPECT_EQ(pipeFailure, FileOpFailure::CannotOpen);
  dir.Write("ok", "1");
  EXPECT_EQ(FailureOf([&] { CopyFile(dir.Path("ok"), dir.Path("no/such/folder/x")); }), FileOpFailure::CannotCreate);
  EXPECT_FALSE(dir.Exists("x"));
}

// A small file system of its own, for a disk that really fills up and for
// moves across file systems.
class SmallDisk : public FileUtils {
 protected:
  void SetUp() override {
    mount = dir.Path("small");
    fs::create_directories(mount);
    if (!test::PrivateMounts() || ::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=256k") != 0)
      GTEST_SKIP() << "a small file system cannot be mounted here (it takes the superuser and a mount namespace)";
    mounted = true;
  }
  void TearDown() override {
    if (mounted) ::umount2(mount.c_str(), MNT_DETACH);
  }
  std::string mount;
  bool mounted = false;
};

TEST_F(SmallDisk, CopyThatDoesNotFitLeavesNothing) {
  const std::string data = Bytes(600 * 1024);
  dir.Write("big", data);
  for (bool kernel : {true, false}) {
    CopyOptions o;
    if (!kernel) o.writer = [](int fd, const void* p, size_t n) { return ::write(fd, p, n); };
    EXPECT_EQ(FailureOf([&] { CopyFile(dir.Path("big"), mount, o); }), FileOpFailure::WriteFailed);
    EXPECT_TRUE(fs::is_empty(mount));
    EXPECT_EQ(FailureOf([&] { MoveFile(dir.Path("big"), mount, o); }), FileOpFailure::WriteFailed);
    EXPECT_TRUE(fs::is_empty(mount));
    EXPECT_EQ(dir.Read("big"), data);
  }
}

TEST_F(SmallDisk, MoveAcrossFileSystems) {
  dir.Write("doc.txt", "content");
  const struct timespec times[2] = {{0, UTIME_OMIT}, {1'400'000'000, 0}};
  ::utimensat(AT_FDCWD, dir.Path("doc.txt").c_str(), times, 0);
  EXPECT_EQ(MoveFile(dir.Path("doc.txt"), mount), mount + "/doc.txt");
  EXPECT_FALSE(dir.Exists("doc.txt"));
  EXPECT_EQ(test::ReadWholeFile(mount + "/doc.txt"), "content");
  struct stat st;
  ::stat((mount + "/doc.txt").c_str(), &st);
  EXPECT_EQ(st.st_mtim.tv_sec, 1'400'000'000);
  // Back again onto a name that exists there: refused, both kept.
  dir.Write("doc.txt", "other");
  EXPECT_EQ(FailureOf([&] { MoveFile(mount + "/doc.txt", dir.Path("doc.txt")); }), FileOpFailure::TargetExists);
  EXPECT_EQ(dir.Read("doc.txt"), "other");
  EXPECT_EQ(test::ReadWholeFile(mount + "/doc.txt"), "content");
}

TEST_F(FileUtils, MoveWithinTheFileSystem) {
  dir.Write("a.txt", "A");
  fs::create_directories(dir.Path("Sub"));
  EXPECT_EQ(MoveFile(dir.Path("a.txt"), dir.Path("Sub")), dir.Path("Sub/a.txt"));
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"Sub"}));
  EXPECT_EQ(dir.Read("Sub/a.txt"), "A");
  EXPECT_EQ(FailureOf([&] { MoveFile(dir.Path("gone"), dir.Path("x")); }), FileOpFailure::CannotMove);
}

TEST_F(FileUtils, RenameAndDelete) {
  dir.Write("a.txt", "A");
  RenameFile(dir.Path("a.txt"), dir.Path("A.TXT"));
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"A.TXT"}));
  EXPECT_EQ(FailureOf([&] { RenameFile(dir.Path("a.txt"), dir.Path("b")); }), FileOpFailure::CannotRename);
  fs::create_directories(dir.Path("Sub"));
  EXPECT_EQ(FailureOf([&] { DeleteFile(dir.Path("Sub")); }), FileOpFailure::CannotDelete);
  EXPECT_EQ(FailureOf([&] { DeleteFile(dir.Path("none")); }), FileOpFailure::CannotDelete);
  DeleteFile(dir.Path("A.TXT"));
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"Sub"}));
}

TEST_F(FileUtils, Attributes) {
  dir.Write("f.txt", "f");
  dir.Write(".g", "g");
  ::chmod(dir.Path("f.txt").c_str(), 0664);
  EXPECT_EQ(FileAttributes(dir.Path("f.txt")), 0u);
  EXPECT_EQ(FileAttributes(dir.Path(".g")), faHidden);

  EXPECT_EQ(SetFileAttributes(dir.Path("f.txt"), faReadOnly | faSystem | faArchive), dir.Path("f.txt"));
  struct stat st;
  ::stat(dir.Path("f.txt").c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0444u);
  EXPECT_TRUE(HasAttr(dir.Path("f.txt"), faReadOnly));
  EXPECT_FALSE(HasAttr(dir.Path("f.txt"), faReadOnly | faHidden));
  EXPECT_FALSE(HasAttr(dir.Path("missing"), 0));

  SetFileAttributes(dir.Path("f.txt"), 0);
  ::stat(dir.Path("f.txt").c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0644u);  // the owner may write again

  // Hidden is the leading dot; a hidden name that is taken is not replaced.
  EXPECT_EQ(SetFileAttributes(dir.Path("f.txt"), faHidden), dir.Path(".f.txt"));
  EXPECT_EQ(SetFileAttributes(dir.Path(".f.txt"), 0), dir.Path("f.txt"));
  dir.Write("g", "other g");
  EXPECT_EQ(FailureOf([&] { SetFileAttributes(dir.Path(".g"), 0); }), FileOpFailure::TargetExists);
  EXPECT_EQ(dir.Read(".g"), "g");
  EXPECT_EQ(dir.Read("g"), "other g");
}

TEST_F(FileUtils, MakeFolders) {
  EXPECT_TRUE(MakeFolder(dir.Path("x/y/z")));
  EXPECT_TRUE(fs::is_directory(dir.Path("x/y/z")));
  dir.Write("file", "");
  EXPECT_FALSE(MakeFolder(dir.Path("file/sub")));
}

}  // namespace
}  // namespace nuvel
