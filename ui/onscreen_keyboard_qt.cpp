#include "ui/onscreen_keyboard_qt.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/command_numbers.h"
#include "core/form_state_qt.h"
#include "core/qstring_bytes_qt.h"
#include "editor/heb_text_editor.h"

namespace nuvel {

namespace {

// Rows of the character keys: the digit row, q..], a..', z../
constexpr int kRowStarts[] = {0, 14, 26, 37, kOnScreenKeyCount};

// The byte of a key as its face: through the system's table.
QString FaceOf(uint8_t byte) { return byte == '&' ? QStringLiteral("&&") : FromSystemText(std::string(1, static_cast<char>(byte))); }

}  // namespace

TKey_Form::TKey_Form(OnScreenKeyboardTarget target, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus), target_(std::move(target)) {
  setObjectName(QStringLiteral("Key_Form"));
  setWindowTitle(QStringLiteral("Nuvel Keyboard"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setLayoutDirection(Qt::LeftToRight);
  auto* column = new QVBoxLayout(this);
  column->setSpacing(2);

  auto* top = new QHBoxLayout;
  for (int f = 1; f <= 12; ++f) {
    QToolButton* b = MakeButton(QStringLiteral("F%1_Button").arg(f), QStringLiteral("F%1").arg(f));
    connect(b, &QToolButton::clicked, this, [this, b] { Send_Cmd(b); });
    top->addWidget(b);
  }
  column->addLayout(top);

  for (int row = 0; row < 4; ++row) {
    auto* line = new QHBoxLayout;
    line->setSpacing(2);
    if (row == 1) line->addWidget(MakeButton(QStringLiteral("Tab_Button"), QStringLiteral("Tab")));
    if (row == 2) line->addWidget(MakeButton(QStringLiteral("Caps_Button"), QStringLiteral("Caps")));
    if (row == 3) {
      QToolButton* shift = MakeButton(QStringLiteral("Shift1_Button"), QStringLiteral("Shift"));
      shift->setCheckable(true);
      connect(shift, &QToolButton::clicked, this, [this] { ShiftClick(); });
      line->addWidget(shift);
    }
    for (int k = kRowStarts[row]; k < kRowStarts[row + 1]; ++k) {
      QToolButton* key = MakeButton(FromUtf8(OnScreenKeyName(k)), QString());
      key->setMinimumSize(34, 34);
      keys_[static_cast<size_t>(k)] = key;
      connect(key, &QToolButton::clicked, this, [this, k] { KeyClick(k); });
      line->addWidget(key);
    }
    if (row == 0) {
      QToolButton* back = MakeButton(QStringLiteral("Backspace_Button"), QStringLiteral("<-"));
      connect(back, &QToolButton::clicked, this, [this, back] { Send_Cmd(back); });
      line->addWidget(back);
    }
    if (row == 2) {
      QToolButton* enter = MakeButton(QStringLiteral("Enter_Button"), QStringLiteral("Enter"));
      connect(enter, &QToolButton::clicked, this, [this, enter] { Send_Cmd(enter); });
      line->addWidget(enter);
    }
    if (row == 3) {
      QToolButton* shift = MakeButton(QStringLiteral("Shift2_Button"), QStringLiteral("Shift"));
      shift->setCheckable(true);
      connect(shift, &QToolButton::clicked, this, [this] { ShiftClick(); });
      line->addWidget(shift);
    }
    column->addLayout(line);
  }

  auto* bottom = new QHBoxLayout;
  for (const char* name : {"Ctrl_Button", "Alt_Button", "Esc_Button"})
    bottom->addWidget(MakeButton(QString::fromLatin1(name), QString::fromLatin1(name).section(QLatin1Char('_'), 0, 0)));
  QToolButton* space = MakeButton(QStringLiteral("Space_Button"), QString());
  space->setMinimumWidth(200);
  connect(space, &QToolButton::clicked, this, [this] { Send_Char(' '); });
  bottom->addWidget(space, 1);
  const struct { const char* name; const char* text; } arrows[] = {
      {"LfBtn", "\u2190"}, {"UpBtn", "\u2191"}, {"DnBtn", "\u2193"}, {"RtBtn", "\u2192"}};
  for (const auto& a : arrows) {
    QToolButton* b = MakeButton(QString::fromLatin1(a.name), QString::fromUtf8(a.text));
    connect(b, &QToolButton::clicked, this, [this, b] { Send_Cmd(b); });
    bottom->addWidget(b);
  }
  column->addLayout(bottom);

  auto* modes = new QHBoxLayout;
  const struct { const char* name; const char* text; OnScreenLayout layout; } layouts[] = {
      {"Eng_Keys_Button", "US", OnScreenLayout::US},
      {"Heb_Keys_Button", "Hebrew", OnScreenLayout::Hebrew},
      {"Nikud_Keys_Button", "Nikud", OnScreenLayout::Nikud},
      {"Phon_Keys_Button", "Phonetic", OnScreenLayout::Phonetic}};
  for (const auto& l : layouts) {
    QToolButton* b = MakeButton(QString::fromLatin1(l.name), QString::fromLatin1(l.text));
    const OnScreenLayout layout = l.layout;
    connect(b, &QToolButton::clicked, this, [this, layout] { ChooseLayout(layout); });
    modes->addWidget(b);
  }
  QToolButton* dagesh = MakeButton(QStringLiteral("Degushos"), QStringLiteral("Dagesh"));
  dagesh->setCheckable(true);
  connect(dagesh, &QToolButton::clicked, this, [this] {
    model_.ToggleDagesh();
    ShowFaces();
  });
  modes->addWidget(dagesh);
  ModeLabel = new QLabel(this);
  ModeLabel->setObjectName(QStringLiteral("ModeLabel"));
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setMinimumWidth(30);
  modes->addStretch(1);
  modes->addWidget(ModeLabel);
  modes->addWidget(Label1);
  column->addLayout(modes);

  model_.ChooseLayout(OnScreenLayout::US);
  ShowFaces();

  // The place the user moved the window to comes back when it is shown
  // (over where its opener put it) and is kept when it closes.
  if (target_.store != nullptr) {
    placement_ = new TNvcFormState(this);
    placement_->SetOptions(TNvcFormState::fsPosition | TNvcFormState::fsNoSize);
    placement_->SetStorage(target_.store);
    placement_->SetSection("3.55\\KeyForm");
  }
}

TKey_Form::~TKey_Form() {
  if (placement_ == nullptr) return;
  if (isVisible())
    placement_->FormCloseQuery();
  else
    placement_->FormDestroying();
}

QToolButton* TKey_Form::MakeButton(const QString& name, const QString& text) {
  auto* b = new QToolButton(this);
  b->setObjectName(name);
  b->setText(text);
  b->setFocusPolicy(Qt::NoFocus);
  b->setMinimumHeight(30);
  return b;
}

QToolButton* TKey_Form::Button(const QString& name) const { return findChild<QToolButton*>(name); }

void TKey_Form::ShowFaces() {
  const bool hebrewFaces = model_.Faces() != KeyFaces::US && model_.Faces() != KeyFaces::USShift;
  const QFont hebrew(QStringLiteral("VoraziRARO Vor"), 17);
  const QFont latin(QStringLiteral("Arial"), 14);
  for (int k = 0; k < kOnScreenKeyCount; ++k) {
    const uint8_t byte = OnScreenKeyByte(model_.Faces(), k);
    QToolButton* key = keys_[static_cast<size_t>(k)];
    key->setText(FaceOf(byte));
    key->setFont(hebrewFaces && byte >= 0x80 ? hebrew : latin);
  }
  Button(QStringLiteral("Shift1_Button"))->setChecked(model_.ShiftDown());
  Button(QStringLiteral("Shift2_Button"))->setChecked(model_.ShiftDown());
  QToolButton* dagesh = Button(QStringLiteral("Degushos"));
  dagesh->setVisible(model_.DageshShown());
  dagesh->setChecked(model_.Dagesh());
  ModeLabel->setText(FromUtf8(LayoutLabel(model_.Layout())));
}

void TKey_Form::ChooseLayout(OnScreenLayout layout) {
  if (!model_.ChooseLayout(layout)) return;
  ShowFaces();
  THebTextEditor* ed = target_.editor ? target_.editor() : nullptr;
  if (!ed) return;
  switch (layout) {
    case OnScreenLayout::US:
      ed->SetSEng(!ed->Engm());
      ed->SetPhKy(false);
      break;
    case OnScreenLayout::Hebrew:
      ed->SetSEng(ed->Engm());
      ed->SetOV(false);
      ed->SetPhKy(false);
      break;
    case OnScreenLayout::Nikud:
      ed->SetOV(true);
      ed->SetPhKy(false);
      break;
    case OnScreenLayout::Phonetic:
      ed->SetOV(false);
      ed->SetPhKy(true);
      break;
  }
  ed->SetKeyType(KeyTypeOfLayout(layout));
  if (target_.keyTypeChanged) target_.keyTypeChanged(KeyTypeOfLayout(layout));
}

void TKey_Form::FollowEditor() {
  THebTextEditor* ed = target_.editor ? target_.editor() : nullptr;
  if (!ed) return;
  if (model_.ChooseLayout(LayoutOfKeyType(ed->KeyType()))) ShowFaces();
}

void TKey_Form::ShiftClick() {
  THebTextEditor* ed = target_.editor ? target_.editor() : nullptr;
  if (ed) model_.ToggleShift(ed->KeyType());
  ShowFaces();
}

void TKey_Form::KeyClick(int index) {
  THebTextEditor* ed = target_.editor ? target_.editor() : nullptr;
  const uint8_t byte = model_.Click(index, ed ? ed->KeyType() : KeyTypeOfLayout(model_.Layout()));
  Send_Char(byte);
  ShowFaces();
}

void TKey_Form::Send_Char(uint8_t byte) {
  Label1->setText(FaceOf(byte));
  if (THebTextEditor* ed = target_.editor ? target_.editor() : nullptr) ed->DoCommand(ccChar, byte);
}

void TKey_Form::Send_Cmd(QToolButton* button) {
  const QString name = button->objectName();
  TNvcCommand command = ccNone;
  if (name == QLatin1String("DnBtn")) command = ccDown;
  else if (name == QLatin1String("UpBtn")) command = ccUp;
  else if (name == QLatin1String("LfBtn")) command = ccLeft;
  else if (name == QLatin1String("RtBtn")) command = ccRight;
  else if (name == QLatin1String("Enter_Button")) command = ccNewLine;
  else if (name == QLatin1String("Backspace_Button")) command = ccBack;
  if (THebTextEditor* ed = target_.editor ? target_.editor() : nullptr) ed->DoCommand(command, 0);
}

void TKey_Form::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  FollowEditor();
}

void TKey_Form::closeEvent(QCloseEvent* e) {
  if (target_.closed) target_.closed();
  QWidget::closeEvent(e);
}

}  // namespace nuvel
