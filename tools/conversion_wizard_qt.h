#pragma once
// The conversion wizard's dialog (TWizrdFrm) and its side panel (TWizard):
// the pages of the choices, Back, Next, Finish and Cancel, the files chosen
// through a browse service, and the summary.
#include <QDialog>
#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "tools/conversion_wizard.h"
#include "tools/conversion_wizard_nav.h"
#include "tools/wizard_panel.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

namespace nuvel {

// The side panel: a colour ramp, the page's picture, and a caption.
class TWizard : public QWidget {
  Q_OBJECT
 public:
  explicit TWizard(QWidget* parent = nullptr);
  void SetPicture(const QImage& picture, PanelPicture mode);
  void SetCaption(const QString& caption);
  PanelEffect BackGroundEffect = PanelEffect::Left;
  QColor Color = QColor(0, 0, 255);
  QColor ColorFade = QColor(0, 0, 128);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QImage picture_;
  PanelPicture mode_ = PanelPicture::SmallThree;
  QString caption_;
};

// The pictures the wizard shows: -1 the large one of the intro, else the
// small one of a page (3 the summary, 4 the files, 5 the properties).
QImage WizardPicture(int index);

class TWizrdFrm : public QDialog {
  Q_OBJECT
 public:
  explicit TWizrdFrm(QWidget* parent = nullptr);

  // Asks for source files (several allowed) or a destination (a file or a
  // folder); empty when cancelled. Tests answer it.
  std::function<std::vector<std::string>(bool source, const std::string& filter)> Browse;

  // Shows the intro page with no custom choices; the result of exec().
  void FormShow();
  // The choices as the pages hold them.
  WizardChoices Choices() const;

  void Next_BtnClick();
  void Prev_BtnClick();
  int Page() const { return nav_.Page(); }

  // Components by their names.
  QStackedWidget* Notebook1 = nullptr;
  QLabel* Panel2 = nullptr;
  TWizard* Wizard1 = nullptr;
  QLabel* Memo1 = nullptr;
  QPlainTextEdit* Memo3 = nullptr;
  QGroupBox* RadioGroup1 = nullptr;
  QGroupBox* RadDest_Type = nullptr;
  QGroupBox* RadioGroup3 = nullptr;
  QGroupBox* RadioGroup4 = nullptr;
  QLineEdit* EditSource = nullptr;
  QLineEdit* EditDest = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLineEdit* EditFG3 = nullptr;
  QLabel* LabelFG5 = nullptr;
  QLabel* LabelFG7 = nullptr;
  QLabel* LabelFG9 = nullptr;
  QCheckBox* SheimBox = nullptr;
  QPushButton* Abort_Btn = nullptr;
  QPushButton* Prev_Btn = nullptr;
  QPushButton* Next_Btn = nullptr;
  QPushButton* btn_ok = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void ShowPage();
  void BrowseClick(bool source);
  void FillSummary();
  // The page's custom choices from and to the Custom page's lists.
  WizardCustomPage ShownCustom() const;
  void ShowCustom(const WizardCustomPage& c);

  WizardNavigation nav_;
  WizardChoices choices_;
  std::string destFolder_;  // a destination folder chosen for several sources
  QButtonGroup* source_ = nullptr;
  QButtonGroup* dest_ = nullptr;
  QButtonGroup* table_ = nullptr;
  QButtonGroup* lineEnds_ = nullptr;
};

}  // namespace nuvel
