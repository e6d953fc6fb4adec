#pragma once
// What the two date converters show and copy, in English or in Hebrew (Hebrew
// texts as bytes of the system's set, in writing order).
#include <string>

namespace nuvel {

// The Hebrew numeral of a day 1..30 in writing order; "0" outside.
std::string HebrewDayNumeral(int day);

// Gregorian to Hebrew: the Hebrew month, the weekday, the day and the year.
// English: names and numbers; Hebrew: names, the day as a numeral and the
// year in letters. A date that does not exist gives blank names and "0".
struct HebrewDateTexts {
  std::string month;
  std::string weekday;
  std::string day;
  std::string year;
  // weekday, day, month and year, separated by spaces
  std::string CopyText() const;
};
HebrewDateTexts GregorianToHebrewTexts(int gYear, int gMonth, int gDay, bool hebrew);

// Hebrew to Gregorian (month in the 13-month numbering): the Gregorian year
// and day as numbers, the month and the weekday by name. A month or day that
// does not exist in that year gives "0" for year and day and blank names.
struct GregorianDateTexts {
  std::string year;
  std::string day;
  std::string month;
  std::string weekday;
  // weekday, day, month, ", " and the year
  std::string CopyText() const;
};
GregorianDateTexts HebrewToGregorianTexts(int hYear, int hMonth, int hDay, bool hebrew);

// The entries of the two month lists: English name, a space, Hebrew name.
std::string GregorianMonthListEntry(int month);  // 1..12
std::string HebrewMonthListEntry(int month);     // 1..13, Adar 1 and Adar 2 as 6 and 7

}  // namespace nuvel
