// Saves that write a file in place, killed at each of their steps: the old
// text is never lost (the file is old or new whole, or a marker names a copy
// of the old text that the next opening can put back), the temporary files
// they leave are found by the next save or the sweep, and the copy a marker
// holds stays until it is restored or declined.
#include "platform/unfinished_save.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

#include "platform/atomic_file.h"
#include "platform/temporary_files.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;
using platform::AtomicWriteOptions;
using platform::ReplaceFileContents;
using platform::UnfinishedSave;

constexpr uid_t kOtherUser = 65534;  // "nobody"
constexpr gid_t kOtherGroup = 65534;

// Runs `body` in a child process that `kill` bytes of writing into it
// ends as SIGKILL would. True when it was killed so.
bool KilledDuring(int64_t kill, const std::function<void()>& body) {
  const pid_t child = ::fork();
  if (child == 0) {
    platform::SetWriteKillForTests(kill);
    body();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// A process number that no process has any more.
long EndedProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec)) names.insert(e.path().filename().string());
  return names;
}

std::string Read(const fs::path& path) { return test::ReadWholeFile(path); }

void Write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class UnfinishedSaves : public testing::Test {
 protected:
  void SetUp() override {
    root = fs::path(temp.ConfigFolder()) / "files";
    markers = fs::path(temp.ConfigFolder()) / "markers";
    fs::create_directories(root);
  }
  void TearDown() override {
    platform::SetWriteKillForTests(-1);
    std::error_code ec;
    fs::permissions(root / "locked", fs::perms(0755), fs::perm_options::replace, ec);
  }
  AtomicWriteOptions Options(const std::string& backup = {}) const {
    AtomicWriteOptions options;
    options.markerFolder = markers.string();
    options.backupPath = backup;
    return options;
  }
  // A marker written by a run that has ended since.
  std::string MarkerOfEndedRun(const std::string& target, const std::string& copy, bool backup) const {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(platform::WriteUnfinishedSaveMarker(markers.string(), target, copy, backup).empty());
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const auto saves = platform::UnfinishedSaves(markers.string());
    return saves.empty() ? std::string() : saves.back().marker;
  }

  test::TempProgramFolder temp;
  fs::path root, markers;
};

TEST(TemporaryNames, OwnerIsReadFromTheNameOfItsFile) {
  struct Case {
    const char* entry;
    const char* name;  // the file it must be for; empty: any
    long owner;        // 0: not one of the program's temporary files
  };
  const Case cases[] = {
      {".doc.txt.nuvel-123-0badf00d.tmp", "doc.txt", 123},
      {".doc.txt.nuvel-123-0badf00d.tmp", "", 123},
      {".doc.txt.nuvel-123-0badf00d.tmp", "other.txt", 0},
      {".doc.txt.nuvel-123-0badf00d.tmp", "doc", 0},
      // A copy named after another temporary file, as older runs made them.
      {"..doc.txt.nuvel-5-aaaaaaaa.tmp.nuvel-77-bbbbbbbb.tmp", "", 77},
      {"..doc.txt.nuvel-5-aaaaaaaa.tmp.nuvel-77-bbbbbbbb.tmp", ".doc.txt.nuvel-5-aaaaaaaa.tmp", 77},
      // A name that holds the mark itself.
      {".a.nuvel-x.nuvel-12-ab.tmp", "a.nuvel-x", 12},
      {".a.nuvel-x.nuvel-12-ab.tmp", "", 12},
      {"doc.txt.nuvel-1-aaaaaaaa.tmp", "", 0},
      {".doc.txt.nuvel-12x-aaaaaaaa.tmp", "", 0},
      {".doc.txt.nuvel-12-.tmp", "", 0},
      {".doc.txt.nuvel--aaaaaaaa.tmp", "", 0},
      {".doc.txt.nuvel-12-aaaaaaaa.txt", "", 0},
      {".doc.txt.nuvel-12345678901-a.tmp", "", 0},
      {".nuvel-12-a.tmp", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.entry) + " for \"" + c.name + "\"");
    EXPECT_EQ(platform::TemporaryFileOwner(c.entry, c.name), c.owner);
  }
}

