#include "tools/calculator_dialogs_qt.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/exceptions.h"
#include "core/qstring_bytes_qt.h"
#include "tools/calculator_qt.h"

namespace nuvel {

// ---- TCalcltDlg ----

TCalcltDlg::TCalcltDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CalcltDlg"));
  setWindowTitle(QStringLiteral("Nuvel Calculator"));
  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Panel1->setLineWidth(2);
  NvcCalculator1 = new TNvcCalculator(Panel1);
  NvcCalculator1->setObjectName(QStringLiteral("NvcCalculator1"));
  NvcCalculator1->SetDecimals(2);
  NvcCalculator1->SetMaxPaperCount(9999);
  NvcCalculator1->SetTapeHeight(46);
  NvcCalculator1->SetOptions(TNvcCalculator::coShowItemCount | TNvcCalculator::coShowMemoryButtons);
  NvcCalculator1->SetTapeSeparatorChar('_');
  QFont tape(QStringLiteral("Courier New"));
  tape.setPixelSize(13);
  NvcCalculator1->SetTapeFont(tape);
  TNvcCalcColors& c = NvcCalculator1->Colors();
  c.SetColor(TNvcCalcColors::DisabledMemoryButtons, Qt::gray);
  c.SetColor(TNvcCalcColors::Display, palette().color(QPalette::Base));
  c.SetColor(TNvcCalcColors::DisplayTextColor, palette().color(QPalette::Text));
  c.SetColor(TNvcCalcColors::EditButtons, QColor(0x80, 0, 0));
  c.SetColor(TNvcCalcColors::FunctionButtons, QColor(0, 0, 0x80));
  c.SetColor(TNvcCalcColors::MemoryButtons, Qt::red);
  c.SetColor(TNvcCalcColors::NumberButtons, Qt::blue);
  c.SetColor(TNvcCalcColors::OperatorButtons, Qt::red);
  auto* inPanel = new QVBoxLayout(Panel1);
  inPanel->setContentsMargins(2, 2, 2, 2);
  inPanel->addWidget(NvcCalculator1);

  OkBtn = new QPushButton(QStringLiteral("OK"), this);
  OkBtn->setObjectName(QStringLiteral("OkBtn"));
  OkBtn->setDefault(true);
  BitBtn2 = new QPushButton(QStringLiteral("Copy"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn3 = new QPushButton(QStringLiteral("Paste"), this);
  BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
  for (QPushButton* b : {BitBtn2, BitBtn3}) b->setAutoDefault(false);
  connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2, &QPushButton::clicked, this, &TCalcltDlg::BitBtn2Click);
  connect(BitBtn3, &QPushButton::clicked, this, &TCalcltDlg::BitBtn3Click);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(OkBtn);
  buttons->addWidget(BitBtn2);
  buttons->addWidget(BitBtn3);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Panel1, 1);
  layout->addLayout(buttons);
  resize(307, 230);
  if (QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
  NvcCalculator1->setFocus();
}

void TCalcltDlg::BitBtn2Click() {
  NvcCalculator1->CopyToClipboard();
  const bool english = !EnglishMode || EnglishMode();
  if (english) return;
  QClipboard* clip = QApplication::clipboard();
  const QString text = clip->text();
  if (text.isEmpty()) return;
  clip->setText(FromSystemBytes(CalculatorCopyText(ToSystemBytes(text), false)));
}

void TCalcltDlg::BitBtn3Click() { NvcCalculator1->PasteFromClipboard(); }

void TCalcltDlg::closeEvent(QCloseEvent* e) {
  QDialog::closeEvent(e);
  if (e->isAccepted() && OnClosed) OnClosed();
}

void TCalcltDlg::done(int result) {
  QDialog::done(result);
  if (OnClosed) OnClosed();
}

// ---- TNvcBaseDialog ----

TNvcBaseDialog::TNvcBaseDialog(QObject* owner) : QObject(owner) {}

void TNvcBaseDialog::ApplyTo(QDialog& form) const {
  form.setWindowTitle(Caption);
  form.setFont(Font);
  if (!Icon.isNull()) form.setWindowIcon(Icon);
  form.setSizeGripEnabled((Options & doSizeable) != 0);
  if (QWidget* active = QApplication::activeWindow(); active && active->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
    form.setWindowFlag(Qt::WindowStaysOnTopHint);
  }
  QRect screen(0, 0, 1024, 768);
  if (QScreen* s = QGuiApplication::primaryScreen()) screen = s->availableGeometry();
  const QSize size = form.size();
  const DialogRect r =
      PlaceDialog(Placement, {screen.x(), screen.y(), screen.width(), screen.height()}, size.width(), size.height());
  form.setGeometry(r.left, r.top, r.width, r.height);
}

// ---- TNvcCalculatorDialog ----

TNvcCalculatorDialog::TNvcCalculatorDialog(QWidget* owner) : TNvcBaseDialog(owner) {
  if (!owner || !owner->isWindow()) throw ENvcException("Owner must be a TForm or descendant");
  Caption = QStringLiteral("Calculator Dialog");
  hidden_ = new TNvcCalculator(owner);
  hidden_->hide();
}

bool TNvcCalculatorDialog::Execute() {
  QDialog form(qobject_cast<QWidget*>(parent()));
  form.setObjectName(QStringLiteral("NvcfrmCalculatorDlg"));
  form.resize(Placement.Width, Placement.Height);
  auto* calc = new TNvcCalculator(&form);
  calc->setObjectName(QStringLiteral("Calculator"));
  auto* help = new QPushButton(QStringLiteral("Help"), &form);
  help->setObjectName(QStringLiteral("btnHelp"));
  auto* ok = new QPushButton(QStringLiteral("OK"), &form);
  ok->setObjectName(QStringLiteral("btnOK"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), &form);
  cancel->setObjectName(QStringLiteral("btnCancel"));
  auto* bar = new QHBoxLayout;
  bar->addWidget(help);
  bar->addStretch();
  bar->addWidget(ok);
  bar->addWidget(cancel);
  auto* layout = new QVBoxLayout(&form);
  layout->addWidget(calc, 1);
  layout->addLayout(bar);
  QObject::connect(ok, &QPushButton::clicked, &form, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &form, &QDialog::reject);
  help->setVisible((Options & doShowHelp) != 0);
  QObject::connect(help, &QPushButton::clicked, &form, [this] {
    if (OnHelpClick) OnHelpClick();
  });
  ApplyTo(form);
  calc->SetDecimals(hidden_->Decimals());
  calc->SetOptions(hidden_->Options());
  calc->SetTapeHeight(hidden_->TapeHeight());
  calc->SetTapeSeparatorChar(hidden_->TapeSeparatorChar());
  calc->SetTapeFont(hidden_->TapeFont());
  calc->setFont(hidden_->font());
  calc->setToolTip(hidden_->toolTip());
  for (int i = 0; i <= TNvcCalcColors::OperatorButtons; ++i) {
    const auto index = static_cast<TNvcCalcColors::Index>(i);
    calc->Colors().SetColor(index, hidden_->Colors().Color(index));
  }
  const bool accepted = RunForm ? RunForm(form, *calc) : form.exec() == QDialog::Accepted;
  if (accepted) {
    hidden_->Model().Paste(calc->Model().FormatValue(calc->Model().DisplayedValue()));
    hidden_->SetText(QString::fromStdString(hidden_->Model().DisplayText()));
  }
  return accepted;
}

}  // namespace nuvel
