#pragma once
// Colours as the settings store them: the colour number in decimal, signed
// (a system colour such as clWindow is stored as -2147483643), and the
// system colours by what they colour, so that the GUI layer can take them
// from the desktop's palette instead of a fixed scheme.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/color.h"

namespace nuvel {

// The number of system colours (indexes 0 .. kSystemColorCount - 1).
inline constexpr int kSystemColorCount = 25;

// The colour as stored: its number in signed decimal.
std::string StoredColorText(TColor color);

// A stored colour: a fixed colour 0 .. 0xFFFFFF or one of the system colours,
// written in signed decimal (blanks around allowed); the unsigned form of a
// system colour ("2147483653") is taken too. nullopt for anything else, so
// the caller keeps the default.
std::optional<TColor> ParseStoredColor(std::string_view text);

// A fixed colour from its red, green and blue.
constexpr TColor ColorOfRgb(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<TColor>(red | (green << 8) | (blue << 16));
}

// What a system colour colours, as the desktop's palette names it.
enum class ColorRole : uint8_t {
  None,            // a fixed colour, or a system colour the palette has no role for
  Window,          // a text window's background
  WindowText,      // a text window's text
  Highlight,       // the selection's background
  HighlightText,   // the selection's text
  Face,            // a button's and a dialog's face (menus too)
  FaceText,        // text on it
  Shadow,          // a button's shadow
  DarkShadow,
  Light,           // a button's light edge
  GrayText,        // disabled text
  ToolTip,
  ToolTipText,
};

// The role of a system colour; None for a fixed colour and for the system
// colours of captions, borders and the desktop, which keep the standard scheme.
ColorRole ColorRoleOf(TColor color);

}  // namespace nuvel
