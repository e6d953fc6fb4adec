#include "tools/spell_slips.h"

#include <array>

namespace nuvel {

namespace {

// The letter rows of the keyboards, from the top; each row starts half a
// key to the right of the one above, so a key touches the key above it and
// the one above to its right. Hebrew letters in the dictionary code (the
// standard Israeli layout: / ' ק ר א ט ו ן ם פ, ש ד ג כ ע י ח ל ך ף,
// ז ס ב ה נ מ צ ת ץ).
constexpr std::array<std::string_view, 3> kEnglishRows = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
constexpr std::array<std::string_view, 3> kHebrewRows = {
    "\x01\x02\x97\x98\x80\x88\x85\x8F\x8D\x94", "\x99\x83\x82\x8B\x92\x89\x87\x8C\x8A\x93",
    "\x86\x91\x81\x84\x90\x8E\x96\x9A\x95"};

struct Place {
  int row = -1, column = -1;
};

Place Find(const std::array<std::string_view, 3>& rows, std::uint8_t c) {
  for (int r = 0; r < 3; ++r) {
    const std::size_t at = rows[static_cast<std::size_t>(r)].find(static_cast<char>(c));
    if (at != std::string_view::npos) return {r, static_cast<int>(at)};
  }
  return {};
}

bool Touch(Place a, Place b) {
  if (a.row < 0 || b.row < 0) return false;
  if (a.row == b.row) return a.column - b.column == 1 || b.column - a.column == 1;
  if (a.row > b.row) std::swap(a, b);
  // b is one row below a: it touches a's key and the one left of it.
  return b.row == a.row + 1 && (b.column == a.column || b.column == a.column - 1);
}

std::uint8_t Lower(std::uint8_t c) { return c >= 'A' && c <= 'Z' ? static_cast<std::uint8_t>(c + 32) : c; }

}  // namespace

bool AreNeighbourKeys(std::uint8_t a, std::uint8_t b) {
  if (a < 0x80 || b < 0x80) return Touch(Find(kEnglishRows, Lower(a)), Find(kEnglishRows, Lower(b)));
  return Touch(Find(kHebrewRows, a), Find(kHebrewRows, b));
}

std::uint8_t OtherLetterForm(std::uint8_t letter) {
  // Final kaf, mem, nun, pe, tsadi (0x8A, 0x8D, 0x8F, 0x93, 0x95) each come
  // just before their middle form.
  switch (letter) {
    case 0x8A: case 0x8D: case 0x8F: case 0x93: case 0x95: return static_cast<std::uint8_t>(letter + 1);
    case 0x8B: case 0x8E: case 0x90: case 0x94: case 0x96: return static_cast<std::uint8_t>(letter - 1);
    default: return 0;
  }
}

}  // namespace nuvel
