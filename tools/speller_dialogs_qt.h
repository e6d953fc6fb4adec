#pragma once
// The speller's dialogs: "Nuvel Speller" (TSplDlg) for a misspelled word,
// with the word, the replacement, the suggestions and the buttons Replace,
// Cancel, Add, Ignore, AutoChg, Mark, LookUp and Continue; and "Spell"
// (TSplOKDlg), which says the word at the caret is correct and offers to go
// on over the document. TQtSpellerUi shows them for the spelling driver.
#include <QDialog>

#include "tools/spell_driver.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace nuvel {

class THebEditWin;

class TSplDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TSplDlg(QWidget* parent = nullptr);
  void Load(const TSpellerRequest& request);
  // What the user chose, once a button closed the dialog.
  TSpellerAnswer Answer() const;
  THebEditWin* EditB() const { return editB_; }
  QComboBox* ComboBox() const { return combo_; }

 private:
  void Choose(TSpellerAction action);

  QLineEdit* editO_ = nullptr;
  THebEditWin* editB_ = nullptr;
  QComboBox* combo_ = nullptr;
  QLabel* hint_ = nullptr;
  TSpellerAction action_ = TSpellerAction::Cancel;
  std::vector<std::string> words_;
};

class TSplOKDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TSplOKDlg(QWidget* parent = nullptr);
  // True when the dialog closed with Continue.
  bool Continue() const { return continue_; }

 private:
  bool continue_ = false;
};

class TQtSpellerUi : public TSpellerUi {
 public:
  TSpellerAnswer AskSpeller(const TSpellerRequest& request) override;
  bool AskCorrectContinue() override;
};

}  // namespace nuvel
