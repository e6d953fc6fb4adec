// The one atomic write of the program, on the real file system: links,
// permissions, owners, read-only files and folders, a full disk, a folder
// that went away, leftovers of a killed run, and the backup copy.
#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

#include "tests/support/private_mounts.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;
using platform::AtomicFileWriter;
using platform::AtomicWriteOptions;
using platform::AtomicWriteResult;
using platform::BackupOutcome;
using platform::ReplaceFileContents;
using platform::WriteFailure;

constexpr uid_t kOtherUser = 65534;  // "nobody"
constexpr gid_t kOtherGroup = 65534;

class AtomicFile : public testing::Test {
 protected:
  void SetUp() override {
    root = fs::path(temp.ConfigFolder()) / "files";
    fs::create_directories(root);
  }
  void TearDown() override { platform::SetWriteSpaceLimitForTests(-1); }

  fs::path Write(const std::string& name, const std::string& bytes, fs::perms perms = fs::perms(0644)) const {
    const fs::path path = root / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    fs::permissions(path, perms, fs::perm_options::replace);
    return path;
  }
  static std::string Read(const fs::path& path) { return test::ReadWholeFile(path); }
  static struct stat Stat(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
  }
  // The names in a folder (what a save may have left beside the file).
  static std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
  }

  test::TempProgramFolder temp;
  fs::path root;
};

// Runs `body` in a child process as another user (when this one is the
// superuser; else as this user), for what depends on who writes. Its
// expectations are checked there; the result is whether all held.
bool AsOtherUser(const std::function<bool()>& body) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(kOtherGroup) != 0 || ::setuid(kOtherUser) != 0)) ::_exit(3);
    ::_exit(body() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(AtomicFile, NewAndReplacedFilesLeaveNothingBeside) {
  const fs::path fresh = root / "new.txt";
  const mode_t mask = ::umask(022);
  AtomicWriteResult r = ReplaceFileContents(fresh.string(), "first");
  ::umask(mask);
  ASSERT_TRUE(r.Ok()) << r.error;
  EXPECT_EQ(Read(fresh), "first");
  EXPECT_EQ(Stat(fresh).st_mode & 0777, 0644u) << "a new file gets the usual permissions";

  const fs::path old = Write("old.txt", "old content", fs::perms(0640));
  const ino_t before = Stat(old).st_ino;
  r = ReplaceFileContents(old.string(), "new");
  ASSERT_TRUE(r.Ok()) << r.error;
  EXPECT_FALSE(r.inPlace);
  EXPECT_EQ(Read(old), "new");
  EXPECT_EQ(Stat(old).st_mode & 07777, 0640u) << "the old permissions stay";
  EXPECT_NE(Stat(old).st_ino, before) << "a new file took the old one's place";
  EXPECT_EQ(r.written.inode, Stat(old).st_ino);
  EXPECT_EQ(Names(root), (std::set<std::string>{"new.txt", "old.txt"}));
}

// A large old file is replaced as a small one is, its blocks given back
// after the save has returned: the new content, under the old permissions,
// in a new file, with nothing left beside it, on every save in a row.
TEST_F(AtomicFile, LargeOldFilesAreReplacedAsSmallOnesAre) {
  for (const std::size_t size : {std::size_t{1} << 10, std::size_t{16} << 20, (std::size_t{16} << 20) + 4096}) {
    const fs::path old = Write("large.txt", std::string(size, 'o'), fs::perms(0640));
    for (const char fill : {'a', 'b'}) {
      const ino_t before = Stat(old).st_ino;
      const std::string content(size + 1, fill);
      const AtomicWriteResult r = ReplaceFileContents(old.string(), content);
      ASSERT_TRUE(r.Ok()) << size << ": " << r.error;
      EXPECT_FALSE(r.inPlace) << size;
      EXPECT_EQ(Read(old), content) << size;
      EXPECT_EQ(Stat(old).st_mode & 07777, 0640u) << size;
      EXPECT_NE(Stat(old).st_ino, before) << size;
      EXPECT_EQ(Names(root), (std::set<std::string>{"large.txt"})) << size;
    }
  }
}

TEST_F(AtomicFile, SymbolicLinksAreFollowedAndStay) {
  struct Case {
    const char* what;
    std::string link;    // what the link holds
    fs::path target;     // the file that must get the text
  };
  fs::create_directories(root / "real");
  const Case cases[] = {
      {"relative", "real/a.txt", root / "real/a.txt"},
      {"absolute", (root / "real/b.txt").string(), root / "real/b.txt"},
      {"dangling: the file it names is made", "real/c.txt", root / "real/c.txt"},
      {"a link to a link", "chain.txt", root / "real/d.txt"},
  };
  fs::create_symlink("real/d.txt", root / "chain.txt");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (std::string(c.what).find("dangling") == std::string::npos) std::ofstream(c.target) << "old";
    const fs::path link = root / ("link-" + c.target.filename().string());
    fs::create_symlink(c.link, link);
    const AtomicWriteResult r = ReplaceFileContents(link.string(), "edited");
    ASSERT_TRUE(r.Ok()) << r.error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), c.link);
    EXPECT_EQ(Read(c.target), "edited");
    EXPECT_EQ(fs::canonical(r.target), fs::canonical(c.target));
  }
}

