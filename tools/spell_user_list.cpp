#include "tools/spell_user_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/atomic_file.h"
#include "tools/edit_distance.h"

namespace nuvel {

namespace {

std::uint8_t UpperAscii(char c) {
  const auto b = static_cast<std::uint8_t>(c);
  return (b >= 'a' && b <= 'z') ? static_cast<std::uint8_t>(b - 32) : b;
}

bool IsUpperAscii(char c) {
  const auto b = static_cast<std::uint8_t>(c);
  return b >= 'A' && b <= 'Z';
}

std::size_t LowerBound(const TInDic& list, std::string_view word) {
  const auto& e = list.Entries();
  auto it = std::lower_bound(e.begin(), e.end(), word, [](const TInDic::Entry& entry, std::string_view w) {
    return CompareUserWords(entry.word, w) < 0;
  });
  return static_cast<std::size_t>(it - e.begin());
}

}  // namespace

int CompareUserWords(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ua = UpperAscii(a[i]);
    const int ub = UpperAscii(b[i]);
    if (ua != ub) return ua - ub;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}

bool TInDic::Add(std::string word, Trec rec, std::size_t* index) {
  std::size_t at = 0;
  if (FindUserWord(*this, word, at)) {
    if (index) *index = at;
    return false;
  }
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), Entry{std::move(word), std::move(rec)});
  if (index) *index = at;
  return true;
}

void TInDic::Delete(std::size_t index) {
  if (index < entries_.size()) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

bool FindUserWord(const TInDic& list, std::string_view word, std::size_t& index) {
  index = LowerBound(list, word);
  return index < list.Count() && list[index].word == word;
}

bool SuggestFromUserList(const TInDic& list, std::string_view word, int minLen, int maxLen,
                         SpellSuggestionList& suggestions) {
  if (list.Count() == 0 || word.size() < 2) return false;
  const std::uint8_t first = UpperAscii(word[0]);
  const auto& e = list.Entries();
  // The first entry whose first letter, case ignored, is not below the word's.
  std::size_t i = static_cast<std::size_t>(
      std::lower_bound(e.begin(), e.end(), first,
                       [](const TInDic::Entry& entry, std::uint8_t c) {
                         return entry.word.empty() || UpperAscii(entry.word[0]) < c;
                       }) -
      e.begin());
  if (minLen >= 2) {
    while (i < e.size() && !e[i].word.empty() && UpperAscii(e[i].word[0]) == first &&
           (e[i].word.size() < 2 || static_cast<std::uint8_t>(e[i].word[1]) < static_cast<std::uint8_t>(word[1])))
      ++i;
  }
  bool added = false;
  for (; i < e.size() && !suggestions.Full(); ++i) {
    const std::string& w = e[i].word;
    if (w.empty() || UpperAscii(w[0]) != first) break;  // sorted: no later entry can match
    if (w.size() < 2 || w[1] != word[1]) continue;
    if (IsUpperAscii(w[0]) != IsUpperAscii(word[0])) continue;
    const int len = static_cast<int>(w.size());
    if (len < minLen || len > maxLen) continue;
    const int distance = EditDistanceWithin(word, w, 5);
    if (distance > 5) continue;
    std::string item(1, static_cast<char>(0x60 + distance));
    item += w;
    if (suggestions.Add(std::move(item))) added = true;
  }
  return added;
}

std::string UserListStatusText(UserListStatus status) {
  switch (status) {
    case UserListStatus::kOk: return {};
    case UserListStatus::kReadError: return "Read Ioresult<>0";
    case UserListStatus::kCreateError: return "Write Ioresult<>0";
    case UserListStatus::kWriteError: return "Write Problem";
    case UserListStatus::kNotWrittenAfterFailedLoad: return "Read Ioresult<>0";
  }
  return {};
}

UserListStatus LoadUserList(const std::string& fileName, TInDic& list) {
  std::error_code ec;
  if (!std::filesystem::exists(fileName, ec)) return UserListStatus::kOk;
  std::string text;
  if (!platform::ReadFileBytes(fileName, text)) {
    list.SetLoadFailed(true);
    return UserListStatus::kReadError;
  }
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    while (!line.empty() && static_cast<std::uint8_t>(line.back()) <= ' ') line.remove_suffix(1);
    const std::size_t space = line.find(' ');
    const std::string_view word = line.substr(0, space);
    if (word.empty()) continue;
    Trec rec;
    if (space != std::string_view::npos) {
      rec.text = std::string(line.substr(space + 1));
      rec.kind = kUserWordReplaced;
    }
    list.Add(std::string(word), std::move(rec));
  }
  return UserListStatus::kOk;
}

UserListStatus SaveUserList(const std::string& fileName, const TInDic& list) {
  if (list.LoadFailed()) return UserListStatus::kNotWrittenAfterFailedLoad;
  std::string text;
  for (const TInDic::Entry& e : list.Entries()) {
    if (e.rec.kind == kUserWordAdded) {
      text += std::string_view(e.word).substr(0, e.word.find(' '));
      text += "\r\n";
    } else if (e.rec.kind == kUserWordReplaced) {
      text += e.word;
      text += ' ';
      text += e.rec.text;
      text += "\r\n";
    }
  }
  return platform::WriteFileAtomically(fileName, text) ? UserListStatus::kOk : UserListStatus::kCreateError;
}

}  // namespace nuvel
