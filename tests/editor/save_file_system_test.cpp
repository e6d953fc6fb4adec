// A document's save on a real file system, as the editor does it: links,
// read-only files, a full disk, a folder that went away, what the message
// says, and the backup copy a load may ask for.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/exceptions.h"
#include "core/message_texts.h"
#include "editor/heb_text_editor.h"
#include "editor/save_document.h"
#include "platform/atomic_file.h"
#include "tests/formats/formats_test_support.h"

namespace nuvel::test {
namespace {

namespace fs = std::filesystem;

class SaveFileSystem : public FormatsTest {
 protected:
  void TearDown() override {
    platform::SetWriteSpaceLimitForTests(-1);
    FormatsTest::TearDown();
  }
  TSaveRequest Request(const fs::path& name, const char* text = "new text") {
    TSaveRequest r;
    r.fileName = name.string();
    r.text = {B(text)};
    r.wrap = TWrapSettings{80, 8};
    return r;
  }
  static bool Says(const TSaveResult& r, const std::string& part) { return r.message.find(part) != std::string::npos; }
};

TEST_F(SaveFileSystem, LinksAreKept) {
  const fs::path target = WriteTemp("target.txt", "old\r\n");
  const fs::path link = temp_.Path("link.txt");
  fs::create_symlink("target.txt", link);
  const fs::path hard = temp_.Path("hard.txt");
  fs::create_hard_link(target, hard);
  EXPECT_EQ(SaveDocument(Request(link, "through the link")).status, TSaveStatus::Saved);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(target), "through the link\r\n");
  EXPECT_EQ(ReadWholeFile(hard), "through the link\r\n") << "the hard link sees it too";
  EXPECT_EQ(SaveDocument(Request(hard, "through the hard link")).status, TSaveStatus::Saved);
  EXPECT_EQ(ReadWholeFile(target), "through the hard link\r\n");
  EXPECT_EQ(fs::hard_link_count(target), 2u);
}

TEST_F(SaveFileSystem, FailuresLeaveTheFileAndSayWhy) {
  const fs::path readOnly = WriteTemp("ro.txt", "read only\r\n");
  fs::permissions(readOnly, fs::perms(0444), fs::perm_options::replace);
  const fs::path full = WriteTemp("full.txt", "old\r\n");
  fs::create_directories(temp_.Path("gone"));
  fs::remove(temp_.Path("gone"));
  struct Case {
    const char* what;
    fs::path name;
    int64_t space;  // writes possible; -1 unlimited
    TSaveStatus status;
    const char* says;
    const char* before;  // the file before; nullptr: none
  };
  const Case cases[] = {
      {"read-only file", readOnly, -1, TSaveStatus::ReadOnly, "is read-only and was not changed", "read only\r\n"},
      {"disk full", full, 3, TSaveStatus::WriteFailed, "the disk is full. The file is as it was.", "old\r\n"},
      {"removed folder", temp_.Path("gone/doc.txt"), -1, TSaveStatus::WriteFailed, "does not exist", nullptr},
      {"name too long", temp_.Path(std::string(300, 'n') + ".txt"), -1, TSaveStatus::WriteFailed,
       "the name is too long", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    platform::SetWriteSpaceLimitForTests(c.space);
    const TSaveResult r = SaveDocument(Request(c.name));
    platform::SetWriteSpaceLimitForTests(-1);
    EXPECT_EQ(r.status, c.status);
    EXPECT_TRUE(Says(r, c.says)) << r.message;
    EXPECT_TRUE(Says(r, FileNameInMessage(c.name.string()))) << r.message;
    if (c.before) {
      EXPECT_EQ(ReadWholeFile(c.name), c.before);
    }
  }
}

TEST_F(SaveFileSystem, MessagesSayWhatBecameOfTheBackup) {
  // The backup copy of a file with two links is a copy, which a full disk
  // can stop; the earlier backup then stays and nothing is saved.
  const fs::path file = WriteTemp("doc.txt", std::string(3000, 'o'));
  fs::create_hard_link(file, temp_.Path("other-name.txt"));
  WriteTemp("doc.BAK", "earlier backup");
  TSaveRequest r = Request(file);
  r.makeBackup = true;
  r.backupExt = "BAK";
  platform::SetWriteSpaceLimitForTests(500);
  TSaveResult result = SaveDocument(r);
  EXPECT_EQ(result.status, TSaveStatus::WriteFailed);
  EXPECT_TRUE(Says(result, "The backup copy " + FileNameInMessage(temp_.Path("doc.BAK").string()) +
                               " could not be made: the disk is full. The earlier backup copy is as it was"))
      << result.message;
  EXPECT_EQ(temp_.ReadFile("doc.BAK"), "earlier backup");
  // The new text does not fit: the backup was not reached and is as it was.
  fs::remove(temp_.Path("other-name.txt"));
  platform::SetWriteSpaceLimitForTests(4);
  result = SaveDocument(r);
  EXPECT_TRUE(Says(result, "the disk is full. The file is as it was. The backup copy " +
                               FileNameInMessage(temp_.Path("doc.BAK").string()) + " is as it was."))
      << result.message;
  platform::SetWriteSpaceLimitForTests(-1);
  EXPECT_EQ(temp_.ReadFile("doc.txt"), std::string(3000, 'o'));
  EXPECT_EQ(temp_.ReadFile("doc.BAK"), "earlier backup");
}

TEST_F(SaveFileSystem, BackupAskedForOneSaveIsMadeOnce) {
  // A load that changed what the file holds asks for a backup of the file
  // as it was, whatever the backup option says: the first save keeps it,
  // later saves leave it alone.
  const std::string name = WriteTemp("doc.txt", "as it was on disk\r\n");
  THebTextEditor e;
  e.LoadFromFile(name);
  e.SetBackupOnNextSave(true);
  e.SaveToFile(name);
  EXPECT_EQ(temp_.ReadFile("doc.BAK"), "as it was on disk\r\n");
  EXPECT_FALSE(e.BackupOnNextSave());
  e.SaveToFile(name);
  EXPECT_EQ(temp_.ReadFile("doc.BAK"), "as it was on disk\r\n");
}

// A document read as UTF-8 and saved as the system's Windows format is that
// file from then on: a later Save As a text file writes no UTF-8 either.
TEST_F(SaveFileSystem, TheDocumentTakesTheFormItWasSavedIn) {
  SetConvMode(2);
  const std::string name = WriteTemp("doc.txt", "\xD7\x90 a\n");
  THebTextEditor e;
  e.LoadFromFile(name);
  EXPECT_EQ(e.TextForm(), TTextForm::Utf8);
  e.SaveToFile(temp_.Path("copy.txt").string());
  EXPECT_EQ(temp_.ReadFile("copy.txt"), "\xD7\x90 a\n");
  e.SaveToFile(temp_.Path("doc.nvw").string());
  EXPECT_EQ(e.TextForm(), TTextForm::Bytes);
  e.SaveToFile(temp_.Path("again.txt").string());
  EXPECT_EQ(temp_.ReadFile("again.txt"), "\xE0 a\n");
}

TEST_F(SaveFileSystem, EditorKnowsTheFileAsItWasReadAndWritten) {
  const std::string name = WriteTemp("doc.txt", "text\r\n");
  THebTextEditor e;
  e.LoadFromFile(name);
  EXPECT_EQ(e.DiskStamp(), platform::StampOfFile(name));
  e.SaveToFile(name);
  EXPECT_EQ(e.DiskStamp(), platform::StampOfFile(name)) << "the stamp follows the save";
  // A read-only file: the editor's error says so and can be told apart.
  fs::permissions(name, fs::perms(0444), fs::perm_options::replace);
  try {
    e.SaveToFile(name);
    FAIL() << "a read-only file was written";
  } catch (const EFileWriteError& error) {
    EXPECT_TRUE(error.ReadOnly());
  }
}

// A large document is written part by part: a disk that fills in the middle
// leaves the file and its backup as they were and no temporary file beside
// them; with room again the save writes it whole.
TEST_F(SaveFileSystem, FullDiskInTheMiddleOfALargeSave) {
  std::string old;
  for (int i = 0; i < 40000; ++i) old += "paragraph " + std::to_string(i) + " of the old text\r\n";
  const std::string name = WriteTemp("big.txt", old);
  WriteTemp("big.BAK", "earlier backup");
  THebTextEditor e;
  e.LoadFromFile(name);
  e.SetMakeBackup(true);
  e.SetCaretPosition(1, 1);
  e.InsertText(B("new "));
  const std::string edited = "new " + old;
  for (const int64_t space : {int64_t{300000}, int64_t{262144}, int64_t{1000000}}) {
    SCOPED_TRACE(space);
    platform::SetWriteSpaceLimitForTests(space);
    EXPECT_THROW(e.SaveToFile(name), EFileWriteError);
    platform::SetWriteSpaceLimitForTests(-1);
    EXPECT_EQ(ReadWholeFile(name), old);
    EXPECT_EQ(temp_.ReadFile("big.BAK"), "earlier backup");
    std::string left;
    for (const auto& entry : fs::directory_iterator(temp_.Folder())) {
      const std::string file = entry.path().filename().string();
      if (file.find("nuvel-") != std::string::npos) left += file + " ";
    }
    EXPECT_EQ(left, "") << "no temporary file is left";
    EXPECT_TRUE(e.Modified());
  }
  e.SaveToFile(name);
  EXPECT_EQ(ReadWholeFile(name), edited);
  EXPECT_EQ(temp_.ReadFile("big.BAK"), old);
  EXPECT_FALSE(e.Modified());
}

}  // namespace
}  // namespace nuvel::test
