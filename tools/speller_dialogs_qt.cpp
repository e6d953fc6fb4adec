#include "tools/speller_dialogs_qt.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/message_texts.h"
#include "core/qstring_bytes_qt.h"
#include "core/shared_state.h"
#include "editor/heb_edit_win_qt.h"
#include "tools/spell_engine.h"
#include "ui/interface_texts.h"
#include "ui/interface_texts_qt.h"

namespace nuvel {

namespace {

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

bool IsHebrewWord(const std::string& w) { return !IsEnglishWord(w); }

// The Hebrew texts of the speller, from the string library.
void ApplyHebrewTexts(QDialog* dlg, std::string_view notation) {
  if (EngPrompts) return;
  ApplyLibraryTexts(dlg, ParseTextAssignments(notation));
  dlg->setLayoutDirection(Qt::RightToLeft);
}

}  // namespace

TSplDlg::TSplDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SplDlg"));
  setWindowTitle(QStringLiteral("Nuvel Speller"));
  auto* grid = new QGridLayout(this);
  auto* label1 = new QLabel(QStringLiteral("Not found:"), this);
  label1->setObjectName(QStringLiteral("Label1"));
  editO_ = new QLineEdit(this);
  editO_->setObjectName(QStringLiteral("EditO"));
  editO_->setReadOnly(true);
  auto* label2 = new QLabel(QStringLiteral("Change to:"), this);
  label2->setObjectName(QStringLiteral("Label2"));
  editB_ = new THebEditWin(this);
  editB_->setObjectName(QStringLiteral("EditB"));
  editB_->Line().MaxLength = 255;
  editB_->setMinimumWidth(240);
  auto* label4 = new QLabel(QStringLiteral("Suggestions:"), this);
  label4->setObjectName(QStringLiteral("Label4"));
  combo_ = new QComboBox(this);
  combo_->setObjectName(QStringLiteral("ComboBox"));
  grid->addWidget(label1, 0, 0);
  grid->addWidget(editO_, 0, 1);
  grid->addWidget(label2, 1, 0);
  grid->addWidget(editB_, 1, 1);
  grid->addWidget(label4, 2, 0);
  grid->addWidget(combo_, 2, 1);
  // In the check of the word at the caret: what Continue does.
  hint_ = new QLabel(this);
  hint_->setObjectName(QStringLiteral("HintLabel"));
  hint_->setWordWrap(true);
  grid->addWidget(hint_, 3, 0, 1, 2);

  auto* buttons = new QVBoxLayout;
  const struct {
    const char* name;
    const char* text;
    TSpellerAction action;
  } kButtons[] = {
      {"OKBtn", "&OK", TSpellerAction::Replace},        {"CancelBtn", "Ca&ncel", TSpellerAction::Cancel},
      {"AddBtn", "&Add", TSpellerAction::Add},          {"IgnoreBtn", "&Ignore", TSpellerAction::Ignore},
      {"AutoChgBtn", "Auto&Chg", TSpellerAction::AutoChange}, {"MarkBtn", "&Mark(\\)", TSpellerAction::Mark},
      {"LkUpBtn", "&LookUp", TSpellerAction::LookUp},   {"ContSpl", "Con&tinue", TSpellerAction::Stop},
  };
  for (const auto& k : kButtons) {
    QPushButton* b = Button(this, k.name, QString::fromLatin1(k.text));
    const TSpellerAction action = k.action;
    connect(b, &QPushButton::clicked, this, [this, action] { Choose(action); });
    buttons->addWidget(b);
  }
  auto* stop = new QToolButton(this);
  stop->setObjectName(QStringLiteral("Label3"));
  stop->setText(QString(QChar(0x270B)));
  stop->setAutoRaise(true);
  connect(stop, &QToolButton::clicked, this, [this] { Choose(TSpellerAction::Stop); });
  buttons->addWidget(stop);
  grid->addLayout(buttons, 0, 2, 4, 1);

