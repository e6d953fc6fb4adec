#include "formats/palm_desktop.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/registry_store.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using Bytes = std::vector<uint8_t>;

struct UserRecord {
  uint16_t id;
  std::string name;
  std::string folder;
  Bytes tail;  // the desktop's own data that follows, before 0x01 0x80
};

void AppendCounted(Bytes& b, const std::string& s) {
  b.push_back(static_cast<uint8_t>(s.size()));
  b.insert(b.end(), s.begin(), s.end());
}

// A users file laid out by hand: the count, 12 bytes of the desktop's own,
// then each record; every record but the last ends with 0x01 0x80.
Bytes UsersFile(const std::vector<UserRecord>& users, int count = -1) {
  Bytes b(13, 0xEE);
  b[0] = static_cast<uint8_t>(count < 0 ? users.size() : static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < users.size(); ++i) {
    const UserRecord& u = users[i];
    b.push_back(static_cast<uint8_t>(u.id & 0xFF));
    b.push_back(static_cast<uint8_t>(u.id >> 8));
    b.push_back(0x55);
    b.push_back(0x66);
    AppendCounted(b, u.name);
    AppendCounted(b, u.folder);
    b.insert(b.end(), u.tail.begin(), u.tail.end());
    if (i + 1 < users.size()) {
      b.push_back(0x01);
      b.push_back(0x80);
    }
  }
  return b;
}

