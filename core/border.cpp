#include "core/border.h"

namespace nuvel {

void TNvcBorder::Changed() {
  if (OnChange) OnChange();
}

void TNvcBorder::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Changed();
}

void TNvcBorder::SetPenColor(TColor value) {
  if (value == penColor_) return;
  penColor_ = value;
  Changed();
}

void TNvcBorder::SetPenStyle(TPenStyle value) {
  if (value == penStyle_) return;
  penStyle_ = value;
  Changed();
}

void TNvcBorder::SetPenWidth(int value) {
  if (value < 1 || value == penWidth_) return;
  penWidth_ = value;
  Changed();
}

void TNvcBorder::SetBorderStyle(TBorderLineStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  Changed();
}

void TNvcBorder::Assign(const TNvcBorder& source) {
  const bool changed = enabled_ != source.enabled_ || penColor_ != source.penColor_ ||
                       penStyle_ != source.penStyle_ || penWidth_ != source.penWidth_;
  enabled_ = source.enabled_;
  penColor_ = source.penColor_;
  penStyle_ = source.penStyle_;
  penWidth_ = source.penWidth_;
  if (changed) Changed();
}

void TNvcBorders::Assign(const TNvcBorders& source) {
  LeftBorder.Assign(source.LeftBorder);
  RightBorder.Assign(source.RightBorder);
  TopBorder.Assign(source.TopBorder);
  BottomBorder.Assign(source.BottomBorder);
}

bool TNvcBorders::AnyEnabled() const {
  return LeftBorder.Enabled() || RightBorder.Enabled() || TopBorder.Enabled() ||
         BottomBorder.Enabled();
}

}  // namespace nuvel
