#include "tools/spell_dic.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/file_messages.h"
#include "tools/edit_distance.h"

namespace nuvel {

namespace {

std::uint32_t ReadLe32(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at])) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 3])) << 24;
}

// Decoded words are indexed by 32-bit offsets.
constexpr std::size_t kMaxPool = 0xF0000000;

// Reads 6-bit codes from the most significant bit of each byte on.
class CodeReader {
 public:
  CodeReader(std::string_view bytes, std::size_t byte, int bit) : bytes_(bytes), bit_(byte * 8 + bit) {}
  // False when the stream runs past `end`.
  bool Next(std::size_t end, int& code) {
    if (bit_ + 6 > end * 8) return false;
    code = 0;
    for (int i = 0; i < 6; ++i, ++bit_) {
      const auto b = static_cast<std::uint8_t>(bytes_[bit_ / 8]);
      code = (code << 1) | ((b >> (7 - bit_ % 8)) & 1);
    }
    return true;
  }
  // The first byte after the last one used.
  std::size_t NextByte() const { return (bit_ + 7) / 8; }

 private:
  std::string_view bytes_;
  std::size_t bit_;
};

}  // namespace

TSpDic::TSpDic(const std::string& fileName, const SpellAlphabet& alphabet) : fileName_(fileName), alphabet_(alphabet) {
  std::error_code ec;
  std::ifstream in(fileName, std::ios::binary);
  if (!in || std::filesystem::is_directory(fileName, ec)) {
    status_ = Status::kCannotFind;
    return;
  }
  std::string bytes;
  try {
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::exception&) {
    status_ = Status::kReadProblem;
    return;
  }
  if (in.bad()) {
    status_ = Status::kReadProblem;
    return;
  }
  Load(bytes);
}

TSpDic TSpDic::FromBytes(std::string_view bytes, const SpellAlphabet& alphabet) {
  TSpDic d;
  d.alphabet_ = alphabet;
  d.Load(bytes);
  return d;
}

std::string TSpDic::FailureText() const {
  switch (status_) {
    case Status::kOpen: return {};
    case Status::kCannotFind: return "Cannot Find " + fileName_;
    case Status::kReadProblem: return "Read Problem in " + fileName_ + (damage_.empty() ? "" : ": " + damage_);
  }
  return {};
}

std::string SpellIndexDamage(std::string_view head, std::uint64_t fileSize, int letters) {
  const std::size_t n = static_cast<std::size_t>(std::max(letters, 0));
  const std::size_t indexSize = n * n * 4;
  if (n == 0 || fileSize < indexSize || head.size() < indexSize) {
    return FileMessageText(FileMessage::DamageIndexShort, {GroupedNumber(indexSize)});
  }
  // The groups follow one another in index order after the index; each
  // holds a word at least, so it starts before the end. A file cut short has
  // its index in order and its last groups past the end; random bytes do not
  // keep the order.
  std::uint64_t previous = indexSize;
  bool pastEnd = false;
  for (std::size_t g = 0; g < n * n; ++g) {
    const std::uint32_t at = ReadLe32(head, g * 4);
    if (at == kSpellEmptyGroup) continue;
    if (at < previous) return FileMessageFormat(FileMessage::DamageIndexOrder);
    pastEnd = pastEnd || at >= fileSize;
    previous = at;
  }
  if (pastEnd) return FileMessageFormat(FileMessage::DamageIndexPastEnd);
  return {};
}

void TSpDic::Load(std::string_view bytes) {
  const std::size_t n = static_cast<std::size_t>(alphabet_.n);
  const std::size_t indexSize = n * n * 4;
  // A damaged file is read as far as it can be, and Damage says why; one
  // shorter than its index cannot be read at all.
  damage_ = SpellIndexDamage(bytes, bytes.size(), alphabet_.n);
  if (n == 0 || bytes.size() < indexSize) {
    status_ = Status::kReadProblem;
    return;
  }
  index_.resize(n * n);
  for (std::size_t i = 0; i < n * n; ++i) index_[i] = ReadLe32(bytes, i * 4);
  // Each group ends where the next non-empty group begins, or at the end.
  std::vector<std::size_t> ends(n * n, bytes.size());
  std::size_t following = bytes.size();
  for (std::size_t g = n * n; g-- > 0;) {
    ends[g] = following;
    if (index_[g] != kSpellEmptyGroup) following = std::min<std::size_t>(index_[g], bytes.size());
  }
  groupFirst_.assign(n * n + 1, 0);
  for (std::size_t g = 0; g < n * n; ++g) {
    groupFirst_[g] = static_cast<std::uint32_t>(wordStarts_.size());
    const std::uint32_t begin = index_[g];
    if (begin == kSpellEmptyGroup || begin < indexSize || begin >= bytes.size() || ends[g] <= begin) continue;
    const int c1 = static_cast<int>(g / n) + 1;
    const int c2 = static_cast<int>(g % n) + 1;
    if (!DecodeGroup(bytes, begin, ends[g], c1, c2) && damage_.empty()) {
      // The group's letters as the program shows them: the Hebrew
      // dictionary's DOS letters 0x80-0x9A are 0xE0-0xFA.
      std::string letters;
      for (const int c : {c1, c2}) {
        const std::uint8_t b = alphabet_.chars[static_cast<std::size_t>(c)];
        letters += static_cast<char>(b >= 0x80 && b <= 0x9A ? b + 0x60 : b);
      }
      damage_ = FileMessageText(FileMessage::DamageWordUnreadable, {letters});
    }
  }
  groupFirst_[n * n] = static_cast<std::uint32_t>(wordStarts_.size());
  status_ = Status::kOpen;
}

