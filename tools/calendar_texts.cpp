#include "tools/calendar_texts.h"

#include <algorithm>

#include "core/hebrew_numerals.h"
#include "tools/calendar_names.h"
#include "tools/hebrew_calendar.h"

namespace nuvel {

std::string HebrewDayNumeral(int day) {
  if (day < 1 || day > 30) return "0";
  // The numeral routine gives visual order, units first.
  std::string s = IntToHebNum(day);
  std::reverse(s.begin(), s.end());
  std::erase(s, ' ');  // an empty units or tens place
  return s;
}

std::string HebrewDateTexts::CopyText() const { return weekday + " " + day + " " + month + " " + year; }

std::string GregorianDateTexts::CopyText() const { return weekday + " " + day + " " + month + ", " + year; }

HebrewDateTexts GregorianToHebrewTexts(int gYear, int gMonth, int gDay, bool hebrew) {
  HebrewDateTexts t;
  const HebrewDate h = GregorianToHebrew(gYear, gMonth, gDay);
  if (!h.valid) {
    t.day = "0";
    t.year = "0";
    return t;
  }
  if (hebrew) {
    t.month = HebrewMonthNameHebrew(h.leap, h.month);
    t.weekday = WeekdayNameHebrew(h.weekday);
    t.day = HebrewDayNumeral(h.day);
    t.year = HebrewYearLetters(h.year);
  } else {
    t.month = HebrewMonthNameEnglish(h.leap, h.month);
    t.weekday = WeekdayNameEnglish(h.weekday);
    t.day = std::to_string(h.day);
    t.year = std::to_string(h.year);
  }
  return t;
}

GregorianDateTexts HebrewToGregorianTexts(int hYear, int hMonth, int hDay, bool hebrew) {
  GregorianDateTexts t;
  const GregorianDate g = HebrewToGregorian(hMonth, hDay, hYear);
  if (g.status == kHebStatusNoSuchDate) {
    t.year = "0";
    t.day = "0";
    return t;
  }
  t.year = std::to_string(g.year);
  t.day = std::to_string(g.day);
  t.month = hebrew ? GregorianMonthNameHebrew(g.month) : GregorianMonthNameEnglish(g.month);
  t.weekday = hebrew ? WeekdayNameHebrew(g.weekday) : WeekdayNameEnglish(g.weekday);
  return t;
}

std::string GregorianMonthListEntry(int month) {
  return std::string(GregorianMonthNameEnglish(month)) + " " + std::string(GregorianMonthNameHebrew(month));
}

std::string HebrewMonthListEntry(int month) {
  return std::string(HebrewMonthNameEnglish(true, month)) + " " + std::string(HebrewMonthNameHebrew(true, month));
}

}  // namespace nuvel
