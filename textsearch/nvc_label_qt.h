#pragma once
// The effects label: its caption drawn with highlight and shadow copies
// (raised, sunken, flying, extruded or graduated lettering) over its
// background, as the label effects model plans them.
#include <QLabel>
#include <functional>

#include "textsearch/label_effects.h"

namespace nuvel {

class TNvcLabel : public QLabel {
  Q_OBJECT
 public:
  // 150 x 35, transparent, word-wrapped, "Times New Roman" 20 in the text
  // colour of the Windows scheme, raised.
  explicit TNvcLabel(QWidget* parent = nullptr);

  TNvcLabelEffects& Effects() { return effects_; }
  // Not transparent: the background is filled with Color.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v, update(); }
  TColor Color() const { return color_; }
  void SetColor(TColor c) { color_ = c, update(); }

  // A click on the label.
  std::function<void(TNvcLabel& sender)> OnClick;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  TNvcLabelEffects effects_;
  bool transparent_ = true;
  TColor color_ = clBtnFace;
};

}  // namespace nuvel
