// Lines of mixed Hebrew and English read from other programs (logical order)
// are turned into the document's storage order; what the cell plan then
// shows must be what the Unicode bidirectional algorithm shows, with fribidi
// as the reference, and the way back must give the line again.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/border_order.h"
#include "core/charset.h"
#include "core/nikud.h"
#include "editor/heb_paint_plan.h"
#include "formats/text_form.h"
#include "tests/editor/fribidi_visual.h"

namespace nuvel {
namespace {

using test::CellPlanVisual;
using test::CodePoints;
using test::FribidiVisual;
using test::OwnBytes;

struct Case {
  bool english;
  const char* text;
};

const Case kCases[] = {
    {false, "קובץ test file 1234 בדיקה"},
    {false, "המחיר 12.5 שקלים"},
    {false, "תאריך 2024/05/12 היום"},
    {false, "שלום (עולם) וגם"},
    {false, "שלום test, עולם."},
    {false, "זה 50% מהכל"},
    {false, "טלפון 03-1234567 בבית"},
    {false, "מַיִם world מְעַט"},
    {false, "נקודות 12 34 כאן"},
    {false, "ספר \"Moby Dick\" נכתב"},
    {true, "This is שלום עולם text"},
    {true, "Price: מחיר 12.5 שקל here"},
    {true, "Date 2024/05/12 and תאריך"},
    {true, "abc (שלום) def"},
    {true, "hello שלום עולם."},
    {true, "שלום 12 עולם in text"},
    {true, "a מַיִם b"},
    {true, "Hebrew: (שלום, עולם) end"},
};

// Brackets around text of the other script take the direction the
// algorithm's pairs give them (rule N0): of what they enclose, else of the
// text before them; nested, unmatched and crossing brackets too.
const Case kBrackets[] = {
    {false, "שלום [abc] {def} עולם"},
    {false, "שלום abc (def) עולם"},
    {false, "שלום abc (def) ghi עולם"},
    {false, "שלום [abc [def] ghi] עולם"},
    {false, "שלום [abc (def] עולם"},
    {false, "שלום (abc עולם"},
    {false, "שלום abc) עולם"},
    {false, "שלום (12) עולם"},
    {false, "שלום (abc def) 12 עולם"},
    {false, "[abc] שלום"},
    {false, "שלום (עולם abc) def"},
    {false, "abc (שלום def) ghi"},
    {false, "גרסה Windows (XP) חדשה"},
    {false, "הספר \"Moby Dick\" (1851) נכתב"},
    {false, "שלום {abc} [def] (ghi) עולם"},
    {false, "שלום ((abc)) עולם"},
    {true, "abc (שלום) def"},
    {true, "abc שלום (עולם) def"},
    {true, "abc [שלום [עולם] טוב] def"},
    {true, "abc (שלום def"},
    {true, "abc שלום) def"},
    {true, "שלום (abc) עולם"},
    {true, "abc {שלום} [עולם] def"},
    {true, "(שלום) abc"},
    {true, "abc (שלום עולם) 12 def"},
    {true, "abc [12 שלום] def"},
    {true, "abc שלום [12] def"},
    {true, "abc שלום ((עולם)) def"},
    {true, "abc (a שלום) b"},
};

TEST(BorderOrder, ShowsWhatTheBidirectionalAlgorithmShows) {
  std::vector<Case> all(std::begin(kCases), std::end(kCases));
  all.insert(all.end(), std::begin(kBrackets), std::end(kBrackets));
  for (const auto& c : all) {
    const std::u32string logical = CodePoints(c.text);
    std::vector<uint8_t> line = OwnBytes(logical);
    LogicalToStorage(c.english, line);
    EXPECT_EQ(CellPlanVisual(line, c.english), FribidiVisual(logical, c.english)) << c.text;
  }
}

// The algorithm shows a number before an English word inside Hebrew as it
// shows the number after it; such a line is kept as one left-to-right run,
// so that it too comes back as it was. Brackets likewise: inside Hebrew
// "(abc) def" shows as "def (abc)" does, and the line that pairs its
// brackets with the text before them is the one shown so.
const Case kAmbiguous[] = {
    {false, "גרסה 12.5 test שלום"},
    {true, "שלום 12 abc"},
    {false, "שלום (abc) def עולם"},
    {false, "(abc) def שלום"},
    {false, "שלום (a [b) c] עולם"},
    {true, "abc [שלום] עולם def"},
};

TEST(BorderOrder, TheWayBackGivesTheLineAgain) {
  std::vector<Case> all(std::begin(kCases), std::end(kCases));
  all.insert(all.end(), std::begin(kBrackets), std::end(kBrackets));
  all.insert(all.end(), std::begin(kAmbiguous), std::end(kAmbiguous));
  for (const auto& c : all) {
    const std::vector<uint8_t> logical = OwnBytes(CodePoints(c.text));
    std::vector<uint8_t> line = logical;
    LogicalToStorage(c.english, line);
    StorageToLogical(c.english, line);
    EXPECT_EQ(line, logical) << c.text;
  }
}

// Lines the routine cannot turn both ways alike stay as they are; every
// line, whatever it holds, comes back.
TEST(BorderOrder, EveryLineComesBack) {
  const uint8_t alphabet[] = {'a', 'B', '1', '2', ' ', '.', ',', '$', '%', '-', '(', ')', 0xE0, 0xF9, 0xC8, 0xA4, 0xFD};
  uint32_t seed = 7;
  for (int round = 0; round < 20000; ++round) {
    std::vector<uint8_t> line(1 + round % 9);
    for (auto& b : line) {
      seed = seed * 1103515245u + 12345u;
      b = alphabet[(seed >> 16) % sizeof alphabet];
    }
    for (bool english : {true, false}) {
      std::vector<uint8_t> turned = line;
      LogicalToStorage(english, turned);
      StorageToLogical(english, turned);
      ASSERT_EQ(turned, line) << round;
    }
  }
}

// Lines of Hebrew and English words, numbers with signs and separators,
// dashes and brackets, nested or not, closed or not: every one comes back
// byte for byte in both directions.
TEST(BorderOrder, EveryLineWithBracketsComesBack) {
  std::mt19937 random(42);
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  static const char* const kNumbers[] = {"12", "-7", "+3", "12.5", "1,000", "12:30", "2024/05/12", "50%", "03-1234567"};
  for (int round = 0; round < 20000; ++round) {
    std::vector<uint8_t> line;
    std::vector<uint8_t> open;
    const std::size_t words = 1 + pick(8);
    for (std::size_t w = 0; w < words; ++w) {
      if (w > 0) line.push_back(' ');
      if (pick(8) == 0) line.insert(line.end(), {'-', ' '});
      if (pick(4) == 0) {
        open.push_back(static_cast<uint8_t>("([{"[pick(3)]));
        line.push_back(open.back());
      }
      const std::size_t kind = pick(3);
      const std::size_t n = 1 + pick(5);
      if (kind == 0) {
        for (std::size_t i = 0; i < n; ++i) line.push_back(static_cast<uint8_t>(0xE0 + pick(27)));
      } else if (kind == 1) {
        for (std::size_t i = 0; i < n; ++i) line.push_back(static_cast<uint8_t>('a' + pick(26)));
      } else {
        const std::string number = kNumbers[pick(std::size(kNumbers))];
        line.insert(line.end(), number.begin(), number.end());
      }
      if (!open.empty() && pick(3) == 0) {
        const uint8_t o = open.back();
        open.pop_back();
        line.push_back(o == '(' ? ')' : o == '[' ? ']' : '}');
      }
      if (pick(6) == 0) line.push_back(static_cast<uint8_t>(",.;!"[pick(4)]));
    }
    for (bool english : {true, false}) {
      std::vector<uint8_t> turned = line;
      LogicalToStorage(english, turned);
      StorageToLogical(english, turned);
      ASSERT_EQ(turned, line) << round << (english ? " English" : " Hebrew");
    }
  }
}

}  // namespace
}  // namespace nuvel
