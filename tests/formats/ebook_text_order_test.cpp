// The order of an e-book's text: told from where its final letters stand,
// and turned into a document's storage order and back.
#include "formats/ebook_text_order.h"

#include <gtest/gtest.h>

#include <string>

#include "core/conv_mode.h"
#include "tests/support/reading_order.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

using test::Own;

TEST(EbookTextOrder, ToldByWhereTheFinalLettersStand) {
  struct Case {
    const char* what;
    std::string text;
    bool logical;
  };
  const Case cases[] = {
      {"final letters at word ends", Own("שלום עולם, ספר טוב\r\n"), true},
      {"the same stored reversed: finals at word starts", Own("םולש םלוע\r\n"), false},
      {"one of the system's own pointed letters", "\x81\xE9\xFA \xF9\xEC\xE5\xED\r\n", false},
      {"English alone", "Hello world from a Palm book\r\n", true},
      {"no letters at all", "12 34 (56)\r\n", true},
      {"finals at ends outnumber the others", Own("מלך ךלמ ארץ ספרים\r\n"), true},
      {"finals at starts outnumber the others", Own("ךלמ ץרא מלך םירפס\r\n"), false},
      {"points inside a word", Own("שָׁלוֹם לְךָ\r\n"), true},
  };
  for (const Case& c : cases) EXPECT_EQ(EbookTextIsLogical(c.text), c.logical) << c.what;
}

TEST(EbookTextOrder, LogicalTextTurnsIntoStorageAndBack) {
  test::TempProgramFolder folder;
  folder.CopyShippedFile("DIDOD.drf");
  LoadConvMode();
  // Windows-1255 in reading order: English, Hebrew with English, numbers
  // and brackets inside, and pointed Hebrew (points after their letter).
  const std::string windows1255 =
      "Hello world, 12.5%\r\n"
      "\xF9\xEC\xE5\xED \xF2\xE5\xEC\xED - Hello world 123\r\n"
      "\xF9\xE5\xF8\xE4: \xE9\xF8\xE5\xF9\xEC\xE9\xED (2024)\r\n"
      "\xF1\xC5\xF4\xC6\xF8 [book]\r\n"
      "\r\n"
      "3,500.25";
  for (const bool english : {false, true}) {
    const std::string stored = EbookTextToStorage(windows1255, english);
    EXPECT_EQ(EbookTextToLogical(stored, english), windows1255) << (english ? "English" : "Hebrew") << " document";
  }
  // In a Hebrew document an English phrase is stored reversed.
  EXPECT_EQ(EbookTextToStorage("Hello\r\n", false), "olleH\r\n");
  EXPECT_EQ(EbookTextToStorage("Hello\r\n", true), "Hello\r\n");
}

}  // namespace
}  // namespace nuvel
