#include "ui/message_format.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(MessageFormat, Signatures) {
  const struct { const char* format; std::optional<std::string> signature; } cases[] = {
      {"plain", ""},       {"%s", "s"},          {"%d of %d", "dd"}, {"100%%", ""},
      {"%s: %d", "sd"},    {"ends with %", std::nullopt}, {"%x", std::nullopt},
      {"%5d", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatSignature(c.format), c.signature) << c.format;
}

TEST(MessageFormat, FillsMatchingPlaceholdersAndLeavesAWrongFormatAsItStands) {
  const struct { const char* format; std::vector<FormatArg> args; const char* result; } cases[] = {
      {"File not found: %s", {std::string("A.NVW")}, "File not found: A.NVW"},
      {"%d words, %d%%", {int64_t{12}, int64_t{-3}}, "12 words, -3%"},
      {"no placeholders", {}, "no placeholders"},
      {"missing %s", {}, "missing %s"},
      {"one %s", {std::string("a"), std::string("b")}, "one %s"},
      {"number %d", {std::string("x")}, "number %d"},
      {"text %s", {int64_t{5}}, "text %s"},
      {"broken %", {std::string("a")}, "broken %"},
      {"%s%s", {std::string("%d"), std::string("%s")}, "%d%s"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatMessage(c.format, c.args), c.result) << c.format;
}

}  // namespace
}  // namespace nuvel
