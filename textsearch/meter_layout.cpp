#include "textsearch/meter_layout.h"

#include <algorithm>

namespace nuvel {

int ClampedPercent(int percent) { return std::clamp(percent, 0, 100); }

std::string MeterPercentText(int percent) { return std::to_string(ClampedPercent(percent)) + "%"; }

MeterLayout LayOutMeter(int width, int height, bool singleBorder, bool ctl3d, TMeterOrientation orientation,
                        int percent) {
  MeterLayout m;
  m.frameLines = singleBorder ? (ctl3d ? 2 : 1) : 0;
  const int f = m.frameLines;
  m.bar = {f, f, std::max(f, width - f), std::max(f, height - f)};
  m.text = MeterPercentText(percent);
  const bool horizontal = orientation == TMeterOrientation::moHorizontal;
  const int length = horizontal ? m.bar.right - m.bar.left : m.bar.bottom - m.bar.top;
  int used = ClampedPercent(percent) * length / 100;
  int unused = 0;
  if (used < 3) {
    used = 0;
    unused = length;
  } else if (used == length) {
    unused = 0;
  } else {
    used = std::min(used, length - 3);
    unused = length - used - 1;
  }
  m.used = used;
  m.unused = unused;
  if (horizontal) {
    m.usedRect = {m.bar.left, m.bar.top, m.bar.left + used, m.bar.bottom};
    m.unusedRect = {m.bar.left + used, m.bar.top, unused > 0 ? m.bar.right : m.bar.left + used, m.bar.bottom};
  } else {
    m.unusedRect = {m.bar.left, m.bar.top, m.bar.right, unused > 0 ? m.bar.bottom - used : m.bar.top};
    m.usedRect = {m.bar.left, m.bar.bottom - used, m.bar.right, m.bar.bottom};
  }
  return m;
}

}  // namespace nuvel
