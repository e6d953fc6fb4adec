// A file kept in logical order opens in the direction its first strong
// letter asks for; the RTF's first paragraph direction comes first; files
// of the system's visual forms and files without letters keep the
// document's direction.
#include "formats/content_direction.h"

#include <gtest/gtest.h>

#include <optional>

#include "formats/load_document.h"
#include "tests/formats/formats_test_support.h"
#include "tests/formats/load_test_target.h"

namespace nuvel::test {
namespace {

TEST(ContentDirection, FirstStrongLetterDecides) {
  struct Case {
    const char* what;
    std::string bytes;
    TTextForm form;
    std::optional<bool> english;
  } cases[] = {
      {"English", "The quick brown fox", TTextForm::Bytes, true},
      {"Hebrew before English", "\xF9\xEC\xE5\xED hello", TTextForm::Bytes, false},
      {"digits, signs and brackets before the letter", "12.5% (2024) - \xE0\xE1", TTextForm::Bytes, false},
      {"digits before English", "(1) one", TTextForm::Bytes, true},
      {"a point before its letter is no letter", "\xC8\xE0", TTextForm::Bytes, false},
      {"maqaf", "\xCE" "abc", TTextForm::Bytes, false},
      {"no letter", "123 - (45) ...\r\n", TTextForm::Bytes, std::nullopt},
      {"empty", "", TTextForm::Bytes, std::nullopt},
      {"UTF-8 English after a mark", "\xEF\xBB\xBF" "- Hi \xD7\xA9", TTextForm::Utf8Mark, true},
      {"UTF-8 Hebrew", "2024 \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D abc", TTextForm::Utf8, false},
      {"UTF-8 Latin-1 letter", "\xC3\xA9t\xC3\xA9", TTextForm::Utf8, true},
      {"UTF-8 cut short", "\xD7", TTextForm::Utf8, std::nullopt},
      {"UTF-16 little-endian", std::string("\xFF\xFE\x31\x00\xD0\x05\x41\x00", 8), TTextForm::Utf16Mark, false},
      {"UTF-16 little-endian English", std::string("\x20\x00\x41\x00\xD0\x05", 6), TTextForm::Utf16, true},
      {"UTF-16 big-endian", std::string("\xFE\xFF\x00\x41\x05\xD0", 6), TTextForm::Utf16BigMark, true},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> bytes(c.bytes.begin(), c.bytes.end());
    EXPECT_EQ(EnglishByFirstLetter(bytes, c.form), c.english) << c.what;
  }
}

// A load target that takes the direction the content chooses.
class FollowingTarget : public TestLoadTarget {
 public:
  void SetEnglishDocument(bool e) override {
    english = e;
    ++told;
  }
  int told = 0;
};

class LoadDirection : public FormatsTest {};

TEST_F(LoadDirection, LogicalFilesTakeTheirContentsDirection) {
  struct Case {
    const char* what;
    const char* name;
    int mode;
    std::string file;
    bool startEnglish;
    bool english;           // the direction after the load
    const char* firstPara;  // in storage order
  } cases[] = {
      {"English text in a Hebrew setting", "a.txt", 2, "The quick (brown) fox 12\r\n\xF9\xEC\xE5\xED\r\n", false, true,
       "The quick (brown) fox 12"},
      {"Hebrew text in an English setting", "h.txt", 2, "\xF9\xEC\xE5\xED abc\r\n", true, false,
       "\xF9\xEC\xE5\xED cba"},
      {"English inside Hebrew, stored reversed", "m.txt", 2, "\xF9\xEC\xE5\xED hello world\r\n", true, false,
       "\xF9\xEC\xE5\xED dlrow olleh"},
      {"UTF-8 English", "u.txt", 0, "Hello \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D\n", false, true, "Hello \xED\xE5\xEC\xF9"},
      {"RTF without a paragraph direction", "r.rtf", 0, "{\\rtf1 abc \\'f9\\'ec\\par}", false, true, "abc \xEC\xF9"},
      {"RTF whose first paragraph is right to left", "l.rtf", 0, "{\\rtf1 {\\footer\\ltrpar x}\\rtlpar abc \\'f9\\'ec\\par}",
       true, false, "cba \xF9\xEC"},
      {"RTF whose first paragraph is left to right", "t.rtf", 0, "{\\rtf1\\ltrpar \\'f9\\'ec abc\\par}", false, true,
       "\xEC\xF9 abc"},
  };
  for (const Case& c : cases) {
    SetConvMode(c.mode);
    FollowingTarget t;
    t.english = c.startEnglish;
    const TLoadResult r = LoadDocument(t, WriteTemp(c.name, c.file));
    EXPECT_TRUE(r.logicalOrder) << c.what;
    EXPECT_EQ(r.englishByContent, std::optional<bool>(c.english)) << c.what;
    EXPECT_EQ(t.english, c.english) << c.what;
    ASSERT_FALSE(t.paras.Paras().empty()) << c.what;
    EXPECT_EQ(S(t.paras.Paras()[0]), c.firstPara) << c.what;
  }
}

TEST_F(LoadDirection, VisualFormsAndLetterlessFilesKeepTheDocumentsDirection) {
  struct Case {
    const char* what;
    const char* name;
    int mode;
    std::string file;
    bool logical;
  } cases[] = {
      {"a .NVW", "v.nvw", 0, "hello \xF9\xEC\xE5\xED\r\n", false},
      {"DOS text", "d.txt", 1, "hello\r\n", false},
      {"numbers alone", "n.txt", 2, "12 (34) 5.6\r\n", true},
  };
  for (const Case& c : cases) {
    for (bool english : {true, false}) {
      SetConvMode(c.mode);
      FollowingTarget t;
      t.english = english;
      const TLoadResult r = LoadDocument(t, WriteTemp(c.name, c.file));
      EXPECT_EQ(r.logicalOrder, c.logical) << c.what;
      EXPECT_EQ(r.englishByContent, std::nullopt) << c.what;
      EXPECT_EQ(t.told, 0) << c.what;
      EXPECT_EQ(t.english, english) << c.what;
    }
  }
}

}  // namespace
}  // namespace nuvel::test