// A file with a second hard link is written in place. The run is killed
// after each of its steps in turn; what the next run finds, offers and
// leaves is checked, then a last save must leave nothing beside the file.
TEST_F(UnfinishedSaves, KillAtEachStepOfAnInPlaceSaveLosesNoText) {
  std::string oldText, newText;
  for (int i = 0; i < 400; ++i) oldText += "old line " + std::to_string(i) + "\n";
  for (int i = 0; i < 500; ++i) newText += "NEW LINE " + std::to_string(i) + "\n";
  const int64_t n = static_cast<int64_t>(newText.size());
  const int64_t o = static_cast<int64_t>(oldText.size());
  enum class After { Old, OldAndMarker, Mixture };
  struct Case {
    const char* step;
    int64_t kill;  // bytes written before the kill
    bool backup;
    After after;
  };
  const Case cases[] = {
      {"putting the new content together", n / 2, false, After::Old},
      {"copying the old content aside", n + o / 2, false, After::Old},
      {"the marker written, the file not yet touched", n + o, false, After::OldAndMarker},
      {"half the new content in the file", n + o + n / 2, false, After::Mixture},
      {"the backup made, the file not yet touched", n + o, true, After::OldAndMarker},
      {"half the new content in the file, with a backup", n + o + n / 2, true, After::Mixture},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    fs::remove_all(root);
    fs::remove_all(markers);
    fs::create_directories(root);
    const fs::path file = root / "doc.txt";
    const fs::path link = root / "link.txt";
    const fs::path backup = root / "doc.BAK";
    Write(file, oldText);
    fs::create_hard_link(file, link);
    const std::string backupPath = c.backup ? backup.string() : std::string();

    ASSERT_TRUE(KilledDuring(c.kill, [&] { ReplaceFileContents(file.string(), newText, Options(backupPath)); }));
    const std::string left = Read(file);
    const auto marked = platform::UnfinishedSaves(markers.string());
    switch (c.after) {
      case After::Old:
        EXPECT_EQ(left, oldText);
        EXPECT_TRUE(marked.empty());
        break;
      case After::OldAndMarker:
        EXPECT_EQ(left, oldText);
        ASSERT_EQ(marked.size(), 1u);
        break;
      case After::Mixture:
        EXPECT_NE(left, oldText);
        EXPECT_NE(left, newText);
        ASSERT_EQ(marked.size(), 1u);
        break;
    }
    if (!marked.empty()) {
      EXPECT_EQ(marked[0].target, file.string());
      EXPECT_EQ(marked[0].copyIsBackup, c.backup);
      EXPECT_EQ(Read(marked[0].copy), oldText) << "the copy is whole before the file is touched";
      if (c.backup) {
        EXPECT_EQ(marked[0].copy, backup.string());
      }
    }

    // The next opening, by either of its names: a file that holds its old
    // text has nothing to offer, and its marker and copy go.
    const auto offered = platform::UnfinishedSavesOf(markers.string(), link.string());
    if (c.after != After::Mixture) {
      EXPECT_TRUE(offered.empty());
      EXPECT_TRUE(platform::UnfinishedSaves(markers.string()).empty());
    } else {
      ASSERT_EQ(offered.size(), 1u);
      // Saves and sweeps meanwhile leave the only good text alone.
      Write(root / "other.txt", "x");
      ASSERT_TRUE(ReplaceFileContents((root / "other.txt").string(), "y", Options()).Ok());
      EXPECT_EQ(platform::SweepTemporaryFiles(root.string(), markers.string()), 1) << "the new content's only";
      ASSERT_TRUE(fs::exists(offered[0].copy));
      // Killed again while the old text goes back: the same copy is offered.
      const int64_t mixed = static_cast<int64_t>(Read(file).size());
      ASSERT_TRUE(KilledDuring(o + mixed + o / 2, [&] { platform::RestoreUnfinishedSave(offered[0], markers.string()); }));
      const auto again = platform::UnfinishedSavesOf(markers.string(), file.string());
      ASSERT_EQ(again.size(), 1u);
      EXPECT_EQ(again[0].copy, offered[0].copy);
      const platform::AtomicWriteResult restored = platform::RestoreUnfinishedSave(offered[0], markers.string());
      ASSERT_TRUE(restored.Ok()) << restored.error;
      EXPECT_EQ(Read(file), oldText);
      EXPECT_EQ(Read(link), oldText) << "restored in place: both names see it";
      EXPECT_EQ(fs::exists(offered[0].copy), c.backup) << "the copy goes unless it is the backup";
      EXPECT_TRUE(platform::UnfinishedSaves(markers.string()).empty());
      fs::remove(root / "other.txt");
    }

    // A save left alone removes whatever the killed one left beside.
    ASSERT_TRUE(ReplaceFileContents(file.string(), newText, Options(backupPath)).Ok());
    EXPECT_EQ(Read(link), newText);
    std::set<std::string> expected{"doc.txt", "link.txt"};
    if (c.backup) expected.insert("doc.BAK");
    EXPECT_EQ(Names(root), expected);
    EXPECT_TRUE(Names(markers).empty());
  }
}