TEST_F(AtomicFile, HardLinksAllSeeTheEdit) {
  const fs::path a = Write("a.txt", "a longer old content");
  const fs::path b = root / "b.txt";
  fs::create_hard_link(a, b);
  const ino_t inode = Stat(a).st_ino;
  for (const std::string text : {"short", "a much longer new content than before"}) {
    const AtomicWriteResult r = ReplaceFileContents(b.string(), text);
    ASSERT_TRUE(r.Ok()) << r.error;
    EXPECT_TRUE(r.inPlace);
    EXPECT_EQ(Read(a), text);
    EXPECT_EQ(Read(b), text);
    EXPECT_EQ(Stat(a).st_ino, inode);
    EXPECT_EQ(Stat(a).st_nlink, 2u);
  }
  EXPECT_EQ(Names(root), (std::set<std::string>{"a.txt", "b.txt"}));
}

TEST_F(AtomicFile, ReadOnlyFilesAndOtherKindsAreRefused) {
  const fs::path readOnly = Write("ro.txt", "keep", fs::perms(0444));
  fs::create_directory(root / "folder");
  ASSERT_EQ(::mkfifo((root / "pipe").c_str(), 0644), 0);
  struct Case {
    fs::path name;
    WriteFailure failure;
  };
  const Case cases[] = {
      {readOnly, WriteFailure::ReadOnlyFile},
      {root / "folder", WriteFailure::NotRegular},
      {root / "pipe", WriteFailure::NotRegular},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.string());
    const AtomicWriteResult r = ReplaceFileContents(c.name.string(), "new");
    EXPECT_EQ(r.failure, c.failure);
    EXPECT_NE(r.error, 0);
  }
  EXPECT_EQ(Read(readOnly), "keep");
  EXPECT_EQ(Stat(readOnly).st_mode & 0777, 0444u);
  EXPECT_TRUE(fs::is_fifo(root / "pipe"));
  EXPECT_EQ(Names(root), (std::set<std::string>{"ro.txt", "folder", "pipe"}));
}

TEST_F(AtomicFile, ReadOnlyFolderWithAWritableFileIsWrittenInPlace) {
  const fs::path folder = root / "locked";
  const fs::path spare = root / "spare";
  const fs::path markers = root / "markers";
  const fs::path file = Write("locked/doc.txt", "old text");
  fs::create_directories(spare);
  fs::create_directories(markers);
  // What a killed run's save of the same file left in the spare folder.
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ::waitpid(ended, nullptr, 0);
  const fs::path leftover =
      Write("spare/" + platform::TemporaryNamePrefix("doc.txt") + std::to_string(ended) + "-0badf00d.tmp", "old");
  if (::geteuid() == 0) {
    for (const fs::path& p : {root, folder, spare, file, markers, leftover})
      ASSERT_EQ(::chown(p.c_str(), kOtherUser, kOtherGroup), 0);
    ASSERT_EQ(::chmod(fs::path(temp.ConfigFolder()).c_str(), 0755), 0);
  }
  fs::permissions(folder, fs::perms(0555), fs::perm_options::replace);
  const bool held = AsOtherUser([&] {
    AtomicWriteOptions options;
    options.spareFolder = spare.string();
    options.markerFolder = markers.string();
    const AtomicWriteResult r = ReplaceFileContents(file.string(), "new text, longer than the old", options);
    // A new file cannot be made there at all.
    const AtomicWriteResult fresh = ReplaceFileContents((folder / "other.txt").string(), "x", options);
    return r.Ok() && r.inPlace && Read(file) == "new text, longer than the old" &&
           fresh.failure == WriteFailure::Create && fresh.error == EACCES && Names(spare).empty() &&
           Names(markers).empty();
  });
  fs::permissions(folder, fs::perms(0755), fs::perm_options::replace);
  EXPECT_TRUE(held);
  EXPECT_EQ(Read(file), "new text, longer than the old");
  EXPECT_EQ(Names(folder), (std::set<std::string>{"doc.txt"}));
}

