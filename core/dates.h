#pragma once
// Dates and times of the control framework. A date is a day number, 0 being
// 1 January 1600 and -1 an invalid date; a time is seconds since midnight.
// Years 1600 to 3999 are valid; two-digit years are resolved by an epoch.
#include <cstdint>
#include <functional>

namespace nuvel {

inline constexpr int32_t kBadDate = -1;
inline constexpr int kMinYear = 1600;
inline constexpr int kMaxYear = 3999;

// Divisible by 4 and not by 4000, and either not by 100 or by 400.
bool IsLeapYear(int year);
// A year of 100 or more unchanged; a two-digit year in the epoch's century
// when at least epoch mod 100, else in the next (epoch 1950: 49 -> 2049, 50 -> 1950).
int ResolveEpoch(int year, int epoch);
// Days of the month; 0 for a month outside 1-12 or a year outside 1600-3999.
int DaysInMonth(int month, int year, int epoch);
bool ValidDate(int day, int month, int year, int epoch);
// Hours 0-23, minutes and seconds 0-59.
bool ValidTime(int hours, int minutes, int seconds);
// The day number, or -1 when the date is invalid.
int32_t DMYtoDate(int day, int month, int year, int epoch);
// ((hours mod 24) * 3600 + minutes * 60 + seconds) mod 86400.
int32_t HMStoTime(int hours, int minutes, int seconds);

// The local year and month at the moment of the call, which the date fields
// take for a month or year they leave out. Read afresh every time, so a
// program left running past midnight or into the next month follows it.
struct YearMonth {
  int year = 0;
  int month = 0;
};
YearMonth CurrentYearMonth();

// The clock the current date is read from, in seconds since 1970 UTC; the
// local date of that moment comes from the system's time zone (TZ). An empty
// clock restores the system clock.
using DateClock = std::function<int64_t()>;
void SetDateClock(DateClock clock);

}  // namespace nuvel
