#include "tools/search_dlgs_qt.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "core/qstring_bytes_qt.h"
#include "core/shared_state.h"

namespace nuvel {
namespace {

constexpr int kInputMaxLength = 150;

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

QToolButton* MakeHistoryButton(QWidget* parent, const char* name) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setArrowType(Qt::DownArrow);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

void SetLayerFlags(THebEditLine& line, TKbdLayer layer) {
  line.EnglishMode = layer == TKbdLayer::English;
  line.NikudKeys = layer == TKbdLayer::Nikud;
  line.HebrewKeys = layer != TKbdLayer::English;
}

}  // namespace

TSearchDlgBase::TSearchDlgBase(QWidget* parent) : QDialog(parent) {
  auto* outer = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  outer->addLayout(left, 1);
  auto* buttons = new QVBoxLayout;
  outer->addLayout(buttons);

  auto* row = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("Find What: "), this);
  label->setObjectName(QStringLiteral("Label1"));
  row->addWidget(label);
  row->addStretch(1);
  kbdLang_ = new QToolButton(this);
  kbdLang_->setObjectName(QStringLiteral("Kbd_Lang"));
  kbdLang_->setText(QStringLiteral("E"));
  kbdLang_->setFocusPolicy(Qt::NoFocus);
  row->addWidget(kbdLang_);
  histBtn_ = MakeHistoryButton(this, "HistBtn1");
  row->addWidget(histBtn_);
  left->addLayout(row);
  findEdit_ = MakeInput("EdwinPanel");
  left->addWidget(findEdit_->parentWidget());

  auto* options = new QHBoxLayout;
  auto* checks = new QVBoxLayout;
  checkCase_ = new QCheckBox(QStringLiteral("&Case Sensitive"), this);
  checkCase_->setObjectName(QStringLiteral("CheckBox1"));
  checkWords_ = new QCheckBox(QStringLiteral("&Whole Words"), this);
  checkWords_->setObjectName(QStringLiteral("CheckBox2"));
  checkChoseir_ = new QCheckBox(QStringLiteral("Choseir"), this);
  checkChoseir_->setObjectName(QStringLiteral("CheckChoseir"));
  checkChoseir_->hide();
  for (QCheckBox* c : {checkCase_, checkWords_, checkChoseir_}) {
    c->setFocusPolicy(Qt::NoFocus);
    checks->addWidget(c);
  }
  options->addLayout(checks);
  auto* group = new QGroupBox(QStringLiteral("Direction"), this);
  group->setObjectName(QStringLiteral("RadioGroup1"));
  auto* radios = new QVBoxLayout(group);
  up_ = new QRadioButton(QStringLiteral("&Up"), group);
  down_ = new QRadioButton(QStringLiteral("&Down"), group);
  for (QRadioButton* r : {up_, down_}) {
    r->setFocusPolicy(Qt::NoFocus);
    radios->addWidget(r);
  }
  down_->setChecked(true);
  options->addWidget(group);
  left->addLayout(options);
  left->addStretch(1);

  findNext_ = MakeButton(this, "FindNxtBtn", QStringLiteral("&Find Next"));
  findNext_->setDefault(true);
  buttons->addWidget(findNext_);
  connect(findNext_, &QPushButton::clicked, this, &TSearchDlgBase::FindNxtBtnClick);
  connect(kbdLang_, &QToolButton::clicked, this, &TSearchDlgBase::KbdLangClick);
  connect(histBtn_, &QToolButton::clicked, this, &TSearchDlgBase::HistBtn1Click);
  findEdit_->Line().OnHistoryKey = [this] { HistBtn1Click(); };
}

THebEditWin* TSearchDlgBase::MakeInput(const char* panelName) {
  auto* panel = new QFrame(this);
  panel->setObjectName(QString::fromLatin1(panelName));
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  auto* inside = new QVBoxLayout(panel);
  inside->setContentsMargins(2, 2, 2, 2);
  auto* edit = new THebEditWin(panel);
  edit->Line().MaxLength = kInputMaxLength;
  edit->installEventFilter(this);
  edit->setMinimumWidth(320);
  inside->addWidget(edit);
  return edit;
}

void TSearchDlgBase::Setup(const TSearchDialogSetup& setup) {
  layer_ = setup.layer;
  checkCase_->setChecked(!setup.englishDocument);
  down_->setChecked(true);
  // The inputs show the document's direction; the keyboard button's layer
  // only chooses the keys until it is pressed.
  kbdLang_->setText(FromSystemText(KbdLangCaption(layer_, !EngPrompts)));
  for (THebEditWin* edit : findChildren<THebEditWin*>()) {
    THebEditLine& line = edit->Line();
    line.Text = setup.text;
    line.HebScreenFont = setup.hebScreenFont;
    line.EnglishMode = setup.englishDocument;
    line.HebrewKeys = layer_ != TKbdLayer::English;
    line.NikudKeys = layer_ == TKbdLayer::Nikud;
    edit->RefreshText();
  }
}

void TSearchDlgBase::ApplyLayer() {
  kbdLang_->setText(FromSystemText(KbdLangCaption(layer_, !EngPrompts)));
  SetLayerFlags(findEdit_->Line(), layer_);
  findEdit_->RefreshText();
}

TSearchDialogState TSearchDlgBase::State() const {
  TSearchDialogState s;
  s.find = findEdit_->Line().Text;
  s.up = up_->isChecked();
  s.matchCase = checkCase_->isChecked();
  s.wholeWords = checkWords_->isChecked();
  s.choseir = checkChoseir_->isChecked();
  return s;
}