// A file in a folder this user cannot write: the new content and the copy
// of the old are put together in the spare folder, where the copy a marker
// holds outlives the sweep and the others go.
TEST_F(UnfinishedSaves, KilledSaveInAFolderThatCannotBeWrittenKeepsItsCopyInTheSpareFolder) {
  const fs::path folder = root / "locked";
  const fs::path spare = root / "spare";
  const fs::path file = folder / "doc.txt";
  fs::create_directories(folder);
  fs::create_directories(spare);
  fs::create_directories(markers);
  Write(file, std::string(3000, 'o'));
  if (::geteuid() == 0) {
    for (const fs::path& p : {root, folder, spare, file, markers})
      ASSERT_EQ(::chown(p.c_str(), kOtherUser, kOtherGroup), 0);
    ASSERT_EQ(::chmod(fs::path(temp.ConfigFolder()).c_str(), 0755), 0);
  }
  fs::permissions(folder, fs::perms(0555), fs::perm_options::replace);
  const long ended = EndedProcess();
  const std::string strayName = platform::TemporaryNamePrefix("stray.txt") + std::to_string(ended) + "-0badf00d.tmp";
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(kOtherGroup) != 0 || ::setuid(kOtherUser) != 0)) ::_exit(3);
    AtomicWriteOptions options = Options();
    options.spareFolder = spare.string();
    const bool killed = KilledDuring(5000 + 3000 + 2500, [&] {
      ReplaceFileContents(file.string(), std::string(5000, 'n'), options);
    });
    if (!killed) ::_exit(4);
    const auto offered = platform::UnfinishedSavesOf(markers.string(), file.string());
    if (offered.size() != 1 ||
        fs::path(offered[0].copy).parent_path() != spare || Read(offered[0].copy) != std::string(3000, 'o'))
      ::_exit(5);
    // The temporary file of the new content, and another run's stray, go;
    // the copy stays until the user is asked.
    Write(spare / strayName, "stray");
    if (platform::SweepTemporaryFiles(spare.string(), markers.string()) != 2) ::_exit(6);
    if (Names(spare) != std::set<std::string>{fs::path(offered[0].copy).filename().string()}) ::_exit(7);
    // Declined: the file stays as it is and the copy goes.
    const std::string mixture = Read(file);
    platform::ForgetUnfinishedSave(offered[0]);
    if (Read(file) != mixture || !Names(spare).empty() || !Names(markers).empty()) ::_exit(8);
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  fs::permissions(folder, fs::perms(0755), fs::perm_options::replace);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the step that failed (see the exits above)";
}

TEST_F(UnfinishedSaves, MarkersCutShortOrLeftWithoutTheirCopyAreDropped) {
  const fs::path file = root / "doc.txt";
  Write(file, "mixture");
  fs::create_directories(markers);
  // A marker cut short by a kill: the save had not touched its file yet.
  const long ended = EndedProcess();
  const fs::path cut = markers / ("0123456789abcdef-" + std::to_string(ended) + "-00000000.save");
  const fs::path running = markers / ("0123456789abcdef-" + std::to_string(::getppid()) + "-00000000.save");
  for (const fs::path& p : {cut, running}) Write(p, "nuvel unfinished save\ntarget\t" + file.string() + "\n");
  EXPECT_TRUE(platform::UnfinishedSaves(markers.string()).empty());
  EXPECT_FALSE(fs::exists(cut));
  EXPECT_TRUE(fs::exists(running)) << "its process may still be writing it";
  fs::remove(running);

  // A copy someone removed: nothing to offer, and the marker goes too.
  const std::string gone = (root / "gone.tmp").string();
  ASSERT_FALSE(MarkerOfEndedRun(file.string(), gone, false).empty());
  EXPECT_TRUE(platform::UnfinishedSavesOf(markers.string(), file.string()).empty());
  EXPECT_TRUE(Names(markers).empty());
}

TEST_F(UnfinishedSaves, MarkerNamesAnyFileAndIsFoundByEachOfItsNames) {
  // Names with a line end, a tab and the escape sign come back as they were.
  const fs::path file = root / "odd\nname\t100%.txt";
  const fs::path link = root / "link.txt";
  const fs::path copy = root / "copy of\nit";
  Write(file, "mixture");
  Write(copy, "old text");
  fs::create_hard_link(file, link);
  ASSERT_FALSE(MarkerOfEndedRun(file.string(), copy.string(), false).empty());
  for (const fs::path& name : {file, link}) {
    SCOPED_TRACE(name.string());
    const auto offered = platform::UnfinishedSavesOf(markers.string(), name.string());
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].target, file.string());
    EXPECT_EQ(offered[0].copy, copy.string());
  }
  // Another file, and a running process's save of this one, are not offered.
  Write(root / "else.txt", "else");
  EXPECT_TRUE(platform::UnfinishedSavesOf(markers.string(), (root / "else.txt").string()).empty());
  ASSERT_FALSE(platform::WriteUnfinishedSaveMarker(markers.string(), file.string(), copy.string(), false).empty());
  EXPECT_EQ(platform::UnfinishedSavesOf(markers.string(), file.string()).size(), 1u);
}

}  // namespace
}  // namespace nuvel
