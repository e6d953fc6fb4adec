#pragma once
// Finding a byte pattern in a buffer, with or without regard to ASCII case,
// fast on long buffers: sixteen places are tried at once by the pattern's
// first and last bytes, and only places where both agree are compared
// whole. For the file viewer's search through files of any size.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace nuvel {

class TByteFinder {
 public:
  TByteFinder(std::span<const uint8_t> pattern, bool matchCase);

  // The first place in `buffer` where the pattern starts whole; none for an
  // empty pattern.
  std::optional<std::size_t> First(std::span<const uint8_t> buffer) const;
  // The last such place.
  std::optional<std::size_t> Last(std::span<const uint8_t> buffer) const;

  std::size_t Length() const { return pattern_.size(); }

 private:
  bool MatchesAt(const uint8_t* at) const;

  std::vector<uint8_t> pattern_;  // ASCII letters in lower case without regard to case
  bool matchCase_;
};

}  // namespace nuvel