void TSearchDlgBase::KbdLangClick() {
  // A caption that names no layer counts as English, so the next is Hebrew.
  layer_ = NextKbdLayer(KbdLayerOfCaption(ToSystemText(kbdLang_->text())));
  ApplyLayer();
  findEdit_->setFocus();
}

void TSearchDlgBase::HistBtn1Click() {
  THebEditLine& line = findEdit_->Line();
  if (auto next = NextHistoryEntry(HistoryFind, TrimPromptText(line.Text))) {
    line.Text = *next;
    findEdit_->RefreshText();
  }
}

void TSearchDlgBase::FindNxtBtnClick() {
  TSearchTarget* target = Target();
  if (target == nullptr) return;
  const TSearchDialogState state = State();
  if (RunFindNext(*target, state, Options()) == TSearchOutcome::Refused) findEdit_->setFocus();
}

void TSearchDlgBase::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: FindNxtBtnClick(); return;
    case Qt::Key_Escape: reject(); return;
    default: QDialog::keyPressEvent(e);
  }
}

bool TSearchDlgBase::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
      const auto inputs = findChildren<THebEditWin*>();
      const auto at = inputs.indexOf(static_cast<THebEditWin*>(watched));
      if (inputs.size() > 1 && at >= 0) {
        const auto step = key == Qt::Key_Tab ? 1 : inputs.size() - 1;
        inputs[(at + step) % inputs.size()]->setFocus(Qt::TabFocusReason);
      }
      return true;
    }
  }
  return QDialog::eventFilter(watched, e);
}

void TSearchDlgBase::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
  for (THebEditWin* edit : findChildren<THebEditWin*>()) edit->RefreshText();
  findEdit_->setFocus();
}

THebFindDlg::THebFindDlg(QWidget* parent) : TSearchDlgBase(parent) {
  setObjectName(QStringLiteral("HebFindDlg"));
  setWindowTitle(QStringLiteral("Find"));
  auto* buttons = qobject_cast<QBoxLayout*>(layout()->itemAt(1)->layout());
  QPushButton* cancel = MakeButton(this, "CancelBtn", QStringLiteral("Cancel"));
  QPushButton* help = MakeButton(this, "HelpBtn", QStringLiteral("&Help"));
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  buttons->addStretch(1);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  // The spelling-variant search is offered: it finds a Hebrew word also in
  // its spellings without vav and yod.
  checkChoseir_->show();
  setFixedSize(sizeHint());
}

THebReplDlg::THebReplDlg(QWidget* parent) : TSearchDlgBase(parent) {
  setObjectName(QStringLiteral("HebReplDlg"));
  setWindowTitle(QStringLiteral("Replace"));
  auto* left = qobject_cast<QBoxLayout*>(layout()->itemAt(0)->layout());
  auto* row = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("Replace With: "), this);
  label->setObjectName(QStringLiteral("Label2"));
  row->addWidget(label);
  row->addStretch(1);
  histReplBtn_ = MakeHistoryButton(this, "HistReplBtn1");
  row->addWidget(histReplBtn_);
  left->insertLayout(2, row);
  replEdit_ = MakeInput("ReplPanel");
  left->insertWidget(3, replEdit_->parentWidget());
  replEdit_->Line().OnHistoryKey = [this] { HistReplBtn1Click(); };

  auto* buttons = qobject_cast<QBoxLayout*>(layout()->itemAt(1)->layout());
  replace_ = MakeButton(this, "ReplaceBtn", QStringLiteral("&Replace    "));
  replaceAll_ = MakeButton(this, "ReplaceAllBtn", QStringLiteral("Replace &All"));
  QPushButton* cancel = MakeButton(this, "CancelBtn", QStringLiteral("Cancel"));
  QPushButton* help = MakeButton(this, "HelpBtn", QStringLiteral("&Help"));
  for (QPushButton* b : {replace_, replaceAll_, cancel, help}) buttons->addWidget(b);
  buttons->addStretch(1);
  connect(replace_, &QPushButton::clicked, this, [this] { ReplaceClick(false); });
  connect(replaceAll_, &QPushButton::clicked, this, [this] { ReplaceClick(true); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(histReplBtn_, &QToolButton::clicked, this, &THebReplDlg::HistReplBtn1Click);
  setFixedSize(sizeHint());
}

void THebReplDlg::ApplyLayer() {
  TSearchDlgBase::ApplyLayer();
  SetLayerFlags(replEdit_->Line(), layer_);
  replEdit_->RefreshText();
  findEdit_->setFocus();
}

TSearchDialogState THebReplDlg::State() const {
  TSearchDialogState s = TSearchDlgBase::State();
  s.replace = replEdit_->Line().Text;
  s.choseir = false;
  return s;
}

void THebReplDlg::HistReplBtn1Click() {
  THebEditLine& line = replEdit_->Line();
  if (auto next = NextHistoryEntry(HistoryRepl, TrimPromptText(line.Text))) {
    line.Text = *next;
    replEdit_->RefreshText();
  }
}

void THebReplDlg::ReplaceClick(bool all) {
  TSearchTarget* target = Target();
  if (target == nullptr) return;
  if (RunReplace(*target, State(), all, Options()) == TSearchOutcome::Refused) findEdit_->setFocus();
}

}  // namespace nuvel
