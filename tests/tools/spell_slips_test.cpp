// Words one typing slip away, and the kind of each slip.
#include "tools/spell_slips.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace nuvel {
namespace {

// The kind the slip from `word` to `meant` is found as (the likeliest when
// several lead there).
std::optional<TSlipKind> KindOf(const std::string& word, const std::string& meant, std::string_view letters) {
  std::optional<TSlipKind> best;
  ForEachOneSlip(word, letters, [&](std::string_view c, TSlipKind k) {
    if (c == meant && (!best || k < *best)) best = k;
  });
  return best;
}

TEST(SpellSlips, EachKindOfSlip) {
  const std::string english = "abcdefghijklmnopqrstuvwxyz'";
  std::string hebrew;
  for (int c = 0x80; c <= 0x9A; ++c) hebrew += static_cast<char>(c);
  struct Case {
    std::string word, meant;
    bool isHebrew;
    std::optional<TSlipKind> kind;
  };
  const Case cases[] = {
      {"teh", "the", false, TSlipKind::Transposed},
      {"recieved", "received", false, TSlipKind::Transposed},
      {"helllo", "hello", false, TSlipKind::DoubledLetter},
      {"helo", "hello", false, TSlipKind::MissingLetter},
      {"hexllo", "hello", false, TSlipKind::ExtraLetter},
      {"wprd", "word", false, TSlipKind::NeighbourKey},
      {"wzrd", "word", false, TSlipKind::OtherLetter},
      {"dogs", "dog's", false, TSlipKind::MissingLetter},
      {"teh", "tenth", false, std::nullopt},
      // Hebrew in the dictionary code: גדולימ -> גדולים, a final form in the
      // middle, ש for ד (neighbours), and nothing two slips away.
      {"\x82\x83\x85\x8C\x89\x8E", "\x82\x83\x85\x8C\x89\x8D", true, TSlipKind::FinalForm},
      {"\x99\x8C\x85\x8D\x89", "\x99\x8C\x85\x8E\x89", true, TSlipKind::FinalForm},
      {"\x99\x8C\x85\x8D", "\x83\x8C\x85\x8D", true, TSlipKind::NeighbourKey},
      {"\x99\x8C\x85\x8D", "\x8C\x99\x8D\x85", true, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KindOf(c.word, c.meant, c.isHebrew ? hebrew : english), c.kind) << c.word << " -> " << c.meant;
  }
}

TEST(SpellSlips, NeighbourKeysAndLetterForms) {
  struct Case {
    std::uint8_t a, b;
    bool neighbours;
  };
  const Case cases[] = {
      {'q', 'w', true},   {'a', 'z', true},   {'s', 'z', true},   {'w', 'a', true},  {'Q', 'w', true},
      {'a', 'x', false},  {'q', 's', false},  {'p', 'a', false},  {'m', 'n', true},  {'k', 'm', true},
      {0x99, 0x83, true},  // ש ד
      {0x99, 0x86, true},  // ש ז
      {0x8D, 0x94, true},  // ם פ
      {0x8A, 0x93, true},  // ך ף
      {0x99, 0x9A, false},  // ש ת
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AreNeighbourKeys(c.a, c.b), c.neighbours) << int(c.a) << " " << int(c.b);
    EXPECT_EQ(AreNeighbourKeys(c.b, c.a), c.neighbours) << int(c.b) << " " << int(c.a);
  }
  const std::map<std::uint8_t, std::uint8_t> forms{{0x8A, 0x8B}, {0x8D, 0x8E}, {0x8F, 0x90}, {0x93, 0x94}, {0x95, 0x96}};
  for (const auto& [final, middle] : forms) {
    EXPECT_EQ(OtherLetterForm(final), middle);
    EXPECT_EQ(OtherLetterForm(middle), final);
  }
  EXPECT_EQ(OtherLetterForm(0x80), 0);
  EXPECT_EQ(OtherLetterForm('m'), 0);
}

}  // namespace
}  // namespace nuvel
