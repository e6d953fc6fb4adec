#include "app/save_as_rules.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace nuvel {
namespace {

TEST(SaveAsRules, TitlesAndSuggestions) {
  EXPECT_EQ(SaveAsTitle("/d/a.nvw", false), "Save a.nvw As");
  EXPECT_EQ(SaveAsTitle("NEWDOC4", true), "AUTOSAVE NEWDOC4 As");
  // In Hebrew the name stays one left-to-right run, its folder left out.
  EXPECT_EQ(SaveAsTitle("/tmp/user/files/a.txt", false, false), "שמירת \u2066a.txt\u2069 בשם");
  EXPECT_EQ(SaveAsTitle("NEWDOC4", true, false), "שמירה אוטומטית של \u2066NEWDOC4\u2069 בשם");
  EXPECT_EQ(SuggestedSaveName("NEWDOC4"), "");
  EXPECT_EQ(SuggestedSaveName("NewRLE1"), "*.rle");
  EXPECT_EQ(SuggestedSaveName("/d/a.b.txt"), "/d/a.b.txt");
}

TEST(SaveAsRules, DefaultExtensionFromTheFilter) {
  EXPECT_EQ(DefaultExtOf("Nuvel Windows files (*.nvw)|*.nvw|Text files (*.txt)|*.txt"), "nvw");
  EXPECT_EQ(DefaultExtOf("*.txt files (*.txt)|*.txt|x|*.nvw"), "txt");
  EXPECT_EQ(DefaultExtOf("3B2 files (*.3T)|*.3T|x|*.nvw"), "3T");
  EXPECT_EQ(DefaultExtOf("nothing"), "");
  EXPECT_EQ(DefaultExtOf("All|*"), "");
}

TEST(SaveAsRules, ChosenNameIsKept) {
  struct Row { const char* chosen; const char* ext; bool force; const char* saved; };
  const Row rows[] = {
      {"/d/report.v2.final.txt", "nvw", false, "/d/report.v2.final.txt"},  // no cut at the second dot
      {"/d/a.b.c", "nvw", false, "/d/a.b.c"},
      {"/d/plain", "nvw", false, "/d/plain.nvw"},
      {"/d/plain", "nvw", true, "/d/plain.3T"},
      {"/d/has.txt", "nvw", true, "/d/has.txt"},
      {"/d/plain", "", false, "/d/plain"},
      {"/d/x/../plain.txt", "nvw", false, "/d/plain.txt"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.chosen);
    EXPECT_EQ(AdjustedSaveName(r.chosen, r.ext, r.force), r.saved);
  }
  // A relative name is made full against the current folder.
  EXPECT_EQ(AdjustedSaveName("rel.txt", "nvw", false), (std::filesystem::current_path() / "rel.txt").string());
}

}  // namespace
}  // namespace nuvel
