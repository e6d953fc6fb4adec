#pragma once
// The find dialog THebFindDlg and the replace dialog THebReplDlg: their
// texts typed in the single-line Hebrew input control, the keyboard button
// Kbd_Lang, the history buttons, the case, whole-word and direction choices.
// Find Next is the default button (Enter anywhere); the dialogs stay open
// after each search. What the buttons do is tools/search_dialogs.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <functional>

#include "editor/heb_edit_win_qt.h"
#include "tools/search_dialogs.h"

namespace nuvel {

// What the caller sets before showing a dialog.
struct TSearchDialogSetup {
  std::string text;         // the initial find (and replacement) text
  TKbdLayer layer = TKbdLayer::English;
  bool englishDocument = true;  // case sensitivity starts off only for English
  bool hebScreenFont = false;
};

class TSearchDlgBase : public QDialog {
  Q_OBJECT
 public:
  THebEditWin* FindEdit() const { return findEdit_; }
  QCheckBox* CheckBox1() const { return checkCase_; }
  QCheckBox* CheckBox2() const { return checkWords_; }
  QRadioButton* UpButton() const { return up_; }
  QToolButton* KbdLang() const { return kbdLang_; }
  QPushButton* FindNxtBtn() const { return findNext_; }
  // The search target: looked up at each search, so a closed document is
  // never searched. Null: nothing to search.
  void SetTarget(std::function<TSearchTarget*()> target) { target_ = std::move(target); }
  // The option word the dialogs build for each search; the main window's.
  void SetOptions(uint16_t* options) { options_ = options; }
  void Setup(const TSearchDialogSetup& setup);
  TKbdLayer Layer() const { return layer_; }
  // The controls as one value.
  virtual TSearchDialogState State() const;

  void KbdLangClick();
  void HistBtn1Click();
  void FindNxtBtnClick();

 protected:
  explicit TSearchDlgBase(QWidget* parent);
  void keyPressEvent(QKeyEvent* e) override;
  void showEvent(QShowEvent* e) override;
  // Tab and Shift+Tab move between the dialog's inputs.
  bool eventFilter(QObject* watched, QEvent* e) override;
  virtual void ApplyLayer();
  TSearchTarget* Target() const { return target_ ? target_() : nullptr; }
  uint16_t& Options() { return options_ != nullptr ? *options_ : ownOptions_; }
  THebEditWin* MakeInput(const char* panelName);

  THebEditWin* findEdit_ = nullptr;
  QToolButton* histBtn_ = nullptr;
  QToolButton* kbdLang_ = nullptr;
  QCheckBox* checkCase_ = nullptr;
  QCheckBox* checkWords_ = nullptr;
  QCheckBox* checkChoseir_ = nullptr;
  QRadioButton* up_ = nullptr;
  QRadioButton* down_ = nullptr;
  QPushButton* findNext_ = nullptr;
  TKbdLayer layer_ = TKbdLayer::English;

 private:
  std::function<TSearchTarget*()> target_;
  uint16_t* options_ = nullptr;
  uint16_t ownOptions_ = 0;
};

class THebFindDlg : public TSearchDlgBase {
  Q_OBJECT
 public:
  explicit THebFindDlg(QWidget* parent = nullptr);
  // 0: the active document; 1: the file viewer (the caller's target).
  int Mode = 0;
  QCheckBox* CheckChoseir() const { return checkChoseir_; }
};

class THebReplDlg : public TSearchDlgBase {
  Q_OBJECT
 public:
  explicit THebReplDlg(QWidget* parent = nullptr);
  THebEditWin* ReplEdit() const { return replEdit_; }
  QPushButton* ReplaceBtn() const { return replace_; }
  QPushButton* ReplaceAllBtn() const { return replaceAll_; }
  TSearchDialogState State() const override;

  void HistReplBtn1Click();
  void ReplaceClick(bool all);

 protected:
  void ApplyLayer() override;

 private:
  THebEditWin* replEdit_ = nullptr;
  QToolButton* histReplBtn_ = nullptr;
  QPushButton* replace_ = nullptr;
  QPushButton* replaceAll_ = nullptr;
};

}  // namespace nuvel
