#pragma once
// A main spell dictionary (.DIC), opened for reading.
//
// The file starts with an index of N x N little-endian 32-bit offsets, N the
// size of the alphabet: row = code of the first letter, column = code of the
// second letter (1 for a word of one letter); each offset is where that
// group's words begin, 0x7FFFFFFF when the group is empty. A group runs up to
// the next non-empty group in index order, or to the end of the file. Words
// are in ascending byte order inside a group, each coded as a header byte
// (upper 6 bits a value V, lower 2 bits the mode) and 6-bit letter codes:
//   mode 0: V = 1 the group's first letter alone, V = 2 the group's two letters
//   mode 1: three letters, the group's two and the letter with code V
//   mode 2: V letters, the first K as in the previous word of the group; the
//           next byte holds K - 2 in its upper 6 bits, and the codes of the
//           letters K+1..V follow from its lower 2 bits on
//   mode 3: V letters, the group's two, then the codes of letters 3..V
// Codes form one bit stream read from the most significant bit of each
// byte; the next word starts on the next whole byte.
//
// The file is read into memory whole and each group decoded once, so a
// look-up is a binary search in its group.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/spell_alphabet.h"
#include "tools/spell_suggestions.h"

namespace nuvel {

inline constexpr std::uint32_t kSpellEmptyGroup = 0x7FFFFFFF;

class TSpDic {
 public:
  enum class Status { kOpen, kCannotFind, kReadProblem };

  // Opens the file and reads it. On failure the dictionary has no words and
  // Status()/FailureText() say why.
  TSpDic(const std::string& fileName, const SpellAlphabet& alphabet);
  // A dictionary held in memory (the file's bytes).
  static TSpDic FromBytes(std::string_view bytes, const SpellAlphabet& alphabet);

  Status GetStatus() const { return status_; }
  bool IsOpen() const { return status_ == Status::kOpen; }
  // "Cannot Find <file>" or "Read Problem in <file>", the latter followed by
  // why; empty when open.
  std::string FailureText() const;
  // Why the file is damaged, empty when it is not: a file shorter than its
  // index does not open; other damage (an index out of order or pointing
  // past the end, a word that cannot be read) leaves the dictionary open
  // with the words that could be read.
  const std::string& Damage() const { return damage_; }
  const std::string& FileName() const { return fileName_; }

  // Whether `word` (in the dictionary's code) is in the dictionary.
  bool LookUp(std::string_view word) const;

  // Adds the words of `word`'s group within edit distance 3 to `list` as
  // chr(0x60 + distance) + word, considering only words of MinLen..MaxLen
  // letters; with `completion`, every word of the group that begins with
  // `word`, with distance 0. Needs a word of two letters or more; stops when
  // the list is full. True when the list is not empty afterwards.
  bool Suggest(std::string_view word, int minLen, bool completion, int maxLen, SpellSuggestionList& list) const;

  // Number of words decoded (all groups).
  std::size_t WordCount() const { return wordStarts_.size(); }
  // The i-th word decoded, in file order (i < WordCount()).
  std::string_view WordAt(std::size_t i) const { return Word(i); }
  // Every word of the group of `first` and `second` (codes), in file order.
  std::vector<std::string> GroupWords(int firstCode, int secondCode) const;

 private:
  TSpDic() = default;
  void Load(std::string_view bytes);
  // False when a word of the group cannot be read (the rest of it is left out).
  bool DecodeGroup(std::string_view bytes, std::size_t begin, std::size_t end, int c1, int c2);
  int GroupOf(std::string_view word) const;  // -1 when unknown
  std::string_view Word(std::size_t i) const;

  std::string fileName_;
  Status status_ = Status::kCannotFind;
  std::string damage_;
  SpellAlphabet alphabet_;
  std::vector<std::uint32_t> index_;  // N x N offsets as read
  // Decoded words: one pool, a start per word, and each group's first word.
  std::string pool_;
  std::vector<std::uint32_t> wordStarts_;
  std::vector<std::uint32_t> groupFirst_;  // N x N + 1 entries
};

// Why a main dictionary for an alphabet of `letters` symbols is damaged, from
// the file's whole size and its first bytes (its index, or all of it when
// shorter): shorter than its index, an offset past its end or into the
// index, or groups out of index order. Empty when the index is sound.
std::string SpellIndexDamage(std::string_view head, std::uint64_t fileSize, int letters);

}  // namespace nuvel
