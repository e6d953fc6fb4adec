#include "app/dialog_filter.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(DialogFilter, DelphiFormBecomesQtForm) {
  struct Row { const char* in; const char* out; };
  const Row rows[] = {
      {"Nuvel Windows files (*.nvw)|*.nvw|Nuvel Dos Files (*.nvs)|*.nvs|Text files (*.txt)|*.txt|All files (*.*)|*.*",
       "Nuvel Windows files (*.nvw);;Nuvel Dos Files (*.nvs);;Text files (*.txt);;All files (*)"},
      // The stored filter starts with "|", after the last extension offered.
      {"*.txt files (*.txt)|*.txt|Nuvel Windows files (*.nvw)|*.nvw|All files(*.*)|*.*",
       "*.txt files (*.txt);;Nuvel Windows files (*.nvw);;All files (*)"},
      {"|Nuvel Windows files (*.nvw)|*.nvw", "Nuvel Windows files (*.nvw)"},
      {"Texts|*.txt;*.doc", "Texts (*.txt *.doc)"},
      {"Rule files(*.RLE)|*.RLE", "Rule files (*.RLE)"},
      {"Odd (*.a)|*.b", "Odd (*.a) (*.b)"},
      {"No pattern|", "No pattern (*)"},
      {"", ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.in);
    EXPECT_EQ(QtFilterString(r.in), r.out);
  }
}

// In Hebrew each entry reads as a Hebrew name with its patterns after it as
// one left-to-right run; Qt still reads the patterns at the end.
TEST(DialogFilter, HebrewNamesWithIsolatedPatterns) {
  struct Row { const char* in; const char* out; };
  const Row rows[] = {
      {"*.txt files (*.txt)|*.txt|All files(*.*)|*.*",
       "קובצי \u2066*.txt\u2069 \u2066(*.txt)\u2069 (*.txt);;כל הקבצים \u2066(*.*)\u2069 (*)"},
      {"|Nuvel Windows files (*.nvw)|*.nvw|Nuvel DOS files (*.nvs)|*.nvs|Text files (*.txt)|*.txt",
       "קובצי נובל חלונות \u2066(*.nvw)\u2069 (*.nvw);;קובצי נובל דוס \u2066(*.nvs)\u2069 (*.nvs);;"
       "קובצי טקסט \u2066(*.txt)\u2069 (*.txt)"},
      {"Nuvel Dos Files (*.nvs)|*.nvs", "קובצי נובל דוס \u2066(*.nvs)\u2069 (*.nvs)"},
      {"SuperFind Rule files(*.RLE)|*.RLE", "קובצי כללים לחיפוש-על \u2066(*.RLE)\u2069 (*.RLE)"},
      {"RTF files(*.rtf)|*.rtf", "קובצי \u2066RTF\u2069 \u2066(*.rtf)\u2069 (*.rtf)"},
      // A name the program does not know stays as it is.
      {"Texts|*.txt;*.doc", "Texts \u2066(*.txt *.doc)\u2069 (*.txt *.doc)"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.in);
    EXPECT_EQ(QtFilterString(r.in, FilterLanguage::Hebrew), r.out);
  }
}

TEST(DialogFilter, EntriesKeepTheirIndex) {
  auto entries = ParseDialogFilter("A|*.a|B|*.b;*.c");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].text, "B");
  EXPECT_EQ(entries[1].patterns, (std::vector<std::string>{"*.b", "*.c"}));
}

}  // namespace
}  // namespace nuvel
