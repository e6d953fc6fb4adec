#pragma once
// Locale settings of the entry fields' date and time kinds: separators,
// currency, AM/PM texts and the date formats, read once from the registry
// values of HKEY_CURRENT_USER "Control Panel\International" (each absent value
// takes the built-in default). Also the masks built from them and the reading
// of date and time texts through a mask.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace nuvel {

class TNvcIntlSup {
 public:
  // Reads the settings from the registry.
  TNvcIntlSup();

  std::string DecimalSep = ".";     // sDecimal
  std::string ThousandSep = ",";    // sThousand
  int CurrencyDigits = 2;           // iCurrDigits
  int NegCurrFormat = 0;            // iNegCurr
  std::string ListSep = ",";        // sList
  std::string Country = "United States";  // sCountry
  std::string CurrencyLeft = "$";   // sCurrency (a blank added for iCurrency 2)
  std::string CurrencyRight = "$";  // sCurrency (a blank put before for iCurrency 3)
  int CurrencyPos = 0;              // iCurrency
  bool TimeLeadZero = false;        // iTLZero nonzero
  std::string TimeSep = ":";        // sTime
  std::string DateSep = "/";        // sDate
  std::string AMText = "AM";        // s1159, at most 5 characters
  std::string PMText = "PM";        // s2359, at most 5 characters
  bool TwelveHour = true;           // a 12-hour clock with the AM/PM mark after the time
  // Prepared formats: date separators as "/", month-name runs as "n", in the
  // long one weekday runs as "w" and literals as "f", "g", "h".
  std::string ShortDateFormat = "MM/dd/yy";
  std::string LongDateFormat = "dddd, MMMM dd, yyyy";
  std::array<std::string, 3> Literals;  // the long format's quoted literals, at most 6 characters each
  uint8_t YesChar = 'Y', NoChar = 'N', TrueChar = 'T', FalseChar = 'F';

  // Prepares the two formats as the constructor does (for formats given directly).
  void SetDateFormats(std::string_view short_format, std::string_view long_format);

  // The short date format as a mask: day and month two positions ("DD"/"MM"
  // for a one-letter field, without leading zero; "dd"/"mm" for two letters),
  // the year two positions or four with `four_digit_year`.
  std::string ShortDateMask(bool four_digit_year) const;
  // "hh:mm:ss" ("H" first without leading zero; no ":ss" without seconds), and
  // for a 12-hour clock a blank and one "t" per character of the longer of AM/PM.
  std::string TimeMask(bool show_seconds) const;
  // The day number of `text` read through `mask` (equally long), or -1.
  int32_t DateStringToDate(std::string_view mask, std::string_view text, int epoch) const;
  // Seconds since midnight of `text` read through `mask` (equally long), or -1.
  int32_t TimeStringToTime(std::string_view mask, std::string_view text) const;
};

// The one locale object of the program, made on first use.
TNvcIntlSup& IntlSup();

}  // namespace nuvel