TEST(PalmUsersFile, ReadsUsersAndSurvivesDamage) {
  const std::string forty(40, 'n');
  const Bytes three = UsersFile({{7, "Dana", "DanaF", {0x01, 0x02, 0x80}},
                                 {300, "Avi Cohen", "CohenA", {}},
                                 {0xBEEF, "Last", "LastF", {9, 9}}});
  Bytes cut = three;
  cut.resize(cut.size() - 9);  // inside the third user's name
  Bytes longLength = UsersFile({{1, "Ok", "OkF", {}}, {2, "Bad", "BadF", {}}});
  longLength[longLength.size() - 9] = 250;  // second user's name length runs past the end
  struct Case {
    const char* what;
    Bytes bytes;
    std::vector<TPalmUser> expected;
  } cases[] = {
      {"empty file", {}, {}},
      {"count 0", UsersFile({}, 0), {}},
      {"one user", UsersFile({{42, "Miriam", "MiriamL", {0, 0, 0}}}), {{42, "Miriam", "MiriamL"}}},
      {"three users, a false 0x80 before the pair",
       three,
       {{7, "Dana", "DanaF"}, {300, "Avi Cohen", "CohenA"}, {0xBEEF, "Last", "LastF"}}},
      {"40-character name and folder cut to 31",
       UsersFile({{5, forty, forty, {}}}),
       {{5, std::string(31, 'n'), std::string(31, 'n')}}},
      {"cut inside a record", cut, {{7, "Dana", "DanaF"}, {300, "Avi Cohen", "CohenA"}}},
      {"count larger than the records", UsersFile({{1, "A", "FA", {}}}, 200), {{1, "A", "FA"}}},
      {"a length past the end", longLength, {{1, "Ok", "OkF"}}},
      {"header only", Bytes(13, 3), {}},
      {"shorter than the header", Bytes{4, 1, 2}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParsePalmUsersFile(c.bytes), c.expected) << c.what;
}

// Without the pair after the first record the next one cannot be found.
TEST(PalmUsersFile, NoPairMeansOneUser) {
  Bytes b = UsersFile({{1, "One", "F1", {}}, {2, "Two", "F2", {}}});
  b.erase(b.begin() + 13 + 4 + 4 + 3, b.begin() + 13 + 4 + 4 + 3 + 2);
  const auto users = ParsePalmUsersFile(b);
  ASSERT_EQ(users.size(), 1u);
  EXPECT_EQ(users[0].Name, "One");
}

class PalmDesktop : public ::testing::Test {
 protected:
  test::TempProgramFolder temp;
  std::filesystem::path desktop = temp.Path("palm");

  void SetUpDesktop(const char* root, const Bytes& users, const std::string& last = "") {
    std::filesystem::create_directories(desktop);
    if (!users.empty()) temp.WriteFile("palm/users.dat", std::string(users.begin(), users.end()));
    platform::RegistryStore store;
    store.WriteString(std::string(root) + "\\Pilot Desktop\\Core", "Path", desktop.string());
    if (!last.empty()) store.WriteString(std::string(root) + "\\Pilot Desktop\\Preferences", "LastUserName", last);
  }
  std::optional<int32_t> Flag(const char* root, const std::string& value) {
    platform::RegistryStore store;
    return store.ReadInteger(std::string(root) + "\\Pilot Desktop\\HotSync Manager", value);
  }
};

TEST_F(PalmDesktop, NoRootKeyMeansNoDesktop) {
  EXPECT_THROW(TUserData(), EPalmDesktopError);
  EXPECT_THROW(IntegrateWithDesktop("/p/nuvel"), EPalmDesktopError);
  EXPECT_THROW(RemoveFromDesktop(), EPalmDesktopError);
  EXPECT_EQ(PalmDesktopRoot(), "");
}

TEST_F(PalmDesktop, UsersFoundUnderPalmComputingWithLastUser) {
  SetUpDesktop(kPalmRootPalm, UsersFile({{3, "Dana", "DanaF", {}}, {9, "Avi", "AviF", {}}}), "Avi");
  TUserData data;
  EXPECT_EQ(data.Count(), 2);
  EXPECT_EQ(data.LastUserIndex(), 1);
  EXPECT_EQ(data.DesktopPath(), desktop.string());
  EXPECT_EQ(data.UserID(0), 3);
  EXPECT_EQ(data.UserName(1), "Avi");
  EXPECT_EQ(data.UserFolder(1), "AviF");
  for (int bad : {-1, 2, 100}) {
    EXPECT_EQ(data.UserID(bad), 0);
    EXPECT_EQ(data.UserName(bad), "");
    EXPECT_EQ(data.UserFolder(bad), "");
  }
}

TEST_F(PalmDesktop, MissingOrUnreadableUsersFileGivesNoUsers) {
  SetUpDesktop(kPalmRootRobotics, {});
  EXPECT_EQ(TUserData().Count(), 0);
  std::filesystem::create_directories(desktop / "users.dat");  // a folder where the file would be
  TUserData data;
  EXPECT_EQ(data.Count(), 0);
  EXPECT_EQ(data.LastUserIndex(), 0);
  temp.WriteFile("doc.pdb", "book");
  EXPECT_FALSE(data.InstallFile(0, temp.Path("doc.pdb").string()));
}

TEST_F(PalmDesktop, InstallTwiceReplacesTheCopyAndSetsTheFlagAgain) {
  SetUpDesktop(kPalmRootRobotics, UsersFile({{12, "Dana", "DanaF", {}}}));
  temp.WriteFile("book.pdb", "first");
  TUserData data;
  ASSERT_TRUE(data.InstallFile(0, temp.Path("book.pdb").string()));
  const auto copy = desktop / "DanaF" / "Install" / "book.pdb";
  EXPECT_EQ(test::ReadWholeFile(copy), "first");
  EXPECT_EQ(Flag(kPalmRootRobotics, "Install12"), 1);
  {
    platform::RegistryStore store;  // the desktop takes the file and clears its flag
    store.WriteInteger(std::string(kPalmRootRobotics) + "\\Pilot Desktop\\HotSync Manager", "Install12", 0);
  }
  temp.WriteFile("book.pdb", "second, longer");
  ASSERT_TRUE(data.InstallFile(0, temp.Path("book.pdb").string()));
  EXPECT_EQ(test::ReadWholeFile(copy), "second, longer");
  EXPECT_EQ(Flag(kPalmRootRobotics, "Install12"), 1);
}

TEST_F(PalmDesktop, InstallRefusals) {
  SetUpDesktop(kPalmRootPalm, UsersFile({{1, "Up", "..", {}}, {2, "Ok", "OkF", {}}}));
  temp.WriteFile("book.pdb", "x");
  const std::string book = temp.Path("book.pdb").string();
  TUserData data;
  EXPECT_FALSE(data.InstallFile(-1, book));
  EXPECT_FALSE(data.InstallFile(2, book));
  EXPECT_FALSE(data.InstallFile(0, book)) << "a folder outside the desktop's";
  EXPECT_FALSE(data.InstallFile(1, temp.Path("missing.pdb").string()));
  EXPECT_FALSE(Flag(kPalmRootPalm, "Install2").has_value()) << "a failed copy leaves the flag alone";
  EXPECT_FALSE(std::filesystem::exists(desktop.parent_path() / "Install"));
}

TEST_F(PalmDesktop, IntegrateThenRemove) {
  SetUpDesktop(kPalmRootRobotics, {});
  IntegrateWithDesktop("/opt/nuvel/nuvel");
  const std::string key = std::string(kPalmRootRobotics) + "\\Pilot Desktop\\ApplicationNuvel";
  {
    platform::RegistryStore store;
    EXPECT_EQ(store.ReadString(key, "Arguments"), "-Desktop");
    EXPECT_EQ(store.ReadInteger(key, "Creator"), 1911691836);
    EXPECT_EQ(store.ReadInteger(key, "Integrate"), 1);
    EXPECT_EQ(store.ReadString(key, "Name"), "Nuvel");
    EXPECT_EQ(store.ReadString(key, "Module"), "/opt/nuvel/nuvel");
  }
  RemoveFromDesktop();
  platform::RegistryStore store;
  EXPECT_FALSE(store.KeyExists(key));
  EXPECT_TRUE(store.KeyExists(std::string(kPalmRootRobotics) + "\\Pilot Desktop\\Core"));
}

TEST_F(PalmDesktop, ChosenFolderMakesTheDesktop) {
  EXPECT_EQ(PalmDesktopFolder(), "");
  ASSERT_TRUE(SetPalmDesktopFolder("/home/u/Palm"));
  EXPECT_EQ(PalmDesktopRoot(), kPalmRootPalm);
  EXPECT_EQ(PalmDesktopFolder(), "/home/u/Palm");
  EXPECT_EQ(TUserData().DesktopPath(), "/home/u/Palm");
}

}  // namespace
}  // namespace nuvel
