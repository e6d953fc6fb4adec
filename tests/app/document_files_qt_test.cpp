// Documents and the files behind them: what is opened, what a failed load
// leaves, and what a save does to the file system.
#include <QApplication>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTest>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "app/mdi_child_qt.h"
#include "core/message_texts.h"
#include "editor/editor_widget_qt.h"
#include "editor/text_file_editor.h"
#include "platform/temporary_files.h"
#include "platform/unfinished_save.h"
#include "tests/support/document_windows_fixture_qt.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;

class DocumentFiles : public test::DocumentWindowsFixture {};

TEST_F(DocumentFiles, OnlyRegularFilesAreOpened) {
  const std::string folderName = PathOf("folder");
  fs::create_directory(folderName);
  const std::string pipe = PathOf("pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  struct Case {
    std::string name;
    const char* told;
  };
  const Case cases[] = {{folderName, "is a folder"}, {pipe, "is not a regular file"}, {"/dev/null", "is not a regular file"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sink.requests.clear();
    EXPECT_EQ(docs->OpenFile(c.name, 255, true), nullptr);
    EXPECT_TRUE(docs->Children().empty());
    EXPECT_EQ(docs->TabCtrl()->count(), 0);
    ASSERT_EQ(sink.requests.size(), 1u);
    EXPECT_NE(sink.requests[0].text.find(c.told), std::string::npos) << sink.requests[0].text;
    EXPECT_NE(sink.requests[0].text.find(c.name), std::string::npos) << "names the file";
  }
  EXPECT_TRUE(fs::is_fifo(pipe));
}

TEST_F(DocumentFiles, FileThatCannotBeReadLeavesNoWindowToSaveOverIt) {
  // A regular file whose reading fails: the kernel's view of this process's
  // memory fails at its first page, for every user; and, where the tests do
  // not run as the superuser, a file without read permission.
  std::vector<std::string> names = {"/proc/self/mem"};
  if (::geteuid() != 0) {
    const std::string locked = WriteFile("locked.txt", "keep me");
    fs::permissions(locked, fs::perms::none, fs::perm_options::replace);
    names.push_back(locked);
  }
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    sink.requests.clear();
    EXPECT_EQ(docs->OpenFile(name, 255, true), nullptr);
    EXPECT_TRUE(docs->Children().empty());
    EXPECT_EQ(docs->TabCtrl()->count(), 0);
    EXPECT_TRUE(ToldSomething("Cannot read the file " + FileNameInMessage(name))) << testing::PrintToString(Told());
  }
}

TEST_F(DocumentFiles, MissingNameStillGivesAnEmptyDocumentOfThatName) {
  // Open with a forced format takes names without looking: a missing one
  // is told and becomes a new document under that name.
  const std::string name = PathOf("new.txt");
  prompts.opens = {{name}};
  docs->OpenSpecial(1);
  ASSERT_EQ(docs->Children().size(), 1u);
  EXPECT_EQ(docs->Children()[0]->Caption(), name);
}

// Another program changes the file: its size changes, or at least its time.
void ChangeElsewhere(const std::string& name, const std::string& bytes) {
  const auto before = fs::last_write_time(name);
  std::ofstream(name, std::ios::binary) << bytes;
  fs::last_write_time(name, before + std::chrono::seconds(2));
}

TEST_F(DocumentFiles, ReadOnlyFileIsNotWrittenAndSaveAsIsOffered) {
  const std::string name = WriteFile("ro.txt", "keep\r\n");
  fs::permissions(name, fs::perms(0444), fs::perm_options::replace);
  TMDIChild* c = docs->OpenFile(name, 255, false);
  ASSERT_NE(c, nullptr);
  QTest::keyClicks(c->Editor(), "new ");
  sink.requests.clear();
  // Declined: nothing is written and the document stays modified.
  sink.answers = {platform::mrNo};
  EXPECT_FALSE(docs->SaveChild(*c));
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_NE(sink.requests[0].text.find("is read-only and was not changed"), std::string::npos);
  EXPECT_TRUE(c->Doc().Modified());
  // Accepted: the document goes to the name chosen in the save dialog.
  const std::string other = PathOf("copy.txt");
  sink.answers = {platform::mrYes};
  prompts.saves = {other};
  EXPECT_TRUE(docs->SaveChild(*c));
  EXPECT_EQ(test::ReadWholeFile(name), "keep\r\n");
  EXPECT_EQ(test::ReadWholeFile(other), "new keep\r\n");
  EXPECT_EQ(c->Caption(), other);
  EXPECT_FALSE(c->Doc().Modified());
}

