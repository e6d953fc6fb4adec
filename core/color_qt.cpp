#include "core/color_qt.h"

#include "core/color_codec.h"

namespace nuvel {

QColor ToQColor(TColor color, const QPalette& p) {
  switch (ColorRoleOf(color)) {
    case ColorRole::Window: return p.color(QPalette::Active, QPalette::Base);
    case ColorRole::WindowText: return p.color(QPalette::Active, QPalette::Text);
    case ColorRole::Highlight: return p.color(QPalette::Active, QPalette::Highlight);
    case ColorRole::HighlightText: return p.color(QPalette::Active, QPalette::HighlightedText);
    case ColorRole::Face: return p.color(QPalette::Active, QPalette::Button);
    case ColorRole::FaceText: return p.color(QPalette::Active, QPalette::ButtonText);
    case ColorRole::Shadow: return p.color(QPalette::Active, QPalette::Dark);
    case ColorRole::DarkShadow: return p.color(QPalette::Active, QPalette::Shadow);
    case ColorRole::Light: return p.color(QPalette::Active, QPalette::Light);
    case ColorRole::GrayText: return p.color(QPalette::Disabled, QPalette::Text);
    case ColorRole::ToolTip: return p.color(QPalette::Active, QPalette::ToolTipBase);
    case ColorRole::ToolTipText: return p.color(QPalette::Active, QPalette::ToolTipText);
    case ColorRole::None: break;
  }
  const TRgb rgb = SplitColorRGB(color);
  return QColor(rgb.Red, rgb.Green, rgb.Blue);
}

TColor FromQColor(const QColor& color) {
  const QColor c = color.toRgb();
  return ColorOfRgb(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()), static_cast<uint8_t>(c.blue()));
}

}  // namespace nuvel
