#include "tools/spell_dic_writer.h"

#include <algorithm>
#include <cstdint>

#include "tools/spell_dic.h"

namespace nuvel {

namespace {

// Writes 6-bit fields from the most significant bit of each byte on.
class BitWriter {
 public:
  explicit BitWriter(std::string& out) : out_(out) {}
  void Put6(int value) {
    for (int i = 5; i >= 0; --i) {
      if (bit_ == 0) out_.push_back('\0');
      if ((value >> i) & 1) out_.back() = static_cast<char>(static_cast<std::uint8_t>(out_.back()) | (0x80 >> bit_));
      bit_ = (bit_ + 1) % 8;
    }
  }

 private:
  std::string& out_;
  int bit_ = 0;
};

std::size_t CommonPrefix(std::string_view a, std::string_view b) {
  std::size_t k = 0;
  while (k < a.size() && k < b.size() && a[k] == b[k]) ++k;
  return k;
}

void EncodeWord(std::string_view word, std::string_view previous, const SpellAlphabet& a, std::string& out) {
  const std::size_t len = word.size();
  auto code = [&](std::size_t i) { return static_cast<int>(a.Code(static_cast<std::uint8_t>(word[i]))); };
  if (len <= 2) {
    out.push_back(static_cast<char>(len << 2));  // mode 0
    return;
  }
  if (len == 3) {
    out.push_back(static_cast<char>((code(2) << 2) | 1));
    return;
  }
  // Mode 2 pays a 6-bit prefix length to skip the shared letters; take it
  // only when that makes the word shorter than mode 3.
  std::size_t k = std::min(CommonPrefix(word, previous), len - 1);
  k = std::min<std::size_t>(k, 65);
  const std::size_t mode3Bytes = (6 * (len - 2) + 7) / 8;
  const std::size_t mode2Bytes = (6 + 6 * (len - k) + 7) / 8;
  if (k >= 3 && mode2Bytes < mode3Bytes) {
    out.push_back(static_cast<char>((len << 2) | 2));
    BitWriter bits(out);
    bits.Put6(static_cast<int>(k - 2));
    for (std::size_t i = k; i < len; ++i) bits.Put6(code(i));
    return;
  }
  out.push_back(static_cast<char>((len << 2) | 3));
  BitWriter bits(out);
  for (std::size_t i = 2; i < len; ++i) bits.Put6(code(i));
}

}  // namespace

bool SpellWordFits(std::string_view word, const SpellAlphabet& alphabet) {
  return !word.empty() && word.size() <= kSpellMaxWordLength && alphabet.Covers(word);
}

std::string EncodeSpellDictionary(std::vector<std::string> words, const SpellAlphabet& alphabet) {
  std::erase_if(words, [&](const std::string& w) { return !SpellWordFits(w, alphabet); });
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());

  const std::size_t n = static_cast<std::size_t>(alphabet.n);
  std::vector<std::uint32_t> index(n * n, kSpellEmptyGroup);
  std::string data;
  const std::size_t indexSize = n * n * 4;
  std::size_t currentGroup = n * n;
  std::string_view previous;
  for (const std::string& w : words) {
    const std::size_t c1 = alphabet.Code(static_cast<std::uint8_t>(w[0]));
    const std::size_t c2 = w.size() == 1 ? 1 : alphabet.Code(static_cast<std::uint8_t>(w[1]));
    const std::size_t g = (c1 - 1) * n + (c2 - 1);
    if (g != currentGroup) {
      currentGroup = g;
      index[g] = static_cast<std::uint32_t>(indexSize + data.size());
      previous = {};
    }
    EncodeWord(w, previous, alphabet, data);
    previous = w;
  }

  std::string out;
  out.reserve(indexSize + data.size());
  for (std::uint32_t offset : index) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((offset >> (8 * i)) & 0xFF));
  }
  out += data;
  return out;
}

}  // namespace nuvel
