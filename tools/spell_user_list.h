#pragma once
// A user word list of the spell checker: words the user accepted and words
// with an automatic replacement, kept sorted, loaded from and saved to a
// plain text file.
//
// File: one entry a line, ended by CR LF (a lone LF is read as well); "word"
// or "word replacement" (split at the first space); trailing blanks are
// dropped when read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/spell_suggestions.h"

namespace nuvel {

// Kinds of entry.
inline constexpr std::uint16_t kUserWordAdded = 0;     // a word the user added
inline constexpr std::uint16_t kUserWordIgnored = 1;   // ignore for this run; never saved
inline constexpr std::uint16_t kUserWordReplaced = 2;  // replace automatically by `text`

// What goes with each word of a user list.
struct Trec {
  std::string text;  // the replacement
  std::uint16_t kind = kUserWordAdded;
};

// A sorted user word list. The order ignores ASCII case first and then
// compares bytes, so "Apple" and "apple" are two entries next to each other;
// an exact duplicate is not added twice.
class TInDic {
 public:
  struct Entry {
    std::string word;
    Trec rec;
  };

  // Inserts `word` in order; false when it is there already. `index` gets
  // the entry's place either way.
  bool Add(std::string word, Trec rec, std::size_t* index = nullptr);
  void Delete(std::size_t index);
  void Clear() { entries_.clear(); }

  std::size_t Count() const { return entries_.size(); }
  const Entry& operator[](std::size_t i) const { return entries_[i]; }
  Entry& operator[](std::size_t i) { return entries_[i]; }
  const std::vector<Entry>& Entries() const { return entries_; }

  // Set when the list's file existed but could not be read: such a list is
  // never written back over its file.
  bool LoadFailed() const { return loadFailed_; }
  void SetLoadFailed(bool failed) { loadFailed_ = failed; }

 private:
  std::vector<Entry> entries_;
  bool loadFailed_ = false;
};

// The list's order: negative, 0 or positive.
int CompareUserWords(std::string_view a, std::string_view b);

// Exact look-up. When absent, `index` is the place of the first entry that is
// not less than `word`.
bool FindUserWord(const TInDic& list, std::string_view word, std::size_t& index);

// Adds entries that begin with `word`'s first two letters (the first with the
// same case), have MinLen..MaxLen letters and lie within edit distance 5, as
// chr(0x60 + distance) + entry. True when it added at least one.
bool SuggestFromUserList(const TInDic& list, std::string_view word, int minLen, int maxLen,
                         SpellSuggestionList& suggestions);

enum class UserListStatus {
  kOk,
  kReadError,                  // "Read Ioresult<>0"
  kCreateError,                // "Write Ioresult<>0": the file could not be written
  kWriteError,                 // "Write Problem"
  kNotWrittenAfterFailedLoad,  // the list never loaded; its file is left alone
};
// The message the checker shows for a status; empty for kOk.
std::string UserListStatusText(UserListStatus status);

// Reads `fileName` into `list` (a missing file is an empty list). On a read
// error the list is marked as failed to load.
UserListStatus LoadUserList(const std::string& fileName, TInDic& list);

// Writes every entry of kind 0 (its word up to the first space) and of kind 2
// ("word replacement") to `fileName`, through a temporary file in the same
// folder that replaces the old file only when written whole; a failure gives
// kCreateError and leaves the old file as it was.
UserListStatus SaveUserList(const std::string& fileName, const TInDic& list);

}  // namespace nuvel
