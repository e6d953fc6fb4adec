#pragma once
// The calculator window (TCalcltDlg): the calculator control in a small
// window of its own with OK, Copy and Paste; and the framework's calculator
// dialog component (TNvcCalculatorDialog on TNvcBaseDialog), which shows a
// calculator modally and takes back its value.
#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QString>
#include <functional>

#include "tools/dialog_placement.h"

class QFrame;
class QPushButton;

namespace nuvel {

class TNvcCalculator;

class TCalcltDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TCalcltDlg(QWidget* parent = nullptr);

  QFrame* Panel1 = nullptr;
  TNvcCalculator* NvcCalculator1 = nullptr;
  QPushButton* OkBtn = nullptr;
  QPushButton* BitBtn2 = nullptr;  // Copy
  QPushButton* BitBtn3 = nullptr;  // Paste

  // Whether the main window's English-mode item is checked; unset: English.
  std::function<bool()> EnglishMode;
  // Run when the window closes (the main window hides its Window-menu entry).
  std::function<void()> OnClosed;

  // Copy: the display text to the clipboard, reversed in Hebrew mode.
  void BitBtn2Click();
  // Paste: the clipboard's number into the calculator.
  void BitBtn3Click();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void done(int result) override;
};

// Base of the framework's dialog components.
class TNvcBaseDialog : public QObject {
  Q_OBJECT
 public:
  enum Option { doShowHelp = 1, doSizeable = 2 };
  explicit TNvcBaseDialog(QObject* owner = nullptr);

  QString Caption;
  QFont Font;
  QIcon Icon;
  int Options = doSizeable;
  TNvcDialogPlacement Placement;
  std::function<void()> OnHelpClick;

  virtual bool Execute() = 0;

 protected:
  // Caption, font, icon, border and place from the component.
  void ApplyTo(QDialog& form) const;
};

class TNvcCalculatorDialog : public TNvcBaseDialog {
  Q_OBJECT
 public:
  // The owner must be a window; raises ENvcException (30330) otherwise.
  explicit TNvcCalculatorDialog(QWidget* owner);

  // The hidden calculator whose settings the dialog copies and whose
  // value it takes back.
  TNvcCalculator* Calculator() const { return hidden_; }
  // Shows the calculator modally; on OK its value goes to the hidden one.
  bool Execute() override;
  // Runs the dialog's form; tests answer it. Unset: exec().
  std::function<bool(QDialog&, TNvcCalculator&)> RunForm;

 private:
  TNvcCalculator* hidden_ = nullptr;
};

}  // namespace nuvel
