#pragma once
// A form colour (fixed or system) as a Qt colour.
#include <QColor>

#include "core/color.h"

namespace nuvel {

inline QColor ToQColor(TColor c) {
  const TRgb rgb = SplitColorRGB(c);
  return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

}  // namespace nuvel
