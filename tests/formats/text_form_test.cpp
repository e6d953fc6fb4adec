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
      {"UTF-16 big-endian mark", std::string("\xFE\xFF\0a", 4), TTextForm::Utf16BigMark},
      // UTF-16 little-endian without a mark: every character one of text.
      {"ASCII and Hebrew", std::string("H\0i\0\t\0\xD0\x05\xB8\x05\xAA\x20\r\0\n\0", 16), TTextForm::Utf16},
      {"Latin-1 and a right-to-left mark", std::string("\xE9\0\x0F\x20", 4), TTextForm::Utf16},
      {"an odd length", std::string("H\0i\0\n", 5), TTextForm::Bytes},
      {"a zero character", std::string("H\0\0\0", 4), TTextForm::Bytes},
      {"a control character", std::string("H\0\x01\0", 4), TTextForm::Bytes},
      {"a character of another script", std::string("H\0\x00\x4E", 4), TTextForm::Bytes},
      {"a lone surrogate", std::string("H\0\x00\xD8", 4), TTextForm::Bytes},
      {"Windows-1255 of even length", "\xF9\xEC\xE5\xED", TTextForm::Bytes},
      {"ASCII of even length", "text", TTextForm::Bytes},
  };
  for (const auto& c : cases) EXPECT_EQ(SniffTextForm(B(c.bytes)), c.form) << c.what;
}

// Files iconv wrote: UTF-16 little-endian without a mark (the only zero
// bytes of the second come from its line end) and big-endian with one.
TEST(TextForm, SniffedFromFilesOfIconv) {
  struct Case {
    const char* fixture;
    TTextForm form;
  } cases[] = {
      {"unicode/hello_utf16le.txt", TTextForm::Utf16},
      {"unicode/shalom_utf16le.txt", TTextForm::Utf16},
      {"unicode/hello_utf16be.txt", TTextForm::Utf16BigMark},
  };
  for (const auto& c : cases) {
    const std::string bytes = ReadWholeFile(FixturePath(c.fixture));
    ASSERT_FALSE(bytes.empty()) << c.fixture;
    EXPECT_EQ(SniffTextForm(B(bytes)), c.form) << c.fixture;
  }
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
