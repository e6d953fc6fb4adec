#pragma once
// What the meter draws: the percentage text and where the used and unused
// parts of the bar lie, from its size, border and orientation.
#include <string>

namespace nuvel {

enum class TMeterOrientation : uint8_t { moHorizontal, moVertical };

struct MeterRect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  bool Empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const MeterRect&, const MeterRect&) = default;
};

struct MeterLayout {
  int frameLines = 0;  // 2 for a 3-D single border, 1 for a plain one, else 0
  MeterRect bar;       // inside the frame
  int used = 0;        // length of the used part along the bar
  int unused = 0;      // length of the unused part
  MeterRect usedRect;
  MeterRect unusedRect;
  std::string text;    // "%d%%" of the clamped percent
};

// The percent as painted: the value clamped to 0..100.
int ClampedPercent(int percent);
// "%d%%" of the clamped percent.
std::string MeterPercentText(int percent);

// The layout of a meter `width` x `height` with the given border (a single
// border or none, 3-D or not), orientation and percent. The used length is
// percent x length div 100; below 3 nothing counts as used; a full bar has
// no unused part; otherwise the used part is at most length - 3 and the
// unused part length - used - 1. Horizontal bars fill from the left,
// vertical ones from the bottom.
MeterLayout LayOutMeter(int width, int height, bool singleBorder, bool ctl3d, TMeterOrientation orientation,
                        int percent);

}  // namespace nuvel
