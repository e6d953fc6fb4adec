#pragma once
// What a save in one of the system's own forms with fewer points than the
// document (.NVS through the DOS conversion, 3B2 through its entities)
// cannot keep: each paragraph is converted out as the save converts it and
// back in as a load reads it, and the points that do not come back are
// counted by kind.
#include <array>
#include <cstdint>
#include <functional>
#include <span>

namespace nuvel {

// The points and marks of the system's set, 0xC0 (sheva) to 0xD3 (sof pasuq).
inline constexpr uint8_t kFirstPoint = 0xC0;
inline constexpr std::size_t kPointKinds = 20;

struct TFormLosses {
  std::array<uint64_t, kPointKinds> points{};  // by point, from kFirstPoint
  bool Any() const;
};

// The losses of converting `count` paragraphs (`para(i)` from 0) out and
// back in by conversion `mode`. A pointed letter counts as its letter and
// points.
TFormLosses CountFormLosses(int mode, uint32_t count, const std::function<std::span<const uint8_t>(uint32_t)>& para);

}  // namespace nuvel
