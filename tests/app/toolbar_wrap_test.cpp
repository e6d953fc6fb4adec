#include "app/toolbar_wrap.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

// A toolbar of 34 pixels with buttons every 25 pixels up to 675.
ToolbarLayout OneRow() {
  ToolbarLayout l;
  l.height = 34;
  for (int x = 0; x <= 675; x += 25) l.controls.push_back({x, 2});
  return l;
}

TEST(ToolbarWrap, NarrowWindowWrapsAndWideUnwraps) {
  ToolbarLayout l = OneRow();
  LayoutToolbarForWidth(l, 650, 30, "NotFound");
  EXPECT_EQ(l.height, 78);
  for (size_t i = 0; i < l.controls.size(); ++i) {
    int x = static_cast<int>(i) * 25;
    if (x > 350)
      EXPECT_EQ(l.controls[i], (ToolbarControl{x - 350, 46})) << x;
    else
      EXPECT_EQ(l.controls[i], (ToolbarControl{x, 2})) << x;
  }
  // Narrow again: already two rows, nothing moves.
  ToolbarLayout wrapped = l;
  LayoutToolbarForWidth(l, 600, 30, "1");
  EXPECT_EQ(l, wrapped);
  LayoutToolbarForWidth(l, 800, 30, "1");
  EXPECT_EQ(l, OneRow());
  // Wide and one row: nothing moves.
  LayoutToolbarForWidth(l, 800, 30, "1");
  EXPECT_EQ(l, OneRow());
}

TEST(ToolbarWrap, ARowWiderThanTheRuleWrapsWhereItStopsFitting) {
  ToolbarLayout l{30, {{2, 2}, {400, 2}, {780, 2}}};
  LayoutToolbarForWidth(l, 760, 30, "1", 810);  // 760 < 810: it would be cut
  EXPECT_EQ(l.height, 70);
  EXPECT_EQ(l.controls[2], (ToolbarControl{430, 42}));
  LayoutToolbarForWidth(l, 800, 30, "1", 810);
  EXPECT_EQ(l.height, 70) << "still too narrow for one row";
  LayoutToolbarForWidth(l, 820, 30, "1", 810);
  EXPECT_EQ(l.height, 30);
  EXPECT_EQ(l.controls[2], (ToolbarControl{780, 2}));
}

TEST(ToolbarWrap, SettingZeroNeverWraps) {
  ToolbarLayout l = OneRow();
  LayoutToolbarForWidth(l, 500, 30, "0");
  EXPECT_EQ(l, OneRow());
  WrapToolbar(l);
  LayoutToolbarForWidth(l, 500, 30, "0");
  EXPECT_EQ(l, OneRow());
}

TEST(ToolbarWrap, UnwrapNeedsTwoRealRows) {
  ToolbarLayout l;
  l.height = 60;  // half of (60 - 10) is 25: too low for two rows
  l.controls = {{10, 40}};
  UnwrapToolbar(l);
  EXPECT_EQ(l.height, 60);
  EXPECT_EQ(l.controls[0], (ToolbarControl{10, 40}));
}

}  // namespace
}  // namespace nuvel