  connect(combo_, &QComboBox::activated, this, [this](int i) {
    if (i < 0 || static_cast<size_t>(i) >= words_.size()) return;
    editB_->Line().Text = words_[static_cast<size_t>(i)];
    editB_->Line().CaretCol = static_cast<int32_t>(words_[static_cast<size_t>(i)].size()) + 1;
    editB_->RefreshText();
  });
  ApplyHebrewTexts(this,
                   "form 41176; Label1 41177; Label2 41178; Label4 41179; OKBtn 41100; CancelBtn 41101; "
                   "AddBtn 41171; IgnoreBtn 41172; AutoChgBtn 41173; MarkBtn 41174; LkUpBtn 41175");
}

void TSplDlg::Load(const TSpellerRequest& request) {
  editO_->setText(FromSystemText(request.Word));
  const bool hebrew = IsHebrewWord(request.Word);
  editO_->setAlignment(hebrew ? Qt::AlignRight : Qt::AlignLeft);
  editO_->setLayoutDirection(hebrew ? Qt::RightToLeft : Qt::LeftToRight);
  THebEditLine& line = editB_->Line();
  line.EnglishMode = !hebrew;
  line.HebrewKeys = hebrew;
  line.Text = request.Replacement;
  line.CaretCol = static_cast<int32_t>(request.Replacement.size()) + 1;
  editB_->RefreshText();
  words_ = request.Suggestions;
  combo_->clear();
  for (const std::string& w : words_) combo_->addItem(FromSystemText(w));
  QPushButton* cont = findChild<QPushButton*>(QStringLiteral("ContSpl"));
  cont->setText(FromSystemText(request.Run ? GetMessageText(38435, 41135) : GetMessageText(38434, 41134)));
  if (cont->text().isEmpty()) cont->setText(QStringLiteral("Con&tinue"));
  hint_->setText(request.Run ? QString() : FromSystemText(GetMessageText(38436, 41136)));
  hint_->setVisible(!request.Run);
  move(request.Left, request.Top);
}

void TSplDlg::Choose(TSpellerAction action) {
  action_ = action;
  done(action == TSpellerAction::Replace || action == TSpellerAction::AutoChange || action == TSpellerAction::Mark
           ? QDialog::Accepted
           : QDialog::Rejected);
}

TSpellerAnswer TSplDlg::Answer() const {
  TSpellerAnswer a;
  a.Action = action_;
  a.Replacement = editB_->Line().Text;
  a.Left = x();
  a.Top = y();
  return a;
}

TSplOKDlg::TSplOKDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SplOKDlg"));
  setWindowTitle(QStringLiteral("Spell"));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(FromSystemText(GetMessageText(38433, 41133)), this);
  label->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(label);
  // How to go on over the whole document from here.
  auto* hint = new QLabel(FromSystemText(GetMessageText(38436, 41136)), this);
  hint->setObjectName(QStringLiteral("HintLabel"));
  hint->setWordWrap(true);
  layout->addWidget(hint);
  auto* row = new QHBoxLayout;
  QPushButton* ok = Button(this, "OKBtn", QStringLiteral("OK"));
  if (const std::string t = GetMessageText(45300, 41100); !t.empty()) ok->setText(FromSystemText(t));
  ok->setDefault(true);
  QPushButton* cont = Button(this, "ContinueBtn", QStringLiteral("&Continue"));
  if (const std::string t = GetMessageText(38434, 41134); !t.empty()) cont->setText(FromSystemText(t));
  row->addWidget(ok);
  row->addWidget(cont);
  layout->addLayout(row);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cont, &QPushButton::clicked, this, [this] {
    continue_ = true;
    accept();
  });
  if (!EngPrompts) setLayoutDirection(Qt::RightToLeft);
}

TSpellerAnswer TQtSpellerUi::AskSpeller(const TSpellerRequest& request) {
  TSplDlg dlg(QApplication::activeWindow());
  dlg.Load(request);
  dlg.exec();
  return dlg.Answer();
}

bool TQtSpellerUi::AskCorrectContinue() {
  TSplOKDlg dlg(QApplication::activeWindow());
  dlg.exec();
  return dlg.Continue();
}

}  // namespace nuvel
