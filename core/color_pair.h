#pragma once
// A text and background colour pair with defaults, such as the selection
// colours of the editor and the file viewer.
#include <functional>

#include "core/color.h"

namespace nuvel {

class TNvcColors {
 public:
  TNvcColors(TColor textColor, TColor backColor);

  TColor BackColor() const { return back_; }
  TColor TextColor() const { return text_; }
  // A colour other than its default clears UseDefault.
  void SetBackColor(TColor value);
  void SetTextColor(TColor value);
  bool UseDefault() const { return useDefault_; }
  // True puts both defaults back.
  void SetUseDefault(bool value);
  // Copies both colours.
  void Assign(const TNvcColors& source);

  TColor DefaultBackColor() const { return defaultBack_; }
  TColor DefaultTextColor() const { return defaultText_; }

  std::function<void()> OnColorChange;

 private:
  void Changed();

  TColor back_;
  TColor text_;
  TColor defaultBack_;
  TColor defaultText_;
  bool useDefault_ = true;
};

}  // namespace nuvel
