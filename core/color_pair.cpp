#include "core/color_pair.h"

namespace nuvel {

TNvcColors::TNvcColors(TColor textColor, TColor backColor)
    : back_(backColor), text_(textColor), defaultBack_(backColor), defaultText_(textColor) {}

void TNvcColors::Changed() {
  if (OnColorChange) OnColorChange();
}

void TNvcColors::SetBackColor(TColor value) {
  if (value == back_) return;
  back_ = value;
  if (value != defaultBack_) useDefault_ = false;
  Changed();
}

void TNvcColors::SetTextColor(TColor value) {
  if (value == text_) return;
  text_ = value;
  if (value != defaultText_) useDefault_ = false;
  Changed();
}

void TNvcColors::SetUseDefault(bool value) {
  if (!value) {
    useDefault_ = false;
    return;
  }
  const bool changed = back_ != defaultBack_ || text_ != defaultText_;
  back_ = defaultBack_;
  text_ = defaultText_;
  useDefault_ = true;
  if (changed) Changed();
}

void TNvcColors::Assign(const TNvcColors& source) {
  const bool changed = back_ != source.back_ || text_ != source.text_;
  back_ = source.back_;
  text_ = source.text_;
  useDefault_ = back_ == defaultBack_ && text_ == defaultText_;
  if (changed) Changed();
}

}  // namespace nuvel
