#include "core/program_fonts.h"

#include "platform/ascii_case.h"

namespace nuvel {

const std::array<ProgramFont, 4>& ProgramFonts() {
  static const std::array<ProgramFont, 4> fonts = {{
      {1, "NuvDos Bitmap", "NuvDosBt.FON", "LoadFont1", "DejaVu Sans Mono", true},
      {2, "VoraziRARO Vor", "Scr_Nuvh.TTF", "LoadFont2", "Miriam Mono CLM", false},
      {3, "ZoridiZOZA RarUv", "Scr_NuvF.TTF", "LoadFont3", "Miriam Mono CLM", false},
      {4, "DodizaRUDA DezUr", "Scr_NuvC.TTF", "LoadFont4", "Miriam Mono CLM", false},
  }};
  return fonts;
}

std::optional<ProgramFont> ProgramFontOf(std::string_view family) {
  for (const ProgramFont& f : ProgramFonts())
    if (platform::EqualsNoCase(f.Face, family)) return f;
  for (const ProgramFont& f : ProgramFonts())
    if (platform::EqualsNoCase(f.StandIn, family)) return f;
  return std::nullopt;
}

std::array<int, 3> BitmapFontSizes() { return {12, 18, 22}; }
std::array<int, 11> TrueTypeFontSizes() { return {8, 10, 12, 13, 14, 16, 18, 20, 24, 36, 48}; }

}  // namespace nuvel
