#include "formats/ereader_markup.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(EReaderMarkup, RemovesCodesAndDecodesNumbers) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"a \\bbold\\b word", "a bold word"},
      {"\\a065BC", "ABC"},
      {"\\a2x5!", "?!"},          // not a number
      {"\\a999.", "?."},          // more than a byte holds
      {"end\\", "end"},           // a backslash at the very end
      {"cut \\a06", "cut "},      // number cut off by the end
      {"\\X0heading\\X0", "X0headingX0"},  // unknown codes keep what follows
      {"\\\\b", ""},              // the second backslash starts another escape
      {"\\c\\l\\n\\o\\p\\r\\s\\t\\u\\v\\x\\i.", "."},
      {"plain text", "plain text"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(RemoveEReaderMarkup(c.in), c.out);
  }
}

}  // namespace
}  // namespace nuvel
