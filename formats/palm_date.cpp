#include "formats/palm_date.h"

#include <cmath>
#include <ctime>

namespace nuvel {

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kDays1899To1970 = 25569;  // 1899-12-30 to 1970-01-01
constexpr int64_t kDays1899To1904 = 1462;   // 1899-12-30 to 1904-01-01
constexpr int64_t kSeconds1904To1970 = (kDays1899To1970 - kDays1899To1904) * kSecondsPerDay;

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

}  // namespace

TDateTime PalmDateToDateTime(uint32_t Seconds) {
  int64_t since1899 = static_cast<int64_t>(Seconds);
  if (Seconds & 0x80000000u) {
    since1899 += kDays1899To1904 * kSecondsPerDay;
  } else {
    since1899 += kDays1899To1970 * kSecondsPerDay;
  }
  return static_cast<double>(since1899 / kSecondsPerDay) +
         static_cast<double>(since1899 % kSecondsPerDay) / kSecondsPerDay;
}

uint32_t DateTimeToPalmDate(TDateTime D) {
  if (!(D >= kDays1899To1970)) return 0;  // also NaN
  if (D > 1.0e6) return 0xFFFFFFFFu;
  double whole = std::floor(D);
  int64_t seconds = (static_cast<int64_t>(whole) - kDays1899To1970) * kSecondsPerDay +
                    std::llround((D - whole) * kSecondsPerDay);
  if (seconds < 0) return 0;
  if (seconds <= 0x7FFFFFFF) return static_cast<uint32_t>(seconds);
  int64_t since1904 = seconds + kSeconds1904To1970;
  if (since1904 <= 0xFFFFFFFF) return static_cast<uint32_t>(since1904);
  return 0xFFFFFFFFu;
}

uint32_t SwapLong(uint32_t Value) {
  return (Value >> 24) | ((Value >> 8) & 0xFF00u) | ((Value << 8) & 0xFF0000u) | (Value << 24);
}

TDateTime NowDateTime() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (std::tm* t = std::localtime(&now)) local = *t;
  int64_t days = DaysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                               static_cast<unsigned>(local.tm_mday));
  int64_t secs = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
  return static_cast<double>(days + kDays1899To1970) + static_cast<double>(secs) / kSecondsPerDay;
}

}  // namespace nuvel
