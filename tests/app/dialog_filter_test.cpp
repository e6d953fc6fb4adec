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

TEST(DialogFilter, EntriesKeepTheirIndex) {
  auto entries = ParseDialogFilter("A|*.a|B|*.b;*.c");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].text, "B");
  EXPECT_EQ(entries[1].patterns, (std::vector<std::string>{"*.b", "*.c"}));
}

}  // namespace
}  // namespace nuvel
