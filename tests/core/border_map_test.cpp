// The map between a paragraph's stored and logical places follows the bytes
// exactly as the border turn moves them: through mixed runs, numbers with
// their separators, brackets and points, in both document directions.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/border_classes.h"
#include "core/border_map.h"
#include "core/border_order.h"
#include "core/charset.h"
#include "formats/text_form.h"

namespace nuvel {
namespace {

std::vector<uint8_t> Bytes(std::string_view utf8) {
  const std::span<const uint8_t> s(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size());
  std::vector<uint8_t> out;
  for (std::size_t i = 0; i < s.size();) {
    char32_t cp = 0;
    const std::size_t n = DecodeUtf8(s, i, cp);
    EXPECT_GT(n, 0u) << utf8;
    out.push_back(UnicodeToHebChar(static_cast<char16_t>(cp)));
    i += n == 0 ? 1 : n;
  }
  return out;
}

struct Turned {
  bool english;
  std::string_view logical;
  std::string_view stored;  // cells in storage order
};

// Apart from blanks every character of these lines is unlike the others
// and none is a bracket, so where each one went is read off the stored text
// alone.
const Turned kDistinct[] = {
    {false, "שלום Hex", "שלום xeH"},
    {false, "אב cd גד", "אב dc גד"},
    {false, "אב cd, ef גה", "אב fe ,dc גה"},
    {false, "אב 12.5 ג", "אב 5.21 ג"},
    {false, "מחיר 3.50", "מחיר 05.3"},
    {false, "Hi שלום", "iH שלום"},
    {true, "Hi שלום", "Hi םולש"},
    {true, "ab גדה 12 וז", "ab זו 12 הדג"},
    {true, "ab שָלוֹ cd", "ab \u05B9ול\u05B8ש cd"},
    {true, "x אב, 35 גד y", "x דג 35 ,בא y"},
    {true, "Hello", "Hello"},
    {false, "אבג", "אבג"},
};

TEST(BorderMap, FollowsEachByteThroughTheTurn) {
  for (const Turned& c : kDistinct) {
    const std::vector<uint8_t> logical = Bytes(c.logical);
    std::vector<uint8_t> stored;
    const BorderMap m = BorderMap::OfLogical(c.english, logical, &stored);
    ASSERT_EQ(stored, Bytes(c.stored)) << c.logical;
    ASSERT_EQ(m.size(), logical.size());
    for (std::size_t l = 0; l < logical.size(); ++l) {
      EXPECT_EQ(stored[m.StoredOf(l)], logical[l]) << c.logical << " logical " << l;
      EXPECT_EQ(m.LogicalOf(m.StoredOf(l)), l) << c.logical;
    }
  }
}

struct Mapped {
  bool english;
  std::string_view logical;
  std::vector<std::size_t> storedOf;  // by logical index
};

// Repeated digits and mirrored brackets, where the bytes alone cannot say
// which went where.
const Mapped kMapped[] = {
    // The number is one run: its first "2" is kept last.
    {false, "אב 2024", {0, 1, 2, 6, 5, 4, 3}},
    // Each number is its own run; the blank between them stays.
    {false, "א 11 22", {0, 1, 3, 2, 4, 6, 5}},
    // A date is one number with its separators.
    {false, "א 1/2", {0, 1, 4, 3, 2}},
    // Brackets after text of the document's direction take its direction:
    // they stay in place, shown the other way round in a Hebrew document.
    {false, "א (ab) ב", {0, 1, 2, 4, 3, 5, 6, 7}},
    {true, "a (אב) b", {0, 1, 2, 4, 3, 5, 6, 7}},
    // After English inside Hebrew they go with the English run.
    {false, "א b (cd) ב", {0, 1, 7, 6, 5, 4, 3, 2, 8, 9}},
    {true, "a ב (גד) b", {0, 1, 7, 6, 5, 4, 3, 2, 8, 9}},
    // A number inside a Hebrew run of an English document reads left to
    // right.
    {true, "a אב 12 גד b", {0, 1, 9, 8, 7, 5, 6, 4, 3, 2, 10, 11}},
    // Repeated letters in an English run of a Hebrew document.
    {false, "א aab", {0, 1, 4, 3, 2}},
};

TEST(BorderMap, TellsRepeatedAndMirroredBytesApart) {
  for (const Mapped& c : kMapped) {
    const std::vector<uint8_t> logical = Bytes(c.logical);
    ASSERT_EQ(logical.size(), c.storedOf.size()) << c.logical;
    std::vector<uint8_t> stored;
    const BorderMap fromLogical = BorderMap::OfLogical(c.english, logical, &stored);
    std::vector<uint8_t> back;
    const BorderMap fromStored = BorderMap::OfStored(c.english, stored, &back);
    EXPECT_EQ(back, logical) << c.logical;
    for (std::size_t l = 0; l < logical.size(); ++l) {
      EXPECT_EQ(fromLogical.StoredOf(l), c.storedOf[l]) << c.logical << " logical " << l;
      EXPECT_EQ(fromStored.StoredOf(l), c.storedOf[l]) << c.logical << " logical " << l;
    }
  }
}

struct Stretch {
  bool english;
  std::string_view logical;
  std::size_t from, to;      // a logical stretch
  std::string_view covered;  // the stored cells that hold it, in storage order
};

const Stretch kStretches[] = {
    // Inside one run the stretch is the same bytes, the other way round.
    {false, "שלום Hello עולם", 6, 9, "lle"},
    // Across a run's edge it takes in the rest of the run.
    {false, "שלום Hello עולם", 3, 7, "ם olleH"},
    {false, "שלום Hello עולם", 8, 12, "olleH ע"},
    {true, "Hi שלום עולם!", 3, 6, "ולש"},
    {true, "Hi שלום עולם!", 6, 9, "ע ם"},
    // Outside the runs nothing moves.
    {true, "Hi שלום", 0, 2, "Hi"},
    // An empty stretch is an empty one at its cell.
    {false, "שלום Hello", 6, 6, ""},
};

TEST(BorderMap, CoversALogicalStretchWithTheFewestCells) {
  for (const Stretch& c : kStretches) {
    const std::vector<uint8_t> logical = Bytes(c.logical);
    std::vector<uint8_t> stored;
    const BorderMap m = BorderMap::OfLogical(c.english, logical, &stored);
    const auto [from, to] = m.StoredStretch(c.from, c.to);
    ASSERT_LE(from, to);
    ASSERT_LE(to, stored.size());
    EXPECT_EQ(std::vector<uint8_t>(stored.begin() + static_cast<std::ptrdiff_t>(from), stored.begin() + static_cast<std::ptrdiff_t>(to)),
              Bytes(c.covered))
        << c.logical << " [" << c.from << ", " << c.to << ")";
    // And back: the logical stretch of those cells holds the one asked for.
    if (c.from < c.to) {
      const auto [lf, lt] = m.LogicalStretch(from, to);
      EXPECT_LE(lf, c.from) << c.logical;
      EXPECT_GE(lt, c.to) << c.logical;
    }
  }
}

// On random mixed lines with numbers, signs, brackets and points, the map
// moves each byte to where the turn put it (a bracket possibly mirrored),
// is a permutation, and reads the same from either order.
TEST(BorderMap, AgreesWithTheTurnOnRandomLines) {
  const std::vector<uint8_t> alphabet = Bytes("abcXYZאבגשת 0123.,/-+%$:()[]{}<>\"'ְָ");
  std::mt19937 rng(41);
  for (int round = 0; round < 4000; ++round) {
    const bool english = round % 2 == 0;
    std::vector<uint8_t> line(1 + rng() % 24);
    for (uint8_t& b : line) b = alphabet[rng() % alphabet.size()];
    std::vector<uint8_t> turned = line;
    ReorderAtBorder(english, turned);
    std::vector<uint8_t> other;
    const BorderMap m = BorderMap::OfLogical(english, line, &other);
    ASSERT_EQ(other, turned);
    std::vector<bool> seen(line.size());
    for (std::size_t l = 0; l < line.size(); ++l) {
      const std::size_t s = m.StoredOf(l);
      ASSERT_LT(s, line.size());
      ASSERT_FALSE(seen[s]);
      seen[s] = true;
      ASSERT_EQ(m.LogicalOf(s), l);
      const bool same = turned[s] == line[l] || turned[s] == border::Mirrored(line[l]);
      ASSERT_TRUE(same) << (english ? "English " : "Hebrew ") << round << " logical " << l << " " << std::string(line.begin(), line.end()) << " -> " << std::string(turned.begin(), turned.end());
    }
    const BorderMap back = BorderMap::OfStored(english, turned);
    for (std::size_t l = 0; l < line.size(); ++l) {
      ASSERT_EQ(back.StoredOf(l), m.StoredOf(l)) << round << " " << std::string(line.begin(), line.end());
    }
  }
}

}  // namespace
}  // namespace nuvel
