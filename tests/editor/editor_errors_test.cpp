#include "editor/editor_errors.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(EditorErrors, CodesCarryTheirTexts) {
  struct Case {
    uint16_t code;
    const char* text;
  } cases[] = {
      {263, "insufficient memory for requested operation"},
      {264, "Region is too large (> 64K)"},
      {265, "Current operation will exceed the maximum number of allowed paragraphs"},
      {266, "Cannot join paragraphs. New paragraph size exceeds maximum paragraph size"},
      {267, "Current operation will exceed the maximum editor text size"},
      {268, "Current operation will exceed the maximum paragraph size"},
      {262, "Unknown Error condition"},
      {1, "Unknown Error condition"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EditorErrorText(c.code), c.text) << c.code;
    const EEditorError error = MakeEditorError(c.code);
    EXPECT_EQ(error.EditorCode(), c.code);
    EXPECT_STREQ(error.what(), c.text);
  }
}

}  // namespace
}  // namespace nuvel
