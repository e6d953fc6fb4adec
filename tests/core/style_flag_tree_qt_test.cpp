#include "core/style_flag_tree_qt.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QWidget>

namespace nuvel {
namespace {

TEST(SetStyleFlagTree, MarksTheControlAndWhenAskedEveryWidgetBelowIt) {
  QWidget window;
  auto* panel = new QWidget(&window);
  auto* label = new QLabel("x", panel);
  SetStyleFlagTree(&window, false);
  EXPECT_TRUE(DisplaysDragImage(&window));
  EXPECT_FALSE(DisplaysDragImage(panel));
  SetStyleFlagTree(&window, true);
  EXPECT_TRUE(DisplaysDragImage(panel));
  EXPECT_TRUE(DisplaysDragImage(label));
  SetStyleFlagTree(nullptr, true);
  EXPECT_FALSE(DisplaysDragImage(nullptr));
}

}  // namespace
}  // namespace nuvel
