#pragma once
// The progress meter: a bar in its used and unused colours with the
// percentage centred on it, drawn in inverted colours over both parts.
#include <QWidget>

#include "core/color.h"
#include "textsearch/meter_layout.h"

namespace nuvel {

class TNvcMeter : public QWidget {
  Q_OBJECT
 public:
  explicit TNvcMeter(QWidget* parent = nullptr);

  int Percent() const { return percent_; }
  // Keeps the value as given, paints it clamped to 0..100, repaints at once.
  void SetPercent(int percent);
  bool ShowPercent() const { return showPercent_; }
  void SetShowPercent(bool v) { showPercent_ = v, update(); }
  bool InvertPercent() const { return invertPercent_; }
  void SetInvertPercent(bool v) { invertPercent_ = v, update(); }
  TMeterOrientation Orientation() const { return orientation_; }
  // Outside loading a new orientation exchanges width and height.
  void SetOrientation(TMeterOrientation o);
  TColor UsedColor() const { return usedColor_; }
  void SetUsedColor(TColor c) { usedColor_ = c, update(); }
  TColor UnusedColor() const { return unusedColor_; }
  void SetUnusedColor(TColor c) { unusedColor_ = c, update(); }
  bool SingleBorder() const { return singleBorder_; }
  void SetSingleBorder(bool v) { singleBorder_ = v, update(); }
  bool Ctl3D() const { return ctl3d_; }
  void SetCtl3D(bool v) { ctl3d_ = v, update(); }

  MeterLayout Layout() const;
  QSize sizeHint() const override { return {200, 24}; }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  int percent_ = 33;
  bool showPercent_ = false;
  bool invertPercent_ = true;
  bool singleBorder_ = true;
  bool ctl3d_ = true;
  TMeterOrientation orientation_ = TMeterOrientation::moHorizontal;
  TColor usedColor_ = clLime;
  TColor unusedColor_ = clWindow;
};

}  // namespace nuvel
