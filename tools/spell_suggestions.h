#pragma once
// The suggestions for one word: a sorted list of strings that ignores
// duplicates. Each string is a marker character and the suggested word; the
// marker chr(0x60 + distance) sorts closer words first.
#include <cstddef>
#include <string>
#include <vector>

namespace nuvel {

class SpellSuggestionList {
 public:
  // The most strings a dictionary search adds before it stops.
  static constexpr std::size_t kLimit = 254;

  // Inserts in order; false when the string was already there.
  bool Add(std::string item);
  std::size_t Count() const { return items_.size(); }
  bool Full() const { return items_.size() >= kLimit; }
  const std::vector<std::string>& Items() const { return items_; }
  void Clear() { items_.clear(); }

 private:
  std::vector<std::string> items_;
};

}  // namespace nuvel
