#include "app/toolbar_wrap.h"

#include <algorithm>

namespace nuvel {

void WrapToolbar(ToolbarLayout& l) {
  int h = l.height;
  l.height = 2 * h + 10;
  for (ToolbarControl& c : l.controls) {
    if (c.left > kToolbarWrapShift) {
      c.top += h + 10;
      c.left -= kToolbarWrapShift;
    }
  }
}

void UnwrapToolbar(ToolbarLayout& l) {
  int half = (l.height - 10) / 2;
  if (half < 30) return;
  for (ToolbarControl& c : l.controls) {
    if (c.top > half) {
      c.top -= half + 10;
      c.left += kToolbarWrapShift;
    }
  }
  l.height = half;
}

void LayoutToolbarForWidth(ToolbarLayout& l, int windowWidth, int buttonHeight, std::string_view wrapSetting,
                           int rowWidth) {
  int h = l.height;
  if (wrapSetting == "0") {
    UnwrapToolbar(l);
    return;
  }
  const int wrapWidth = std::max(kToolbarWrapWidth, rowWidth);
  if (windowWidth < wrapWidth && 2 * buttonHeight > h)
    WrapToolbar(l);
  else if (windowWidth >= wrapWidth && 2 * buttonHeight < h)
    UnwrapToolbar(l);
}

}  // namespace nuvel
