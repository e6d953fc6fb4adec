#include "formats/windows1255.h"

#include <array>
#include <memory>

#include "core/charset.h"

namespace nuvel {
namespace {

constexpr std::array<char16_t, 256> MakeTable() {
  std::array<char16_t, 256> t{};
  for (int b = 0; b < 256; ++b) t[b] = static_cast<char16_t>(b);
  constexpr char16_t k80[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x008A, 0x2039, 0x008C, 0x008D, 0x008E, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x009A, 0x203A, 0x009C, 0x009D, 0x009E, 0x009F};
  for (int i = 0; i < 32; ++i) t[0x80 + i] = k80[i];
  t[0xA4] = 0x20AA;
  t[0xAA] = 0x00D7;
  t[0xBA] = 0x00F7;
  for (int b = 0xC0; b <= 0xD3; ++b) t[b] = static_cast<char16_t>(0x05B0 + (b - 0xC0));
  for (int b = 0xD4; b <= 0xD8; ++b) t[b] = static_cast<char16_t>(0x05F0 + (b - 0xD4));
  for (int b = 0xE0; b <= 0xFA; ++b) t[b] = static_cast<char16_t>(0x05D0 + (b - 0xE0));
  t[0xFD] = 0x200E;
  t[0xFE] = 0x200F;
  return t;
}

constexpr std::array<char16_t, 256> kTable = MakeTable();

// True for the bytes the code page defines.
constexpr bool Defined(uint8_t b) {
  if (b >= 0x80 && b <= 0x9F) return kTable[b] != b;
  return !((b >= 0xD9 && b <= 0xDF) || b == 0xFB || b == 0xFC || b == 0xFF);
}

}  // namespace

char16_t Windows1255ToUnicode(uint8_t b) { return kTable[b]; }

std::u16string DecodeWindows1255(std::span<const uint8_t> bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (uint8_t b : bytes) out.push_back(kTable[b]);
  return out;
}

namespace {

// The byte of each UTF-16 code the code page defines; 0x100 for none.
const std::array<uint16_t, 0x10000>& ReverseTable() {
  static const auto table = [] {
    auto t = std::make_unique<std::array<uint16_t, 0x10000>>();
    t->fill(0x100);
    for (int b = 0xFF; b >= 0; --b) {
      if (b < 0x80 || Defined(static_cast<uint8_t>(b))) (*t)[kTable[b]] = static_cast<uint16_t>(b);
    }
    return t;
  }();
  return *table;
}

}  // namespace

bool EncodeWindows1255Char(char16_t code, std::vector<uint8_t>& out) {
  if (code < 0x80) {
    out.push_back(static_cast<uint8_t>(code));
    return true;
  }
  const uint16_t b = ReverseTable()[code];
  if (b < 0x100) {
    out.push_back(static_cast<uint8_t>(b));
    return true;
  }
  const uint8_t own = UnicodeToHebChar(code);
  if (IsPointedLetter(own)) {
    const auto parts = PointedLetterParts(own);
    out.insert(out.end(), parts.begin(), parts.end());
    return true;
  }
  return false;
}

std::vector<uint8_t> EncodeWindows1255(std::u16string_view text, uint8_t replacement) {
  std::vector<uint8_t> out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (!EncodeWindows1255Char(c, out)) out.push_back(replacement);
  }
  return out;
}

}  // namespace nuvel
