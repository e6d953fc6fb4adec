#pragma once
// The fixed-pitch font property of the editor and the dialogs, and the four
// global fonts of the cell grid: 1 English, 2 Hebrew screen font, 3 and 4
// the DOS font in regular and bold.
#include <QColor>
#include <QFont>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/font_descriptor.h"

namespace nuvel {

class TNvcFixedFont {
 public:
  // A font named by the first family of the fixed-font list.
  TNvcFixedFont();

  // Takes the other's font and colour.
  void Assign(const TNvcFixedFont& source);
  // Takes a font. One that is neither an own font nor in the fixed-font list
  // is taken all the same, after a warning.
  void Assign(const QFont& source);
  // Takes a font given by name, size and style.
  void Assign(const FontDescriptor& source);

  QColor Color() const { return color_; }
  void SetColor(const QColor& color);
  std::string Name() const;
  void SetName(std::string_view name);
  int Size() const;
  void SetSize(int size);
  FontStyles Style() const;
  void SetStyle(FontStyles style);

  const QFont& Font() const { return font_; }
  FontDescriptor Describe() const;
  // "name~size~style", rebuilt on every Assign.
  const std::string& Descriptor() const { return descriptor_; }

  // Fired by every setter and every Assign.
  std::function<void()> OnChange;

 private:
  void Changed();

  QFont font_;
  QColor color_ = Qt::black;
  std::string descriptor_;
};

// The message of Assign when a font is not of fixed pitch.
inline constexpr std::string_view kNotFixedFontText =
    "This is not a fixed font. \rThe display results may not be so good.";

// An information box with an OK button, through the message sink.
void InfoMessage(std::string_view text);

// Fills the fixed-font list with the fixed-pitch families of the system; the
// English default "Courier New" stands for its installed metric-compatible
// substitute and is listed when that one is there.
void EnumFixedFonts();

// Global font `slot` (1..4). Created with their defaults on first use.
TNvcFixedFont& FixedFonts(int slot);

// Sets up the four fonts from the descriptors [GENPREFS] CurFont and CurFont2
// of the INI file; an absent or malformed descriptor gives the slot's
// default: "Courier New" 11 and "VoraziRARO Vor" 11.
void InitFixedFonts();
// The same from descriptors given (nullopt: absent).
void InitFixedFonts(std::optional<std::string> curFont, std::optional<std::string> curFont2);

}  // namespace nuvel
