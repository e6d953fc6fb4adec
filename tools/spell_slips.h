#pragma once
// The words one typing slip away from a misspelled word, and what kind of
// slip each is, so that the likely ones are offered first:
//   a final letter written in its middle form or the reverse (Hebrew),
//   two letters swapped, a letter typed twice, a letter left out, a letter
//   too many, a key next to the right one, and any other wrong letter.
// Words are bytes of one alphabet: English letters, or Hebrew letters in
// the dictionary code (0x80..0x9A).
#include <cstdint>
#include <string>
#include <string_view>

namespace nuvel {

// In the order they are offered.
enum class TSlipKind : std::uint8_t {
  FinalForm,     // ם for מ, ן for נ, ... or the reverse
  Transposed,    // two neighbouring letters swapped
  DoubledLetter, // a letter typed twice
  MissingLetter, // a letter left out
  ExtraLetter,   // a letter too many
  NeighbourKey,  // a key next to the right one on the keyboard
  OtherLetter,   // any other wrong letter
};

// The marker of a suggestion found by a slip of `kind`: it sorts before the
// markers of the dictionary group's words (chr(0x60 + distance)), the
// likelier slips first.
inline char SlipMarker(TSlipKind kind) { return static_cast<char>(0x40 + static_cast<int>(kind)); }

// Whether `a` and `b` are keys side by side (or one row apart and
// touching) on the English or the Hebrew keyboard; Hebrew in the
// dictionary code.
bool AreNeighbourKeys(std::uint8_t a, std::uint8_t b);
// The other form of a Hebrew letter with a final form (dictionary code),
// or 0.
std::uint8_t OtherLetterForm(std::uint8_t letter);

// Calls f(candidate, kind) for every word one slip from `word`: letters
// left out, swapped and replaced, and every letter of `letters` put in or
// put instead. A candidate can come more than once, by different slips.
template <typename F>
void ForEachOneSlip(std::string_view word, std::string_view letters, F&& f) {
  std::string c(word);
  const std::size_t n = word.size();
  // Left out (the word has a letter too many, or typed twice).
  for (std::size_t i = 0; i < n; ++i) {
    c.assign(word);
    c.erase(i, 1);
    const bool doubled = (i > 0 && word[i - 1] == word[i]) || (i + 1 < n && word[i + 1] == word[i]);
    f(std::string_view(c), doubled ? TSlipKind::DoubledLetter : TSlipKind::ExtraLetter);
  }
  // Swapped.
  for (std::size_t i = 0; i + 1 < n; ++i) {
    if (word[i] == word[i + 1]) continue;
    c.assign(word);
    std::swap(c[i], c[i + 1]);
    f(std::string_view(c), TSlipKind::Transposed);
  }
  // Replaced.
  for (std::size_t i = 0; i < n; ++i) {
    c.assign(word);
    const auto was = static_cast<std::uint8_t>(word[i]);
    for (char l : letters) {
      const auto now = static_cast<std::uint8_t>(l);
      if (now == was) continue;
      c[i] = l;
      const TSlipKind kind = OtherLetterForm(was) == now  ? TSlipKind::FinalForm
                             : AreNeighbourKeys(was, now) ? TSlipKind::NeighbourKey
                                                          : TSlipKind::OtherLetter;
      f(std::string_view(c), kind);
    }
  }
  // Put in (the word lacks a letter).
  for (std::size_t i = 0; i <= n; ++i) {
    for (char l : letters) {
      c.assign(word);
      c.insert(c.begin() + static_cast<std::ptrdiff_t>(i), l);
      f(std::string_view(c), TSlipKind::MissingLetter);
    }
  }
}

}  // namespace nuvel
