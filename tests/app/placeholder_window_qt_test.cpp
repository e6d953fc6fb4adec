#include "app/placeholder_window_qt.h"

#include <gtest/gtest.h>

#include <QTest>

#include "editor/editor_widget_qt.h"

namespace nuvel {
namespace {

TEST(PlaceholderMainWindow, IsTitledWithTheProgramName) {
  auto window = CreatePlaceholderMainWindow();
  window->show();
  EXPECT_EQ(window->windowTitle(), QString("Nuvel Text Editor"));
  EXPECT_EQ(window->objectName(), QString("MainForm"));
  EXPECT_TRUE(window->isVisible());
}

TEST(PlaceholderMainWindow, HoldsAnEditorToTypeIn) {
  auto window = CreatePlaceholderMainWindow();
  window->show();
  TNvcEditorWidget* editor = PlaceholderEditor(*window);
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->Created());
  QTest::keyClicks(editor, "hi");
  EXPECT_EQ(editor->Editor().Text(), "hi");
}

}  // namespace
}  // namespace nuvel
