#include "core/hebrew_numerals.h"

#include <charconv>

namespace nuvel {
namespace {

constexpr char kBlank = ' ';
constexpr uint8_t kAlef = 0xE0;
constexpr uint8_t kHe = 0xE4;
constexpr uint8_t kVav = 0xE5;
constexpr uint8_t kZayin = 0xE6;
constexpr uint8_t kTet = 0xE8;
constexpr uint8_t kYod = 0xE9;
constexpr uint8_t kTav = 0xFA;

// Tens: yod, kaf, lamed, mem, nun, samekh, ayin, pe, tsadi.
constexpr uint8_t kTens[9] = {0xE9, 0xEB, 0xEC, 0xEE, 0xF0, 0xF1, 0xF2, 0xF4, 0xF6};
// Hundreds 1-4: qof, resh, shin, tav.
constexpr uint8_t kHundreds[4] = {0xF7, 0xF8, 0xF9, 0xFA};

char B(uint8_t b) { return static_cast<char>(b); }

bool IsDigit1To9(char c) { return c >= '1' && c <= '9'; }

}  // namespace

std::string IntToHebNum(int32_t n) {
  char digits[16];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
  (void)ec;  // 16 characters always hold a 32-bit number
  const int len = static_cast<int>(end - digits);

  std::string result;
  // Units: the last character.
  const char units = digits[len - 1];
  if (IsDigit1To9(units)) {
    result.push_back(B(static_cast<uint8_t>(kAlef + (units - '1'))));
  } else {
    result.push_back(kBlank);
  }
  // Tens.
  if (len >= 2) {
    const char c = digits[len - 2];
    if (IsDigit1To9(c)) {
      result.push_back(B(kTens[c - '1']));
    } else {
      result.insert(result.begin(), kBlank);
    }
  }
  // 15 and 16 are never written yod-he and yod-vav: tet-vav and tet-zayin.
  if (result.size() == 2 && static_cast<uint8_t>(result[1]) == kYod) {
    const auto units_letter = static_cast<uint8_t>(result[0]);
    if (units_letter == kHe) {
      result[0] = B(kVav);
      result[1] = B(kTet);
    } else if (units_letter == kVav) {
      result[0] = B(kZayin);
      result[1] = B(kTet);
    }
  }
  // Hundreds: 500-900 are written with tav and the rest (900 as tav tav qof).
  if (len >= 3) {
    const char c = digits[len - 3];
    if (c >= '1' && c <= '4') {
      result.push_back(B(kHundreds[c - '1']));
    } else if (c >= '5' && c <= '8') {
      result.push_back(B(kHundreds[c - '5']));
      result.push_back(B(kTav));
    } else if (c == '9') {
      result.push_back(B(kHundreds[0]));
      result.push_back(B(kTav));
      result.push_back(B(kTav));
    } else {
      result.insert(result.begin(), kBlank);
    }
  }
  // Thousands: the letter with a geresh after it in writing order, which in
  // visual order puts the geresh before the letter. Higher digits are ignored.
  if (len >= 4) {
    const char c = digits[len - 4];
    if (IsDigit1To9(c)) {
      result.push_back('\'');
      result.push_back(B(static_cast<uint8_t>(kAlef + (c - '1'))));
    }
  }
  return result;
}

}  // namespace nuvel
