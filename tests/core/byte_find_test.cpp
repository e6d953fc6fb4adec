// The byte finder against a plain search, place by place: random buffers of
// a few bytes (so that partial matches abound) with patterns cut from them,
// forwards and backwards, with and without regard to ASCII case.
#include "core/byte_find.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/ascii_case.h"

namespace nuvel {
namespace {

std::span<const uint8_t> Bytes(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

bool SameAt(const std::string& buffer, std::size_t at, const std::string& pattern, bool matchCase) {
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const auto a = static_cast<uint8_t>(buffer[at + i]), b = static_cast<uint8_t>(pattern[i]);
    if (matchCase ? a != b : platform::AsciiLower(a) != platform::AsciiLower(b)) return false;
  }
  return true;
}

std::optional<std::size_t> Plain(const std::string& buffer, const std::string& pattern, bool matchCase, bool last) {
  std::optional<std::size_t> found;
  if (pattern.empty() || pattern.size() > buffer.size()) return found;
  for (std::size_t at = 0; at + pattern.size() <= buffer.size(); ++at) {
    if (!SameAt(buffer, at, pattern, matchCase)) continue;
    found = at;
    if (!last) break;
  }
  return found;
}

TEST(ByteFinder, AgreesWithAPlainSearch) {
  // Letters of both cases, the bytes that fold onto letters by their 0x20
  // bit without being letters, and Hebrew letters and points.
  const std::string alphabet = "aAbB@`[{\xE0\xC0\xE1\xC1 ";
  std::mt19937 random(77);
  for (int round = 0; round < 3000; ++round) {
    std::string buffer;
    const std::size_t size = random() % 90;
    for (std::size_t i = 0; i < size; ++i) buffer += alphabet[random() % (round % 3 == 0 ? 4 : alphabet.size())];
    std::string pattern;
    if (!buffer.empty() && random() % 4 != 0) {
      const std::size_t from = random() % buffer.size();
      pattern = buffer.substr(from, 1 + random() % 20);
      // Now and then in the other case.
      if (random() % 2) {
        for (char& c : pattern) c = static_cast<char>(platform::AsciiUpper(static_cast<uint8_t>(c)));
      }
    } else {
      for (std::size_t i = 0, n = random() % 5; i < n; ++i) pattern += alphabet[random() % alphabet.size()];
    }
    for (const bool matchCase : {true, false}) {
      const TByteFinder finder(Bytes(pattern), matchCase);
      SCOPED_TRACE("buffer \"" + buffer + "\" pattern \"" + pattern + "\" case " + std::to_string(matchCase));
      EXPECT_EQ(finder.First(Bytes(buffer)), Plain(buffer, pattern, matchCase, false));
      EXPECT_EQ(finder.Last(Bytes(buffer)), Plain(buffer, pattern, matchCase, true));
    }
  }
}

TEST(ByteFinder, LongBuffersAndTheirEnds) {
  std::string buffer(10000, 'x');
  const std::string word = "Zanzibar";
  const TByteFinder exact(Bytes(word), true), anyCase(Bytes("zANZIBAR"), false);
  EXPECT_EQ(exact.First(Bytes(buffer)), std::nullopt);
  for (const std::size_t at : {std::size_t{0}, std::size_t{15}, std::size_t{16}, std::size_t{5000}, buffer.size() - word.size()}) {
    std::string b = buffer;
    b.replace(at, word.size(), word);
    EXPECT_EQ(exact.First(Bytes(b)), at);
    EXPECT_EQ(exact.Last(Bytes(b)), at);
    EXPECT_EQ(anyCase.First(Bytes(b)), at);
    EXPECT_EQ(anyCase.Last(Bytes(b)), at);
  }
  EXPECT_EQ(TByteFinder({}, true).First(Bytes(buffer)), std::nullopt);
}

}  // namespace
}  // namespace nuvel
