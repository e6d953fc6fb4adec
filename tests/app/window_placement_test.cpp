#include "app/window_placement.h"

#include <gtest/gtest.h>

#include <set>

namespace nuvel {

void PrintTo(const PlaceRect& r, std::ostream* os) {
  *os << r.width << "x" << r.height << " at " << r.x << "," << r.y;
}

namespace {

TEST(WindowPlacement, CascadedWindowsKeepTheNewWindowSizeAndStayInTheArea) {
  struct Case {
    int width, height, index, step, minWidth, minHeight;
    PlaceRect expected;
  };
  const Case cases[] = {
      {800, 600, 0, 25, 100, 80, {0, 0, 600, 450}},
      {800, 600, 3, 25, 100, 80, {75, 75, 600, 450}},
      {800, 600, 6, 25, 100, 80, {150, 150, 600, 450}},  // the last that fits
      {800, 600, 7, 25, 100, 80, {0, 0, 600, 450}},      // from the corner again
      {2000, 1600, 7, 25, 100, 80, {175, 175, 1500, 1200}},  // eight steps at most
      {2000, 1600, 8, 25, 100, 80, {0, 0, 1500, 1200}},
      {200, 160, 0, 25, 300, 200, {0, 0, 300, 200}},     // never below the minimum
      {200, 160, 5, 25, 300, 200, {0, 0, 300, 200}},     // no room to step
      {800, 300, 4, 25, 100, 80, {0, 0, 600, 225}},      // three steps fit: 0, 25, 50, 75 -> 4 wraps
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CascadePlace(c.width, c.height, c.index, c.step, c.minWidth, c.minHeight), c.expected)
        << c.width << "x" << c.height << " #" << c.index;
  }
}

bool Exists(const std::string& f) {
  static const std::set<std::string> folders = {"/docs/", "/last/"};
  return folders.count(f) != 0;
}

TEST(WindowPlacement, OpenDialogStartsInTheActiveDocumentsFolder) {
  EXPECT_EQ(OpenDialogFolder("/docs/a.txt", true, "/last/", "/home/u", Exists), "/docs/");
  EXPECT_EQ(OpenDialogFolder("NEWDOC1", false, "/last/", "/home/u", Exists), "/last/");
  EXPECT_EQ(OpenDialogFolder("/gone/a.txt", true, "/last/", "/home/u", Exists), "/last/");
  EXPECT_EQ(OpenDialogFolder("", false, "/gone/", "/home/u", Exists), "/home/u");
  EXPECT_EQ(OpenDialogFolder("", false, "", "/home/u", Exists), "/home/u");
}

TEST(WindowPlacement, AllFilesComeFirst) {
  EXPECT_EQ(WithAllFilesFirst("Nuvel Windows files (*.nvw)|*.nvw|Text files (*.txt)|*.txt|All files (*.*)|*.*"),
            "All files (*.*)|*.*|Nuvel Windows files (*.nvw)|*.nvw|Text files (*.txt)|*.txt");
  EXPECT_EQ(WithAllFilesFirst("*.rtf files (*.rtf)|*.rtf|Docs|*.doc;*.rtf"),
            "All files (*.*)|*.*|*.rtf files (*.rtf)|*.rtf|Docs|*.doc;*.rtf");
  EXPECT_EQ(WithAllFilesFirst(""), "All files (*.*)|*.*");
}

TEST(WindowPlacement, TheFrameIsKeptOnTheScreen) {
  const PlaceRect screen{0, 0, 1280, 900};
  EXPECT_EQ(KeepOnScreen({100, -20, 640, 500}, screen), (PlaceRect{100, 0, 640, 500}));
  EXPECT_EQ(KeepOnScreen({1000, 800, 640, 500}, screen), (PlaceRect{640, 400, 640, 500}));
  EXPECT_EQ(KeepOnScreen({-50, 10, 2000, 1200}, screen), (PlaceRect{0, 0, 1280, 900}));
  EXPECT_EQ(KeepOnScreen({10, 10, 640, 500}, screen), (PlaceRect{10, 10, 640, 500}));
  // A second screen to the right.
  EXPECT_EQ(KeepOnScreen({1200, 30, 400, 300}, {1280, 0, 1920, 1080}), (PlaceRect{1280, 30, 400, 300}));
}

TEST(WindowPlacement, TheOnScreenKeyboardCoversNeitherMenusNorToolbar) {
  struct Case {
    const char* what;
    PlaceRect screen, mainFrame, workspace;
    PlaceRect expected;
  };
  // The keyboard is 600 x 220.
  const Case cases[] = {
      {"room below the main window", {0, 0, 1280, 1024}, {100, 50, 800, 600}, {105, 140, 790, 480},
       {200, 650, 600, 220}},
      {"a maximized main window: over the bottom of the workspace", {0, 0, 1280, 900}, {0, 0, 1280, 900},
       {0, 90, 1280, 780}, {340, 650, 600, 220}},
      {"a workspace lower than the keyboard starts it at its top", {0, 0, 1280, 400}, {0, 0, 1280, 400},
       {0, 90, 1280, 150}, {340, 90, 600, 220}},
      {"a main window near the left edge stays on the screen", {0, 0, 1280, 900}, {-300, 0, 800, 500},
       {-295, 90, 790, 400}, {0, 500, 600, 220}},
      {"a small screen", {0, 0, 800, 600}, {0, 0, 800, 600}, {0, 90, 800, 480}, {100, 350, 600, 220}},
  };
  for (const Case& c : cases) {
    const PlaceRect at = KeyboardPlace(600, 220, c.screen, c.mainFrame, c.workspace);
    EXPECT_EQ(at, c.expected) << c.what << ": " << at.x << "," << at.y;
    EXPECT_GE(at.y, c.workspace.y) << c.what << ": over the menus or the toolbar";
  }
}

}  // namespace
}  // namespace nuvel
