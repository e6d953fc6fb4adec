#pragma once
// The program's screen fonts at run time: their files made known to Qt and
// taken back again, each at most once, and the two dialogs that serve them:
// "To Fix Fonts" (load or unload each file, remembered in the INI file) and
// "Choose A Font" (the Hebrew screen font of the editor, with size and style).
#include <QDialog>
#include <QFont>
#include <array>
#include <functional>

#include "ui/font_chooser.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace nuvel {

// The font files of the program folder as application fonts.
class ScreenFontFiles {
 public:
  // Makes font N (1..4) known; a font already loaded is not added again.
  // False when the file is missing or unreadable.
  static bool Load(int number);
  // Takes font N away again; nothing when it is not loaded.
  static void Unload(int number);
  static bool Loaded(int number);
  // Draws each face in its stand-in family while its file is not loaded.
  static void InstallStandIns();
};

// [StartUp] LoadFontN: true when exactly "1".
bool LoadFontSetting(int number);

class TFontFixDlg : public QDialog {
  Q_OBJECT
 public:
  // Checks the box of every font whose INI key says "1" (loading it, once).
  explicit TFontFixDlg(QWidget* parent = nullptr);

  std::array<QCheckBox*, 4> Boxes{};  // NuvDosBox, NuvDvBox, NuvFrBox, NuvChBox
  std::array<QLabel*, 4> Panels{};    // Panel1 .. Panel4
  QPlainTextEdit* Memo1 = nullptr;

 private:
  void BoxClick(int number, bool checked);
};

class TFontCDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TFontCDlg(QWidget* parent = nullptr);

  // Sets the sample's font and fits the lists to it (FormShow's work).
  void SetStartFont(const QFont& font);
  // The sample's font: the dialog's result.
  QFont ChosenFont() const;
  FontChooserModel& Model() { return model_; }

  // Shows the "To Fix Fonts" dialog; tests replace it.
  std::function<void()> ShowFontFix;

  QGroupBox* RadioGroup1 = nullptr;
  QLineEdit* StyleEdit = nullptr;
  QListWidget* ListBox2 = nullptr;
  QLineEdit* SizeEdit = nullptr;
  QListWidget* ListBox1 = nullptr;
  QLabel* Panel1 = nullptr;

 private:
  void ShowModel();

  FontChooserModel model_;
  bool showing_ = false;
};

// Runs "To Fix Fonts" modally, with its Hebrew texts in the Hebrew interface.
void RunFontFixDialog(QWidget* parent, bool englishUI);

}  // namespace nuvel
