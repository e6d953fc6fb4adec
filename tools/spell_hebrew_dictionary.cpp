#include "tools/spell_hebrew_dictionary.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>

#include "platform/program_path.h"

namespace nuvel {

namespace {

std::string Folder(const std::string& file) { return file.substr(0, file.rfind('/') + 1); }

}  // namespace

std::string SpellFileInFolder(const std::string& folder, const std::string& name) {
  const std::string found = platform::FindFileNoCase(folder.empty() ? "./" : folder, name);
  return found.empty() ? folder + name : found;
}

std::string SpellRuleFileName(const std::string& mainFile) {
  const std::size_t slash = mainFile.rfind('/');
  const std::size_t dot = mainFile.rfind('.');
  const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                               ? mainFile.substr(0, dot)
                               : mainFile;
  return stem + ".AFF";
}

THebrewDictionary::THebrewDictionary(const std::string& mainFile, const SpellAlphabet& alphabet) {
  const std::string folder = Folder(mainFile);
  const std::string ruleName = SpellRuleFileName(mainFile);
  const std::string rulePath = SpellFileInFolder(folder, ruleName.substr(folder.size()));
  std::error_code ec;
  if (std::filesystem::is_regular_file(rulePath, ec)) {
    std::ifstream in(rulePath, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
      failure_ = "Read Problem in " + rulePath;
      return;
    }
    rules_ = TSpPrefixRules::Parse(text);
    ruleFile_ = rulePath;
    if (rules_.Classes().empty()) {
      failure_ = "Read Problem in " + rulePath;
      return;
    }
  } else {
    rules_ = TSpPrefixRules::OneLetterPrefixes(mainFile.substr(folder.size()));
  }
  for (const TSpPrefixRules::Class& c : rules_.Classes()) {
    auto dic = std::make_unique<TSpDic>(SpellFileInFolder(folder, c.fileName), alphabet);
    if (!dic->IsOpen()) {
      failure_ = dic->FailureText();
      classes_.clear();
      return;
    }
    classes_.push_back(std::move(dic));
  }
  BuildIndex();
  open_ = true;
}

namespace {
std::size_t HashOf(std::string_view w) { return std::hash<std::string_view>{}(w); }
}  // namespace

void THebrewDictionary::BuildIndex() {
  std::size_t total = 0;
  for (const auto& dic : classes_) total += dic->WordCount();
  std::size_t size = 16;
  while (size < total * 2) size *= 2;
  slots_.assign(size, 0);
  entryWords_.reserve(total);
  entryClasses_.reserve(total);
  for (std::size_t c = 0; c < classes_.size(); ++c) {
    const TSpDic& dic = *classes_[c];
    for (std::size_t i = 0; i < dic.WordCount(); ++i) {
      const std::string_view w = dic.WordAt(i);
      std::size_t at = HashOf(w) & (size - 1);
      while (slots_[at] != 0 && entryWords_[slots_[at] - 1] != w) at = (at + 1) & (size - 1);
      if (slots_[at] == 0) {
        entryWords_.push_back(w);
        entryClasses_.push_back(0);
        slots_[at] = static_cast<std::uint32_t>(entryWords_.size());
      }
      entryClasses_[slots_[at] - 1] |= SpellClassMask{1} << c;
    }
  }
}

SpellClassMask THebrewDictionary::ClassesOf(std::string_view word) const {
  if (slots_.empty()) return 0;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t at = HashOf(word) & mask; slots_[at] != 0; at = (at + 1) & mask) {
    if (entryWords_[slots_[at] - 1] == word) return entryClasses_[slots_[at] - 1];
  }
  return 0;
}

bool THebrewDictionary::LookUp(std::string_view word) const {
  if (!open_ || word.empty()) return false;
  if (InClasses(word, rules_.BareClasses())) return true;
  return rules_.ForEachSplit(word, [&](std::string_view root, SpellClassMask mask) { return InClasses(root, mask); });
}

bool THebrewDictionary::HasRoot(std::string_view word) const { return InClasses(word, ~SpellClassMask{0}); }

bool THebrewDictionary::Suggest(std::string_view word, int minLen, bool completion, int maxLen,
                                SpellSuggestionList& list) const {
  for (const auto& dic : classes_) dic->Suggest(word, minLen, completion, maxLen, list);
  return list.Count() > 0;
}

std::size_t THebrewDictionary::WordCount() const {
  std::size_t n = 0;
  for (const auto& dic : classes_) n += dic->WordCount();
  return n;
}

std::vector<std::string> THebrewDictionary::GroupWords(int firstCode, int secondCode) const {
  std::vector<std::string> out;
  for (const auto& dic : classes_) {
    std::vector<std::string> words = dic->GroupWords(firstCode, secondCode);
    out.insert(out.end(), std::make_move_iterator(words.begin()), std::make_move_iterator(words.end()));
  }
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace nuvel