TEST_F(DocumentFiles, FileChangedByAnotherProgramIsNotOverwrittenWithoutAsking) {
  struct Case {
    const char* what;
    const char* external;  // what the other program wrote
    platform::ModalResult answer;
    const char* after;
  };
  const Case cases[] = {
      {"line appended, kept", "one\r\nappended\r\n", platform::mrNo, "one\r\nappended\r\n"},
      {"same size, kept", "ONE\r\n", platform::mrNo, "ONE\r\n"},
      {"line appended, replaced", "one\r\nappended\r\n", platform::mrYes, "x one\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string name = WriteFile(std::string(c.what).substr(0, 4) + std::to_string(c.answer) + ".txt", "one\r\n");
    TMDIChild* child = docs->OpenFile(name, 255, false);
    ASSERT_NE(child, nullptr);
    QTest::keyClicks(child->Editor(), "x ");
    ChangeElsewhere(name, c.external);
    sink.requests.clear();
    sink.answers = {c.answer};
    EXPECT_EQ(docs->SaveChild(*child), c.answer == platform::mrYes);
    ASSERT_EQ(sink.requests.size(), 1u);
    EXPECT_NE(sink.requests[0].text.find("has been changed by another program"), std::string::npos);
    EXPECT_EQ(test::ReadWholeFile(name), c.after);
    EXPECT_EQ(child->Doc().Modified(), c.answer != platform::mrYes);
    // Autosave asks no more about a change already answered.
    sink.requests.clear();
    if (c.answer == platform::mrNo) {
      EXPECT_FALSE(docs->MayReplaceFile(*child, name, true));
      EXPECT_TRUE(sink.requests.empty());
    }
  }
}

TEST_F(DocumentFiles, UnmodifiedDocumentIsOfferedTheChangedFile) {
  const std::string name = WriteFile("watched.txt", "first\r\n");
  TMDIChild* c = docs->OpenFile(name, 255, false);
  ASSERT_NE(c, nullptr);
  ChangeElsewhere(name, "second version\r\n");
  sink.requests.clear();
  sink.answers = {platform::mrYes};
  docs->CheckActiveFile();
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_NE(sink.requests[0].text.find("has been changed by another program. Load it again?"), std::string::npos);
  EXPECT_EQ(c->Doc().Text(), "second version\r\n");
  EXPECT_FALSE(c->Doc().Modified());
  // Once loaded again it is as on disk: nothing more is asked.
  docs->CheckActiveFile();
  EXPECT_EQ(sink.requests.size(), 1u);
  // Declined, the same change is not offered again; a modified document is never offered.
  ChangeElsewhere(name, "third\r\n");
  sink.answers = {platform::mrNo};
  docs->CheckActiveFile();
  docs->CheckActiveFile();
  EXPECT_EQ(sink.requests.size(), 2u);
  EXPECT_EQ(c->Doc().Text(), "second version\r\n");
  QTest::keyClicks(c->Editor(), "typed ");
  ChangeElsewhere(name, "fourth\r\n");
  docs->CheckActiveFile();
  EXPECT_EQ(sink.requests.size(), 2u);
}

// A save into the file was cut off (the program was killed while it wrote
// the file in place): opening it names the copy that holds its text from
// before that save and offers to put that text back; either answer ends the
// matter, and the copy goes unless it is the user's backup file.
TEST_F(DocumentFiles, FileWhoseSaveWasCutOffIsOfferedItsTextFromBefore) {
  struct Case {
    const char* what;
    bool backup;  // the copy is the backup file the save made
    platform::ModalResult answer;
    bool restored;
  };
  const Case cases[] = {
      {"restored", false, platform::mrYes, true},
      {"declined", false, platform::mrNo, false},
      {"restored from the backup", true, platform::mrYes, true},
      {"declined, the backup stays", true, platform::mrNo, false},
  };
  const std::string oldText = "old text\r\n", mixture = "NEW TEold text\r\n";
  const std::string markers = platform::UnfinishedSaveFolder();
  int number = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string base = "doc" + std::to_string(++number);
    const std::string name = WriteFile(base + ".txt", mixture);
    const pid_t run = ::fork();
    if (run == 0) ::_exit(0);
    ::waitpid(run, nullptr, 0);
    const std::string copy =
        c.backup ? WriteFile(base + ".BAK", oldText)
                 : WriteFile(platform::TemporaryNamePrefix(base + ".txt") + std::to_string(run) + "-0badf00d.tmp", oldText);
    // The marker, as the killed run left it.
    const pid_t saver = ::fork();
    if (saver == 0) ::_exit(platform::WriteUnfinishedSaveMarker(markers, name, copy, c.backup).empty());
    int status = 0;
    ::waitpid(saver, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    sink.requests.clear();
    sink.answers = {c.answer};
    TMDIChild* child = docs->OpenFile(name, 255, false);
    ASSERT_NE(child, nullptr);
    // The offer comes first, before the document's window is made.
    ASSERT_FALSE(sink.requests.empty());
    const std::string& offer = sink.requests[0].text;
    EXPECT_NE(offer.find("The last save of " + FileNameInMessage(name) + " was cut off"), std::string::npos) << offer;
    EXPECT_NE(offer.find(FileNameInMessage(copy)), std::string::npos) << offer;
    EXPECT_EQ(sink.requests[0].buttons, platform::mbYes | platform::mbNo);
    const std::string expected = c.restored ? oldText : mixture;
    EXPECT_EQ(test::ReadWholeFile(name), expected);
    EXPECT_EQ(child->Doc().Text(), expected) << "the document shows the file as it is after the answer";
    EXPECT_EQ(fs::exists(copy), c.backup);
    EXPECT_TRUE(platform::UnfinishedSaves(markers).empty());
    // Answered once: the next opening asks nothing.
    const size_t asked = sink.requests.size();
    docs->OfferUnfinishedSaves(name);
    EXPECT_EQ(sink.requests.size(), asked);
  }
}

}  // namespace
}  // namespace nuvel
