#include "formats/ebook_settings.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "formats/database_info.h"
#include "formats/doc_file.h"
#include "formats/palm_desktop.h"
#include "tests/formats/palm_file_builder.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

class EbookSettings : public ::testing::Test {
 protected:
  test::TempProgramFolder temp;
  std::string iniName = temp.Folder() + "docreader.ini";

  // A desktop in the program folder's "palm" with one user, "Dana" in "DanaF".
  void MakeDesktop() {
    std::filesystem::create_directories(temp.Path("palm"));
    std::string users(13, '\0');
    users[0] = 1;
    users += std::string("\x01\x00\x00\x00", 4) + "\x04" + "Dana" + "\x05" + "DanaF";
    temp.WriteFile("palm/users.dat", users);
    ASSERT_TRUE(SetPalmDesktopFolder(temp.Path("palm").string()));
  }
};

TEST_F(EbookSettings, DefaultsWithAndWithoutTheDesktop) {
  {
    TSettings s(iniName, nullptr);
    EXPECT_FALSE(s.DesktopFound);
    EXPECT_EQ(s.DefaultDirectory, temp.Folder());
    EXPECT_EQ(s.DocCheckDirectory, "");
    EXPECT_FALSE(s.BookmarkScan);
    EXPECT_FALSE(s.IntegrateWithDesktop);
    EXPECT_FALSE(s.ShowPeanutCodes);
  }
  MakeDesktop();
  TUserData desktop;
  TSettings s(iniName, &desktop);
  EXPECT_TRUE(s.DesktopFound);
  EXPECT_EQ(s.DefaultDirectory, temp.Folder());
  EXPECT_EQ(s.DocCheckDirectory, temp.Path("palm").string() + "/DanaF/Backup");
  EXPECT_TRUE(s.BookmarkScan);
  EXPECT_TRUE(s.IntegrateWithDesktop);
  EXPECT_TRUE(s.ShowPeanutCodes);
}

TEST_F(EbookSettings, StoredValuesAndWhatSaveWrites) {
  WriteRegString("Palm", "DefaultDirectory", "/books/");
  WriteRegString("Palm", "DocCheckDirectory", "/backup");
  WriteRegString("Palm", "BookmarkScan", "1");
  WriteRegString("Palm", "ShowPeanutCodes", "0");
  WriteRegString("Palm", "IntegrateWithDesktop", "1");
  TSettings s(iniName, nullptr);
  EXPECT_EQ(s.DefaultDirectory, "/books/");
  EXPECT_EQ(s.DocCheckDirectory, "/backup");
  EXPECT_TRUE(s.BookmarkScan) << "a stored switch holds without the desktop";
  EXPECT_FALSE(s.ShowPeanutCodes);
  EXPECT_FALSE(s.IntegrateWithDesktop) << "no add-on without a desktop";

  s.DefaultDirectory = "/other/";
  s.BookmarkScan = false;
  s.ShowPeanutCodes = true;
  s.DocCheckDirectory = "/elsewhere";
  s.Save();
  EXPECT_EQ(ReadRegString("Palm", "DefaultDirectory"), "/other/");
  EXPECT_EQ(ReadRegString("Palm", "BookmarkScan"), "0");
  EXPECT_EQ(ReadRegString("Palm", "IntegrateWithDesktop"), "0");
  EXPECT_EQ(ReadRegString("Palm", "ShowPeanutCodes"), "0") << "never written by the program";
  EXPECT_EQ(ReadRegString("Palm", "DocCheckDirectory"), "/backup");
}

TEST(DatabaseInfo, FieldsAndOneRowPerRecord) {
  test::TempProgramFolder temp;
  const auto bytes = test::BuildPalmFile("Info", "TEXtREAd", {{{1, 2, 3}, 0, 0}, {{4, 5}, 0, 0}, {{6}, 0, 0}});
  temp.WriteFile("i.pdb", test::AsString(bytes));
  TPalmPDB db(temp.Path("i.pdb").string(), 1);
  const auto fields = DatabaseFieldRows(db);
  ASSERT_EQ(fields.size(), 12u);
  EXPECT_EQ(fields[0], (std::pair<std::string, std::string>{"Records", "3"}));
  EXPECT_EQ(fields[1].second, "TEXt");
  EXPECT_EQ(fields[2].second, "REAd");
  EXPECT_EQ(fields[11].first, "ID Seed");
  const auto rows = DatabaseRecordRows(db);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0], (std::array<std::string, 3>{"Record", "Offset", "Size"}));
  const uint32_t first = 78 + 3 * 8;
  EXPECT_EQ(rows[1], (std::array<std::string, 3>{"1", std::to_string(first), "3"}));
  EXPECT_EQ(rows[3], (std::array<std::string, 3>{"3", std::to_string(first + 5), "1"}));
}

TEST(DatabaseInfo, DateText) {
  EXPECT_EQ(DateTimeText(0), "1899-12-30 00:00:00");
  EXPECT_EQ(DateTimeText(25569.5), "1970-01-01 12:00:00");
  EXPECT_EQ(DateTimeText(45351.0 + 3661.0 / 86400), "2024-02-29 01:01:01");
}

}  // namespace
}  // namespace nuvel
