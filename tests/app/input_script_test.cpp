#include "app/input_script.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(InputScript, ReadsEveryStepKind) {
  const InputScript script = ParseInputScript(
      "# open, type, save\r\n"
      "menu Engm1\r\n"
      "\n"
      "type akuo \n"
      "key Ctrl+S\n"
      "wait 250\n"
      "type \xD7\xA9");  // no line end after the last step
  ASSERT_EQ(script.error, "");
  const std::vector<InputStep> expected = {
      {InputStepKind::Menu, "Engm1", 0}, {InputStepKind::Type, "akuo ", 0}, {InputStepKind::Key, "Ctrl+S", 0},
      {InputStepKind::Wait, "", 250},    {InputStepKind::Type, "\xD7\xA9", 0},
  };
  EXPECT_EQ(script.steps, expected);
}

TEST(InputScript, NamesTheLineOfAnError) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"type a\nclick 3\n", "line 2: unknown step \"click\""},
      {"wait soon", "line 1: \"wait\" needs a number of milliseconds"},
      {"wait -5", "line 1: \"wait\" needs a number of milliseconds"},
      {"\n\nmenu\n", "line 3: \"menu\" needs an argument"},
      {"key \n", "line 1: \"key\" needs an argument"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseInputScript(c.text).error, c.error);
  }
}

}  // namespace
}  // namespace nuvel
