#include "editor/load_loss_messages.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/charset.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// UTF-8 text (Hebrew letters, ASCII) in the system's own set, as the string
// library holds it.
std::string SystemText(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<uint8_t>(utf8[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
    } else {
      const auto code = static_cast<char16_t>(((b & 0x1F) << 6) | (static_cast<uint8_t>(utf8[i + 1]) & 0x3F));
      out += static_cast<char>(UnicodeToHebChar(code));
      i += 2;
    }
  }
  return out;
}

// Opening a file with lines of the given lengths tells how many were split,
// in words that say where the reader splits, one line or several, in either
// interface language.
TEST(LoadLossMessages, SplitLinesAreCountedInWords) {
  struct Case {
    std::vector<size_t> lines;
    bool hebrew;
    std::string told;  // empty: nothing is told
  };
  const Case cases[] = {
      {{32766}, false, ""},
      {{32767}, false, "One line longer than 32,766 characters was split."},
      {{32767, 10, 40000}, false, "2 lines longer than 32,766 characters were split."},
      {{32766}, true, ""},
      {{32767}, true, SystemText("שורה אחת ארוכה מ-32,766 תווים פוצלה.")},
      {{40000, 32767, 32767}, true, SystemText("3 שורות ארוכות מ-32,766 תווים פוצלו.")},
  };
  for (const Case& c : cases) {
    test::TempProgramFolder folder;
    folder.CopyShippedFile("NuvStr.DLL");
    EngPrompts = !c.hebrew;
    const std::string name = folder.Folder() + "long.txt";
    {
      std::ofstream file(name, std::ios::binary);
      for (size_t length : c.lines) file << std::string(length, 'a') << "\r\n";
    }
    THebTextEditor editor;
    editor.LoadFromFile(name);
    const std::string notice = editor.TakeLoadNotice();
    const std::string what = std::to_string(c.lines.size()) + " lines, first " + std::to_string(c.lines[0]) +
                             (c.hebrew ? ", Hebrew" : ", English");
    if (c.told.empty()) {
      EXPECT_EQ(notice, "") << what;
    } else {
      EXPECT_NE(notice.find("\n" + c.told + "\n"), std::string::npos) << what << ": " << notice;
    }
  }
  EngPrompts = true;
}

// The other counts read as one thing or several too, in both languages.
TEST(LoadLossMessages, OneOrSeveral) {
  struct Case {
    TLoadLosses losses;
    bool hebrew;
    std::string told;
  };
  TLoadLosses oneNul, twoNuls, oneLost, manyLost;
  oneNul.nulBytes = 1;
  twoNuls.nulBytes = 2;
  oneLost.lostChars = 1;
  manyLost.lostChars = 12345;
  const Case cases[] = {
      {oneNul, false, "One zero byte was left out."},
      {twoNuls, false, "2 zero bytes were left out."},
      {oneLost, false, "One character has no place in the program's character set and was replaced or left out."},
      {manyLost, false,
       "12345 characters have no place in the program's character set and were replaced or left out."},
      {oneNul, true, SystemText("בית אפס אחד הושמט.")},
      {twoNuls, true, SystemText("2 בתים אפסיים הושמטו.")},
      {oneLost, true, SystemText("לתו אחד אין מקום במערכת התווים של התוכנה, והוא הוחלף או הושמט.")},
  };
  for (const Case& c : cases) {
    test::TempProgramFolder folder;
    folder.CopyShippedFile("NuvStr.DLL");
    EngPrompts = !c.hebrew;
    const std::string text = LoadLossText("a.txt", c.losses);
    EXPECT_NE(text.find("\n" + c.told + "\n"), std::string::npos) << text;
  }
  EngPrompts = true;
}

}  // namespace
}  // namespace nuvel
