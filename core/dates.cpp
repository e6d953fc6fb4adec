#include "core/dates.h"

#include <chrono>
#include <ctime>
#include <utility>

namespace nuvel {

namespace {

DateClock& Clock() {
  static DateClock clock;
  return clock;
}

int64_t Now() {
  if (Clock()) return Clock()();
  using namespace std::chrono;
  return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace

bool IsLeapYear(int year) {
  return year % 4 == 0 && year % 4000 != 0 && (year % 100 != 0 || year % 400 == 0);
}

int ResolveEpoch(int year, int epoch) {
  if (year >= 100) return year;
  int century = epoch / 100 * 100;
  return year >= epoch % 100 ? century + year : century + 100 + year;
}

int DaysInMonth(int month, int year, int epoch) {
  year = ResolveEpoch(year, epoch);
  if (month < 1 || month > 12 || year < kMinYear || year > kMaxYear) return 0;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && IsLeapYear(year)) return 29;
  return kDays[month - 1];
}

bool ValidDate(int day, int month, int year, int epoch) {
  return day >= 1 && day <= DaysInMonth(month, year, epoch);
}

bool ValidTime(int hours, int minutes, int seconds) {
  return hours >= 0 && hours <= 23 && minutes >= 0 && minutes <= 59 && seconds >= 0 && seconds <= 59;
}

int32_t DMYtoDate(int day, int month, int year, int epoch) {
  if (!ValidDate(day, month, year, epoch)) return kBadDate;
  year = ResolveEpoch(year, epoch);
  if (year == kMinYear && month < 3) return month == 1 ? day - 1 : day + 30;
  // Months counted from March, so the leap day ends the year.
  if (month < 3) {
    month += 9;
    --year;
  } else {
    month -= 3;
  }
  int y = year - kMinYear;
  return (y / 100 * 146097) / 4 + (y % 100 * 1461) / 4 + (153 * month + 2) / 5 + day + 59;
}

int32_t HMStoTime(int hours, int minutes, int seconds) {
  return ((hours % 24) * 3600 + minutes * 60 + seconds) % 86400;
}

YearMonth CurrentYearMonth() {
  const std::time_t now = static_cast<std::time_t>(Now());
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return {};
  return {local.tm_year + 1900, local.tm_mon + 1};
}

void SetDateClock(DateClock clock) { Clock() = std::move(clock); }

}  // namespace nuvel
