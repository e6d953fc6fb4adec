#include "core/dates.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/fixed_local_time.h"

namespace nuvel {
namespace {

using namespace std::chrono;

TEST(Dates, DayNumbersAgreeWithTheCalendarOverTheWholeRange) {
  const sys_days origin = year{1600} / January / 1;
  const sys_days last = year{3999} / December / 31;
  int32_t expected = 0;
  for (sys_days d = origin; d <= last; d += days{1}, ++expected) {
    year_month_day ymd{d};
    int y = static_cast<int>(ymd.year());
    int m = static_cast<int>(static_cast<unsigned>(ymd.month()));
    int day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    ASSERT_EQ(DMYtoDate(day, m, y, 1950), expected) << y << "-" << m << "-" << day;
    ASSERT_EQ(DaysInMonth(m, y, 1950), static_cast<int>(static_cast<unsigned>(year_month_day_last(ymd.year(), month_day_last(ymd.month())).day())))
        << y << "-" << m;
    ASSERT_EQ(IsLeapYear(y), ymd.year().is_leap()) << y;
  }
}

TEST(Dates, InvalidDates) {
  struct {
    int day, month, year;
  } cases[] = {{29, 2, 1900}, {0, 1, 2000}, {32, 1, 2000}, {31, 4, 2000}, {1, 0, 2000},  {1, 13, 2000},
               {31, 12, 1599}, {1, 1, 4000}, {29, 2, 2100}, {30, 2, 2000}, {1, -1, 2000}, {-1, 1, 2000}};
  for (const auto& c : cases) {
    EXPECT_FALSE(ValidDate(c.day, c.month, c.year, 1950)) << c.day << "/" << c.month << "/" << c.year;
    EXPECT_EQ(DMYtoDate(c.day, c.month, c.year, 1950), -1) << c.day << "/" << c.month << "/" << c.year;
  }
}

TEST(Dates, FixedPoints) {
  EXPECT_EQ(DMYtoDate(1, 1, 1600, 1950), 0);
  EXPECT_EQ(DMYtoDate(29, 2, 1600, 1950), 59);
  EXPECT_EQ(DMYtoDate(1, 3, 1600, 1950), 60);
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(4000));
}

TEST(Dates, TwoDigitYearsResolveByTheEpoch) {
  struct {
    int year, epoch, resolved;
  } cases[] = {{49, 1950, 2049}, {50, 1950, 1950}, {99, 1950, 1999}, {0, 1950, 2000},
               {5, 2000, 2005},  {99, 2000, 2099}, {100, 1950, 100}, {1999, 1950, 1999}};
  for (const auto& c : cases) EXPECT_EQ(ResolveEpoch(c.year, c.epoch), c.resolved) << c.year << " " << c.epoch;
  EXPECT_EQ(DMYtoDate(1, 3, 0, 1950), DMYtoDate(1, 3, 2000, 0));
  EXPECT_EQ(DaysInMonth(2, 0, 1950), 29);
}

TEST(Dates, Times) {
  EXPECT_TRUE(ValidTime(23, 59, 59));
  EXPECT_TRUE(ValidTime(0, 0, 0));
  EXPECT_FALSE(ValidTime(24, 0, 0));
  EXPECT_FALSE(ValidTime(0, 60, 0));
  EXPECT_FALSE(ValidTime(0, 0, 60));
  EXPECT_FALSE(ValidTime(-1, 0, 0));
  EXPECT_EQ(HMStoTime(0, 0, 0), 0);
  EXPECT_EQ(HMStoTime(23, 59, 59), 86399);
  EXPECT_EQ(HMStoTime(25, 0, 0), 3600);
  EXPECT_EQ(HMStoTime(12, 30, 15), 45015);
}

// Moments at which the local date and the UTC date fall in different months
// (or years); the expected values are the calendar's, written out.
TEST(Dates, CurrentDateIsTheLocalDateOfTheMoment) {
  struct {
    const char* zone;
    int64_t utc_seconds;  // the moment, in seconds since 1970 UTC
    int year, month;
  } cases[] = {
      // 2024-01-31 22:30 UTC is 00:30 on 1 February in Israel.
      {"Asia/Jerusalem", 1706740200, 2024, 2},
      {"UTC", 1706740200, 2024, 1},
      // 2024-03-01 03:00 UTC is still 29 February in New York.
      {"America/New_York", 1709262000, 2024, 2},
      {"UTC", 1709262000, 2024, 3},
      // 2023-12-31 10:00 UTC is already New Year's Day at UTC+14.
      {"Pacific/Kiritimati", 1704016800, 2024, 1},
      {"UTC", 1704016800, 2023, 12},
      // A zone written as a POSIX rule needs no zone database: UTC+2.
      {"<+02>-2", 1706740200, 2024, 2},
  };
  for (const auto& c : cases) {
    test::FixedLocalTime at(c.zone, c.utc_seconds);
    const YearMonth today = CurrentYearMonth();
    EXPECT_EQ(today.year, c.year) << c.zone << " " << c.utc_seconds;
    EXPECT_EQ(today.month, c.month) << c.zone << " " << c.utc_seconds;
  }
}

TEST(Dates, CurrentDateFollowsTheClockWhileTheProgramRuns) {
  test::FixedLocalTime at("Asia/Jerusalem", 1706740200 - 3600);  // 23:30 on 31 January
  EXPECT_EQ(CurrentYearMonth().month, 1);
  SetDateClock([] { return int64_t{1706740200}; });  // an hour later, past local midnight
  EXPECT_EQ(CurrentYearMonth().month, 2);
}

TEST(Dates, WithoutAnInjectedClockTheDateIsPlausible) {
  SetDateClock({});
  const YearMonth today = CurrentYearMonth();
  EXPECT_GE(today.year, 2024);
  EXPECT_LE(today.year, kMaxYear);
  EXPECT_GE(today.month, 1);
  EXPECT_LE(today.month, 12);
}

}  // namespace
}  // namespace nuvel
