#include "tools/hebrew_calendar.h"

#include <array>
#include <cmath>
#include <stdexcept>

namespace nuvel {

namespace {

// Month lengths by year type, Tishrei first.
constexpr std::array<std::array<int, 13>, 6> kHebrewMonthLengths = {{
    {30, 29, 29, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {30, 30, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {30, 29, 29, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 29, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 30, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
}};

// Days of the months from March, used by the weekday formula.
constexpr std::array<int, 11> kMonthsFromMarch = {31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 31};

int FloorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int FloorMod(std::int64_t a, int b) {
  int r = static_cast<int>(a % b);
  return r < 0 ? r + b : r;
}

int GregorianMonthLength(int year, int month) {
  static constexpr std::array<int, 12> kLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && IsLeapGregorian(year)) return 29;
  return kLengths[month - 1];
}

// Absolute day of Rosh Hashanah of Gregorian year G.
std::int64_t RoshHashanaDay(int g) {
  return DaysFromCivil(g, 9, 1) + RoshHashanaDate(g).day - 1;
}

int WeekdayOfDays(std::int64_t days) {
  // 1970-01-01 was a Thursday (5).
  return FloorMod(days + 4, 7) + 1;
}

}  // namespace

std::int64_t DaysFromCivil(int year, int month, int day) {
  // Counts March-based years so that February's length only affects the end.
  const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t mp = (month + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

int GregorianDayOfWeek(int year, int month, int day) {
  if (month <= 2) {
    month += 10;
    year -= 1;
  } else {
    month -= 2;
  }
  std::int64_t d = day;
  for (int m = 1; m < month; ++m) d += kMonthsFromMarch[m - 1];
  const std::int64_t w = static_cast<std::int64_t>(year) + d + FloorDiv(year, 4) - FloorDiv(year, 100) +
                         FloorDiv(year, 400) + 3;
  const int r = FloorMod(w, 7);
  return r == 0 ? 7 : r;
}

bool IsLeapGregorian(int year) {
  return (year % 400 == 0) || (year % 4 == 0 && year % 100 != 0);
}

RoshHashana RoshHashanaDate(int g) {
  const int a = ((FloorMod(g, 19) + 1) * 12) % 19;
  const double n = a * 1.5542417966211826 + (FloorDiv(g, 100) - FloorDiv(g, 400) - 2) +
                   FloorMod(g, 4) / 4.0 - (313.0 * g + 89081.0) / 98496.0;
  // The whole part is taken toward minus infinity: in early years n can be
  // negative (Rosh Hashanah in August), and the fraction must stay in [0, 1).
  const double whole = std::floor(n);
  const double r = n - whole;
  RoshHashana rh;
  rh.day = static_cast<int>(whole);
  rh.weekday = GregorianDayOfWeek(g, 9, rh.day);
  if (rh.weekday == 1 || rh.weekday == 4 || rh.weekday == 6) {
    rh.day += 1;
    rh.weekday += 1;
  } else if (rh.weekday == 3 && r >= 0.6328703703703704 && a >= 7) {
    rh.day += 2;
    rh.weekday = 5;
  } else if (rh.weekday == 2 && r >= 0.8977237654320988 && a >= 12) {
    rh.day += 1;
    rh.weekday = 3;
  }
  return rh;
}

int HebrewYearType(int g) {
  const std::int64_t length = RoshHashanaDay(g + 1) - RoshHashanaDay(g);
  switch (length) {
    case 353: return 0;
    case 354: return 1;
    case 355: return 2;
    case 383: return 3;
    case 384: return 4;
    case 385: return 5;
    default: throw std::domain_error("Hebrew year of impossible length");
  }
}

int HebrewMonthLength(int type, int month) {
  if (type < 0 || type > 5 || month < 1 || month > 13) return 0;
  return kHebrewMonthLengths[type][month - 1];
}

HebrewDate GregorianToHebrew(int gYear, int gMonth, int gDay) {
  HebrewDate out;
  if (gMonth < 1 || gMonth > 12 || gDay < 1 || gDay > GregorianMonthLength(gYear, gMonth)) return out;
  const std::int64_t days = DaysFromCivil(gYear, gMonth, gDay);
  int y = gYear;
  std::int64_t rh = RoshHashanaDay(y);
  if (days < rh) {
    --y;
    rh = RoshHashanaDay(y);
  }
  const int type = HebrewYearType(y);
  int dayOfYear = static_cast<int>(days - rh) + 1;
  int month = 1;
  while (dayOfYear > kHebrewMonthLengths[type][month - 1]) {
    dayOfYear -= kHebrewMonthLengths[type][month - 1];
    ++month;
  }
  out.valid = true;
  out.leap = type >= 3;
  out.month = month;
  out.day = dayOfYear;
  out.year = y + 3761;
  out.weekday = WeekdayOfDays(days);
  // September and October days before Rosh Hashanah are reported in the
  // common numbering (Av 11, Elul 12), as the converters always have.
  if (y != gYear && gMonth >= 9) {
    if (out.leap) --out.month;
    out.leap = false;
  }
  return out;
}

GregorianDate HebrewToGregorian(int hMonth, int hDay, int hYear) {
  GregorianDate out;
  const int y = hYear - 3761;
  if (hMonth < 1 || hMonth > 13) return out;
  const int type = HebrewYearType(y);
  int month = hMonth;
  if (type < 3) {
    if (month == 7) return out;
    if (month > 7) --month;
  }
  if (hDay < 1 || hDay > kHebrewMonthLengths[type][month - 1]) return out;
  int d = hDay;
  for (int m = 1; m < month; ++m) d += kHebrewMonthLengths[type][m - 1];
  const std::int64_t days = RoshHashanaDay(y) + d - 1;
  CivilFromDays(days, out.year, out.month, out.day);
  out.weekday = WeekdayOfDays(days);
  out.monthInYear = month;
  out.status = IsLeapGregorian(y + 1) ? kHebStatusLeapFollows : kHebStatusCommonFollows;
  return out;
}

}  // namespace nuvel
