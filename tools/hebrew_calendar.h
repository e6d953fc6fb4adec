#pragma once
// Conversion between the Gregorian and the Hebrew calendar.
//
// Rosh Hashanah of a Gregorian year G is found with Gauss's formula and the
// postponement rules; a Hebrew year is classified by its length; months are
// walked with fixed length tables. Dates are handled as absolute day numbers
// internally, so years whose Rosh Hashanah falls in August (before about 874)
// convert as correctly as later ones.
//
// Conventions: weekdays 1..7 are Sunday..Saturday. The Hebrew year that begins
// in September of Gregorian year G is G + 3761. Hebrew months count from
// Tishrei = 1; leap years have 13 months (6 Adar 1, 7 Adar 2, 8 Nisan .. 13
// Elul), common years 12 (6 Adar, 7 Nisan .. 12 Elul).
#include <cstdint>

namespace nuvel {

// Weekday 1..7 (Sunday..Saturday) of a Gregorian date. Days outside the month
// count on from its first day (day 0 of September is August 31).
int GregorianDayOfWeek(int year, int month, int day);

bool IsLeapGregorian(int year);

// Rosh Hashanah of Gregorian year G: `day` counts in September of G (above 30
// is October; 0 or below is August, 0 being August 31).
struct RoshHashana {
  int weekday = 0;
  int day = 0;
};
RoshHashana RoshHashanaDate(int g);

// Type of the Hebrew year that begins in September of G, by its length:
// 0 = 353 days, 1 = 354, 2 = 355 (common), 3 = 383, 4 = 384, 5 = 385 (leap).
int HebrewYearType(int g);

// Length in days of month `month` (1-based, the year's own numbering) in a
// year of type `type`; 0 when the year has no such month.
int HebrewMonthLength(int type, int month);

struct HebrewDate {
  bool valid = false;  // false for a Gregorian date that does not exist
  bool leap = false;   // picks the name table the month number belongs to
  int month = 0;       // in the numbering `leap` says
  int weekday = 0;
  int day = 0;
  int year = 0;
};
// A date of September or October before Rosh Hashanah is given in the common
// numbering (Elul 12, Av 11, `leap` false) whatever the year's type.
HebrewDate GregorianToHebrew(int gYear, int gMonth, int gDay);

// Status of a Hebrew-to-Gregorian conversion.
enum : int {
  kHebStatusCommonFollows = 0,  // the Gregorian year after the one Tishrei falls in is common
  kHebStatusLeapFollows = 1,    // ... is a leap year
  kHebStatusNoSuchDate = 3,     // month or day does not exist in that year
};
struct GregorianDate {
  int status = kHebStatusNoSuchDate;
  int year = 0;
  int month = 0;
  int day = 0;
  int weekday = 0;
  int monthInYear = 0;  // the month in the year's own numbering (7..12 for 8..13 in a common year)
};
// `hMonth` uses the 13-month numbering always: in a common year month 7 does
// not exist and 8..13 stand for 7..12. A month or day that does not exist in
// that year gives status kHebStatusNoSuchDate and year, month and day 0.
GregorianDate HebrewToGregorian(int hMonth, int hDay, int hYear);

// Absolute day number of a proleptic Gregorian date (0 = 1970-01-01) and back.
std::int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(std::int64_t days, int& year, int& month, int& day);

}  // namespace nuvel
