#pragma once
// Colour numbers and Qt colours: a system colour is taken from the palette
// by its role (the desktop's own scheme), other system colours and fixed
// colours by their red, green and blue.
#include <QColor>
#include <QPalette>

#include "core/color.h"

namespace nuvel {

QColor ToQColor(TColor color, const QPalette& palette);
// The colour number of a colour chosen on the screen: always a fixed colour.
TColor FromQColor(const QColor& color);

}  // namespace nuvel
