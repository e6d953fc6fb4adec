#include "ui/font_chooser.h"

#include <gtest/gtest.h>

#include "core/program_fonts.h"

namespace nuvel {
namespace {

FontDescriptor Font(const char* name, int size, uint8_t style = 0) { return {name, size, FontStyles{style}}; }

TEST(FontChooserTest, ShowFitsTheStartingFont) {
  const struct {
    const char* name;
    FontDescriptor start;
    int faceItem, sizeItem, styleItem;
    FontDescriptor result;
  } cases[] = {
      {"own face and size", Font("ZoridiZOZA RarUv", 16), 2, 5, 0, Font("ZoridiZOZA RarUv", 16)},
      {"bitmap face 18", Font("NuvDos Bitmap", 18), 0, 1, 0, Font("NuvDos Bitmap", 18)},
      {"bitmap face snaps up", Font("NuvDos Bitmap", 13), 0, 1, 0, Font("NuvDos Bitmap", 18)},
      {"bitmap face snaps down", Font("NuvDos Bitmap", 9), 0, 0, 0, Font("NuvDos Bitmap", 12)},
      {"bitmap face large", Font("NuvDos Bitmap", 40), 0, 2, 0, Font("NuvDos Bitmap", 22)},
      {"other face", Font("Arial", 12), 1, 2, 0, Font("VoraziRARO Vor", 12)},
      {"screen face 18 becomes 14", Font("DodizaRUDA DezUr", 18), 3, 4, 0, Font("DodizaRUDA DezUr", 14)},
      {"size not listed", Font("VoraziRARO Vor", 11), 1, 0, 0, Font("VoraziRARO Vor", 8)},
      {"stand-in family", Font("Miriam Mono CLM", 24), 1, 8, 0, Font("VoraziRARO Vor", 24)},
      {"face in other case", Font("voraziraro vor", 10), 1, 1, 0, Font("VoraziRARO Vor", 10)},
      {"bold italic", Font("VoraziRARO Vor", 12, FontStyles::Bold | FontStyles::Italic), 1, 2, 3,
       Font("VoraziRARO Vor", 12, FontStyles::Bold | FontStyles::Italic)},
      {"italic", Font("VoraziRARO Vor", 12, FontStyles::Italic), 1, 2, 1, Font("VoraziRARO Vor", 12, FontStyles::Italic)},
      {"underline drops the style", Font("VoraziRARO Vor", 12, FontStyles::Bold | FontStyles::Underline), 1, 2, 0,
       Font("VoraziRARO Vor", 12)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FontChooserModel m;
    m.Show(c.start);
    EXPECT_EQ(m.FaceItem(), c.faceItem);
    EXPECT_EQ(m.SizeItem(), c.sizeItem);
    EXPECT_EQ(m.StyleItem(), c.styleItem);
    EXPECT_EQ(m.Font(), c.result);
  }
}

TEST(FontChooserTest, FaceChangesTheSizeList) {
  FontChooserModel m;
  m.Show(Font("VoraziRARO Vor", 20));
  EXPECT_EQ(m.SizeItems().size(), 11u);
  m.ChooseFace(0);
  EXPECT_EQ(m.SizeItems(), (std::vector<std::string>{"12", "18", "22"}));
  EXPECT_EQ(m.Font(), Font("NuvDos Bitmap", 22));
  m.ChooseSize(1);
  EXPECT_EQ(m.Font().Size, 18);
  m.ChooseFace(3);  // 18 from the bitmap face
  EXPECT_EQ(m.Font(), Font("DodizaRUDA DezUr", 14));
  EXPECT_EQ(m.SizeItem(), 4);
  m.ChooseSize(11);  // past the list: nothing
  EXPECT_EQ(m.Font().Size, 14);
  m.ChooseStyle(2);
  EXPECT_EQ(m.Font().Style.Bits, FontStyles::Bold);
  m.ChooseStyle(7);
  EXPECT_EQ(m.Font().Style.Bits, FontStyles::Bold);
}

TEST(ProgramFontsTest, OneTableForFacesFilesAndKeys) {
  ASSERT_EQ(ProgramFonts().size(), 4u);
  for (const ProgramFont& f : ProgramFonts()) {
    EXPECT_EQ(f.IniKey, "LoadFont" + std::to_string(f.Number));
    EXPECT_EQ(ProgramFontOf(f.Face)->Number, f.Number);
  }
  EXPECT_EQ(ProgramFonts()[1].File, "Scr_Nuvh.TTF");
  EXPECT_EQ(ProgramFontOf("DejaVu Sans Mono")->Number, 1);
  EXPECT_EQ(ProgramFontOf("miriam mono clm")->Number, 2);
  EXPECT_FALSE(ProgramFontOf("Arial"));
  // Names are kept whole: a face is not found by its first characters.
  EXPECT_FALSE(ProgramFontOf("VoraziRARO"));
}

}  // namespace
}  // namespace nuvel
