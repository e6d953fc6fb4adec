#include "core/dates.h"

#include <chrono>

namespace nuvel {

int CurrentYear = 0;
int CurrentMonth = 0;

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

void InitCurrentDate() {
  using namespace std::chrono;
  year_month_day today{floor<days>(system_clock::now())};
  CurrentYear = static_cast<int>(today.year());
  CurrentMonth = static_cast<int>(static_cast<unsigned>(today.month()));
}

}  // namespace nuvel
