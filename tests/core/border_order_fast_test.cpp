// The line turn between logical and storage order, reusing its buffers and
// looking classes up in tables, gives exactly what a plain routine gives
// (kept here as the reference, allocating as it goes) on random mixed lines
// in both document directions, the reference reading each byte's class and
// mirror from fribidi's tables of Unicode's bidi classes, not from the
// turn's own. Lines with ( ) [ ] { }, whose pairs the turn reads as well,
// only have to come back.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>
#include <vector>

#include <fribidi.h>

#include "core/border_classes.h"
#include "core/border_order.h"
#include "core/charset.h"

namespace nuvel {
namespace {


// Directional classes of the system's bytes, as the bidirectional algorithm
// has them, with the points counted as Hebrew and the rules that join
// separators and signs to digits already applied.
enum class Dir : uint8_t { Hebrew, Latin, Number, Neutral };

enum class Raw : uint8_t { R, L, EN, ES, ET, CS, N };

// The character a byte stands for: a pointed letter without a code point of
// its own stands for its letter here.
FriBidiChar CharOf(uint8_t b) {
  if (IsPointedLetter(b)) return HebUnicodeTable[PointedLetterParts(b)[0]];
  return HebUnicodeTable[b];
}

// A byte's class, read from fribidi's table of Unicode's bidi classes. A
// point (a mark without a class of its own, which the algorithm gives the
// class of the letter before it) counts as Hebrew: in the system's text it
// always stands after a Hebrew letter.
Raw UnicodeClass(uint8_t b) {
  switch (fribidi_get_bidi_type(CharOf(b))) {
    case FRIBIDI_TYPE_RTL:
    case FRIBIDI_TYPE_AL:
    case FRIBIDI_TYPE_NSM:
      return Raw::R;
    case FRIBIDI_TYPE_LTR:
      return Raw::L;
    case FRIBIDI_TYPE_EN:
      return Raw::EN;
    case FRIBIDI_TYPE_ES:
      return Raw::ES;
    case FRIBIDI_TYPE_ET:
      return Raw::ET;
    case FRIBIDI_TYPE_CS:
      return Raw::CS;
    default:
      return Raw::N;
  }
}

// The byte a character shows as in a right-to-left run, by fribidi's
// mirroring table; the byte itself when its mirror has no byte of the set.
uint8_t UnicodeMirror(uint8_t b) {
  FriBidiChar mirror = 0;
  if (!fribidi_get_mirror_char(CharOf(b), &mirror) || mirror > 0xFFFF) return b;
  const uint8_t m = UnicodeToHebChar(static_cast<char16_t>(mirror));
  return m != 0 ? m : b;
}

Raw RawClass(uint8_t b) { return UnicodeClass(b); }

// The classes of a line: a single separator between two digits, and signs
// next to a number, belong to the number. Both rules read the same either
// way round, so a reversed run gets the same classes, reversed.
std::vector<Dir> Classes(std::span<const uint8_t> line) {
  const std::size_t n = line.size();
  std::vector<Raw> raw(n);
  for (std::size_t i = 0; i < n; ++i) raw[i] = RawClass(line[i]);
  std::vector<Raw> w = raw;
  for (std::size_t i = 1; i + 1 < n; ++i) {
    if ((raw[i] == Raw::ES || raw[i] == Raw::CS) && raw[i - 1] == Raw::EN && raw[i + 1] == Raw::EN) w[i] = Raw::EN;
  }
  for (std::size_t i = 0; i < n;) {
    if (w[i] != Raw::ET) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < n && w[end] == Raw::ET) ++end;
    const bool byNumber = (i > 0 && w[i - 1] == Raw::EN) || (end < n && w[end] == Raw::EN);
    if (byNumber) std::fill(w.begin() + static_cast<std::ptrdiff_t>(i), w.begin() + static_cast<std::ptrdiff_t>(end), Raw::EN);
    i = end;
  }
  std::vector<Dir> d(n);
  for (std::size_t i = 0; i < n; ++i) {
    switch (w[i]) {
      case Raw::R: d[i] = Dir::Hebrew; break;
      case Raw::L: d[i] = Dir::Latin; break;
      case Raw::EN: d[i] = Dir::Number; break;
      default: d[i] = Dir::Neutral; break;
    }
  }
  return d;
}

uint8_t Mirrored(uint8_t b) { return UnicodeMirror(b); }

void Reverse(std::span<uint8_t> line, std::size_t from, std::size_t to) {
  std::reverse(line.begin() + static_cast<std::ptrdiff_t>(from), line.begin() + static_cast<std::ptrdiff_t>(to));
}

// Each maximal run of numbers in [from, from + cls.size()) reversed in
// place; cls[k] is the class of line[from + k].
void ReverseNumbers(std::span<uint8_t> line, std::span<const Dir> cls, std::size_t from) {
  std::size_t i = 0;
  while (i < cls.size()) {
    if (cls[i] != Dir::Number) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < cls.size() && cls[end] == Dir::Number) ++end;
    Reverse(line, from + i, from + end);
    i = end;
  }
}

