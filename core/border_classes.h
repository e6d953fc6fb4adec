#pragma once
// The directional classes of the system's bytes as the Unicode
// bidirectional algorithm has them, and which bytes show mirrored in a
// right-to-left run: what turning a line between logical and storage order
// reads of each byte.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace nuvel::border {

// A byte's class after the rules that join separators and signs to digits:
// the points count as Hebrew.
enum class Dir : uint8_t { Hebrew, Latin, Number, Neutral };

// A byte's own class: strong right-to-left and left-to-right, European
// digit, separator, terminator, common separator, other neutral.
enum class Raw : uint8_t { R, L, EN, ES, ET, CS, N };

constexpr Raw RawClassOf(uint8_t b) {
  if (b >= '0' && b <= '9') return Raw::EN;
  if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z')) return Raw::L;
  if (b >= 0x81 && b <= 0x9B) return Raw::R;  // pointed letters
  if (b >= 0xC0 && b <= 0xD6) return Raw::R;  // points, marks and ligatures
  if (b >= 0xE0 && b <= 0xFA) return Raw::R;  // letters
  if (b == 0xFE) return Raw::R;               // right-to-left mark
  switch (b) {
    case 0xAA: case 0xB5: case 0xBA: case 0xD8: case 0xD9: case 0xDA: case 0xDB: case 0xDC: case 0xDD:
    case 0xDE: case 0xDF: case 0xFB: case 0xFC: case 0xFD: case 0xFF:
      return Raw::L;
    case 0xB2: case 0xB3: case 0xB9:
      return Raw::EN;
    case '+': case '-':
      return Raw::ES;
    case '#': case '$': case '%': case 0xA2: case 0xA3: case 0xA4: case 0xA5: case 0xB0: case 0xB1:
      return Raw::ET;
    case ',': case '.': case '/': case ':': case 0xA0:
      return Raw::CS;
    default:
      return Raw::N;
  }
}

// The byte a character shows as in a right-to-left run.
constexpr uint8_t MirroredOf(uint8_t b) {
  switch (b) {
    case '(': return ')';
    case ')': return '(';
    case '<': return '>';
    case '>': return '<';
    case '[': return ']';
    case ']': return '[';
    case '{': return '}';
    case '}': return '{';
    case 0xAB: return 0xBB;
    case 0xBB: return 0xAB;
    default: return b;
  }
}

// The two byte properties as tables: every byte of every turned line is
// looked up several times.
template <class T, class F>
constexpr std::array<T, 256> ByteTable(F f) {
  std::array<T, 256> t{};
  for (int b = 0; b < 256; ++b) t[static_cast<std::size_t>(b)] = f(static_cast<uint8_t>(b));
  return t;
}
inline constexpr std::array<Raw, 256> kRawClass = ByteTable<Raw>(RawClassOf);
inline constexpr std::array<uint8_t, 256> kMirrored = ByteTable<uint8_t>(MirroredOf);
inline Raw RawClass(uint8_t b) { return kRawClass[b]; }
inline uint8_t Mirrored(uint8_t b) { return kMirrored[b]; }

// The classes of a line into `d` (`raw` is scratch): a single separator
// between two digits, and signs next to a number, belong to the number.
// Both rules read the same either way round, so a reversed run gets the
// same classes, reversed.
void LineClasses(std::span<const uint8_t> line, std::vector<Raw>& raw, std::vector<Dir>& d);

}  // namespace nuvel::border
