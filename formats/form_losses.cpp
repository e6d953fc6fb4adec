#include "formats/form_losses.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/charset.h"
#include "formats/paragraph_in_conversion.h"
#include "formats/paragraph_out_conversion.h"

namespace nuvel {
namespace {

// Adds (sign 1) or takes away (sign -1) the points of `text` to `tally`.
void TallyPoints(std::span<const uint8_t> text, int64_t sign, std::array<int64_t, kPointKinds>& tally) {
  auto add = [&](uint8_t b) {
    if (b >= kFirstPoint && b < kFirstPoint + kPointKinds) tally[b - kFirstPoint] += sign;
  };
  for (const uint8_t b : text) {
    if (IsPointedLetter(b)) {
      for (const uint8_t part : PointedLetterParts(b)) add(part);
    } else {
      add(b);
    }
  }
}

bool HasPoints(std::span<const uint8_t> text) {
  return std::any_of(text.begin(), text.end(), [](uint8_t b) {
    return IsPointedLetter(b) || (b >= kFirstPoint && b < kFirstPoint + kPointKinds);
  });
}

}  // namespace

bool TFormLosses::Any() const {
  return std::any_of(points.begin(), points.end(), [](uint64_t n) { return n != 0; });
}

TFormLosses CountFormLosses(int mode, uint32_t count, const std::function<std::span<const uint8_t>(uint32_t)>& para) {
  TFormLosses losses;
  const TParagraphOutConversion out(mode);
  if (!out.Converts()) return losses;
  TParagraphInConversion in(mode, std::nullopt);
  std::vector<uint8_t> converted, back;
  for (uint32_t i = 0; i < count; ++i) {
    const std::span<const uint8_t> text = para(i);
    if (!HasPoints(text)) continue;
    out.Convert(text, converted);
    back.clear();
    if (!converted.empty()) in.Convert(converted, back);
    std::array<int64_t, kPointKinds> tally{};
    TallyPoints(text, 1, tally);
    TallyPoints(back, -1, tally);
    for (std::size_t k = 0; k < kPointKinds; ++k) {
      if (tally[k] > 0) losses.points[k] += static_cast<uint64_t>(tally[k]);
    }
  }
  return losses;
}

}  // namespace nuvel
