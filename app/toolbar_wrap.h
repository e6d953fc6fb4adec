#pragma once
// Two-row wrapping of the toolbar below 700 pixels: the controls right of
// 350 move to a second row under the first, and back when the window is
// wide again. A flat panel of buttons, since a tool bar does not wrap.
#include <string_view>
#include <vector>

namespace nuvel {

struct ToolbarControl {
  int left = 0;
  int top = 0;
  bool operator==(const ToolbarControl&) const = default;
};

struct ToolbarLayout {
  int height = 0;                         // the panel's height
  std::vector<ToolbarControl> controls;
  bool operator==(const ToolbarLayout&) const = default;
};

inline constexpr int kToolbarWrapWidth = 700;
inline constexpr int kToolbarWrapShift = 350;

// Moves the controls right of 350 to the second row; height 2h + 10.
void WrapToolbar(ToolbarLayout& layout);
// The inverse: only when half the rows' height is at least 30.
void UnwrapToolbar(ToolbarLayout& layout);

// The resize rule: `wrapSetting` is [GENPREFS] Tool_Bar_Wrap ("0" never
// wraps); `buttonHeight` is the height of one button (NewBtn); `rowWidth`
// the width of all the controls in one row. The toolbar wraps below 700
// pixels, or below the row's own width when that is more, so that no
// button is ever cut off at the window's edge.
void LayoutToolbarForWidth(ToolbarLayout& layout, int windowWidth, int buttonHeight, std::string_view wrapSetting,
                           int rowWidth = 0);

}  // namespace nuvel
