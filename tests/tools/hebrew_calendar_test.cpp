#include "tools/hebrew_calendar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/calendar_names.h"

namespace nuvel {
namespace {

// An independent Hebrew calendar from the molad and the four postponements,
// counted in days since the Hebrew epoch, to check the converters against.
namespace ref {

bool IsLeap(int h) { return (7 * h + 1) % 19 < 7; }

std::int64_t ElapsedDays(int h) {
  const std::int64_t months = (235LL * h - 234) / 19;
  const std::int64_t parts = 12084 + 13753 * months;
  std::int64_t days = 29 * months + parts / 25920;
  if ((3 * (days + 1)) % 7 < 3) ++days;
  return days;
}

// Absolute day (0 = 1970-01-01) of Tishrei 1 of Hebrew year h.
std::int64_t NewYear(int h) {
  // Tishrei 1 of year 1 fell on 7 October 3761 BCE (Julian), which is
  // proleptic Gregorian -3760-09-07.
  const std::int64_t epoch = DaysFromCivil(-3760, 9, 7);
  std::int64_t correction = 0;
  const std::int64_t ny0 = ElapsedDays(h - 1), ny1 = ElapsedDays(h), ny2 = ElapsedDays(h + 1);
  if (ny2 - ny1 == 356) correction = 2;
  else if (ny1 - ny0 == 382) correction = 1;
  return epoch + ny1 + correction;
}

int YearLength(int h) { return static_cast<int>(NewYear(h + 1) - NewYear(h)); }

// Month names and lengths of year h, Tishrei first, in the year's own order.
struct Month {
  std::string name;
  int length;
};
std::vector<Month> Months(int h) {
  const int len = YearLength(h);
  const bool leap = IsLeap(h);
  std::vector<Month> m = {{"Tishrei", 30},
                          {"Cheshvan", len % 10 == 5 ? 30 : 29},
                          {"Kislev", len % 10 == 3 ? 29 : 30},
                          {"Tevet", 29},
                          {"Shvat", 30}};
  if (leap) {
    m.push_back({"Adar 1", 30});
    m.push_back({"Adar 2", 29});
  } else {
    m.push_back({"Adar", 29});
  }
  for (auto& x : std::vector<Month>{{"Nisan", 30}, {"Iyar", 29}, {"Sivan", 30}, {"Tammuz", 29},
                                    {"Menachem Av", 30}, {"Elul", 29}})
    m.push_back(x);
  return m;
}

}  // namespace ref

int ChronoWeekday(int y, int m, int d) {
  using namespace std::chrono;
  const weekday w{sys_days{year{y} / month{static_cast<unsigned>(m)} / day{static_cast<unsigned>(d)}}};
  return static_cast<int>(w.c_encoding()) + 1;
}

TEST(HebrewCalendar, DayOfWeekMatchesChronoOverWholeRange) {
  for (std::int64_t days = DaysFromCivil(1, 1, 1); days <= DaysFromCivil(2242, 12, 31); ++days) {
    int y, m, d;
    CivilFromDays(days, y, m, d);
    ASSERT_EQ(GregorianDayOfWeek(y, m, d), ChronoWeekday(y, m, d)) << y << "-" << m << "-" << d;
  }
}

TEST(HebrewCalendar, LeapGregorianYears) {
  struct Case { int year; bool leap; };
  for (const Case& c : {Case{1900, false}, {2000, true}, {2004, true}, {2003, false}, {1600, true},
                        {1700, false}, {4, true}, {1, false}}) {
    EXPECT_EQ(IsLeapGregorian(c.year), c.leap) << c.year;
  }
}

TEST(HebrewCalendar, RoshHashanaAndYearTypeMatchMoladReckoning) {
  // Gregorian years 0..2242 cover every Hebrew year either dialog reaches,
  // including the early years whose Rosh Hashanah falls in August.
  int augustYears = 0;
  for (int g = 0; g <= 2242; ++g) {
    const int h = g + 3761;
    const RoshHashana rh = RoshHashanaDate(g);
    const std::int64_t got = DaysFromCivil(g, 9, 1) + rh.day - 1;
    ASSERT_EQ(got, ref::NewYear(h)) << "Gregorian year " << g;
    int y, m, d;
    CivilFromDays(got, y, m, d);
    ASSERT_EQ(rh.weekday, ChronoWeekday(y, m, d)) << g;
    if (rh.day <= 0) ++augustYears;
    const int len = ref::YearLength(h);
    const int expectedType = len < 380 ? len - 353 : len - 383 + 3;
    ASSERT_EQ(HebrewYearType(g), expectedType) << g;
  }
  EXPECT_GT(augustYears, 0);  // the range does hold Rosh Hashanah in August
}

TEST(HebrewCalendar, GregorianToHebrewEveryDayOfTheRange) {
  int h = 3760;
  for (std::int64_t days = DaysFromCivil(1, 1, 1); days <= DaysFromCivil(2241, 12, 31); ++days) {
    while (ref::NewYear(h + 1) <= days) ++h;
    int dayOfYear = static_cast<int>(days - ref::NewYear(h)) + 1;
    std::string monthName;
    for (const auto& month : ref::Months(h)) {
      if (dayOfYear <= month.length) {
        monthName = month.name;
        break;
      }
      dayOfYear -= month.length;
    }
    int y, m, d;
    CivilFromDays(days, y, m, d);
    const HebrewDate got = GregorianToHebrew(y, m, d);
    ASSERT_TRUE(got.valid);
    ASSERT_EQ(got.year, h) << y << "-" << m << "-" << d;
    ASSERT_EQ(got.day, dayOfYear) << y << "-" << m << "-" << d;
    ASSERT_EQ(std::string(HebrewMonthNameEnglish(got.leap, got.month)), monthName)
        << y << "-" << m << "-" << d;
    ASSERT_EQ(got.weekday, ChronoWeekday(y, m, d));
  }
}

TEST(HebrewCalendar, HebrewToGregorianEveryDateOfTheRange) {
  for (int h = 4500; h <= 6001; ++h) {
    const std::vector<ref::Month> months = ref::Months(h);
    const bool leap = ref::IsLeap(h);
    std::int64_t days = ref::NewYear(h);
    for (int input = 1; input <= 13; ++input) {
      // The input always counts 13 months; in a common year 7 does not exist.
      int index = input;
      if (!leap) {
        if (input == 7) {
          EXPECT_EQ(HebrewToGregorian(7, 1, h).status, kHebStatusNoSuchDate);
          continue;
        }
        if (input > 7) --index;
      }
      const ref::Month& month = months[index - 1];
      for (int d = 1; d <= 31; ++d) {
        const GregorianDate got = HebrewToGregorian(input, d, h);
        if (d > month.length) {
          ASSERT_EQ(got.status, kHebStatusNoSuchDate) << h << "/" << input << "/" << d;
          ASSERT_EQ(got.year, 0);
          ASSERT_EQ(got.day, 0);
          continue;
        }
        const std::int64_t want = days + d - 1;
        ASSERT_NE(got.status, kHebStatusNoSuchDate);
        ASSERT_EQ(DaysFromCivil(got.year, got.month, got.day), want) << h << "/" << input << "/" << d;
        ASSERT_EQ(got.monthInYear, index);
        ASSERT_EQ(got.status, IsLeapGregorian(h - 3761 + 1) ? kHebStatusLeapFollows : kHebStatusCommonFollows);
        ASSERT_EQ(got.weekday, ChronoWeekday(got.year, got.month, got.day));
      }
      days += month.length;
    }
  }
}

TEST(HebrewCalendar, KnownConversions) {
  struct Case {
    int gy, gm, gd;
    bool leap;
    int hMonth, hDay, hYear, weekday;
  };
  const Case cases[] = {
      {2003, 9, 27, false, 1, 1, 5764, 7},    // Rosh Hashanah postponed from Friday
      {2003, 9, 26, false, 12, 29, 5763, 6},  // Elul 29, the day before
      {2024, 10, 3, false, 1, 1, 5785, 5},
      {2024, 2, 23, true, 6, 14, 5784, 6},    // Adar 1 of a leap year
      {2024, 3, 24, true, 7, 14, 5784, 1},    // Adar 2
      {2025, 3, 14, false, 6, 14, 5785, 6},   // Adar of a common year
      {1948, 5, 14, true, 9, 5, 5708, 6},     // Iyar 5 of a leap year
      {1967, 9, 1, false, 11, 26, 5727, 6},   // Rosh Hashanah on October 5: Av 26 of the year before
      {1967, 10, 4, false, 12, 29, 5727, 4},  // October, before Rosh Hashanah, leap year before
      {1967, 10, 5, false, 1, 1, 5728, 5},
      {2000, 2, 29, false, 6, 23, 5760, 3},   // 5760 is leap: Adar 1 23
      {740, 8, 31, true, 1, 1, 4501, 7},     // Rosh Hashanah in August
      {740, 8, 30, false, 12, 29, 4500, 6},
      {1, 1, 1, false, 4, 18, 3761, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.gy) + "-" + std::to_string(c.gm) + "-" + std::to_string(c.gd));
    const HebrewDate h = GregorianToHebrew(c.gy, c.gm, c.gd);
    ASSERT_TRUE(h.valid);
    // 2000-02-29 lies in a leap year's Adar 1.
    const bool wantLeap = c.leap || (c.gy == 2000);
    EXPECT_EQ(h.leap, wantLeap);
    EXPECT_EQ(h.month, c.hMonth);
    EXPECT_EQ(h.day, c.hDay);
    EXPECT_EQ(h.year, c.hYear);
    EXPECT_EQ(h.weekday, c.weekday);
  }
  EXPECT_EQ(RoshHashanaDate(2003).day, 27);
  EXPECT_EQ(RoshHashanaDate(2003).weekday, 7);
  EXPECT_EQ(RoshHashanaDate(2004).day, 16);
  EXPECT_EQ(HebrewYearType(2003), 2);
}

TEST(HebrewCalendar, HebrewToGregorianKnownDatesAndInvalidOnes) {
  struct Case {
    int hMonth, hDay, hYear;
    int status, gy, gm, gd, weekday;
  };
  const Case cases[] = {
      {1, 1, 5764, kHebStatusLeapFollows, 2003, 9, 27, 7},
      {13, 29, 5763, kHebStatusCommonFollows, 2003, 9, 26, 6},  // common year: 13 is Elul
      {6, 14, 5784, kHebStatusLeapFollows, 2024, 2, 23, 6},   // Adar 1
      {7, 14, 5784, kHebStatusLeapFollows, 2024, 3, 24, 1},   // Adar 2
      {6, 14, 5785, kHebStatusCommonFollows, 2025, 3, 14, 6},
      {8, 15, 5785, kHebStatusCommonFollows, 2025, 4, 13, 1},  // 8 stands for Nisan in a common year
      {1, 1, 4501, kHebStatusCommonFollows, 740, 8, 31, 7},     // Rosh Hashanah before September
      {1, 1, 4615, kHebStatusCommonFollows, 854, 8, 31, 2},
      {1, 1, 4634, kHebStatusCommonFollows, 873, 8, 31, 5},
      {7, 1, 5785, kHebStatusNoSuchDate, 0, 0, 0, 0},   // Adar 2 in a common year
      {2, 30, 5784, kHebStatusNoSuchDate, 0, 0, 0, 0},  // Cheshvan 30 in a short year
      {1, 31, 5785, kHebStatusNoSuchDate, 0, 0, 0, 0},
      {1, 0, 5785, kHebStatusNoSuchDate, 0, 0, 0, 0},
      {14, 1, 5785, kHebStatusNoSuchDate, 0, 0, 0, 0},
      {0, 1, 5785, kHebStatusNoSuchDate, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.hYear) + "/" + std::to_string(c.hMonth) + "/" + std::to_string(c.hDay));
    const GregorianDate g = HebrewToGregorian(c.hMonth, c.hDay, c.hYear);
    EXPECT_EQ(g.status, c.status);
    EXPECT_EQ(g.year, c.gy);
    EXPECT_EQ(g.month, c.gm);
    EXPECT_EQ(g.day, c.gd);
    if (c.status != kHebStatusNoSuchDate) {
      EXPECT_EQ(g.weekday, c.weekday);
    }
  }
}

