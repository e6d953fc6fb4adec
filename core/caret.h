#pragma once
// Carets: a description of a caret's look (TNvcCaret), shared by the carets
// that use it, and the caret of one control (TNvcSingleCaret) that turns the
// description and the control's character cell into the rectangle to paint.
// TNvcCaretPair switches between an insert and an overwrite caret. The
// control paints the rectangle itself, inverted, and blinks it.
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace nuvel {

enum class TCaretShape { csBlock, csHalfBlock, csVertLine, csHorzLine, csCustom, csBitmap };
enum class TCaretAlign { caLeft, caTop, caRight, caBottom, caCenter };

// A monochrome picture for csBitmap carets: a nonzero pixel is inverted.
struct TNvcCaretBitmap {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Pixels;  // Width * Height, row by row
  bool Empty() const { return Width <= 0 || Height <= 0; }
  friend bool operator==(const TNvcCaretBitmap&, const TNvcCaretBitmap&) = default;
};

class TNvcCaret {
 public:
  TNvcCaret() = default;
  TNvcCaret(const TNvcCaret&) = delete;
  TNvcCaret& operator=(const TNvcCaret&) = delete;

  TCaretShape Shape() const { return shape_; }
  // Also sets what the shape implies: csBlock aligns left; csHalfBlock
  // bottom; csVertLine left and 2 wide; csHorzLine bottom and 2 high;
  // csBitmap takes the bitmap's size.
  void SetShape(TCaretShape value);
  TCaretAlign Align() const { return align_; }
  void SetAlign(TCaretAlign value);
  const TNvcCaretBitmap& Bitmap() const { return bitmap_; }
  void SetBitmap(TNvcCaretBitmap value);
  int BitmapHotSpotX() const { return hotSpotX_; }
  int BitmapHotSpotY() const { return hotSpotY_; }
  void SetBitmapHotSpot(int x, int y);
  // Blink half-period in ms; 0 keeps the system's.
  uint16_t BlinkTime() const { return blinkTime_; }
  void SetBlinkTime(uint16_t value);
  // Values below 1 are ignored.
  int CaretHeight() const { return height_; }
  void SetCaretHeight(int value);
  int CaretWidth() const { return width_; }
  void SetCaretWidth(int value);
  bool IsGray() const { return gray_; }
  void SetIsGray(bool value);

  // Every caret using this description hears of each change. A listener is
  // named by a key so it can take itself off.
  void AddChangeListener(const void* key, std::function<void()> listener);
  void RemoveChangeListener(const void* key);

 private:
  void Changed();

  TCaretShape shape_ = TCaretShape::csVertLine;
  TCaretAlign align_ = TCaretAlign::caLeft;
  TNvcCaretBitmap bitmap_;
  int hotSpotX_ = 0;
  int hotSpotY_ = 0;
  uint16_t blinkTime_ = 0;
  int height_ = 10;
  int width_ = 2;
  bool gray_ = false;
  std::vector<std::pair<const void*, std::function<void()>>> listeners_;
};

// The control that owns a caret: it paints the caret and makes it blink.
class TNvcCaretHost {
 public:
  virtual ~TNvcCaretHost() = default;
  // Whether the control has a window yet; the caret stays off until it has.
  virtual bool CaretHostHasWindow() const = 0;
  // The caret's painted rectangle or look changed: repaint both places and
  // restart the blinking with the caret shown.
  virtual void CaretChanged() = 0;
};

struct TCaretRect {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  bool Empty() const { return Width <= 0 || Height <= 0; }
  friend bool operator==(const TCaretRect&, const TCaretRect&) = default;
};

class TNvcSingleCaret {
 public:
  // A coordinate that keeps the caret off-screen.
  static constexpr int kOffScreen = std::numeric_limits<int>::max();

  explicit TNvcSingleCaret(TNvcCaretHost* owner);
  virtual ~TNvcSingleCaret();
  TNvcSingleCaret(const TNvcSingleCaret&) = delete;
  TNvcSingleCaret& operator=(const TNvcSingleCaret&) = delete;

  const std::shared_ptr<TNvcCaret>& Caret() const { return caret_; }
  // Swaps the description and rebuilds the caret.
  void SetCaretObject(std::shared_ptr<TNvcCaret> caret);

  int CellHeight() const { return cellHeight_; }
  void SetCellHeight(int value);  // below 1 ignored
  int CellWidth() const { return cellWidth_; }
  void SetCellWidth(int value);

  bool IsActive() const { return active_; }
  void SetCaretActive(bool value);
  bool Visible() const { return visible_; }
  void SetCaretVisible(bool value);
  // A negative coordinate stores kOffScreen, which keeps the caret away.
  void SetCaretPosition(int x, int y);
  int PositionX() const { return x_; }
  int PositionY() const { return y_; }

  // Size and offsets worked out from the description and the cell.
  int Width() const { return width_; }
  int Height() const { return height_; }
  int OffsetX() const { return offsetX_; }
  int OffsetY() const { return offsetY_; }
  // Blink half-period to use: the description's, or `systemBlinkTime`.
  uint16_t BlinkTime(uint16_t systemBlinkTime) const;

  // Where to paint: empty while inactive, hidden or off-screen.
  TCaretRect PaintRect() const;

 protected:
  // Deactivates, recomputes and reactivates after a change of description.
  void Rebuild();

 private:
  void Attach();
  void Detach();
  void Recompute();

  TNvcCaretHost* owner_;
  std::shared_ptr<TNvcCaret> caret_;
  int cellHeight_ = 10;
  int cellWidth_ = 10;
  bool active_ = false;
  bool visible_ = false;
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  int height_ = 0;
  int offsetX_ = 0;
  int offsetY_ = 0;
};

// An insert caret and an overwrite caret; the one in use follows InsertMode.
class TNvcCaretPair : public TNvcSingleCaret {
 public:
  explicit TNvcCaretPair(TNvcCaretHost* owner);

  bool InsertMode() const { return insertMode_; }
  void SetInsertMode(bool value);
  const std::shared_ptr<TNvcCaret>& InsCaret() const { return ins_; }
  const std::shared_ptr<TNvcCaret>& OvrCaret() const { return ovr_; }
  void SetInsCaret(std::shared_ptr<TNvcCaret> caret);
  void SetOvrCaret(std::shared_ptr<TNvcCaret> caret);

 private:
  std::shared_ptr<TNvcCaret> ins_;
  std::shared_ptr<TNvcCaret> ovr_;
  bool insertMode_ = true;
};

}  // namespace nuvel