TEST_F(AtomicFile, OwnersAreKept) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs files of two users: run as the superuser";
  ASSERT_EQ(::chmod(fs::path(temp.ConfigFolder()).c_str(), 0755), 0);
  // The superuser saves a user's private file: it stays the user's.
  const fs::path users = Write("users.txt", "private", fs::perms(0600));
  ASSERT_EQ(::chown(users.c_str(), kOtherUser, kOtherGroup), 0);
  ASSERT_TRUE(ReplaceFileContents(users.string(), "edited by root").Ok());
  EXPECT_EQ(Stat(users).st_uid, kOtherUser);
  EXPECT_EQ(Stat(users).st_gid, kOtherGroup);
  EXPECT_EQ(Stat(users).st_mode & 0777, 0600u);
  // A user saves the superuser's file that anyone may write, in the user's
  // folder: it stays the superuser's, written in place.
  const fs::path folder = root / "user-folder";
  fs::create_directories(folder);
  ASSERT_EQ(::chown(root.c_str(), kOtherUser, kOtherGroup), 0);
  ASSERT_EQ(::chown(folder.c_str(), kOtherUser, kOtherGroup), 0);
  const fs::path roots = Write("user-folder/roots.txt", "shared", fs::perms(0666));
  EXPECT_TRUE(AsOtherUser([&] {
    // The marker of the in-place write goes to a folder of the user's own.
    AtomicWriteOptions options;
    options.markerFolder = (root / "markers").string();
    const AtomicWriteResult r = ReplaceFileContents(roots.string(), "edited by a user", options);
    return r.Ok() && r.inPlace && Names(root / "markers").empty();
  }));
  EXPECT_EQ(Read(roots), "edited by a user");
  EXPECT_EQ(Stat(roots).st_uid, 0u);
  EXPECT_EQ(Names(folder), (std::set<std::string>{"roots.txt"}));
}

TEST_F(AtomicFile, FullDiskLeavesOldFileAndBackupWhole) {
  // Writes stop at a few kilobytes, as on a full disk, at each step of a
  // save that asks for a backup copy: the new content, the copy of the old
  // content for a file with two links, the in-place write.
  const std::string big(20000, 'n');
  struct Case {
    const char* what;
    bool hardLink;
    int64_t space;
    WriteFailure failure;
    BackupOutcome backup;
  };
  const Case cases[] = {
      {"new content", false, 4096, WriteFailure::Write, BackupOutcome::NotAsked},
      {"backup copy", true, 20000 + 100, WriteFailure::Backup, BackupOutcome::Failed},
      {"in-place write", true, 20000 + 2000 + 100, WriteFailure::Replace, BackupOutcome::Made},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(root);
    const std::string oldText(2000, 'o');
    const fs::path file = Write("doc.txt", oldText);
    const fs::path backup = Write("doc.BAK", "earlier backup");
    if (c.hardLink) fs::create_hard_link(file, root / "link.txt");
    platform::SetWriteSpaceLimitForTests(c.space);
    AtomicWriteOptions options;
    options.backupPath = backup.string();
    const AtomicWriteResult r = ReplaceFileContents(file.string(), big, options);
    platform::SetWriteSpaceLimitForTests(-1);
    EXPECT_EQ(r.failure, c.failure);
    EXPECT_EQ(r.error, ENOSPC);
    EXPECT_EQ(r.backup, c.backup);
    EXPECT_EQ(Read(file), oldText) << "the old file is whole";
    EXPECT_EQ(Read(backup), c.backup == BackupOutcome::Made ? oldText : "earlier backup");
    EXPECT_TRUE(r.keptCopy.empty());
    std::set<std::string> expected{"doc.txt", "doc.BAK"};
    if (c.hardLink) expected.insert("link.txt");
    EXPECT_EQ(Names(root), expected) << "no partial file is left";
  }
}

