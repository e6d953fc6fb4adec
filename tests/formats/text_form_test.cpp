#include "formats/text_form.h"

#include <gtest/gtest.h>

#include "tests/formats/formats_test_support.h"

namespace nuvel::test {
namespace {

TEST(TextForm, SniffedFromTheBytes) {
  struct Case {
    const char* what;
    std::string bytes;
    TTextForm form;
  } cases[] = {
      {"empty", "", TTextForm::Bytes},
      {"ASCII only", "plain text\r\n", TTextForm::Bytes},
      {"UTF-16 mark", std::string("\xFF\xFE" "a\0", 4), TTextForm::Utf16Mark},
      {"UTF-8 mark before ASCII", "\xEF\xBB\xBF" "abc", TTextForm::Utf8Mark},
      {"UTF-8 Hebrew", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D", TTextForm::Utf8},
      {"Windows-1255 Hebrew", "\xF9\xEC\xE5\xED", TTextForm::Bytes},
      {"a sequence cut short at the end", "ab\xD7", TTextForm::Bytes},
      {"an overlong form", "\xC0\xAF", TTextForm::Bytes},
      {"a surrogate", "\xED\xA0\x80", TTextForm::Bytes},
      {"past U+10FFFF", "\xF4\x90\x80\x80", TTextForm::Bytes},
      {"a four-byte emoji", "\xF0\x9F\x98\x80", TTextForm::Utf8},
  };
  for (const auto& c : cases) EXPECT_EQ(SniffTextForm(B(c.bytes)), c.form) << c.what;
}

TEST(TextForm, Utf8EncodesWhatItDecodes) {
  for (char32_t cp : {U'\u0041', U'\u05D0', U'\u20AA', U'\uFB31', U'\U0001F600'}) {
    std::vector<uint8_t> bytes;
    AppendUtf8(bytes, cp);
    char32_t back = 0;
    EXPECT_EQ(DecodeUtf8(bytes, 0, back), bytes.size());
    EXPECT_EQ(back, cp);
  }
}

}  // namespace
}  // namespace nuvel::test
