#include "core/registry_migration.h"

#include <gtest/gtest.h>

#include "platform/registry_store.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

constexpr const char* kBase = "Software\\Marvek Ila\\NuvelText\\";

struct MigrationCase {
  const char* name;
  std::vector<std::string> present;  // version keys that exist before
  std::string moved;                 // the version moved to 3.55, or ""
  std::vector<std::string> after;    // the version keys afterwards, in order of creation
};

void PrintTo(const MigrationCase& c, std::ostream* os) { *os << c.name; }

class Migration : public ::testing::TestWithParam<MigrationCase> {};

TEST_P(Migration, MovesTheFirstOlderKeyOnlyWhenTheCurrentOneIsAbsent) {
  const MigrationCase& c = GetParam();
  test::TempProgramFolder temp;
  {
    platform::RegistryStore store;
    for (const auto& version : c.present) {
      store.WriteString(kBase + version + "\\GENPREFS", "From", version);
      store.WriteString(kBase + version + "\\History_Find", "Count", "0");
    }
  }
  EXPECT_EQ(MigrateOlderVersionKey(), c.moved);
  platform::RegistryStore store;
  EXPECT_EQ(store.KeyNames("Software\\Marvek Ila\\NuvelText"), c.after);
  if (!c.moved.empty()) {
    EXPECT_EQ(store.ReadString(std::string(kBase) + "3.55\\GENPREFS", "From"), c.moved);
    EXPECT_TRUE(store.KeyExists(std::string(kBase) + "3.55\\History_Find"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Migration,
    ::testing::Values(MigrationCase{"NothingThere", {}, "", {}},
                      MigrationCase{"FirstInListOrderNotInCreationOrder", {"3.51", "3.00"}, "3.00", {"3.51", "3.55"}},
                      MigrationCase{"OldestKnown", {"2.55"}, "2.55", {"3.55"}},
                      MigrationCase{"LastKnown", {"3.51"}, "3.51", {"3.55"}},
                      MigrationCase{"CurrentPresentTouchesNothing", {"3.55", "3.00"}, "", {"3.55", "3.00"}},
                      MigrationCase{"UnknownVersionIgnored", {"3.52"}, "", {"3.52"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nuvel
