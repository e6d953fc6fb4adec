#pragma once
// Names the calendar converters show: Hebrew months, weekdays and Gregorian
// months in English and in Hebrew (Hebrew texts as bytes of the system's
// 8-bit set), and the Hebrew year written in letters.
#include <string>
#include <string_view>

namespace nuvel {

// Hebrew month `month` (1..13) in the numbering `leap` gives; a common year's
// month 13 is a blank. Empty outside 1..13.
std::string_view HebrewMonthNameEnglish(bool leap, int month);
std::string_view HebrewMonthNameHebrew(bool leap, int month);

// Weekday 1..7 (Sunday..Saturday); empty outside.
std::string_view WeekdayNameEnglish(int weekday);
std::string_view WeekdayNameHebrew(int weekday);

// Gregorian month 1..12; empty outside.
std::string_view GregorianMonthNameEnglish(int month);
std::string_view GregorianMonthNameHebrew(int month);

// The Hebrew year in letters, as the Hebrew display shows it: the thousands
// letter; TAV for 400 and more of hundreds (TAV TAV QOF for 900, which moves
// the rest one place right) or a space; the remaining hundreds letter or a
// space; the tens letter; the mark 0xA8 when there are units, else a space;
// the units letter; a space. 15 and 16 are written TET VAV and TET ZAYIN.
std::string HebrewYearLetters(int year);

}  // namespace nuvel
