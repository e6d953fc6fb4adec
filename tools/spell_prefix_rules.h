#pragma once
// The prefix rules of the Hebrew main dictionary, read from its rule file
// (the dictionary's name with ".AFF"): which prefix chains (ו, ה, ש, כש,
// ומה, ...) a word may take, by the class of the word.
//
// The Hebrew words are kept in classes, one .DIC file each; a word's class
// is the set of prefix flags it takes. The rule file is UTF-8 text, one
// statement a line, in the words of a Hunspell affix file:
//   CLASS <file> [flags]        a class dictionary and its flags, in order;
//                               "-" or nothing for a class without flags
//   NEEDAFFIX <flag>            a word with this flag is correct only with
//                               a prefix
//   PFX <flag> <Y|N> <count>    the heading of a flag's rules (skipped)
//   PFX <flag> <strip> <append> <condition>
//                               a word of a class with <flag> may take
//                               <append> in front, after losing <strip>
//                               ("0" for nothing) from its start, when its
//                               start matches <condition>: letters, "."
//                               for any letter, [set] and [^set]
// Other lines (and "#" comments) are ignored. Strings are turned into the
// dictionary code (Hebrew letters 0x80..0x9A, geresh and gershayim as the
// apostrophe and the double quote).
#include <algorithm>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

// A set of classes, one bit a class.
using SpellClassMask = std::uint32_t;
inline constexpr std::size_t kSpellMaxClasses = 32;

class TSpPrefixRules {
 public:
  struct Class {
    std::string fileName;
    std::string flags;
  };

  // Reads a rule file's text. Lines that do not parse are skipped; classes
  // past the 32nd are dropped.
  static TSpPrefixRules Parse(std::string_view text);
  // The rule of a dictionary without a rule file: one class, correct alone
  // or after one of the prefix letters ב ה ו כ ל מ ש.
  static TSpPrefixRules OneLetterPrefixes(std::string fileName);

  const std::vector<Class>& Classes() const { return classes_; }
  // The classes whose words are correct without a prefix.
  SpellClassMask BareClasses() const { return bare_; }

  // Calls `f(root, classes)` for every way `word` (dictionary code) splits
  // into a prefix chain of these rules and a root: the root is to be looked
  // up in `classes`. Stops when `f` returns true; returns whether it did.
  template <typename F>
  bool ForEachSplit(std::string_view word, F&& f) const;

 private:
  // One condition element: the set of characters it takes.
  using CharSet = std::bitset<256>;
  struct Rule {
    std::string strip;
    std::vector<CharSet> condition;
    SpellClassMask classes = 0;
    std::string flags;  // the flags that share this rule
    bool Matches(std::string_view root) const;
  };
  void AddRule(char flag, std::string strip, std::string append, std::vector<CharSet> condition);
  void Finish();

  std::vector<Class> classes_;
  std::string needAffix_;
  SpellClassMask bare_ = 0;
  // The prefixes as a trie over their bytes: a node's children by byte,
  // and the rules of the prefix that ends there.
  struct Node {
    std::vector<std::pair<std::uint8_t, std::uint32_t>> children;
    std::vector<Rule> rules;
  };
  std::vector<Node> nodes_{1};
  std::uint32_t Child(std::uint32_t node, std::uint8_t byte) const {
    for (const auto& [b, next] : nodes_[node].children) {
      if (b == byte) return next;
    }
    return 0;
  }
  std::size_t longestAppend_ = 0;
};

template <typename F>
bool TSpPrefixRules::ForEachSplit(std::string_view word, F&& f) const {
  const std::size_t most = std::min(longestAppend_, word.size() - (word.empty() ? 0 : 1));
  std::string root;
  std::uint32_t node = 0;
  for (std::size_t k = 1; k <= most; ++k) {
    node = Child(node, static_cast<std::uint8_t>(word[k - 1]));
    if (node == 0) break;
    for (const Rule& r : nodes_[node].rules) {
      std::string_view candidate = word.substr(k);
      if (!r.strip.empty()) {
        root.assign(r.strip);
        root.append(candidate);
        candidate = root;
      }
      if (r.classes != 0 && r.Matches(candidate) && f(candidate, r.classes)) return true;
    }
  }
  return false;
}

}  // namespace nuvel
