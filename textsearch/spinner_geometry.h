#pragma once
// The spinner's areas: the shapes of the up, down, left, right and centre
// areas for each style, computed from the control's size, and the hit test
// that tells which area a point lies in.
#include <array>
#include <cstdint>
#include <vector>

namespace nuvel {

enum class TNvcSpinnerStyle : uint8_t {
  stNormalVertical,
  stNormalHorizontal,
  stFourWay,
  stStar,
  stDiagonalVertical,
  stDiagonalHorizontal,
  stDiagonalFourWay,
  stPlainStar,
};

// 0 outside the control, 1 normal (inside, on no area, or the mouse is not
// pressed), 2 up, 3 down, 4 left, 5 right, 6 centre.
using TNvcSpinState = int;
inline constexpr TNvcSpinState ssOutside = 0;
inline constexpr TNvcSpinState ssNormal = 1;
inline constexpr TNvcSpinState ssUp = 2;
inline constexpr TNvcSpinState ssDown = 3;
inline constexpr TNvcSpinState ssLeft = 4;
inline constexpr TNvcSpinState ssRight = 5;
inline constexpr TNvcSpinState ssCentre = 6;

struct SpinPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const SpinPoint&, const SpinPoint&) = default;
};

// One area: a rectangle (left, top inclusive; right, bottom exclusive, as a
// rectangle region holds its pixels) or a polygon of three or four corners.
struct SpinRegion {
  bool isRect = false;
  int left = 0, top = 0, right = 0, bottom = 0;
  std::vector<SpinPoint> corners;

  bool Empty() const { return !isRect && corners.empty(); }
  // Whether the pixel at (x, y) belongs to the area: a rectangle holds
  // [left, right) x [top, bottom); a polygon the pixels whose centre lies
  // inside it.
  bool Contains(int x, int y) const;
  // The smallest rectangle around the area (right and bottom exclusive).
  void Bounds(int& l, int& t, int& r, int& b) const;
};

// The areas of one style at one size: index 0 up, 1 down, 2 left, 3 right,
// 4 centre; an area the style lacks is empty.
struct SpinnerRegions {
  std::array<SpinRegion, 5> areas;
  // The state an area index stands for.
  static TNvcSpinState StateOf(int index) { return index + 2; }
};

SpinnerRegions BuildSpinnerRegions(TNvcSpinnerStyle style, int width, int height);

// The state of the point (x, y) in a control of the given size: 0 outside
// the client rectangle, 1 while the mouse is not pressed on the control,
// else the first area holding the point in the order up, down, left,
// right, centre, and 1 when none does.
TNvcSpinState SpinnerHitTest(const SpinnerRegions& regions, int width, int height, int x, int y, bool pressed);

}  // namespace nuvel
