#include "core/caret.h"

#include <algorithm>

namespace nuvel {

// ---- TNvcCaret ----

void TNvcCaret::Changed() {
  // Listeners may take themselves off while being told.
  const auto listeners = listeners_;
  for (const auto& [key, listener] : listeners) {
    if (listener) listener();
  }
}

void TNvcCaret::AddChangeListener(const void* key, std::function<void()> listener) {
  RemoveChangeListener(key);
  listeners_.emplace_back(key, std::move(listener));
}

void TNvcCaret::RemoveChangeListener(const void* key) {
  std::erase_if(listeners_, [key](const auto& l) { return l.first == key; });
}

void TNvcCaret::SetShape(TCaretShape value) {
  if (value == shape_) return;
  shape_ = value;
  switch (value) {
    case TCaretShape::csBlock:
      align_ = TCaretAlign::caLeft;
      break;
    case TCaretShape::csHalfBlock:
      align_ = TCaretAlign::caBottom;
      break;
    case TCaretShape::csVertLine:
      align_ = TCaretAlign::caLeft;
      width_ = 2;
      break;
    case TCaretShape::csHorzLine:
      align_ = TCaretAlign::caBottom;
      height_ = 2;
      break;
    case TCaretShape::csBitmap:
      if (!bitmap_.Empty()) {
        height_ = bitmap_.Height;
        width_ = bitmap_.Width;
      }
      break;
    case TCaretShape::csCustom:
      break;
  }
  Changed();
}

void TNvcCaret::SetAlign(TCaretAlign value) {
  if (value == align_) return;
  align_ = value;
  Changed();
}

void TNvcCaret::SetBitmap(TNvcCaretBitmap value) {
  if (value == bitmap_) return;
  bitmap_ = std::move(value);
  Changed();
}

void TNvcCaret::SetBitmapHotSpot(int x, int y) {
  if (x == hotSpotX_ && y == hotSpotY_) return;
  hotSpotX_ = x;
  hotSpotY_ = y;
  Changed();
}

void TNvcCaret::SetBlinkTime(uint16_t value) {
  if (value == blinkTime_) return;
  blinkTime_ = value;
  Changed();
}

void TNvcCaret::SetCaretHeight(int value) {
  if (value < 1 || value == height_) return;
  height_ = value;
  Changed();
}

void TNvcCaret::SetCaretWidth(int value) {
  if (value < 1 || value == width_) return;
  width_ = value;
  Changed();
}

void TNvcCaret::SetIsGray(bool value) {
  if (value == gray_) return;
  gray_ = value;
  Changed();
}

// ---- TNvcSingleCaret ----

TNvcSingleCaret::TNvcSingleCaret(TNvcCaretHost* owner)
    : owner_(owner), caret_(std::make_shared<TNvcCaret>()) {
  Attach();
  Recompute();
}

TNvcSingleCaret::~TNvcSingleCaret() { Detach(); }

void TNvcSingleCaret::Attach() {
  caret_->AddChangeListener(this, [this] { Rebuild(); });
}

void TNvcSingleCaret::Detach() {
  if (caret_) caret_->RemoveChangeListener(this);
}

void TNvcSingleCaret::SetCaretObject(std::shared_ptr<TNvcCaret> caret) {
  if (!caret || caret == caret_) return;
  Detach();
  caret_ = std::move(caret);
  Attach();
  Rebuild();
}

void TNvcSingleCaret::Rebuild() {
  const bool wasActive = active_;
  if (wasActive) SetCaretActive(false);
  Recompute();
  if (wasActive) SetCaretActive(true);
}

void TNvcSingleCaret::SetCellHeight(int value) {
  if (value < 1 || value == cellHeight_) return;
  cellHeight_ = value;
  Recompute();
}

void TNvcSingleCaret::SetCellWidth(int value) {
  if (value < 1 || value == cellWidth_) return;
  cellWidth_ = value;
  Recompute();
}

void TNvcSingleCaret::Recompute() {
  const TNvcCaret& c = *caret_;
  const TCaretRect before{offsetX_, offsetY_, width_, height_};
  switch (c.Shape()) {
    case TCaretShape::csBlock:
      height_ = cellHeight_;
      width_ = cellWidth_;
      break;
    case TCaretShape::csHalfBlock:
      height_ = cellHeight_ / 2;
      width_ = cellWidth_;
      break;
    case TCaretShape::csVertLine:
      height_ = cellHeight_;
      width_ = c.CaretWidth();
      break;
    case TCaretShape::csHorzLine:
      height_ = c.CaretHeight();
      width_ = cellWidth_;
      break;
    case TCaretShape::csCustom:
    case TCaretShape::csBitmap:
      height_ = c.CaretHeight();
      width_ = c.CaretWidth();
      break;
  }
  const int centreX = (cellWidth_ - width_) / 2;
  const int middleY = (cellHeight_ - height_) / 2;
  switch (c.Align()) {
    case TCaretAlign::caLeft:
      offsetX_ = 0;
      offsetY_ = middleY;
      break;
    case TCaretAlign::caTop:
      offsetX_ = centreX;
      offsetY_ = 0;
      break;
    case TCaretAlign::caRight:
      offsetX_ = cellWidth_ - width_;
      offsetY_ = middleY;
      break;
    case TCaretAlign::caBottom:
      offsetX_ = centreX;
      offsetY_ = cellHeight_ - height_;
      break;
    case TCaretAlign::caCenter:
      offsetX_ = centreX;
      offsetY_ = middleY;
      break;
  }
  if (c.Shape() == TCaretShape::csBitmap) {
    offsetX_ -= c.BitmapHotSpotX();
    offsetY_ -= c.BitmapHotSpotY();
  }
  const TCaretRect after{offsetX_, offsetY_, width_, height_};
  if (active_ && after != before && owner_ != nullptr) owner_->CaretChanged();
}

void TNvcSingleCaret::SetCaretActive(bool value) {
  if (value == active_) return;
  if (value && (owner_ == nullptr || !owner_->CaretHostHasWindow())) return;
  active_ = value;
  if (owner_ != nullptr) owner_->CaretChanged();
}

void TNvcSingleCaret::SetCaretVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  if (active_ && owner_ != nullptr) owner_->CaretChanged();
}

