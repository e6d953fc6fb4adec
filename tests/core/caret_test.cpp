#include "core/caret.h"

#include <gtest/gtest.h>

#include <memory>

namespace nuvel {
namespace {

class FakeHost : public TNvcCaretHost {
 public:
  bool CaretHostHasWindow() const override { return hasWindow; }
  void CaretChanged() override { ++changes; }
  bool hasWindow = true;
  int changes = 0;
};

struct GeometryCase {
  const char* name;
  int cellWidth, cellHeight;
  TCaretShape shape;
  bool setAlign;  // set `align` after the shape
  TCaretAlign align;
  int caretWidth, caretHeight;  // set on the description when nonzero
  int width, height, offsetX, offsetY;
};

TEST(CaretGeometry, SizeAndOffsetsFollowShapeAlignAndCell) {
  using S = TCaretShape;
  using A = TCaretAlign;
  const GeometryCase cases[] = {
      {"half block brings bottom", 8, 16, S::csHalfBlock, false, A::caLeft, 0, 0, 8, 8, 0, 8},
      {"half block aligned left", 8, 16, S::csHalfBlock, true, A::caLeft, 0, 0, 8, 8, 0, 4},
      {"block fills the cell", 8, 16, S::csBlock, false, A::caLeft, 0, 0, 8, 16, 0, 0},
      {"vertical line", 8, 16, S::csVertLine, false, A::caLeft, 0, 0, 2, 16, 0, 0},
      {"wide vertical line, right", 8, 16, S::csVertLine, true, A::caRight, 3, 0, 3, 16, 5, 0},
      {"horizontal line", 8, 16, S::csHorzLine, false, A::caLeft, 0, 0, 8, 2, 0, 14},
      {"horizontal line on top", 8, 16, S::csHorzLine, true, A::caTop, 0, 0, 8, 2, 0, 0},
      {"custom keeps its size, centred", 9, 16, S::csCustom, true, A::caCenter, 4, 5, 4, 5, 2, 5},
      {"custom at the top", 9, 16, S::csCustom, true, A::caTop, 4, 5, 4, 5, 2, 0},
      {"custom at the bottom", 9, 16, S::csCustom, true, A::caBottom, 4, 5, 4, 5, 2, 11},
      {"custom left", 9, 16, S::csCustom, true, A::caLeft, 4, 5, 4, 5, 0, 5},
      {"custom taller than the cell", 8, 10, S::csCustom, true, A::caCenter, 2, 13, 2, 13, 3, -1},
  };
  for (const auto& c : cases) {
    FakeHost host;
    TNvcSingleCaret caret(&host);
    caret.SetCellWidth(c.cellWidth);
    caret.SetCellHeight(c.cellHeight);
    auto& d = *caret.Caret();
    d.SetShape(c.shape);
    if (c.setAlign) d.SetAlign(c.align);
    if (c.caretWidth) d.SetCaretWidth(c.caretWidth);
    if (c.caretHeight) d.SetCaretHeight(c.caretHeight);
    EXPECT_EQ(caret.Width(), c.width) << c.name;
    EXPECT_EQ(caret.Height(), c.height) << c.name;
    EXPECT_EQ(caret.OffsetX(), c.offsetX) << c.name;
    EXPECT_EQ(caret.OffsetY(), c.offsetY) << c.name;
  }
}

TEST(CaretGeometry, BitmapCaretTakesTheBitmapSizeLessItsHotSpot) {
  FakeHost host;
  TNvcSingleCaret caret(&host);
  caret.SetCellWidth(8);
  caret.SetCellHeight(16);
  auto& d = *caret.Caret();
  d.SetBitmap({6, 12, std::vector<uint8_t>(72, 1)});
  d.SetBitmapHotSpot(1, 2);
  d.SetShape(TCaretShape::csBitmap);
  EXPECT_EQ(d.CaretWidth(), 6);
  EXPECT_EQ(d.CaretHeight(), 12);
  // caLeft (the vertical line's) stays: X 0 - 1, Y (16 - 12) / 2 - 2.
  EXPECT_EQ(caret.OffsetX(), -1);
  EXPECT_EQ(caret.OffsetY(), 0);
}

TEST(CaretDescription, ShapesBringTheirAlignAndSizes) {
  TNvcCaret d;
  EXPECT_EQ(d.Shape(), TCaretShape::csVertLine);
  EXPECT_EQ(d.Align(), TCaretAlign::caLeft);
  EXPECT_EQ(d.CaretHeight(), 10);
  EXPECT_EQ(d.CaretWidth(), 2);
  int changes = 0;
  d.AddChangeListener(&changes, [&] { ++changes; });
  d.SetCaretWidth(0);  // ignored
  d.SetCaretHeight(-3);
  d.SetCaretWidth(2);  // no change
  EXPECT_EQ(changes, 0);
  d.SetShape(TCaretShape::csHorzLine);
  EXPECT_EQ(d.Align(), TCaretAlign::caBottom);
  EXPECT_EQ(d.CaretHeight(), 2);
  d.SetCaretWidth(5);
  d.SetShape(TCaretShape::csVertLine);
  EXPECT_EQ(d.CaretWidth(), 2);
  EXPECT_EQ(d.Align(), TCaretAlign::caLeft);
  EXPECT_EQ(changes, 3);
}

TEST(SingleCaret, OffScreenPositionHidesTheCaretUntilAValidOne) {
  FakeHost host;
  TNvcSingleCaret caret(&host);
  caret.SetCellWidth(8);
  caret.SetCellHeight(16);
  caret.SetCaretVisible(true);
  caret.SetCaretActive(true);
  caret.SetCaretPosition(40, 32);
  EXPECT_EQ(caret.PaintRect(), (TCaretRect{40, 32, 2, 16}));
  caret.SetCaretPosition(-1, 32);
  EXPECT_EQ(caret.PositionX(), TNvcSingleCaret::kOffScreen);
  EXPECT_TRUE(caret.PaintRect().Empty());
  caret.SetCaretPosition(16, 0);
  EXPECT_EQ(caret.PaintRect(), (TCaretRect{16, 0, 2, 16}));
}

TEST(SingleCaret, StaysOffWithoutAWindowAndWhileHidden) {
  FakeHost host;
  host.hasWindow = false;
  TNvcSingleCaret caret(&host);
  caret.SetCaretVisible(true);
  caret.SetCaretActive(true);
  EXPECT_FALSE(caret.IsActive());
  host.hasWindow = true;
  caret.SetCaretActive(true);
  EXPECT_TRUE(caret.IsActive());
  EXPECT_FALSE(caret.PaintRect().Empty());
  caret.SetCaretVisible(false);
  EXPECT_TRUE(caret.PaintRect().Empty());
}

TEST(SingleCaret, TellsItsHostOfEveryVisibleChange) {
  FakeHost host;
  TNvcSingleCaret caret(&host);
  caret.SetCaretVisible(true);
  caret.SetCaretPosition(5, 5);
  EXPECT_EQ(host.changes, 0);  // not active yet
  caret.SetCaretActive(true);
  const int afterOn = host.changes;
  EXPECT_GT(afterOn, 0);
  caret.SetCaretPosition(6, 5);
  EXPECT_GT(host.changes, afterOn);
  const int afterMove = host.changes;
  caret.Caret()->SetShape(TCaretShape::csBlock);
  EXPECT_GT(host.changes, afterMove);
  EXPECT_TRUE(caret.IsActive());  // rebuilt and back on
}

TEST(SingleCaret, BlinkTimeIsTheDescriptionsOrTheSystems) {
  FakeHost host;
  TNvcSingleCaret caret(&host);
  EXPECT_EQ(caret.BlinkTime(530), 530);
  caret.Caret()->SetBlinkTime(200);
  EXPECT_EQ(caret.BlinkTime(530), 200);
}

TEST(CaretPair, InsertModeChoosesTheCaretAndSharedDescriptionsLive) {
  FakeHost host;
  auto shared = std::make_shared<TNvcCaret>();
  shared->SetShape(TCaretShape::csHalfBlock);
  {
    TNvcCaretPair pair(&host);
    pair.SetCellWidth(8);
    pair.SetCellHeight(16);
    EXPECT_TRUE(pair.InsertMode());
    EXPECT_EQ(pair.Caret(), pair.InsCaret());
    EXPECT_EQ(pair.InsCaret()->Shape(), TCaretShape::csVertLine);
    EXPECT_EQ(pair.OvrCaret()->Shape(), TCaretShape::csBlock);
    EXPECT_EQ(pair.Width(), 2);
    pair.SetInsertMode(false);
    EXPECT_EQ(pair.Caret(), pair.OvrCaret());
    EXPECT_EQ(pair.Width(), 8);
    EXPECT_EQ(pair.Height(), 16);
    // Replacing the caret of the current mode switches at once.
    pair.SetOvrCaret(shared);
    EXPECT_EQ(pair.Caret(), shared);
    EXPECT_EQ(pair.Height(), 8);
    // Replacing the other one waits for the mode.
    pair.SetInsCaret(shared);
    EXPECT_EQ(shared.use_count(), 4);  // here, both slots and the caret in use
    TNvcSingleCaret other(&host);
    other.SetCaretObject(shared);
    EXPECT_EQ(shared.use_count(), 5);
  }
  // The carets are gone; the description lives on and can still change.
  EXPECT_EQ(shared.use_count(), 1);
  shared->SetShape(TCaretShape::csBlock);
}

}  // namespace
}  // namespace nuvel
