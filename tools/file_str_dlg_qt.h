#pragma once
// The program's own text prompt "Enter Filename": a label, the history
// button HistBtn1, the single-line Hebrew input in EdwinPanel (at most 150
// characters), OK, Cancel and Help. Enter closes with OK, Esc with Cancel,
// Ctrl+F with the result Retry.
#include <QDialog>
#include <QLabel>
#include <QToolButton>

#include "editor/heb_edit_win_qt.h"
#include "tools/file_str_prompt.h"

namespace nuvel {

class TFileStrDlg : public QDialog {
  Q_OBJECT
 public:
  // The dialog result of Ctrl+F.
  static constexpr int kRetryResult = 4;

  explicit TFileStrDlg(QWidget* parent = nullptr);

  THebEditWin* EditWin() const { return edit_; }
  QLabel* Label1() const { return label_; }
  // The list the history button cycles; none by default (the button then
  // does nothing). The list must outlive the dialog's use of it.
  void SetHistory(const TextHistory* history) { history_ = history; }
  // The history button and Ctrl+R: the next entry becomes the text.
  void HistBtn1Click();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  QLabel* label_ = nullptr;
  QToolButton* histBtn_ = nullptr;
  THebEditWin* edit_ = nullptr;
  const TextHistory* history_ = nullptr;
};

// Runs the dialog modally for the request.
TFileStrAnswer RunFileStrDlg(QWidget* parent, const TFileStrRequest& request);

}  // namespace nuvel
