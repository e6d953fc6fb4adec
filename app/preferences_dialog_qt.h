#pragma once
// The Properties dialog: five pages that show the settings and let the user
// change them. It edits a copy of the settings; OK checks the typed numbers
// first and keeps the dialog open, naming the field, when one is wrong.
#include <QDialog>
#include <QFont>
#include <functional>
#include <optional>
#include <string>

#include "app/preferences.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace nuvel {

class TPreferencesDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TPreferencesDlg(QWidget* parent = nullptr);

  // Shows the settings.
  void Load(const Preferences& p);
  // The settings as the dialog holds them after OK.
  const Preferences& Result() const { return result_; }

  // The file manager's font (FileFont), shown as name, size and style letters.
  QFont FileFont;
  void ShowFileFont();

  // The pickers the buttons run; tests answer them. Unset: Qt's dialogs.
  std::function<std::optional<QColor>(const QColor& start)> ChooseColor;
  std::function<std::optional<std::string>(const std::string& filter)> ChooseFile;
  std::function<std::optional<QFont>(const QFont& start)> ChooseFont;
  // FontFixBtn: the screen-font repair dialog.
  std::function<void()> ShowFontFix;

  // Checks and takes the fields; false (after saying which field is wrong)
  // leaves the dialog open. OKBtn runs it.
  bool TryAccept();

  // Components by their names.
  QTabWidget* Preferences1 = nullptr;
  QGroupBox* LangRadio1 = nullptr;
  QGroupBox* EditConfig = nullptr;
  QLineEdit* E3B2Edit = nullptr;
  QListWidget* Disk_Conv_List1 = nullptr;
  QCheckBox* SmartLoadChkBox = nullptr;
  QGroupBox* TxtConvRadio1 = nullptr;
  QLabel* NormPnl = nullptr;
  QLabel* HighPnl = nullptr;
  QCheckBox* ToolBarChk = nullptr;
  QCheckBox* ToolBarWrap = nullptr;
  QCheckBox* ShowTime1 = nullptr;
  QCheckBox* ShowFileTabs1 = nullptr;
  QCheckBox* WinTabFullFl = nullptr;
  QGroupBox* Ctrlchar = nullptr;
  QLabel* FilFntNm = nullptr;
  QLabel* FilFntSmp = nullptr;
  QCheckBox* WordWrapCheckBox = nullptr;
  QCheckBox* WraptoWindow = nullptr;
  QLineEdit* WrapColEdit = nullptr;
  QLabel* Label4 = nullptr;
  QCheckBox* FindCrsrWord = nullptr;
  QCheckBox* RepWoDlg1 = nullptr;
  QCheckBox* AutoSave1 = nullptr;
  QSpinBox* AutoSaveInt1 = nullptr;
  QCheckBox* UseTabsChkBox = nullptr;
  QCheckBox* CreateBkup1 = nullptr;
  QCheckBox* AutoIndnt1 = nullptr;
  QCheckBox* FullNuvBox = nullptr;
  QCheckBox* NuvDlgBox = nullptr;
  QCheckBox* WordStar1 = nullptr;
  QLineEdit* RtfHead = nullptr;
  QCheckBox* HebSheimProt = nullptr;
  QCheckBox* EngSheimProt = nullptr;
  QCheckBox* MinCheck = nullptr;
  QSpinBox* MinSpin = nullptr;
  QLineEdit* SpellDicEd = nullptr;
  QLineEdit* SpellHDicEd = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

  // The choice of a radio group; -1 when none.
  static int RadioIndex(const QGroupBox* group);
  static void SetRadioIndex(QGroupBox* group, int index);

 private:
  QWidget* BuildPropertiesPage();
  QWidget* BuildDisplayPage();
  QWidget* BuildWorkingPage();
  QWidget* BuildSheimPage();
  QWidget* BuildFilesPage();
  void EditConfigClick();
  void ApplyEditConfig(const EditConfigControls& c);
  void ShowColors();
  void PickColor(TColor& color);
  void Browse(QLineEdit* edit, bool dictionary);
  void SyncEnabling();

  Preferences values_;  // the colours and what the fields do not show
  Preferences result_;
  int lastConversion_ = -1;
  int lastDiskFormat_ = -1;
};

}  // namespace nuvel
