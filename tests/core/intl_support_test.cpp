#include "core/intl_support.h"

#include <gtest/gtest.h>

#include <map>

#include "core/dates.h"
#include "platform/registry_store.h"
#include "tests/support/fixed_local_time.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// A locale object made from the given registry values.
TNvcIntlSup WithValues(const std::map<std::string, std::string>& values) {
  {
    platform::RegistryStore store;
    for (const auto& [name, value] : values) store.WriteString("Control Panel\\International", name, value);
  }
  return TNvcIntlSup();
}

TEST(IntlSup, DefaultsWithoutRegistryValues) {
  test::TempProgramFolder temp;
  TNvcIntlSup intl;
  EXPECT_EQ(intl.DecimalSep, ".");
  EXPECT_EQ(intl.ThousandSep, ",");
  EXPECT_EQ(intl.ShortDateFormat, "MM/dd/yy");
  EXPECT_EQ(intl.LongDateFormat, "wwww, nnnn dd, yyyy");
  EXPECT_EQ(intl.YesChar, 'Y');
  EXPECT_EQ(intl.FalseChar, 'F');
  EXPECT_EQ(intl.ShortDateMask(false), "mm/dd/yy");
  EXPECT_EQ(intl.ShortDateMask(true), "mm/dd/yyyy");
  EXPECT_EQ(intl.TimeMask(true), "Hh:mm:ss tt");
  EXPECT_EQ(intl.TimeMask(false), "Hh:mm tt");
}

TEST(IntlSup, ValuesFromTheRegistry) {
  test::TempProgramFolder temp;
  TNvcIntlSup intl = WithValues({{"sDecimal", ","},
                                 {"sThousand", "."},
                                 {"sCurrency", "NIS-LONG"},
                                 {"iCurrency", "2"},
                                 {"s1159", "BEFORENOON"},
                                 {"iTLZero", "1"},
                                 {"iTime", "1"},
                                 {"sDate", "."},
                                 {"sShortDate", "d.M.yyyy"},
                                 {"sLongDate", "dddd d 'de' MMMM 'de' yyyy"}});
  EXPECT_EQ(intl.DecimalSep, ",");
  EXPECT_EQ(intl.ThousandSep, ".");
  EXPECT_EQ(intl.CurrencyLeft, "NIS-L ");
  EXPECT_EQ(intl.CurrencyRight, "NIS-L");
  EXPECT_EQ(intl.AMText, "BEFOR");
  EXPECT_EQ(intl.ShortDateFormat, "d/M/yyyy");
  EXPECT_EQ(intl.ShortDateMask(false), "DD/MM/yy");
  EXPECT_EQ(intl.LongDateFormat, "wwww d ff nnnn gg yyyy");
  EXPECT_EQ(intl.Literals[0], "de");
  EXPECT_EQ(intl.Literals[1], "de");
  EXPECT_EQ(intl.TimeMask(true), "hh:mm:ss");
}

TEST(IntlSup, EqualSeparatorsFallBackToTheDefaults) {
  test::TempProgramFolder temp;
  TNvcIntlSup intl = WithValues({{"sDecimal", ";"}, {"sThousand", ";"}});
  EXPECT_EQ(intl.DecimalSep, ".");
  EXPECT_EQ(intl.ThousandSep, ",");
}

TEST(IntlSup, LongFormatGetsBlanksAfterPunctuation) {
  test::TempProgramFolder temp;
  TNvcIntlSup intl;
  intl.SetDateFormats("MM/dd/yy", "dd.MM.yyyy, ddd");
  EXPECT_EQ(intl.LongDateFormat, "dd. MM. yyyy, www");
}

TEST(IntlSup, DatesThroughAMask) {
  test::TempProgramFolder temp;
  TNvcIntlSup intl;
  // 22:30 UTC on 31 January 2024 is 1 February in Israel: the fields left
  // out come from the local month.
  test::FixedLocalTime at("Asia/Jerusalem", 1706740200);
  struct {
    const char* mask;
    const char* text;
    int32_t expected;
  } cases[] = {
      {"mm/dd/yyyy", "03/01/1600", 60},
      {"MM/DD/yyyy", " 3/ 1/1600", 60},
      {"nnn dd yyyy", "mar 01 1600", 60},
      {"nnn dd yyyy", "Xyz 01 1600", -1},
      {"nnnnnnnnn dd yyyy", "MARCH     01 1600", 60},
      {"mm/dd/yyyy", "02/29/1900", -1},
      {"mm/dd/yyyy", "03/  /1600", -1},
      {"mm/dd/yyyy", "03/0x/1600", -1},
      {"mm/dd/yy", "03/01/49", DMYtoDate(1, 3, 2049, 0)},
      {"mm/dd/yy", "03/01/50", DMYtoDate(1, 3, 1950, 0)},
      {"dd/mm", "05/06", DMYtoDate(5, 6, 2024, 0)},
      {"yyyy", "2000", DMYtoDate(1, 2, 2000, 0)},
      {"dd", "29", DMYtoDate(29, 2, 2024, 0)},
      {"dd", "30", -1},  // no 30 February
      {"mm/dd/yyyy", "03/01/160", DMYtoDate(1, 3, 160, 0)},
      {"mm/dd", "03/01/1600", -1},  // lengths differ
  };
  for (const auto& c : cases) EXPECT_EQ(intl.DateStringToDate(c.mask, c.text, 1950), c.expected) << c.text;
}

TEST(IntlSup, TimesThroughAMask) {
  test::TempProgramFolder temp;
  TNvcIntlSup intl;
  struct {
    const char* mask;
    const char* text;
    int32_t expected;
  } cases[] = {
      {"hh:mm tt", "12:30 AM", 1800},  {"hh:mm tt", "12:30 pm", 45000}, {"hh:mm tt", "01:00 PM", 46800},
      {"hh:mm tt", "11:00 AM", 39600}, {"hh:mm tt", "13:00 PM", -1},    {"hh:mm tt", "00:30 AM", -1},
      {"hh:mm tt", "01:00 XX", -1},    {"hh:mm tt", "01:00   ", -1},    {"hh:mm:ss", "23:59:59", 86399},
      {"hh:mm:ss", "  :00:00", -1},    {"hh:mm:ss", "24:00:00", -1},    {"hh", "05", 18000},
      {"hh:mm", "05:0", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(intl.TimeStringToTime(c.mask, c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace nuvel