TEST_F(AtomicFile, SmallFullFileSystem) {
  // A real small file system that fills up: the old file and the earlier
  // backup stay whole, and the space the save took is given back.
  const fs::path mount = root / "small";
  fs::create_directories(mount);
  if (!test::PrivateMounts() || ::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "a small file system cannot be mounted here (it takes the superuser and a mount namespace)";
  struct Unmount {
    fs::path at;
    ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
  } unmount{mount};
  const std::string oldText(30000, 'o');
  const fs::path file = mount / "doc.txt";
  std::ofstream(file) << oldText;
  std::ofstream(mount / "doc.BAK") << "earlier backup";
  struct statvfs before {};
  ::statvfs(mount.c_str(), &before);
  AtomicWriteOptions options;
  options.backupPath = (mount / "doc.BAK").string();
  const AtomicWriteResult r = ReplaceFileContents(file.string(), std::string(50000, 'n'), options);
  EXPECT_EQ(r.failure, WriteFailure::Write);
  EXPECT_EQ(r.error, ENOSPC);
  EXPECT_EQ(Read(file), oldText);
  EXPECT_EQ(Read(mount / "doc.BAK"), "earlier backup");
  EXPECT_EQ(Names(mount), (std::set<std::string>{"doc.txt", "doc.BAK"}));
  struct statvfs after {};
  ::statvfs(mount.c_str(), &after);
  EXPECT_EQ(after.f_bfree, before.f_bfree);
  // What fits is saved, with the backup by a link that takes no room.
  const AtomicWriteResult fits = ReplaceFileContents(file.string(), std::string(20000, 'n'), options);
  EXPECT_TRUE(fits.Ok()) << fits.error;
  EXPECT_EQ(Read(mount / "doc.BAK"), oldText);
}

TEST_F(AtomicFile, FailuresSayWhy) {
  const fs::path gone = root / "gone";
  fs::create_directories(gone);
  fs::remove(gone);
  struct Case {
    const char* what;
    std::string name;
    WriteFailure failure;
    int error;
  };
  const Case cases[] = {
      {"removed folder", (gone / "doc.txt").string(), WriteFailure::Create, ENOENT},
      {"name too long", (root / std::string(300, 'n')).string(), WriteFailure::Create, ENAMETOOLONG},
      {"a file where a folder should be", (root / "plain/doc.txt").string(), WriteFailure::Create, ENOTDIR},
  };
  Write("plain", "x");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const AtomicWriteResult r = ReplaceFileContents(c.name, "text");
    EXPECT_EQ(r.failure, c.failure);
    EXPECT_EQ(r.error, c.error);
  }
}

TEST_F(AtomicFile, LeftoversOfAnEndedRunAreRemovedOnTheNextSave) {
  const fs::path file = Write("doc.txt", "old");
  // A process that has ended, and one that runs (this one's parent).
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ::waitpid(ended, nullptr, 0);
  const std::string prefix = platform::TemporaryNamePrefix("doc.txt");
  const std::string dead = prefix + std::to_string(ended) + "-0badf00d.tmp";
  const std::string alive = prefix + std::to_string(::getppid()) + "-0badf00d.tmp";
  const std::string otherFile = platform::TemporaryNamePrefix("other.txt") + std::to_string(ended) + "-0badf00d.tmp";
  // A copy named after a temporary file, as earlier versions made them.
  const std::string copyOfTemporary = "." + dead + ".nuvel-" + std::to_string(ended) + "-0ddba11a.tmp";
  for (const std::string& name : {dead, alive, otherFile, copyOfTemporary}) Write(name, std::string(1000, 'p'));
  ASSERT_TRUE(ReplaceFileContents(file.string(), "new").Ok());
  EXPECT_EQ(Names(root), (std::set<std::string>{"doc.txt", alive, otherFile}));
}

TEST_F(AtomicFile, BackupCopyHoldsTheOldContent) {
  const fs::path file = Write("doc.txt", "version 1", fs::perms(0640));
  AtomicWriteOptions options;
  options.backupPath = (root / "doc.BAK").string();
  AtomicWriteResult r = ReplaceFileContents(file.string(), "version 2", options);
  ASSERT_TRUE(r.Ok());
  EXPECT_EQ(r.backup, BackupOutcome::Made);
  EXPECT_EQ(Read(root / "doc.BAK"), "version 1");
  EXPECT_EQ(Stat(root / "doc.BAK").st_mode & 0777, 0640u);
  r = ReplaceFileContents(file.string(), "version 3", options);
  EXPECT_EQ(Read(root / "doc.BAK"), "version 2");
  EXPECT_EQ(Read(file), "version 3");
  const AtomicWriteResult none = ReplaceFileContents((root / "fresh.txt").string(), "x", options);
  EXPECT_EQ(none.backup, BackupOutcome::NoOldFile);
  EXPECT_EQ(Read(root / "doc.BAK"), "version 2");
  EXPECT_EQ(Names(root), (std::set<std::string>{"doc.txt", "doc.BAK", "fresh.txt"}));
}

TEST_F(AtomicFile, StreamWriterSeeksAndDiscardsUnlessCommitted) {
  const fs::path file = Write("db.pdb", "old database");
  {
    AtomicFileWriter writer(file.string());
    ASSERT_TRUE(writer.Ready());
    std::fputs("HEADER....body", writer.Stream());
    // Dropped without Commit: as if an exception came.
  }
  EXPECT_EQ(Read(file), "old database");
  EXPECT_EQ(Names(root), (std::set<std::string>{"db.pdb"}));
  AtomicFileWriter writer(file.string());
  std::fputs("HEADER....body", writer.Stream());
  std::fseek(writer.Stream(), 6, SEEK_SET);
  std::fputs("1234", writer.Stream());
  EXPECT_TRUE(writer.Commit().Ok());
  EXPECT_EQ(Read(file), "HEADER1234body");
}

}  // namespace
}  // namespace nuvel
