#pragma once
// Numbers of the untitled documents: "NEWDOC1" .. "NEWDOC255". A number is
// taken by New and given back when its window closes or is saved under a
// name of its own.
#include <bitset>
#include <optional>
#include <string>
#include <string_view>

namespace nuvel {

inline constexpr std::string_view kNewDocPrefix = "NEWDOC";
inline constexpr int kMaxNewDocNumber = 255;

// True when the name or caption is an untitled document's ("NEWDOC" first).
bool IsUntitledName(std::string_view name);
// "NEWDOC" followed by the number.
std::string NewDocName(int number);
// The number of an untitled caption, with a trailing collect mark "+C+"
// removed; nullopt for other captions and for numbers above 255.
std::optional<int> NewDocNumberOf(std::string_view caption);

class NewDocNumberSet {
 public:
  // The lowest free number from 1, now taken; nullopt when all 255 are in use.
  std::optional<int> Take();
  void Free(int number);
  bool InUse(int number) const;
  void Clear() { used_.reset(); }

 private:
  std::bitset<kMaxNewDocNumber + 1> used_;
};

}  // namespace nuvel
