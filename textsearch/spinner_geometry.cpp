#include "textsearch/spinner_geometry.h"

#include <algorithm>

namespace nuvel {

bool SpinRegion::Contains(int x, int y) const {
  if (isRect) return x >= left && x < right && y >= top && y < bottom;
  if (corners.size() < 3) return false;
  // Crossing count of a ray from the pixel's centre, in doubled
  // coordinates so that the centre (x + 0.5, y + 0.5) stays integral.
  const long px = 2L * x + 1, py = 2L * y + 1;
  bool inside = false;
  for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
    const long xi = 2L * corners[i].x, yi = 2L * corners[i].y;
    const long xj = 2L * corners[j].x, yj = 2L * corners[j].y;
    if ((yi > py) == (yj > py)) continue;
    // x of the edge at py, compared without division: px < xi + (py - yi) * (xj - xi) / (yj - yi).
    const long num = (py - yi) * (xj - xi);
    const long den = yj - yi;
    const bool left = den > 0 ? (px - xi) * den < num : (px - xi) * den > num;
    if (left) inside = !inside;
  }
  return inside;
}

void SpinRegion::Bounds(int& l, int& t, int& r, int& b) const {
  if (isRect) {
    l = left, t = top, r = right, b = bottom;
    return;
  }
  l = t = r = b = 0;
  if (corners.empty()) return;
  l = r = corners[0].x;
  t = b = corners[0].y;
  for (const SpinPoint& p : corners) {
    l = std::min(l, p.x), r = std::max(r, p.x);
    t = std::min(t, p.y), b = std::max(b, p.y);
  }
  ++r, ++b;
}

namespace {

SpinRegion Rect(int l, int t, int r, int b) {
  SpinRegion reg;
  reg.isRect = true;
  reg.left = l, reg.top = t, reg.right = r, reg.bottom = b;
  return reg;
}

SpinRegion Poly(std::vector<SpinPoint> corners) {
  SpinRegion reg;
  reg.corners = std::move(corners);
  return reg;
}

}  // namespace

SpinnerRegions BuildSpinnerRegions(TNvcSpinnerStyle style, int W, int H) {
  const int w = W - 1, h = H - 1;
  const SpinPoint tl{0, 0}, tr{W - 1, 0}, bl{0, H - 1}, br{W - 1, H - 1};
  const SpinPoint centre{W / 2, H / 2};
  const SpinPoint t11{W / 3, H / 3}, t12{W / 3, 2 * H / 3}, t21{2 * W / 3, H / 3}, t22{2 * W / 3, 2 * H / 3};
  const SpinPoint midTop{W / 2, 0}, midBottom{W / 2, H - 1}, midLeft{0, H / 2}, midRight{W - 1, H / 2};
  const SpinPoint q1Top{W / 4, 0}, q1Bottom{W / 4, H - 1}, q3Top{3 * W / 4, 0}, q3Bottom{3 * W / 4, H - 1};

  SpinnerRegions r;
  auto& a = r.areas;
  switch (style) {
    case TNvcSpinnerStyle::stNormalVertical:
      a[0] = Rect(0, 0, w, h / 2);
      a[1] = Rect(0, h / 2, w, h);
      break;
    case TNvcSpinnerStyle::stNormalHorizontal:
      a[2] = Rect(0, 0, w / 2, h);
      a[3] = Rect(w / 2, 0, w, h);
      break;
    case TNvcSpinnerStyle::stFourWay:
      a[0] = Poly({tl, tr, centre});
      a[1] = Poly({bl, centre, br});
      a[2] = Poly({tl, centre, bl});
      a[3] = Poly({tr, br, centre});
      break;
    case TNvcSpinnerStyle::stStar:
      a[0] = Poly({midTop, t21, t11});
      a[1] = Poly({midBottom, t12, t22});
      a[2] = Poly({midLeft, t11, t12});
      a[3] = Poly({midRight, t22, t21});
      a[4] = Poly({t11, t21, t22, t12});
      break;
    case TNvcSpinnerStyle::stDiagonalVertical:
      a[0] = Poly({tl, tr, bl});
      a[1] = Poly({bl, tr, br});
      break;
    case TNvcSpinnerStyle::stDiagonalHorizontal:
      a[2] = Poly({tl, tr, bl});
      a[3] = Poly({bl, tr, br});
      break;
    case TNvcSpinnerStyle::stDiagonalFourWay:
      a[0] = Poly({q1Top, q3Top, q1Bottom});
      a[1] = Poly({q3Top, q3Bottom, q1Bottom});
      a[2] = Rect(0, 0, W / 4, H - 1);
      a[3] = Rect(3 * W / 4, 0, W - 1, H - 1);
      break;
    case TNvcSpinnerStyle::stPlainStar:
      a[0] = Poly({midTop, t21, centre, t11});
      a[1] = Poly({t12, centre, t22, midBottom});
      a[2] = Poly({midLeft, t11, centre, t12});
      a[3] = Poly({t21, midRight, t22, centre});
      break;
  }
  return r;
}

TNvcSpinState SpinnerHitTest(const SpinnerRegions& regions, int width, int height, int x, int y, bool pressed) {
  if (x < 0 || y < 0 || x >= width || y >= height) return ssOutside;
  if (!pressed) return ssNormal;
  for (int i = 0; i < 5; ++i)
    if (regions.areas[i].Contains(x, y)) return SpinnerRegions::StateOf(i);
  return ssNormal;
}

}  // namespace nuvel
