#include "app/placeholder_window_qt.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(PlaceholderMainWindow, IsTitledWithTheProgramName) {
  auto window = CreatePlaceholderMainWindow();
  window->show();
  EXPECT_EQ(window->windowTitle(), QString("Nuvel Text Editor"));
  EXPECT_EQ(window->objectName(), QString("MainForm"));
  EXPECT_TRUE(window->isVisible());
}

}  // namespace
}  // namespace nuvel
