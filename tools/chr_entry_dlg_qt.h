#pragma once
// The character-entry dialog TChrEntryDlg: one character typed in CharMask,
// or its decimal code (at most three digits) in ASCIMask; OK and Cancel.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include "tools/char_entry.h"

namespace nuvel {

class TChrEntryDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TChrEntryDlg(QWidget* parent = nullptr);
  QLineEdit* CharMask() const { return charMask_; }
  QLineEdit* ASCIMask() const { return asciMask_; }
  QLabel* Label1() const { return label1_; }
  // The fields as system bytes and digits.
  TCharEntryFields Fields() const;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  QLabel* label1_ = nullptr;
  QLineEdit* charMask_ = nullptr;
  QLineEdit* asciMask_ = nullptr;
};

// Installs the dialog as the character-entry service while `owner` lives,
// unless a service is there already (a test's). The dialog takes its Hebrew
// texts in the Hebrew interface.
void InstallQtCharEntry(QWidget* owner);

}  // namespace nuvel
