#pragma once
// The Hebrew main dictionary: its words in classes, one .DIC file a class,
// and the prefix rules that say which prefix chains each class takes (the
// rule file beside the main .DIC, see spell_prefix_rules.h). A word is
// correct when it is in a class that takes it bare, or when a prefix chain
// of the rules splits it into a root that is in a class the chain allows.
// A main .DIC without a rule file is one class that takes one prefix
// letter.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tools/spell_alphabet.h"
#include "tools/spell_dic.h"
#include "tools/spell_prefix_rules.h"
#include "tools/spell_suggestions.h"

namespace nuvel {

class THebrewDictionary {
 public:
  // Opens `mainFile` and, when its rule file is there, every class it
  // names. On failure the dictionary is not open and FailureText() says
  // which file failed.
  THebrewDictionary(const std::string& mainFile, const SpellAlphabet& alphabet);

  bool IsOpen() const { return open_; }
  std::string FailureText() const { return failure_; }
  // The rule file that was read; empty when there was none.
  const std::string& RuleFile() const { return ruleFile_; }
  const TSpPrefixRules& Rules() const { return rules_; }

  // Whether `word` (dictionary code) is correct, with the prefix rules.
  bool LookUp(std::string_view word) const;
  // Whether `word` is in any class as it stands, taken bare or not.
  bool HasRoot(std::string_view word) const;
  // The words of `word`'s group in every class (TSpDic::Suggest).
  bool Suggest(std::string_view word, int minLen, bool completion, int maxLen, SpellSuggestionList& list) const;

  std::size_t WordCount() const;
  // The words of a group over all classes, sorted.
  std::vector<std::string> GroupWords(int firstCode, int secondCode) const;
  // The class dictionaries, in the rules' order.
  const std::vector<std::unique_ptr<TSpDic>>& Classes() const { return classes_; }

 private:
  bool InClasses(std::string_view word, SpellClassMask mask) const {
    return (ClassesOf(word) & mask) != 0;
  }
  // The classes that hold `word`, from an index of every word built at
  // opening, so that each way of splitting a word costs one probe.
  SpellClassMask ClassesOf(std::string_view word) const;
  void BuildIndex();

  bool open_ = false;
  std::string failure_;
  std::string ruleFile_;
  TSpPrefixRules rules_;
  std::vector<std::unique_ptr<TSpDic>> classes_;
  // Open addressing: each slot 0 or an entry's number + 1.
  std::vector<std::uint32_t> slots_;
  std::vector<std::string_view> entryWords_;
  std::vector<SpellClassMask> entryClasses_;
};

// The rule file of a main dictionary: its name with ".AFF" for the extension.
std::string SpellRuleFileName(const std::string& mainFile);
// The file `name` in `folder` (ending in "/", or empty for the current
// one), found without regard to case; folder + name when there is none.
std::string SpellFileInFolder(const std::string& folder, const std::string& name);

}  // namespace nuvel
