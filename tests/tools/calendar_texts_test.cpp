#include "tools/calendar_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace nuvel {
namespace {

TEST(CalendarTexts, GregorianToHebrewInBothDisplays) {
  struct Case {
    int y, m, d;
    bool hebrew;
    std::string month, weekday, day, year;
  };
  const Case cases[] = {
      {2003, 9, 27, false, "Tishrei", "Shabbos", "1", "5764"},
      {2024, 3, 24, false, "Adar 2", "Sunday", "14", "5784"},
      {2025, 3, 14, false, "Adar", "Friday", "14", "5785"},
      {2024, 10, 3, true, "\xFA\xF9\xF8\xE9", "\xE7\xEE\xE9\xF9\xE9", "\xE0", "\xE4\xFA\xF9\xF4\xA8\xE4 "},
      {2025, 3, 14, true, "\xE0\xE3\xF8", "\xF9\xE9\xF9\xE9", "\xE9\xE3", "\xE4\xFA\xF9\xF4\xA8\xE4 "},
      {2023, 2, 31, false, "", "", "0", "0"},  // no such day
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.y) + "-" + std::to_string(c.m) + "-" + std::to_string(c.d));
    const HebrewDateTexts t = GregorianToHebrewTexts(c.y, c.m, c.d, c.hebrew);
    EXPECT_EQ(t.month, c.month);
    EXPECT_EQ(t.weekday, c.weekday);
    EXPECT_EQ(t.day, c.day);
    EXPECT_EQ(t.year, c.year);
  }
  EXPECT_EQ(GregorianToHebrewTexts(2003, 9, 27, false).CopyText(), "Shabbos 1 Tishrei 5764");
}

TEST(CalendarTexts, HebrewToGregorianInBothDisplays) {
  struct Case {
    int y, m, d;
    bool hebrew;
    std::string year, day, month, weekday;
  };
  const Case cases[] = {
      {5764, 1, 1, false, "2003", "27", "September", "Shabbos"},
      {5784, 7, 14, false, "2024", "24", "March", "Sunday"},
      {5785, 7, 14, false, "0", "0", "", ""},  // Adar 2 in a common year
      {5785, 8, 15, true, "2025", "13", "\xE0\xF4\xF8\xE9\xEC", "\xF8\xE0\xF9\xE5\xEF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.y) + "/" + std::to_string(c.m) + "/" + std::to_string(c.d));
    const GregorianDateTexts t = HebrewToGregorianTexts(c.y, c.m, c.d, c.hebrew);
    EXPECT_EQ(t.year, c.year);
    EXPECT_EQ(t.day, c.day);
    EXPECT_EQ(t.month, c.month);
    EXPECT_EQ(t.weekday, c.weekday);
  }
  EXPECT_EQ(HebrewToGregorianTexts(5764, 1, 1, false).CopyText(), "Shabbos 27 September, 2003");
}

TEST(CalendarTexts, DayNumeralsAndListEntries) {
  struct Case { int day; std::string text; };
  for (const Case& c : {Case{0, "0"}, Case{31, "0"}, Case{1, "\xE0"}, Case{10, "\xE9"}, Case{15, "\xE8\xE5"},
                        Case{16, "\xE8\xE6"}, Case{23, "\xEB\xE2"}, Case{30, "\xEC"}}) {
    EXPECT_EQ(HebrewDayNumeral(c.day), c.text) << c.day;
  }
  EXPECT_EQ(GregorianMonthListEntry(1), "January \xE9\xF0\xE5\xE0\xF8");
  EXPECT_EQ(HebrewMonthListEntry(7), "Adar 2 \xE0\xE3\xF8 \xE1");
  EXPECT_EQ(HebrewMonthListEntry(13), "Elul \xE0\xEC\xE5\xEC");
}

}  // namespace
}  // namespace nuvel
