#pragma once
// The program's four screen fonts in one table, in the order used
// everywhere (font number N = INI key [StartUp] LoadFontN): the face name
// the program asks for, the font file in the program folder, and the
// installed family that stands in for the face while its file is not loaded.
// Every comparison of a family with the program's faces goes through it.
#include <array>
#include <optional>
#include <string_view>

namespace nuvel {

struct ProgramFont {
  int Number;                     // 1..4
  std::string_view Face;          // "VoraziRARO Vor"
  std::string_view File;          // "Scr_Nuvh.TTF"
  std::string_view IniKey;        // "LoadFont2"
  std::string_view StandIn;       // the installed family drawn while the file is not loaded
  bool Bitmap;                    // the DOS bitmap font (sizes 12, 18, 22 only)
};

const std::array<ProgramFont, 4>& ProgramFonts();

// The program font of a family: its face name, or the stand-in family of
// exactly one face (the stand-ins of the TrueType faces are one family, so
// the stand-in names the first of them). Case is ignored.
std::optional<ProgramFont> ProgramFontOf(std::string_view family);

// The font-chooser's sizes of a face.
std::array<int, 3> BitmapFontSizes();
std::array<int, 11> TrueTypeFontSizes();

}  // namespace nuvel
