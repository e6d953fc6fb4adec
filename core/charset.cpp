#include "core/charset.h"

#include <algorithm>

namespace nuvel {
namespace {

struct PointedLetter {
  char16_t code;
  uint8_t count;
  uint8_t parts[3];
};

// 0x81 .. 0x9B. Codes U+E802-U+E805 are private-use: Unicode has no
// precomposed form of these four.
constexpr PointedLetter kPointed[27] = {
    {0xFB31, 2, {0xE1, kDagesh}},          // 81 bet + dagesh
    {0xFB32, 2, {0xE2, kDagesh}},          // 82 gimel
    {0xFB33, 2, {0xE3, kDagesh}},          // 83 dalet
    {0xFB34, 2, {0xE4, kDagesh}},          // 84 he
    {0xFB35, 2, {0xE5, kDagesh}},          // 85 vav
    {0xFB36, 2, {0xE6, kDagesh}},          // 86 zayin
    {0xE802, 2, {0xEA, kSheva}},           // 87 final kaf + sheva
    {0xFB38, 2, {0xE8, kDagesh}},          // 88 tet
    {0xFB39, 2, {0xE9, kDagesh}},          // 89 yod
    {0xFB3A, 2, {0xEA, kDagesh}},          // 8A final kaf
    {0xFB3B, 2, {0xEB, kDagesh}},          // 8B kaf
    {0xFB3C, 2, {0xEC, kDagesh}},          // 8C lamed
    {0xFB4B, 2, {0xE5, kHolam}},           // 8D vav + holam
    {0xFB3E, 2, {0xEE, kDagesh}},          // 8E mem
    {0xE804, 2, {0xEC, kHolam}},           // 8F lamed + holam
    {0xFB40, 2, {0xF0, kDagesh}},          // 90 nun
    {0xFB41, 2, {0xF1, kDagesh}},          // 91 samekh
    {0xE803, 2, {0xEA, kQamats}},          // 92 final kaf + qamats
    {0xE805, 3, {0xEC, kDagesh, kHolam}},  // 93 lamed + dagesh + holam
    {0xFB44, 2, {0xF4, kDagesh}},          // 94 pe
    {0xFB2A, 2, {0xF9, kShinDot}},         // 95 shin + shin dot
    {0xFB46, 2, {0xF6, kDagesh}},          // 96 tsadi
    {0xFB47, 2, {0xF7, kDagesh}},          // 97 qof
    {0xFB2C, 3, {0xF9, kDagesh, kShinDot}},  // 98 shin + dagesh + shin dot
    {0xFB2D, 3, {0xF9, kDagesh, kSinDot}},   // 99 shin + dagesh + sin dot
    {0xFB4A, 2, {0xFA, kDagesh}},          // 9A tav
    {0xFB2B, 2, {0xF9, kSinDot}},          // 9B shin + sin dot
};

constexpr std::array<char16_t, 256> MakeTable() {
  std::array<char16_t, 256> t{};
  for (int b = 0; b < 256; ++b) t[b] = static_cast<char16_t>(b);
  t[0xA4] = 0x20AA;
  for (int b = 0xC0; b <= 0xD3; ++b) t[b] = static_cast<char16_t>(0x05B0 + (b - 0xC0));
  for (int b = 0xD4; b <= 0xD6; ++b) t[b] = static_cast<char16_t>(0x05F0 + (b - 0xD4));
  for (int b = 0xE0; b <= 0xFA; ++b) t[b] = static_cast<char16_t>(0x05D0 + (b - 0xE0));
  t[0xFD] = 0x200E;
  t[0xFE] = 0x200F;
  for (int b = 0x81; b <= 0x9B; ++b) t[b] = kPointed[b - 0x81].code;
  return t;
}

// The inverse, by ranges of codes that the table's image falls in.
struct Inverse {
  std::array<uint8_t, 256> latin{};   // U+0000-U+00FF
  std::array<uint8_t, 0x50> hebrew{}; // U+05B0-U+05FF
  std::array<uint8_t, 0x30> forms{};  // U+FB20-U+FB4F
  std::array<uint8_t, 0x10> priv{};   // U+E800-U+E80F
  std::array<uint8_t, 0x10> marks{};  // U+2000-U+200F
  uint8_t sheqel = 0;                 // U+20AA
};

constexpr Inverse MakeInverse(const std::array<char16_t, 256>& table) {
  Inverse inv{};
  for (int b = 0; b < 256; ++b) {
    const char16_t c = table[b];
    const auto byte = static_cast<uint8_t>(b);
    if (c < 0x100) inv.latin[c] = byte;
    else if (c >= 0x05B0 && c < 0x0600) inv.hebrew[c - 0x05B0] = byte;
    else if (c >= 0xFB20 && c < 0xFB50) inv.forms[c - 0xFB20] = byte;
    else if (c >= 0xE800 && c < 0xE810) inv.priv[c - 0xE800] = byte;
    else if (c >= 0x2000 && c < 0x2010) inv.marks[c - 0x2000] = byte;
    else if (c == 0x20AA) inv.sheqel = byte;
  }
  return inv;
}

constexpr std::array<char16_t, 256> kTable = MakeTable();
constexpr Inverse kInverse = MakeInverse(kTable);

}  // namespace

const std::array<char16_t, 256> HebUnicodeTable = kTable;

uint8_t UnicodeToHebChar(char16_t code) {
  if (code < 0x100) return kInverse.latin[code];
  if (code >= 0x05B0 && code < 0x0600) return kInverse.hebrew[code - 0x05B0];
  if (code >= 0xFB20 && code < 0xFB50) return kInverse.forms[code - 0xFB20];
  if (code >= 0xE800 && code < 0xE810) return kInverse.priv[code - 0xE800];
  if (code >= 0x2000 && code < 0x2010) return kInverse.marks[code - 0x2000];
  if (code == 0x20AA) return kInverse.sheqel;
  return 0;
}

void HebToWideBuffer(std::span<const uint8_t> src, std::span<char16_t> dst) {
  const std::size_t n = std::min(src.size(), dst.size());
  for (std::size_t i = 0; i < n; ++i) dst[i] = kTable[src[i]];
}

void WideToHebBuffer(std::span<const char16_t> src, std::span<uint8_t> dst) {
  const std::size_t n = std::min(src.size(), dst.size());
  for (std::size_t i = 0; i < n; ++i) dst[i] = UnicodeToHebChar(src[i]);
}

std::span<const uint8_t> PointedLetterParts(uint8_t b) {
  if (!IsPointedLetter(b)) return {};
  const PointedLetter& p = kPointed[b - 0x81];
  return {p.parts, p.count};
}

}  // namespace nuvel
