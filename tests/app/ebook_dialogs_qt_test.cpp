// The e-book dialogs as forms: what they show of an e-book, the settings
// and the users, and what they hand back.
#include "app/ebook_dialogs_qt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "formats/doc_file.h"
#include "formats/ebook_settings.h"
#include "tests/formats/palm_file_builder.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

TEST(EbookDialogs, DatabaseInformationShowsFieldsRecordsAndEditsOnlyWhenAllowed) {
  test::TempProgramFolder temp;
  const std::string path = temp.Path("d.pdb").string();
  TDocFile book = TDocFile::CreateNew(path, true, "Shown name");
  book.AddBookmark("Mark", 0, -1, -1);
  book.Save("one line");  // description, one text record, one bookmark
  TDocFile read(path);
  TfrmDatabaseInfo form;
  form.Refresh(read, true);
  EXPECT_EQ(form.edDBName->text(), "Shown name");
  EXPECT_EQ(form.txDBFileSize->text(), QString::number(read.FileSize) + " bytes");
  EXPECT_TRUE(form.cbCompressed->isChecked());
  EXPECT_TRUE(form.cbBackup->isChecked());
  EXPECT_EQ(form.sgMoreInfo->rowCount(), 12);
  EXPECT_EQ(form.sgMoreInfo->item(0, 1)->text(), "3");
  ASSERT_EQ(form.sgRecInfo->rowCount(), 4) << "a header row and three records";
  EXPECT_EQ(form.sgRecInfo->item(3, 0)->text(), "3");
  EXPECT_EQ(form.sgRecInfo->item(3, 2)->text(), "20");
  form.edDBName->setText("New name");
  form.cbReadOnly->setChecked(true);
  form.cbCompressed->setChecked(false);
  const DatabaseInfoChoice c = form.Choice();
  EXPECT_EQ(c.name, "New name");
  EXPECT_TRUE(c.readOnly);
  EXPECT_FALSE(c.compressed);
  form.Refresh(read, false);
  EXPECT_FALSE(form.edDBName->isEnabled());
  EXPECT_FALSE(form.cbCompressed->isEnabled());
  EXPECT_FALSE(form.cbNoBeam->isEnabled());
}

TEST(EbookDialogs, SettingsShowTheValuesAndPickedFoldersEndInASlash) {
  test::TempProgramFolder temp;
  temp.CopyShippedFile("NuvStr.DLL");
  TSettings s(temp.Folder() + "docreader.ini", nullptr);
  s.DefaultDirectory = "/books";
  s.BookmarkScan = true;
  TfrmSettings form;
  form.Prepare(s, "/palm/desktop");
  EXPECT_EQ(form.edDefaultDir->text(), "/books");
  EXPECT_TRUE(form.cbBookmarkScan->isChecked());
  EXPECT_FALSE(form.cbIntegrate->isEnabled()) << "no desktop";
  EXPECT_EQ(form.edDesktopDir->text(), "/palm/desktop");
  std::vector<std::string> asked;
  form.PickFolder = [&](const std::string& title, const std::string& start) -> std::optional<std::string> {
    asked.push_back(title + "|" + start);
    return std::string("/chosen");
  };
  form.pbSelectDirClick();
  EXPECT_EQ(form.edDefaultDir->text(), "/chosen/");
  form.pbSelectDesktopClick();
  EXPECT_EQ(form.edDesktopDir->text(), "/chosen");
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], "Select default Doc directory|/books");
  form.PickFolder = [](const std::string&, const std::string&) -> std::optional<std::string> { return std::nullopt; };
  form.pbSelectDirClick();
  EXPECT_EQ(form.edDefaultDir->text(), "/chosen/") << "cancelled: unchanged";
  const EbookSettingsChoice c = form.Choice();
  EXPECT_EQ(c.defaultDirectory, "/chosen/");
  EXPECT_EQ(c.desktopFolder, "/chosen");
  EXPECT_TRUE(c.bookmarkScan);
  EXPECT_EQ(WithTrailingSlash(""), "");
  EXPECT_EQ(WithTrailingSlash("/a/"), "/a/");
}

TEST(EbookDialogs, BookmarkListAndUsers) {
  TfrmBookmark marks;
  marks.FillBookmarkList({"One", "Two"});
  marks.FillBookmarkList({"Three"});
  ASSERT_EQ(marks.lbBookmarks->count(), 1) << "filled again, not added to";
  EXPECT_EQ(marks.lbBookmarks->item(0)->text(), "Three");

  TfrmUser users;
  users.Fill({"Avi", "Dana", "Noa"}, 1);
  EXPECT_TRUE(users.cbUsers->isEnabled());
  EXPECT_EQ(users.cbUsers->count(), 3);
  EXPECT_EQ(users.cbUsers->currentIndex(), 1);
  users.Fill({}, 0);
  EXPECT_FALSE(users.cbUsers->isEnabled());
  EXPECT_EQ(users.cbUsers->count(), 0);
}

}  // namespace
}  // namespace nuvel
