#pragma once
// Border lines drawn around a control: each side a pen of its own.
#include <functional>

#include "core/color.h"

namespace nuvel {

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum class TBorderLineStyle { bsSingle, bsDouble };

class TNvcBorder {
 public:
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  TColor PenColor() const { return penColor_; }
  void SetPenColor(TColor value);
  TPenStyle PenStyle() const { return penStyle_; }
  void SetPenStyle(TPenStyle value);
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int value);  // below 1 ignored
  TBorderLineStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderLineStyle value);
  // Copies Enabled, PenColor, PenStyle and PenWidth.
  void Assign(const TNvcBorder& source);

  std::function<void()> OnChange;

 private:
  void Changed();

  bool enabled_ = false;
  TColor penColor_ = clBlack;
  TPenStyle penStyle_ = TPenStyle::psSolid;
  int penWidth_ = 2;
  TBorderLineStyle borderStyle_ = TBorderLineStyle::bsSingle;
};

struct TNvcBorders {
  TNvcBorder LeftBorder;
  TNvcBorder RightBorder;
  TNvcBorder TopBorder;
  TNvcBorder BottomBorder;

  void Assign(const TNvcBorders& source);
  // Whether any of the four lines is drawn.
  bool AnyEnabled() const;
};

}  // namespace nuvel
