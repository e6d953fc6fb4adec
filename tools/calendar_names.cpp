#include "tools/calendar_names.h"

#include <array>

namespace nuvel {

namespace {

constexpr std::array<std::string_view, 13> kHebMonthsEnglishCommon = {
    "Tishrei", "Cheshvan", "Kislev", "Tevet", "Shvat", "Adar", "Nisan",
    "Iyar", "Sivan", "Tammuz", "Menachem Av", "Elul", " "};
constexpr std::array<std::string_view, 13> kHebMonthsEnglishLeap = {
    "Tishrei", "Cheshvan", "Kislev", "Tevet", "Shvat", "Adar 1", "Adar 2",
    "Nisan", "Iyar", "Sivan", "Tammuz", "Menachem Av", "Elul"};
// Hebrew texts in the system's set (Hebrew letters at 0xE0..0xFA).
constexpr std::array<std::string_view, 13> kHebMonthsHebrewCommon = {
    "\xFA\xF9\xF8\xE9", "\xE7\xF9\xE5\xEF", "\xEB\xF1\xEC\xE9\xE5", "\xE8\xE1\xFA", "\xF9\xE1\xE8",
    "\xE0\xE3\xF8", "\xF0\xE9\xF1\xEF", "\xE0\xE9\xE9\xF8", "\xF1\xE9\xE5\xEF", "\xFA\xEE\xE5\xE6",
    "\xEE\xF0\xE7\xED \xE0\xE1", "\xE0\xEC\xE5\xEC", " "};
constexpr std::array<std::string_view, 13> kHebMonthsHebrewLeap = {
    "\xFA\xF9\xF8\xE9", "\xE7\xF9\xE5\xEF", "\xEB\xF1\xEC\xE9\xE5", "\xE8\xE1\xFA", "\xF9\xE1\xE8",
    "\xE0\xE3\xF8 \xE0", "\xE0\xE3\xF8 \xE1", "\xF0\xE9\xF1\xEF", "\xE0\xE9\xE9\xF8", "\xF1\xE9\xE5\xEF",
    "\xFA\xEE\xE5\xE6", "\xEE\xF0\xE7\xED \xE0\xE1", "\xE0\xEC\xE5\xEC"};
constexpr std::array<std::string_view, 7> kWeekdaysEnglish = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Shabbos"};
constexpr std::array<std::string_view, 7> kWeekdaysHebrew = {
    "\xF8\xE0\xF9\xE5\xEF", "\xF9\xF0\xE9", "\xF9\xEC\xE9\xF9\xE9", "\xF8\xE1\xE9\xF2\xE9",
    "\xE7\xEE\xE9\xF9\xE9", "\xF9\xE9\xF9\xE9", "\xF9\xE1\xFA"};
constexpr std::array<std::string_view, 12> kGregMonthsEnglish = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 12> kGregMonthsHebrew = {
    "\xE9\xF0\xE5\xE0\xF8", "\xF4\xE1\xF8\xE5\xE0\xF8", "\xEE\xF8\xF5", "\xE0\xF4\xF8\xE9\xEC",
    "\xEE\xE0\xE9", "\xE9\xE5\xF0\xE9", "\xE9\xE5\xEC\xE9", "\xE0\xE5\xE2\xE5\xF1\xE8",
    "\xF1\xF4\xE8\xEE\xE1\xF8", "\xE0\xE5\xF7\xE8\xE5\xE1\xF8", "\xF0\xE5\xE1\xEE\xE1\xF8",
    "\xE3\xF6\xEE\xE1\xF8"};

// Numeral letters: units (0 a space), tens (0 a space), hundreds 100..400.
constexpr std::array<char, 10> kUnits = {' ', '\xE0', '\xE1', '\xE2', '\xE3', '\xE4', '\xE5', '\xE6', '\xE7', '\xE8'};
constexpr std::array<char, 10> kTens = {' ', '\xE9', '\xEB', '\xEC', '\xEE', '\xF0', '\xF1', '\xF2', '\xF4', '\xF6'};
constexpr std::array<char, 5> kHundreds = {' ', '\xF7', '\xF8', '\xF9', '\xFA'};
constexpr char kTav = '\xFA';
// Stands for the gershayim before the units letter; the dialogs show it as
// U+05F4, which has no byte of its own in the system's set.
constexpr char kUnitsMark = '\xA8';

template <std::size_t N>
std::string_view Pick(const std::array<std::string_view, N>& table, int oneBased) {
  if (oneBased < 1 || oneBased > static_cast<int>(N)) return {};
  return table[oneBased - 1];
}

}  // namespace

std::string_view HebrewMonthNameEnglish(bool leap, int month) {
  return Pick(leap ? kHebMonthsEnglishLeap : kHebMonthsEnglishCommon, month);
}
std::string_view HebrewMonthNameHebrew(bool leap, int month) {
  return Pick(leap ? kHebMonthsHebrewLeap : kHebMonthsHebrewCommon, month);
}
std::string_view WeekdayNameEnglish(int weekday) { return Pick(kWeekdaysEnglish, weekday); }
std::string_view WeekdayNameHebrew(int weekday) { return Pick(kWeekdaysHebrew, weekday); }
std::string_view GregorianMonthNameEnglish(int month) { return Pick(kGregMonthsEnglish, month); }
std::string_view GregorianMonthNameHebrew(int month) { return Pick(kGregMonthsHebrew, month); }

std::string HebrewYearLetters(int year) {
  if (year < 0) year = -year;
  const int thousands = (year / 1000) % 10;
  int hundreds = (year / 100) % 10;
  const int tens = (year / 10) % 10;
  const int units = year % 10;
  std::string out;
  out += kUnits[thousands];
  if (hundreds >= 4) {
    out += kTav;
    hundreds -= 4;
    if (hundreds > 4) {  // 900: TAV TAV QOF
      out += kTav;
      hundreds -= 4;
    }
  } else {
    out += ' ';
  }
  out += kHundreds[hundreds];
  char tensLetter = kTens[tens];
  char unitsLetter = kUnits[units];
  if (tens == 1 && (units == 5 || units == 6)) {  // never spell the Name: 15 and 16 as 9+6 and 9+7
    tensLetter = kUnits[9];
    unitsLetter = kUnits[units + 1];
  }
  out += tensLetter;
  out += units != 0 ? kUnitsMark : ' ';
  out += unitsLetter;
  out += ' ';
  return out;
}

}  // namespace nuvel
