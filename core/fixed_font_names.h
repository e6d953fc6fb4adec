#pragma once
// The program's own font faces and the list of fixed-pitch font families of
// the system, by which a font name is judged fit for the cell grid.
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

inline constexpr std::string_view kEnglishDefaultFont = "Courier New";
inline constexpr std::string_view kHebrewScreenFont1 = "VoraziRARO Vor";
inline constexpr std::string_view kHebrewScreenFont2 = "ZoridiZOZA RarUv";
inline constexpr std::string_view kHebrewScreenFont3 = "DodizaRUDA DezUr";
inline constexpr std::string_view kDosBitmapFont = "NuvDos Bitmap";
// Size of the DOS bitmap font, and the width in pixels of its cell.
inline constexpr int kDosBitmapFontSize = 18;
inline constexpr int kDosBitmapCellWidth = 10;

// True for the three Hebrew screen fonts. Names compare exactly.
bool IsHebScreenFont(std::string_view name);
// The three Hebrew screen fonts or the DOS bitmap font.
bool IsOwnFixedFont(std::string_view name);
// An own fixed font or a family in the fixed-font list.
bool IsFixedFont(std::string_view name);

// The face names of the fixed-pitch font families installed. Filled by the
// GUI layer at start-up (EnumFixedFonts); empty until then.
std::vector<std::string>& FixedFontList();

}  // namespace nuvel
