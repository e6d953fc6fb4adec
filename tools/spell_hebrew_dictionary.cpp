#include "tools/spell_hebrew_dictionary.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/program_path.h"

namespace nuvel {

namespace {

std::string Folder(const std::string& file) { return file.substr(0, file.rfind('/') + 1); }

// `name` in `folder`, found without regard to case.
std::string InFolder(const std::string& folder, const std::string& name) {
  const std::string found = platform::FindFileNoCase(folder.empty() ? "./" : folder, name);
  return found.empty() ? folder + name : found;
}

}  // namespace

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
  const std::string rulePath = InFolder(folder, ruleName.substr(folder.size()));
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
    auto dic = std::make_unique<TSpDic>(InFolder(folder, c.fileName), alphabet);
    if (!dic->IsOpen()) {
      failure_ = dic->FailureText();
      classes_.clear();
      return;
    }
    classes_.push_back(std::move(dic));
  }
  open_ = true;
}

bool THebrewDictionary::InClasses(std::string_view word, SpellClassMask mask) const {
  for (std::size_t i = 0; mask != 0 && i < classes_.size(); ++i, mask >>= 1) {
    if ((mask & 1) && classes_[i]->LookUp(word)) return true;
  }
  return false;
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
