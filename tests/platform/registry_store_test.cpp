#include "platform/registry_store.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using platform::RegistryRoot;
using platform::RegistryStore;
using platform::RegistryValue;

TEST(RegistryStore, LivesInOneFileUnderTheUserConfigFolder) {
  test::TempProgramFolder temp;
  EXPECT_EQ(RegistryStore::DefaultFile(), std::filesystem::path(temp.ConfigFolder()) / "nuvel" / "registry.reg");
  { RegistryStore().WriteString("Software\\X", "v", "1"); }
  EXPECT_TRUE(std::filesystem::exists(RegistryStore::DefaultFile()));
}

TEST(RegistryStore, ValuesSurviveAReloadWithTheirTypes) {
  test::TempProgramFolder temp;
  const std::string odd = std::string("quote\" back\\slash tab\t cr\r lf\n nul") + '\0' + "\xE0\xFA end";
  {
    RegistryStore store;
    EXPECT_TRUE(store.WriteString("Software\\A\\B", "text", odd));
    EXPECT_TRUE(store.WriteInteger("Software\\A\\B", "number", -5));
    EXPECT_TRUE(store.WriteString("Software\\A\\B", "", "default"));
    EXPECT_TRUE(store.WriteInteger("Software\\A", "max", 0x7FFFFFFF));
    EXPECT_TRUE(store.CreateKey("Software\\Empty\\Key"));
  }
  RegistryStore store;
  EXPECT_EQ(store.ReadString("software\\a\\b", "TEXT"), odd);
  EXPECT_EQ(store.ReadInteger("Software\\A\\B", "number"), -5);
  EXPECT_EQ(store.ReadString("Software\\A\\B", ""), "default");
  EXPECT_EQ(store.ReadInteger("Software\\A", "max"), 0x7FFFFFFF);
  EXPECT_TRUE(store.KeyExists("Software\\Empty\\Key"));
  // A value is read only as the type it was written with.
  EXPECT_EQ(store.ReadString("Software\\A\\B", "number"), std::nullopt);
  EXPECT_EQ(store.ReadInteger("Software\\A\\B", "text"), std::nullopt);
  EXPECT_EQ(store.KeyNames("Software\\A"), (std::vector<std::string>{"B"}));
  EXPECT_EQ(store.ValueNames("Software\\A\\B"), (std::vector<std::string>{"text", "number", ""}));
}

TEST(RegistryStore, NamesCompareWithoutCaseAndKeepTheirFirstSpelling) {
  test::TempProgramFolder temp;
  RegistryStore store;
  store.WriteString("Software\\MixedCase", "Value", "1");
  store.WriteString("SOFTWARE\\mixedcase", "VALUE", "2");
  EXPECT_EQ(store.KeyNames("software"), (std::vector<std::string>{"MixedCase"}));
  EXPECT_EQ(store.ValueNames("Software\\MixedCase"), (std::vector<std::string>{"Value"}));
  EXPECT_EQ(store.ReadString("Software\\MixedCase", "value"), "2");
}

TEST(RegistryStore, RootsAreSeparate) {
  test::TempProgramFolder temp;
  RegistryStore store;
  store.WriteString("K", "v", "user");
  store.SetRoot(RegistryRoot::Users);
  EXPECT_FALSE(store.KeyExists("K"));
  store.WriteString("K", "v", "users");
  store.SetRoot(RegistryRoot::CurrentUser);
  EXPECT_EQ(store.ReadString("K", "v"), "user");
}

TEST(RegistryStore, DeletesKeysWithSubkeysAndValues) {
  test::TempProgramFolder temp;
  RegistryStore store;
  store.WriteString("S\\A\\B", "v", "1");
  store.WriteString("S\\A", "w", "1");
  EXPECT_TRUE(store.DeleteValue("S\\A", "W"));
  EXPECT_FALSE(store.DeleteValue("S\\A", "w"));
  EXPECT_TRUE(store.DeleteKey("s\\a"));
  EXPECT_FALSE(store.KeyExists("S\\A\\B"));
  EXPECT_TRUE(store.KeyExists("S"));
  EXPECT_FALSE(store.DeleteKey("S\\A"));
}