TEST(HebrewCalendar, NonexistentGregorianDatesAreInvalid) {
  struct Case { int y, m, d; bool valid; };
  for (const Case& c : {Case{2023, 2, 31, false}, {1900, 2, 29, false}, {2000, 2, 29, true},
                        {2023, 4, 31, false}, {2023, 13, 1, false}, {2023, 0, 1, false},
                        {2023, 1, 0, false}, {2023, 12, 31, true}}) {
    EXPECT_EQ(GregorianToHebrew(c.y, c.m, c.d).valid, c.valid) << c.y << "-" << c.m << "-" << c.d;
  }
}

TEST(CalendarNames, YearInLetters) {
  struct Case { int year; std::string text; };
  const Case cases[] = {
      {5785, "\xE4\xFA\xF9\xF4\xA8\xE4 "},  // he, tav, shin, pe, mark, he
      {5800, "\xE4\xFA\xFA    "},           // 800 is tav tav
      {5900, "\xE4\xFA\xFA\xF7    "},       // 900 takes three places
      {5985, "\xE4\xFA\xFA\xF7\xF4\xA8\xE4 "},
      {5715, "\xE4\xFA\xF9\xE8\xA8\xE5 "},  // 15 is tet vav
      {5716, "\xE4\xFA\xF9\xE8\xA8\xE6 "},  // 16 is tet zayin
      {5300, "\xE4 \xF9    "},
      {5020, "\xE4  \xEB   "},
      {4501, "\xE3\xFA\xF7 \xA8\xE0 "},
  };
  for (const Case& c : cases) EXPECT_EQ(HebrewYearLetters(c.year), c.text) << c.year;
}

TEST(CalendarNames, TablesByNumber) {
  EXPECT_EQ(HebrewMonthNameEnglish(false, 6), "Adar");
  EXPECT_EQ(HebrewMonthNameEnglish(false, 13), " ");
  EXPECT_EQ(HebrewMonthNameEnglish(true, 7), "Adar 2");
  EXPECT_EQ(HebrewMonthNameHebrew(true, 6), "\xE0\xE3\xF8 \xE0");
  EXPECT_EQ(WeekdayNameEnglish(7), "Shabbos");
  EXPECT_EQ(WeekdayNameHebrew(7), "\xF9\xE1\xFA");
  EXPECT_EQ(GregorianMonthNameEnglish(9), "September");
  EXPECT_EQ(GregorianMonthNameHebrew(3), "\xEE\xF8\xF5");
  EXPECT_TRUE(WeekdayNameEnglish(0).empty());
  EXPECT_TRUE(HebrewMonthNameEnglish(true, 14).empty());
}

}  // namespace
}  // namespace nuvel
