#include "core/state_store.h"

#include <gtest/gtest.h>

#include "platform/registry_store.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

TEST(RegistryStoreState, KeyNameLosesItsBackslashes) {
  struct Case {
    const char* set;
    const char* stored;
  };
  const Case cases[] = {
      {"\\Software\\Marvek Ila\\NuvelText\\", "Software\\Marvek Ila\\NuvelText"},
      {"\\\\A\\\\", "A"},
      {"Plain", "Plain"},
      {"\\", ""},
  };
  for (const auto& c : cases) {
    TNvcRegistryStore store;
    store.SetKeyName(c.set);
    EXPECT_EQ(store.KeyName(), c.stored);
  }
  TNvcRegistryStore unnamed;
  EXPECT_EQ(unnamed.EffectiveKeyName().rfind("Software\\", 0), 0u);
  EXPECT_GT(unnamed.EffectiveKeyName().size(), 9u);
}

TEST(RegistryStoreState, ValuesLandUnderKeyAndSection) {
  test::TempProgramFolder folder;
  TNvcRegistryStore store;
  store.SetKeyName("\\Software\\Marvek Ila\\NuvelText\\");
  store.Open();
  store.WriteString("3.55\\.Favorites.Items", "Count", "2");
  store.WriteInteger("TextSearch", "ShowCmd", 3);
  EXPECT_EQ(store.ReadString("3.55\\.Favorites.Items", "count", "x"), "2");
  store.Close();

  platform::RegistryStore registry;
  EXPECT_EQ(registry.ReadString("Software\\Marvek Ila\\NuvelText\\3.55\\.Favorites.Items", "Count"),
            "2");
  EXPECT_EQ(registry.ReadString("Software\\Marvek Ila\\NuvelText\\TextSearch", "ShowCmd"), "3");
}

TEST(RegistryStoreState, ReadsDefaultsAndIntegers) {
  test::TempProgramFolder folder;
  TNvcRegistryStore store;
  store.SetKeyName("Software\\Test");
  // A closed store opens itself for one call.
  store.WriteString("S", "Text", "abc");
  store.WriteString("S", "Num", "-42");
  EXPECT_EQ(store.OpenCount(), 0);
  EXPECT_EQ(store.ReadString("S", "Missing", "dflt"), "dflt");
  EXPECT_EQ(store.ReadInteger("S", "Num", 7), -42);
  EXPECT_EQ(store.ReadInteger("S", "Text", 7), 7);
  EXPECT_EQ(store.ReadInteger("S", "Missing", 9), 9);
}

TEST(RegistryStoreState, EraseSectionRemovesItsValues) {
  test::TempProgramFolder folder;
  TNvcRegistryStore store;
  store.SetKeyName("Software\\Test");
  store.Open();
  store.WriteString("List", "Item0", "a");
  store.WriteString("Other", "Keep", "b");
  store.EraseSection("List");
  EXPECT_EQ(store.ReadString("List", "Item0", "-"), "-");
  EXPECT_EQ(store.ReadString("Other", "Keep", "-"), "b");
  store.Close();
}

TEST(RegistryStoreState, OpenAndCloseAreCounted) {
  struct CountingStore : TNvcAbstractStore {
    std::string ReadString(std::string_view, std::string_view, std::string_view d) override {
      return std::string(d);
    }
    void WriteString(std::string_view, std::string_view, std::string_view) override {}
    void DoOpen() override { ++opens; }
    void DoClose() override { ++closes; }
    int opens = 0, closes = 0;
  };
  CountingStore store;
  store.Open();
  store.Open();
  store.Close();
  EXPECT_EQ(store.opens, 1);
  EXPECT_EQ(store.closes, 0);
  store.Close();
  store.Close();
  EXPECT_EQ(store.closes, 1);
  EXPECT_EQ(store.OpenCount(), 0);
}

}  // namespace
}  // namespace nuvel