TEST(RegistryStore, MoveKeyTakesAllSubkeysAndNeverOverwrites) {
  test::TempProgramFolder temp;
  RegistryStore store;
  store.WriteString("P\\old\\GENPREFS", "ChildState", "2");
  store.WriteString("P\\old", "top", "t");
  store.WriteString("P\\taken", "x", "1");

  EXPECT_FALSE(store.MoveKey("P\\old", "P\\taken", true));
  EXPECT_EQ(store.ReadString("P\\taken", "x"), "1");
  EXPECT_FALSE(store.ValueExists("P\\taken", "top"));
  EXPECT_FALSE(store.MoveKey("P\\old", "P\\old\\inner", true));
  EXPECT_FALSE(store.MoveKey("P\\missing", "P\\new", true));

  EXPECT_TRUE(store.MoveKey("P\\old", "P\\new", false));
  EXPECT_TRUE(store.KeyExists("P\\old"));
  EXPECT_TRUE(store.MoveKey("P\\old", "P\\newer", true));
  EXPECT_FALSE(store.KeyExists("P\\old"));
  EXPECT_EQ(store.ReadString("P\\newer\\GENPREFS", "ChildState"), "2");
  EXPECT_EQ(store.ReadString("P\\newer", "top"), "t");
  EXPECT_EQ(store.KeyNames("P"), (std::vector<std::string>{"taken", "new", "newer"}));
}

TEST(RegistryStore, RefusesKeyNamesWithControlCharacters) {
  test::TempProgramFolder temp;
  RegistryStore store;
  EXPECT_FALSE(store.WriteString("S\\bad\nname", "v", "1"));
  EXPECT_FALSE(store.KeyExists("S"));
  EXPECT_FALSE(store.CreateKey(""));
}

TEST(RegistryStore, NothingIsWrittenUntilSomethingChanges) {
  test::TempProgramFolder temp;
  { RegistryStore store; EXPECT_FALSE(store.KeyExists("S")); }
  EXPECT_FALSE(std::filesystem::exists(RegistryStore::DefaultFile()));
}

struct DamageCase {
  const char* name;
  const char* content;
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class DamagedRegistry : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedRegistry, ReadsAsEmptyWithOneWarningAndKeepsTheDamagedFile) {
  test::TempProgramFolder temp;
  test::RecordingMessageSink sink;
  auto file = RegistryStore::DefaultFile();
  std::filesystem::create_directories(file.parent_path());
  {
    std::ofstream out(file, std::ios::binary);
    out << GetParam().content;
  }
  {
    RegistryStore store;
    EXPECT_TRUE(store.KeyNames("").empty());
    RegistryStore again;  // the same damage is reported only once
  }
  ASSERT_EQ(sink.requests.size(), 1u);
  EXPECT_EQ(sink.requests[0].type, platform::MsgDlgType::Warning);
  {
    RegistryStore store;
    store.WriteString("S", "v", "new");
  }
  EXPECT_EQ(test::ReadWholeFile(file.string() + ".damaged"), GetParam().content);
  EXPECT_EQ(RegistryStore().ReadString("S", "v"), "new");
  EXPECT_EQ(sink.requests.size(), 1u);
}

TEST(DamagedRegistryAgain, EachDamageKeepsItsOwnNumberedCopy) {
  test::TempProgramFolder temp;
  test::RecordingMessageSink sink;
  const auto file = RegistryStore::DefaultFile();
  std::filesystem::create_directories(file.parent_path());
  const std::string damages[] = {"first damage [", "second damage [", "third damage ["};
  for (const std::string& damage : damages) {
    {
      std::ofstream out(file, std::ios::binary);
      out << damage;
    }
    RegistryStore store;
    store.WriteString("S", "v", "new");
  }
  EXPECT_EQ(test::ReadWholeFile(file.string() + ".damaged"), damages[0]);
  EXPECT_EQ(test::ReadWholeFile(file.string() + ".damaged.2"), damages[1]);
  EXPECT_EQ(test::ReadWholeFile(file.string() + ".damaged.3"), damages[2]);
  ASSERT_EQ(sink.requests.size(), 3u);
  // Each warning names the copy the damage is kept in.
  EXPECT_NE(sink.requests[1].text.find(file.string() + ".damaged.2."), std::string::npos) << sink.requests[1].text;
  EXPECT_EQ(RegistryStore().ReadString("S", "v"), "new");
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedRegistry,
                         ::testing::Values(DamageCase{"ValueBeforeKey", "\"v\"=\"1\"\n"},
                                           DamageCase{"UnknownRoot", "[HKEY_NOWHERE\\x]\n"},
                                           DamageCase{"UnclosedHeader", "[HKEY_CURRENT_USER\\x\n"},
                                           DamageCase{"UnclosedQuote", "[HKEY_CURRENT_USER\\x]\n\"v\"=\"1\n"},
                                           DamageCase{"BadEscape", "[HKEY_CURRENT_USER\\x]\n\"v\"=\"\\q\"\n"},
                                           DamageCase{"ShortDword", "[HKEY_CURRENT_USER\\x]\n\"v\"=dword:12\n"},
                                           DamageCase{"Binary", "\x01\x02\xFF["}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nuvel
