// Documents and the files behind them: what is opened, what a failed load
// leaves, and what a save does to the file system.
#include <QApplication>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "app/mdi_child_qt.h"
#include "core/message_texts.h"
#include "editor/text_file_editor.h"
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

}  // namespace
}  // namespace nuvel