void HebrewDocument(std::span<uint8_t> line, const std::vector<Dir>& d) {
  const std::size_t n = line.size();
  std::vector<bool> inRun(n, false);
  std::size_t i = 0;
  while (i < n) {
    if (d[i] == Dir::Hebrew) {
      ++i;
      continue;
    }
    // A stretch without Hebrew, cut to its first and last letter or digit.
    std::size_t end = i;
    while (end < n && d[end] != Dir::Hebrew) ++end;
    std::size_t first = i;
    while (first < end && d[first] == Dir::Neutral) ++first;
    std::size_t last = end;
    while (last > first && d[last - 1] == Dir::Neutral) --last;
    if (first < last) {
      const bool latin = std::any_of(d.begin() + static_cast<std::ptrdiff_t>(first),
                                     d.begin() + static_cast<std::ptrdiff_t>(last), [](Dir c) { return c == Dir::Latin; });
      if (latin) {
        Reverse(line, first, last);
      } else {
        ReverseNumbers(line, std::span<const Dir>(d).subspan(first, last - first), first);
      }
      std::fill(inRun.begin() + static_cast<std::ptrdiff_t>(first), inRun.begin() + static_cast<std::ptrdiff_t>(last),
                latin);
      if (!latin) {
        for (std::size_t k = first; k < last; ++k) inRun[k] = d[k] == Dir::Number;
      }
    }
    i = end;
  }
  // Right to left, a bracket shows the other way round.
  for (std::size_t k = 0; k < n; ++k) {
    if (!inRun[k]) line[k] = Mirrored(line[k]);
  }
}

void EnglishDocument(std::span<uint8_t> line, const std::vector<Dir>& d) {
  const std::size_t n = line.size();
  std::size_t i = 0;
  while (i < n) {
    if (d[i] == Dir::Latin) {
      ++i;
      continue;
    }
    // A stretch without Latin letters, cut to its first and last Hebrew.
    std::size_t end = i;
    while (end < n && d[end] != Dir::Latin) ++end;
    std::size_t first = i;
    while (first < end && d[first] != Dir::Hebrew) ++first;
    std::size_t last = end;
    while (last > first && d[last - 1] != Dir::Hebrew) --last;
    if (first < last) {
      // The run reversed; inside it numbers still read left to right and
      // brackets show the other way round.
      Reverse(line, first, last);
      std::vector<Dir> reversed(d.begin() + static_cast<std::ptrdiff_t>(first),
                                d.begin() + static_cast<std::ptrdiff_t>(last));
      std::reverse(reversed.begin(), reversed.end());
      ReverseNumbers(line, reversed, first);
      for (std::size_t k = first; k < last; ++k) {
        if (reversed[k - first] == Dir::Neutral) line[k] = Mirrored(line[k]);
      }
    }
    i = end;
  }
}

// One way of the reordering, by the runs `line` holds.
void Reorder(bool englishDocument, std::span<uint8_t> line) {
  const std::vector<Dir> d = Classes(line);
  if (englishDocument) {
    EnglishDocument(line, d);
  } else {
    HebrewDocument(line, d);
  }
}


void ReferenceReorderAtBorder(bool englishDocument, std::span<uint8_t> line) {
  if (line.size() < 2) return;
  // An English document turns only Hebrew: a line without it stays as it is.
  // A Hebrew document shows every line right to left, so its English lines
  // are kept reversed like any English typed into it.
  if (englishDocument && std::none_of(line.begin(), line.end(), [](uint8_t b) { return RawClass(b) == Raw::R; })) return;
  // A Hebrew line without English, numbers or brackets reads the same in
  // both orders.
  if (!englishDocument && std::none_of(line.begin(), line.end(), [](uint8_t b) {
        const Raw c = RawClass(b);
        return c == Raw::L || c == Raw::EN || Mirrored(b) != b;
      }))
    return;
  // A line whose runs come out otherwise when read back (a sign between a
  // number and a letter at the edge of a run) stays as it is, so that the
  // routine always undoes itself.
  std::vector<uint8_t> turned(line.begin(), line.end());
  Reorder(englishDocument, turned);
  if (std::equal(turned.begin(), turned.end(), line.begin(), line.end())) return;
  std::vector<uint8_t> back = turned;
  Reorder(englishDocument, back);
  if (std::equal(back.begin(), back.end(), line.begin(), line.end())) std::copy(turned.begin(), turned.end(), line.begin());
}