void TNvcSingleCaret::SetCaretPosition(int x, int y) {
  x = x < 0 ? kOffScreen : x;
  y = y < 0 ? kOffScreen : y;
  if (x == x_ && y == y_) return;
  x_ = x;
  y_ = y;
  if (active_ && owner_ != nullptr) owner_->CaretChanged();
}

uint16_t TNvcSingleCaret::BlinkTime(uint16_t systemBlinkTime) const {
  return caret_->BlinkTime() != 0 ? caret_->BlinkTime() : systemBlinkTime;
}

TCaretRect TNvcSingleCaret::PaintRect() const {
  if (!active_ || !visible_ || x_ == kOffScreen || y_ == kOffScreen) return {};
  return {x_ + offsetX_, y_ + offsetY_, width_, height_};
}

// ---- TNvcCaretPair ----

TNvcCaretPair::TNvcCaretPair(TNvcCaretHost* owner)
    : TNvcSingleCaret(owner), ins_(std::make_shared<TNvcCaret>()), ovr_(std::make_shared<TNvcCaret>()) {
  ovr_->SetShape(TCaretShape::csBlock);
  SetCaretObject(ins_);
}

void TNvcCaretPair::SetInsertMode(bool value) {
  if (value == insertMode_) return;
  insertMode_ = value;
  SetCaretObject(insertMode_ ? ins_ : ovr_);
}

void TNvcCaretPair::SetInsCaret(std::shared_ptr<TNvcCaret> caret) {
  if (!caret) return;
  ins_ = std::move(caret);
  if (insertMode_) SetCaretObject(ins_);
}

void TNvcCaretPair::SetOvrCaret(std::shared_ptr<TNvcCaret> caret) {
  if (!caret) return;
  ovr_ = std::move(caret);
  if (!insertMode_) SetCaretObject(ovr_);
}

}  // namespace nuvel
