#include "formats/palmdoc_codec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace nuvel {
namespace {

using Bytes = std::vector<uint8_t>;

// The encoder exactly as the format's greedy compressor is described, step
// by step and slowly: grow a candidate while an earlier copy of it exists,
// then emit a literal or a copy, fold spaces, and finally join escaped bytes
// into counted runs. The fast encoder must give the same bytes.
Bytes SlowReferenceCompress(std::string_view text) {
  const auto* t = reinterpret_cast<const uint8_t*>(text.data());
  const std::size_t n = text.size();
  Bytes raw;
  bool space = false;
  auto literal = [&](uint8_t b) {
    if (space) {
      space = false;
      if (b >= 0x40 && b <= 0x7F) {
        raw.push_back(b ^ 0x80);
        return;
      }
      raw.push_back(0x20);
    }
    if (b == 0x20) {
      space = true;
    } else if (b == 0x00 || (b >= 0x09 && b <= 0x7F)) {
      raw.push_back(b);
    } else {
      raw.push_back(0x01);
      raw.push_back(b);
    }
  };
  std::size_t head = 0, tail = 1, start = 0;
  while (head < n) {
    if (head - start > 2047) start = head - 2047;
    std::size_t len = tail - head;
    std::size_t occ = start;
    while (std::memcmp(t + occ, t + head, len) != 0) ++occ;
    if (occ < head && len <= 10 && tail != n) {
      start = occ;
      ++tail;
      continue;
    }
    if (len < 4) {
      literal(t[head]);
      ++head;
    } else {
      if (space) {
        raw.push_back(0x20);
        space = false;
      }
      std::size_t d = head - start, l = len - 1;
      unsigned v = static_cast<unsigned>((d << 3) + l - 3);
      raw.push_back(static_cast<uint8_t>(0x80 + (v >> 8)));
      raw.push_back(static_cast<uint8_t>(v & 0xFF));
      head = tail - 1;
    }
    start = 0;
    if (tail < n) ++tail;
  }
  if (space) raw.push_back(0x20);

  Bytes out;
  for (std::size_t i = 0; i < raw.size();) {
    if (raw[i] == 0x01) {
      Bytes run;
      while (i < raw.size() && raw[i] == 0x01 && run.size() < 8) {
        run.push_back(raw[i + 1]);
        i += 2;
      }
      out.push_back(static_cast<uint8_t>(run.size()));
      out.insert(out.end(), run.begin(), run.end());
    } else if (raw[i] >= 0x80 && raw[i] <= 0xBF) {
      out.push_back(raw[i]);
      out.push_back(raw[i + 1]);
      i += 2;
    } else {
      out.push_back(raw[i++]);
    }
  }
  return out;
}

std::string S(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

Bytes B(std::initializer_list<int> bytes) {
  Bytes b;
  for (int x : bytes) b.push_back(static_cast<uint8_t>(x));
  return b;
}

TEST(PalmDocCompress, HandCheckedByteSequences) {
  struct Case {
    const char* name;
    std::string text;
    Bytes expected;
  };
  const Case cases[] = {
      {"empty", "", {}},
      {"plain letters", "abc", B({'a', 'b', 'c'})},
      {"repeat of 3 bytes is a copy", "abcXabcY", B({0x61, 0x62, 0x63, 0x58, 0x80, 0x20, 0x59})},
      {"space folded into a letter", " e", B({0xE5})},
      {"space before a Hebrew letter", S({' ', 0xE0}), B({0x20, 0x01, 0xE0})},
      {"space before a digit", " 1", B({0x20, '1'})},
      {"two spaces then a letter", "  a", B({0x20, 0xE1})},
      {"trailing space", "a ", B({'a', 0x20})},
      {"zero byte as itself", S({'a', 0, 'b'}), B({'a', 0, 'b'})},
      {"bytes below 9 escaped", S({1, 8, 9}), B({2, 1, 8, 9})},
      {"nine high bytes: a run of 8 and one",
       S({0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88}),
       B({8, 0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 1, 0x88})},
      // "abcdefgh" again at distance 9: copies are at most 10 bytes, and the
      // last 3 bytes go out as literals since a copy needs 4 bytes left.
      {"repeat of 8 bytes is one copy", "abcdefgh-abcdefgh-",
       B({'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', '-', 0x80, 0x4D, '-'})},
      {"repeat of 15 bytes is two copies", "0123456789ABCDE+0123456789ABCDE+",
       B({'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C', 'D', 'E', '+',
          0x80, 0x87, 0x80, 0x82, '+'})},
      {"copy overlapping itself", "aaaaaaaaaaaa", B({'a', 0x80, 0x0F, 'a'})},
      {"space before a copy stays a space", "abcd abcd.",
       B({'a', 'b', 'c', 'd', 0x20, 0x80, 0x29, '.'})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CompressRecord(c.text), c.expected);
    EXPECT_EQ(SlowReferenceCompress(c.text), c.expected);
  }
}

TEST(PalmDocCompress, MatchesTheStepByStepCompressor) {
  std::mt19937 rng(11);
  const std::string alphabets[] = {"ab", "abc ", S({'a', ' ', 0xE0, 0xE1, 0x01, 0x00, 'e'}),
                                   "the quick brown fox ", S({' ', 0xF9, 0xEC, 0xE5, 0xED, 0x0A})};
  for (int round = 0; round < 300; ++round) {
    const std::string& alphabet = alphabets[round % std::size(alphabets)];
    std::size_t n = round < 250 ? rng() % 64 : 4096 - rng() % 8;
    std::string text;
    for (std::size_t i = 0; i < n; ++i) text.push_back(alphabet[rng() % alphabet.size()]);
    ASSERT_EQ(CompressRecord(text), SlowReferenceCompress(text)) << "round " << round;
  }
}

TEST(PalmDocCompress, EveryByteValueRoundTrips) {
  std::mt19937 rng(5);
  for (int round = 0; round < 50; ++round) {
    std::string text(rng() % 4097, '\0');
    for (char& c : text) c = static_cast<char>(rng() % (round % 2 ? 256 : 6) + (round % 2 ? 0 : 0x7E));
    Bytes packed = CompressRecord(text);
    std::string expected = text;
    for (char& c : expected) {
      if (c == 0) c = ' ';  // a zero byte comes back as a space
    }
    ASSERT_EQ(DecodePalmDocRecord(packed), expected) << "round " << round;
  }
}

TEST(PalmDocDecode, CodesAndDamagedRecords) {
  struct Case {
    const char* name;
    Bytes record;
    std::string text;
    bool damaged;
  };
  const Case cases[] = {
      {"zero is a space", B({0}), " ", false},
      {"counted run", B({3, 'a', 0xFF, 'c'}), S({'a', 0xFF, 'c'}), false},
      {"folded space", B({'a', 0xE5}), "a e", false},
      {"copy", B({'a', 'b', 'c', 0x80, 0x18}), "abcabc", false},
      {"copy repeating what it writes", B({'a', 0x80, 0x0F}), std::string(11, 'a'), false},
      {"copy before the start stops", B({'a', 0x80, 0x10, 'z'}), "a", true},
      {"copy of distance 0 stops", B({'a', 0x80, 0x00, 'z'}), "a", true},
      {"copy at the very start stops", B({0x80, 0x08, 'z'}), "", true},
      {"copy cut off by the end", B({'a', 0x80}), "a", true},
      {"run cut off by the end keeps what is there", B({5, 'x', 'y'}), "xy", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool damaged = false;
    EXPECT_EQ(DecodePalmDocRecord(c.record, 4096, &damaged), c.text);
    EXPECT_EQ(damaged, c.damaged);
    EXPECT_EQ(DecodePalmDocRecord(c.record), c.text);
  }
}

}  // namespace
}  // namespace nuvel
