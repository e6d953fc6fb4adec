// File masks of the file list.
#include "filemanager/wildcard.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(Wildcard, Masks) {
  const struct {
    const char* name;
    const char* mask;
    bool match;
  } cases[] = {
      {"notes.txt", "*.*", true},
      {"README", "*.*", true},  // no dot: still every file
      {"archive.tar.gz", "*.*", true},
      {"notes.txt", "*.txt", true},
      {"NOTES.TXT", "*.txt", true},  // without regard to case
      {"notes.txt", "*.TXT", true},
      {"notes.txt.bak", "*.txt", false},
      {"notes", "*.txt", false},
      {"readme", "read*.*", true},
      {"readme", "*.", false},
      {"a.c", "?.c", true},
      {"ab.c", "?.c", false},
      {".c", "?.c", false},
      {"abcabcabd", "*abd", true},
      {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c", false},
      {"\xd7\xa9\xd7\x9c.txt", "\xd7\xa9*.txt", true},  // other bytes match exactly
      {"\xd7\xa9\xd7\x9c.txt", "\xd7\xaa*.txt", false},
      {"x", "*", true},
      {"", "*", true},
      {"x", "", false},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesMask(c.name, c.mask), c.match) << c.name << " ~ " << c.mask;
}

TEST(Wildcard, MaskLists) {
  EXPECT_TRUE(MatchesAnyMask("a.doc", "*.txt;*.doc"));
  EXPECT_TRUE(MatchesAnyMask("a.txt", " *.txt ; *.doc"));
  EXPECT_FALSE(MatchesAnyMask("a.rtf", "*.txt;*.doc"));
  EXPECT_TRUE(MatchesAnyMask("anything", ""));
  EXPECT_TRUE(MatchesAnyMask("anything", ";;"));
}

}  // namespace
}  // namespace nuvel