// A line of random pieces: Hebrew letters and points, Latin words, numbers
// with separators and signs, brackets, spaces and other bytes.
std::vector<uint8_t> MixedLine(std::mt19937& random) {
  static const std::vector<uint8_t> pieces = {
      0xE0, 0xF9, 0xEC, 0x81, 0x98, 0xC8, 0xCC, 0xD1, 0xD4, 0xFE, 0xFD, 'a', 'Z', 'q', '1', '9', 0xB2,
      '+', '-', '#', '$', '%', 0xA2, 0xA4, 0xB0, ',', '.', '/', ':', 0xA0, '(', ')', '<', '>', '[', ']',
      '{', '}', 0xAB, 0xBB, ' ', ' ', ' ', '!', '"', 0x80, 0xAA, 0xD8, 0xFF, 0x09};
  std::vector<uint8_t> line;
  const std::size_t n = random() % 40;
  for (std::size_t i = 0; i < n; ++i) line.push_back(pieces[random() % pieces.size()]);
  return line;
}

// A long line of Hebrew and English words without digits or brackets, the
// common line of a text, whose runs cross the line's 64-byte blocks.
std::vector<uint8_t> WordLine(std::mt19937& random) {
  // Pointed letters at both ends of their range, and the bytes just outside it.
  static const std::vector<uint8_t> letters = {0xE0, 0xF9, 0xEC, 0x81, 0x9B, 0xC8, 0xFE, 'a', 'Z', 'q', 0xAA, 0xFF};
  static const std::vector<uint8_t> between = {' ', ' ', ',', '.', '-', '!', '"', 0x80, 0x9C, 0x09};
  std::vector<uint8_t> line;
  const std::size_t n = random() % 300;
  while (line.size() < n) {
    const std::size_t word = 1 + random() % (random() % 8 == 0 ? 90 : 7);
    const bool latin = random() % 3 == 0;
    for (std::size_t i = 0; i < word; ++i) {
      line.push_back(latin ? letters[7 + random() % 5] : letters[random() % 7]);
    }
    line.push_back(between[random() % between.size()]);
  }
  return line;
}

// A long line of any bytes but digits and brackets, so that every other
// byte's class is read as a Hebrew document's common line reads it.
std::vector<uint8_t> AnyByteLine(std::mt19937& random) {
  std::vector<uint8_t> line;
  const std::size_t n = random() % 200;
  while (line.size() < n) {
    const auto b = static_cast<uint8_t>(random());
    if (RawClass(b) != Raw::EN && Mirrored(b) == b) line.push_back(b);
  }
  return line;
}

// Every byte's class and mirror, as the turn reads them, are Unicode's.
TEST(BorderOrderFast, ByteClassesAndMirrorsAreUnicodes) {
  for (int i = 0; i < 256; ++i) {
    const auto b = static_cast<uint8_t>(i);
    EXPECT_EQ(border::RawClass(b), static_cast<border::Raw>(UnicodeClass(b))) << "byte " << i << ", U+" << std::hex
                                                                               << CharOf(b);
    EXPECT_EQ(border::Mirrored(b), UnicodeMirror(b)) << "byte " << i;
  }
}

TEST(BorderOrderFast, SameAsThePlainRoutine) {
  std::mt19937 random(2024);
  for (int round = 0; round < 60000; ++round) {
    const bool english = round % 2 == 0;
    const std::vector<uint8_t> line =
        round < 20000 ? MixedLine(random) : round < 40000 ? WordLine(random) : AnyByteLine(random);
    std::vector<uint8_t> fast = line;
    ReorderAtBorder(english, fast);
    const bool paired = std::any_of(line.begin(), line.end(), [](uint8_t b) {
      return b == '(' || b == ')' || b == '[' || b == ']' || b == '{' || b == '}';
    });
    if (!paired) {
      std::vector<uint8_t> reference = line;
      ReferenceReorderAtBorder(english, reference);
      ASSERT_EQ(fast, reference) << (english ? "English" : "Hebrew") << " document, round " << round;
    }
    // The turn undoes itself.
    ReorderAtBorder(english, fast);
    ASSERT_EQ(fast, line) << (english ? "English" : "Hebrew") << " document, round " << round;
  }
}

}  // namespace
}  // namespace nuvel
