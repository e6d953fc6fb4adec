#include "tools/file_str_dlg_qt.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/qstring_bytes_qt.h"
#include "ui/interface_texts_qt.h"

namespace nuvel {

namespace {
constexpr int kPromptMaxLength = 150;
}  // namespace

TFileStrDlg::TFileStrDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FileStrDlg"));
  setWindowTitle(QStringLiteral("Enter Filename"));
  auto* layout = new QVBoxLayout(this);

  auto* row = new QHBoxLayout;
  label_ = new QLabel(QStringLiteral("Filename: "), this);
  label_->setObjectName(QStringLiteral("Label1"));
  row->addWidget(label_);
  row->addStretch(1);
  histBtn_ = new QToolButton(this);
  histBtn_->setObjectName(QStringLiteral("HistBtn1"));
  histBtn_->setArrowType(Qt::DownArrow);
  histBtn_->setFocusPolicy(Qt::NoFocus);
  row->addWidget(histBtn_);
  layout->addLayout(row);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("EdwinPanel"));
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  auto* inside = new QVBoxLayout(panel);
  inside->setContentsMargins(2, 2, 2, 2);
  edit_ = new THebEditWin(panel);
  edit_->Line().MaxLength = kPromptMaxLength;
  edit_->setMinimumWidth(380);
  inside->addWidget(edit_);
  layout->addWidget(panel);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  ok->setObjectName(QStringLiteral("OKBtn"));
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  cancel->setObjectName(QStringLiteral("CancelBtn"));
  // No help topic belongs to the prompt.
  QPushButton* help = buttons->addButton(QDialogButtonBox::Help);
  help->setObjectName(QStringLiteral("HelpBtn"));
  for (QPushButton* b : {ok, cancel, help}) {
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
  }
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  connect(histBtn_, &QToolButton::clicked, this, &TFileStrDlg::HistBtn1Click);
  edit_->Line().OnHistoryKey = [this] { HistBtn1Click(); };
  edit_->Line().OnFindKey = [this] { done(kRetryResult); };
  setFixedSize(sizeHint());
}

void TFileStrDlg::HistBtn1Click() {
  if (!history_) return;
  THebEditLine& line = edit_->Line();
  if (auto next = NextHistoryEntry(*history_, TrimPromptText(line.Text))) {
    line.Text = *next;
    edit_->RefreshText();
  }
}

void TFileStrDlg::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: accept(); return;
    case Qt::Key_Escape: reject(); return;
    default: QDialog::keyPressEvent(e);
  }
}

void TFileStrDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
  edit_->RefreshText();
}

TFileStrAnswer RunFileStrDlg(QWidget* parent, const TFileStrRequest& request) {
  TFileStrDlg dlg(parent);
  dlg.setWindowTitle(FromSystemText(request.Caption));
  dlg.Label1()->setText(FromSystemText(request.Label));
  dlg.SetHistory(&request.History);
  THebEditLine& line = dlg.EditWin()->Line();
  line.Text = request.Text;
  line.EnglishMode = request.EnglishMode;
  line.HebScreenFont = request.HebScreenFont;
  line.HebrewKeys = request.HebrewKeys;
  line.NikudKeys = request.NikudKeys;
  line.RefreshText();
  const int result = dlg.exec();
  TFileStrAnswer answer;
  answer.Text = line.Text;
  answer.Result = result == QDialog::Accepted               ? TFileStrResult::Ok
                  : result == TFileStrDlg::kRetryResult ? TFileStrResult::Retry
                                                            : TFileStrResult::Cancel;
  return answer;
}

}  // namespace nuvel