bool TSpDic::DecodeGroup(std::string_view bytes, std::size_t pos, std::size_t end, int c1, int c2) {
  const char first = static_cast<char>(alphabet_.chars[c1]);
  const char second = static_cast<char>(alphabet_.chars[c2]);
  std::string previous;
  std::string word;
  while (pos < end) {
    const auto header = static_cast<std::uint8_t>(bytes[pos]);
    const int v = header >> 2;
    const int mode = header & 3;
    word.clear();
    std::size_t next = pos + 1;
    if (mode == 0) {
      if (v == 1) {
        word.assign(1, first);
      } else if (v == 2) {
        word = {first, second};
      } else {
        return false;  // not a word: the rest of the group is unreadable
      }
    } else if (mode == 1) {
      if (v < 1 || v > alphabet_.n) return false;
      word = {first, second, static_cast<char>(alphabet_.chars[v])};
    } else {
      CodeReader reader(bytes, pos + 1, 0);
      std::size_t have = 2;
      if (mode == 2) {
        int kField = 0;
        if (!reader.Next(end, kField)) return false;
        const std::size_t k = static_cast<std::size_t>(kField) + 2;
        if (k >= static_cast<std::size_t>(v) || k > previous.size()) return false;
        word.assign(previous, 0, k);
        word[0] = first;
        word[1] = second;
        have = k;
      } else {
        if (v < 2) return false;
        word = {first, second};
      }
      for (; have < static_cast<std::size_t>(v); ++have) {
        int code = 0;
        if (!reader.Next(end, code) || code < 1 || code > alphabet_.n) return false;
        word += static_cast<char>(alphabet_.chars[code]);
      }
      next = reader.NextByte();
    }
    if (pool_.size() + word.size() > kMaxPool) return true;  // no room for more words: not damage
    wordStarts_.push_back(static_cast<std::uint32_t>(pool_.size()));
    pool_ += word;
    previous = word;
    pos = next;
  }
  return true;
}

std::string_view TSpDic::Word(std::size_t i) const {
  const std::size_t begin = wordStarts_[i];
  const std::size_t end = i + 1 < wordStarts_.size() ? wordStarts_[i + 1] : pool_.size();
  return std::string_view(pool_).substr(begin, end - begin);
}

int TSpDic::GroupOf(std::string_view word) const {
  if (!IsOpen() || word.empty()) return -1;
  const int c1 = alphabet_.Code(static_cast<std::uint8_t>(word[0]));
  const int c2 = word.size() == 1 ? 1 : alphabet_.Code(static_cast<std::uint8_t>(word[1]));
  if (c1 == 0 || c2 == 0) return -1;
  return (c1 - 1) * alphabet_.n + (c2 - 1);
}

bool TSpDic::LookUp(std::string_view word) const {
  const int g = GroupOf(word);
  if (g < 0 || index_[g] == kSpellEmptyGroup) return false;
  std::size_t lo = groupFirst_[g];
  std::size_t hi = groupFirst_[g + 1];
  // The first word that is not less than `word`, as a walk of the group finds it.
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (Word(mid) < word) lo = mid + 1;
    else hi = mid;
  }
  return lo < groupFirst_[g + 1] && Word(lo) == word;
}

bool TSpDic::Suggest(std::string_view word, int minLen, bool completion, int maxLen,
                     SpellSuggestionList& list) const {
  const int g = word.size() >= 2 ? GroupOf(word) : -1;
  if (g >= 0) {
    for (std::size_t i = groupFirst_[g]; i < groupFirst_[g + 1] && !list.Full(); ++i) {
      const std::string_view d = Word(i);
      int distance = 255;
      if (completion) {
        if (d.substr(0, word.size()) == word) distance = 0;
      } else if (static_cast<int>(d.size()) >= minLen && static_cast<int>(d.size()) <= maxLen) {
        distance = EditDistanceWithin(word, d, 3);
      }
      if (distance <= 3) {
        std::string item(1, static_cast<char>(0x60 + distance));
        item += d;
        list.Add(std::move(item));
      }
    }
  }
  return list.Count() > 0;
}

std::vector<std::string> TSpDic::GroupWords(int firstCode, int secondCode) const {
  std::vector<std::string> out;
  if (!IsOpen() || firstCode < 1 || secondCode < 1 || firstCode > alphabet_.n || secondCode > alphabet_.n) return out;
  const std::size_t g = static_cast<std::size_t>(firstCode - 1) * alphabet_.n + (secondCode - 1);
  for (std::size_t i = groupFirst_[g]; i < groupFirst_[g + 1]; ++i) out.emplace_back(Word(i));
  return out;
}

}  // namespace nuvel
