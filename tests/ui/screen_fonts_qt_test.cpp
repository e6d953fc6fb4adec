// The screen-font dialogs: loading and unloading the program's font files
// (each once), the INI keys they keep, and the chooser's sample font.
#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "core/settings.h"
#include "tests/support/temp_program_folder.h"
#include "ui/screen_fonts_qt.h"

namespace nuvel {
namespace {

bool FamilyKnown(const char* family) { return QFontDatabase::families().contains(QString::fromLatin1(family)); }

class ScreenFonts : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* file : {"NuvDosBt.FON", "Scr_Nuvh.TTF", "Scr_NuvF.TTF", "Scr_NuvC.TTF"}) folder.CopyShippedFile(file);
  }
  void TearDown() override {
    for (int n = 1; n <= 4; ++n) ScreenFontFiles::Unload(n);
  }
  test::TempProgramFolder folder;
};

TEST_F(ScreenFonts, FixDialogLoadsMarkedFontsOnceAndUnloadingRemovesThem) {
  folder.WriteFile("NuvelW.INI", "[StartUp]\r\nLoadFont2=1\r\nLoadFont3=0\r\nLoadFont4=yes\r\n");
  ASSERT_FALSE(FamilyKnown("VoraziRARO Vor"));
  // Loaded at start-up, then the dialog set up twice: still one registration.
  ASSERT_TRUE(ScreenFontFiles::Load(2));
  {
    TFontFixDlg first;
    TFontFixDlg second;
    EXPECT_FALSE(second.Boxes[0]->isChecked());
    EXPECT_TRUE(second.Boxes[1]->isChecked());
    EXPECT_FALSE(second.Boxes[2]->isChecked());
    EXPECT_FALSE(second.Boxes[3]->isChecked());  // only "1" counts
    EXPECT_TRUE(FamilyKnown("VoraziRARO Vor"));
    // Unchecking takes the font away at once, and remembers it.
    second.Boxes[1]->click();
    EXPECT_FALSE(ScreenFontFiles::Loaded(2));
    EXPECT_FALSE(FamilyKnown("VoraziRARO Vor"));
    EXPECT_EQ(ReadIniString("StartUp", "LoadFont2"), "0");
    second.Boxes[3]->click();
    EXPECT_TRUE(FamilyKnown("DodizaRUDA DezUr"));
    EXPECT_EQ(ReadIniString("StartUp", "LoadFont4"), "1");
    // Cancel undoes nothing.
    second.findChild<QPushButton*>("CancelBtn")->click();
  }
  EXPECT_TRUE(ScreenFontFiles::Loaded(4));
  EXPECT_EQ(ReadIniString("StartUp", "LoadFont4"), "1");
}

TEST_F(ScreenFonts, AMissingFontFileIsNotLoaded) {
  std::filesystem::remove(folder.Path("Scr_NuvF.TTF"));
  EXPECT_FALSE(ScreenFontFiles::Load(3));
  EXPECT_FALSE(ScreenFontFiles::Loaded(3));
  EXPECT_FALSE(ScreenFontFiles::Load(5));
  ScreenFontFiles::Unload(3);  // nothing to take away
}

TEST_F(ScreenFonts, ChooserStartsFromTheEditorsFontAndGivesTheSample) {
  TFontCDlg dialog;
  QFont start(QStringLiteral("Arial"), 18);
  start.setUnderline(true);
  dialog.SetStartFont(start);
  const auto radios = dialog.RadioGroup1->findChildren<QRadioButton*>();
  ASSERT_EQ(radios.size(), 4);
  EXPECT_TRUE(radios[1]->isChecked());
  EXPECT_EQ(dialog.SizeEdit->text(), "14");  // 18 becomes 14 on a screen face
  EXPECT_EQ(dialog.StyleEdit->text(), "Regular");
  EXPECT_EQ(dialog.ListBox1->count(), 11);
  radios[0]->click();
  EXPECT_EQ(dialog.ListBox1->count(), 3);
  EXPECT_EQ(dialog.SizeEdit->text(), "18");
  dialog.ListBox2->setCurrentRow(3);
  EXPECT_EQ(dialog.StyleEdit->text(), "Bold Italic");
  const QFont chosen = dialog.ChosenFont();
  EXPECT_EQ(chosen.family(), "NuvDos Bitmap");
  EXPECT_EQ(chosen.pointSize(), 18);
  EXPECT_TRUE(chosen.bold());
  EXPECT_TRUE(chosen.italic());
  EXPECT_EQ(dialog.Panel1->font(), chosen);
  bool fixShown = false;
  dialog.ShowFontFix = [&] { fixShown = true; };
  dialog.findChild<QPushButton*>("FontFixBtn")->click();
  EXPECT_TRUE(fixShown);
}

}  // namespace
}  // namespace nuvel
