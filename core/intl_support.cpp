#include "core/intl_support.h"

#include <charconv>
#include <optional>

#include "core/dates.h"
#include "core/message_table.h"
#include "platform/ascii_case.h"
#include "platform/registry_store.h"

namespace nuvel {
namespace {

constexpr std::string_view kIntlKey = "Control Panel\\International";

constexpr std::string_view kMonthNames[12] = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",   "MAY",      "JUNE",
                                              "JULY",    "AUGUST",   "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};

std::optional<int> Number(std::string_view s) {
  int v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

// Replaces each run of `letter` (case as given) of at least `min_run` by as many `marker`s.
std::string MarkRuns(std::string_view format, char letter, size_t min_run, char marker) {
  std::string out;
  for (size_t i = 0; i < format.size();) {
    size_t j = i;
    while (j < format.size() && format[j] == letter) ++j;
    if (j - i >= min_run) {
      out.append(j - i, marker);
      i = j;
    } else if (j > i) {
      out.append(format.substr(i, j - i));
      i = j;
    } else {
      out += format[i++];
    }
  }
  return out;
}

// The characters of `text` at the positions where `mask` holds `letter` (either case), blanks skipped.
std::string Field(std::string_view mask, std::string_view text, char letter) {
  std::string out;
  for (size_t i = 0; i < mask.size(); ++i) {
    if (platform::AsciiLower(static_cast<uint8_t>(mask[i])) == letter && text[i] != ' ') out += text[i];
  }
  return out;
}

bool HasLetter(std::string_view mask, char letter) {
  for (char c : mask) {
    if (platform::AsciiLower(static_cast<uint8_t>(c)) == letter) return true;
  }
  return false;
}

// A number field: its default when the mask lacks the letter, -1 when blank or no number.
int NumberField(std::string_view mask, std::string_view text, char letter, int absent) {
  if (!HasLetter(mask, letter)) return absent;
  std::string digits = Field(mask, text, letter);
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
  }
  return Number(digits).value_or(-1);
}

}  // namespace

TNvcIntlSup::TNvcIntlSup() {
  platform::RegistryStore store;
  auto text = [&](std::string_view name) { return store.ReadString(kIntlKey, name); };
  auto number = [&](std::string_view name, int fallback) {
    auto t = text(name);
    return t ? Number(*t).value_or(fallback) : fallback;
  };
  DecimalSep = text("sDecimal").value_or(DecimalSep);
  ThousandSep = text("sThousand").value_or(ThousandSep);
  if (DecimalSep == ThousandSep) {
    DecimalSep = ".";
    ThousandSep = ",";
  }
  CurrencyDigits = number("iCurrDigits", CurrencyDigits);
  NegCurrFormat = number("iNegCurr", NegCurrFormat);
  ListSep = text("sList").value_or(ListSep);
  Country = text("sCountry").value_or(Country);
  std::string currency = text("sCurrency").value_or("$").substr(0, 5);
  CurrencyPos = number("iCurrency", CurrencyPos);
  CurrencyLeft = CurrencyPos == 2 ? currency + " " : currency;
  CurrencyRight = CurrencyPos == 3 ? " " + currency : currency;
  TimeLeadZero = number("iTLZero", 0) != 0;
  TimeSep = text("sTime").value_or(TimeSep);
  DateSep = text("sDate").value_or(DateSep);
  AMText = text("s1159").value_or(AMText).substr(0, 5);
  PMText = text("s2359").value_or(PMText).substr(0, 5);
  // iTime 0 is the 12-hour clock, whose long time format ends with the AM/PM mark.
  TwelveHour = number("iTime", 0) == 0;
  SetDateFormats(text("sShortDate").value_or("MM/dd/yy"), text("sLongDate").value_or("dddd, MMMM dd, yyyy"));

  struct {
    uint32_t id;
    uint8_t* target;
  } chars[] = {{30368, &YesChar}, {30369, &NoChar}, {30370, &TrueChar}, {30371, &FalseChar}};
  for (const auto& c : chars) {
    std::string t = GetLibraryString(c.id);
    if (t.size() == 1) *c.target = static_cast<uint8_t>(t[0]);
  }
}

void TNvcIntlSup::SetDateFormats(std::string_view short_format, std::string_view long_format) {
  std::string shortf(short_format);
  if (!DateSep.empty()) {
    for (size_t at = shortf.find(DateSep); at != std::string::npos; at = shortf.find(DateSep, at + 1)) {
      shortf.replace(at, DateSep.size(), "/");
    }
  }
  // Quoted literals of the long format are kept apart and marked f, g, h.
  std::string longf;
  Literals = {};
  size_t literal = 0;
  for (size_t i = 0; i < long_format.size(); ++i) {
    char c = long_format[i];
    if ((c == '\'' || c == '"') && literal < 3) {
      size_t close = long_format.find(c, i + 1);
      if (close == std::string_view::npos) close = long_format.size();
      std::string_view inner = long_format.substr(i + 1, close - i - 1).substr(0, 6);
      Literals[literal] = inner;
      longf.append(inner.size(), static_cast<char>('f' + literal));
      ++literal;
      i = close;
      continue;
    }
    longf += c;
  }
  longf = MarkRuns(longf, 'd', 3, 'w');
  longf = MarkRuns(longf, 'M', 3, 'n');
  shortf = MarkRuns(shortf, 'M', 3, 'n');
  std::string spaced;
  for (size_t i = 0; i < longf.size(); ++i) {
    spaced += longf[i];
    if ((longf[i] == ',' || longf[i] == '-' || longf[i] == '.') && (i + 1 >= longf.size() || longf[i + 1] != ' ')) {
      spaced += ' ';
    }
  }
  ShortDateFormat = shortf;
  LongDateFormat = spaced;
}

std::string TNvcIntlSup::ShortDateMask(bool four_digit_year) const {
  std::string mask;
  const std::string& f = ShortDateFormat;
  for (size_t i = 0; i < f.size();) {
    char c = f[i];
    char lower = static_cast<char>(platform::AsciiLower(static_cast<uint8_t>(c)));
    size_t j = i;
    while (j < f.size() && f[j] == c) ++j;
    size_t run = j - i;
    if (lower == 'd' || lower == 'm') {
      mask += run == 1 ? std::string(2, static_cast<char>(platform::AsciiUpper(static_cast<uint8_t>(c))))
                       : std::string(2, lower);
    } else if (lower == 'y') {
      mask += four_digit_year ? "yyyy" : "yy";
    } else {
      mask.append(f.substr(i, run));
    }
    i = j;
  }
  return mask;
}

std::string TNvcIntlSup::TimeMask(bool show_seconds) const {
  std::string mask = show_seconds ? "hh:mm:ss" : "hh:mm";
  if (!TimeLeadZero) mask[0] = 'H';
  if (TwelveHour) mask += " " + std::string(std::max(AMText.size(), PMText.size()), 't');
  return mask;
}

int32_t TNvcIntlSup::DateStringToDate(std::string_view mask, std::string_view text, int epoch) const {
  if (mask.size() != text.size()) return kBadDate;
  const YearMonth today = CurrentYearMonth();
  int month = 0;
  if (HasLetter(mask, 'n')) {
    std::string name;
    size_t width = 0;
    for (size_t i = 0; i < mask.size(); ++i) {
      if (platform::AsciiLower(static_cast<uint8_t>(mask[i])) == 'n') {
        name += static_cast<char>(platform::AsciiUpper(static_cast<uint8_t>(text[i])));
        ++width;
      }
    }
    for (int m = 0; m < 12 && month == 0; ++m) {
      std::string candidate(kMonthNames[m].substr(0, width));
      candidate.resize(width, ' ');
      if (candidate == name) month = m + 1;
    }
    if (month == 0) return kBadDate;
  } else {
    month = NumberField(mask, text, 'm', today.month);
  }
  int day = NumberField(mask, text, 'd', 1);
  int year = NumberField(mask, text, 'y', today.year);
  if (day < 0 || month < 0 || year < 0) return kBadDate;
  if (!ValidDate(day, month, year, epoch)) return kBadDate;
  return DMYtoDate(day, month, year, epoch);
}

int32_t TNvcIntlSup::TimeStringToTime(std::string_view mask, std::string_view text) const {
  if (mask.size() != text.size()) return -1;
  int hours = NumberField(mask, text, 'h', 0);
  int minutes = NumberField(mask, text, 'm', 0);
  int seconds = NumberField(mask, text, 's', 0);
  if (hours < 0 || minutes < 0 || seconds < 0) return -1;
  if (HasLetter(mask, 't') && !AMText.empty() && !PMText.empty()) {
    std::string mark;
    for (size_t i = 0; i < mask.size(); ++i) {
      if (platform::AsciiLower(static_cast<uint8_t>(mask[i])) == 't') {
        mark += static_cast<char>(platform::AsciiUpper(static_cast<uint8_t>(text[i])));
      }
    }
    while (!mark.empty() && mark.back() == ' ') mark.pop_back();
    if (hours < 1 || hours > 12 || mark.empty()) return -1;
    if (mark == platform::UpperAscii(PMText)) {
      if (hours != 12) hours += 12;
    } else if (mark == platform::UpperAscii(AMText)) {
      if (hours == 12) hours = 0;
    } else {
      return -1;
    }
  }
  if (!ValidTime(hours, minutes, seconds)) return -1;
  return HMStoTime(hours, minutes, seconds);
}

TNvcIntlSup& IntlSup() {
  static TNvcIntlSup intl;
  return intl;
}

}  // namespace nuvel
