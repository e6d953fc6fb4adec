// The key-macro file code comes before Qt, whose "slots" keyword it uses as a name.
#include "core/key_macros.h"
#include "core/ini_location.h"
#include "tools/macro_dialog_qt.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>
#include <exception>
#include <filesystem>
#include <system_error>

#include "core/charset.h"
#include "core/message_texts.h"
#include "core/qstring_bytes_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "platform/qt/key_edge_qt.h"
#include "platform/virtual_keys.h"
#include "tools/key_names.h"

namespace nuvel {

namespace {

using namespace platform;

QString MemoString(const std::string& bytes) { return FromSystemBytes(bytes); }
std::string MemoBytes(const QString& s) { return ToSystemBytes(s); }

bool IsEditingKey(uint8_t vk) {
  switch (vk) {
    case VK_BACK: case VK_DELETE: case VK_HOME: case VK_END:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: return true;
    default: return false;
  }
}

// The row captions of each group.
QString RowCaption(int group, int row) {
  const int digit = row == 9 ? 0 : row + 1;
  switch (group) {
    case 1: return QStringLiteral("^%1").arg(digit);
    case 2: return QStringLiteral("Alt+%1").arg(digit);
    case 3: return QStringLiteral("Ctrl+Alt+%1").arg(row + 1);
    default:
      return row < 3 ? QStringLiteral("^+Sh+F%1").arg(row + 1) : QStringLiteral("Sh+F%1").arg(row + 1);
  }
}

}  // namespace

// ---- THotMemo ----

THotMemo::THotMemo(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setTabChangesFocus(false);
}

std::string THotMemo::Bytes() const { return MemoBytes(toPlainText()); }

void THotMemo::SetBytes(const std::string& bytes) { setPlainText(MemoString(bytes)); }

bool THotMemo::event(QEvent* e) {
  // Every key is the memo's while it has the focus: no shortcut takes one.
  if (e->type() == QEvent::ShortcutOverride) {
    e->accept();
    return true;
  }
  if (e->type() == QEvent::KeyPress) {
    keyPressEvent(static_cast<QKeyEvent*>(e));
    return true;
  }
  return QPlainTextEdit::event(e);
}

void THotMemo::InsertBytes(const std::string& bytes) { textCursor().insertText(MemoString(bytes)); }

void THotMemo::MoveCaret(int to, bool deleting) {
  QTextCursor c = textCursor();
  if (deleting) {
    c.setPosition(c.position());
    c.setPosition(to, QTextCursor::KeepAnchor);
    c.removeSelectedText();
  } else {
    c.setPosition(to);
  }
  setTextCursor(c);
}

void THotMemo::keyPressEvent(QKeyEvent* e) {
  const KeyStroke k = KeyStrokeOf(*e);
  const uint8_t vk = static_cast<uint8_t>(k.VirtualKey & 0xFF);
  if (vk == 0 || vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) return;
  const bool shift = k.Shift & kShiftBitShift, ctrl = k.Shift & kShiftBitCtrl, alt = k.Shift & kShiftBitAlt;
  if (literal_) {
    literal_ = false;
    InsertBytes(KeyToText(vk, shift, ctrl, alt));
    return;
  }
  if (ctrl && !alt && vk == 'P') {
    literal_ = true;
    return;
  }
  if (!ctrl && !alt && !shift && IsEditingKey(vk)) {
    const std::string text = Bytes();
    const int pos = textCursor().position();
    switch (vk) {
      case VK_BACK: MoveCaret(static_cast<int>(UnitStartBefore(text, static_cast<size_t>(pos))), true); break;
      case VK_DELETE: MoveCaret(static_cast<int>(UnitEndAfter(text, static_cast<size_t>(pos))), true); break;
      case VK_LEFT: MoveCaret(static_cast<int>(UnitStartBefore(text, static_cast<size_t>(pos))), false); break;
      case VK_RIGHT: MoveCaret(static_cast<int>(UnitEndAfter(text, static_cast<size_t>(pos))), false); break;
      default: QPlainTextEdit::keyPressEvent(e); break;  // Home, End, Up, Down
    }
    return;
  }
  const bool typesChar = k.Typed >= 32 && vk != VK_TAB && vk != VK_RETURN;
  if (ctrl || alt || !typesChar) {
    InsertBytes(KeyToText(vk, shift, ctrl, alt));
    return;
  }
  TKeyLayers layers;
  layers.KeyType = KeyType;
  layers.Nikud = KeyType == TKeytype::Nikud;
  layers.Phonetic = KeyType == TKeytype::Phonetic;
  InsertBytes(std::string(1, static_cast<char>(TranslateTypedChar(k.Typed, layers, dagesh_))));
}

void THotMemo::mouseReleaseEvent(QMouseEvent* e) {
  QPlainTextEdit::mouseReleaseEvent(e);
  QTextCursor c = textCursor();
  if (c.hasSelection()) return;
  const size_t at = UnitStartAround(Bytes(), static_cast<size_t>(c.position()));
  if (static_cast<int>(at) != c.position()) MoveCaret(static_cast<int>(at), false);
}

// ---- TMacroDialogN ----

TMacroDialogN::TMacroDialogN(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("MacroDialogN"));
  setWindowTitle(QStringLiteral("Nuvel Macro Editor"));
  auto* grid = new QGridLayout;
  auto* header = new QLabel(QStringLiteral("Description"), this);
  header->setObjectName(QStringLiteral("Descrpt1"));
  grid->addWidget(header, 0, 1);
  const TKeytype keyType = KeytypeFromLetter([] {
    const std::string v = ReadIniString("GENPREFS", "KEYTYPE");
    return v.size() == 1 ? v[0] : 'E';
  }());
  for (int row = 0; row < kRows; ++row) {
    RowLabels[static_cast<size_t>(row)] = new QLabel(this);
    RowLabels[static_cast<size_t>(row)]->setObjectName(QStringLiteral("RowLabel%1").arg(row + 1));
    auto* desc = new QLineEdit(this);
    desc->setObjectName(QStringLiteral("Description%1").arg(row + 1));
    Descriptions[static_cast<size_t>(row)] = desc;
    auto* memo = new THotMemo(this);
    memo->setObjectName(QStringLiteral("HotMemo%1").arg(row + 1));
    memo->KeyType = keyType;
    memo->setFixedHeight(memo->fontMetrics().height() * 2);
    memo->setMinimumWidth(417);
    Memos[static_cast<size_t>(row)] = memo;
    grid->addWidget(RowLabels[static_cast<size_t>(row)], row + 1, 0);
    grid->addWidget(desc, row + 1, 1);
    grid->addWidget(memo, row + 1, 2);
  }
  auto* groups = new QGroupBox(QStringLiteral("Key Group"), this);
  groups->setObjectName(QStringLiteral("GroupBox1"));
  auto* groupRow = new QHBoxLayout(groups);
  const char* captions[4] = {"&1-10", "11-&20", "21-&30", "31-&40"};
  QPushButton** buttons[4] = {&Button1, &Button2, &Button3, &Button4};
  for (int g = 0; g < 4; ++g) {
    *buttons[g] = new QPushButton(QString::fromLatin1(captions[g]), groups);
    (*buttons[g])->setObjectName(QStringLiteral("Button%1").arg(g + 1));
    (*buttons[g])->setAutoDefault(false);
    groupRow->addWidget(*buttons[g]);
    connect(*buttons[g], &QPushButton::clicked, this, [this, g] { SwitchGroup(g + 1); });
  }
  Button4->hide();
  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  NewFileBtn = new QPushButton(QStringLiteral("Read New File"), this);
  NewFileBtn->setObjectName(QStringLiteral("NewFileBtn"));
  CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  for (QPushButton* b : {OKBtn, NewFileBtn, CancelBtn}) b->setAutoDefault(false);
  connect(OKBtn, &QPushButton::clicked, this, &TMacroDialogN::OKBtnClick);
  connect(NewFileBtn, &QPushButton::clicked, this, &TMacroDialogN::NewFileBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(groups);
  bottom->addStretch();
  bottom->addWidget(NewFileBtn);
  bottom->addWidget(OKBtn);
  bottom->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(bottom);

  LoadMacroKeysForDialog(names_, MacroFilePath(KeyFileName));
  group_ = 1;
  for (int row = 0; row < kRows; ++row) RowLabels[static_cast<size_t>(row)]->setText(RowCaption(1, row));
  ShowMacroGroup(1);
}

void TMacroDialogN::ShowMacroGroup(int group) {
  for (int row = 0; row < kRows; ++row) {
    const auto slot = static_cast<size_t>(SlotOf(group, row));
    Descriptions[static_cast<size_t>(row)]->setText(FromSystemText(names_[slot]));
    Memos[static_cast<size_t>(row)]->SetBytes(DisplayAsText(MacroKeys[slot]));
  }
}

void TMacroDialogN::StoreMacroGroup() {
  for (int row = 0; row < kRows; ++row) {
    // The hidden tenth row of the Alt group keeps its slot as it is.
    if (group_ == 2 && row == kRows - 1) continue;
    const auto slot = static_cast<size_t>(SlotOf(group_, row));
    names_[slot] = MemoBytes(Descriptions[static_cast<size_t>(row)]->text());
    MacroKeys[slot] = StoreTextAsKeys(Memos[static_cast<size_t>(row)]->Bytes());
  }
}

void TMacroDialogN::SwitchGroup(int group) {
  StoreMacroGroup();
  group_ = group;
  for (int row = 0; row < kRows; ++row) {
    QLabel* label = RowLabels[static_cast<size_t>(row)];
    label->setText(RowCaption(group, row));
    label->setContentsMargins(group == 3 ? 0 : 12, 0, 0, 0);
    const bool shown = !(group == 2 && row == kRows - 1);
    label->setVisible(shown);
    Descriptions[static_cast<size_t>(row)]->setVisible(shown);
    Memos[static_cast<size_t>(row)]->setVisible(shown);
  }
  ShowMacroGroup(group);
}

bool TMacroDialogN::Save_Change_Check() {
  const ModalResult r = MessageDlgById(38420, 41120, MsgDlgType::Confirmation, mbYesNoCancel);
  if (r == mrCancel) return false;
  if (r != mrYes) return true;
  try {
    SaveMacroKeysAs(AskSaveName, names_);
  } catch (const std::exception& e) {
    MessageDlg(e.what(), MsgDlgType::Error, mbOK);
    return false;
  }
  return true;
}

void TMacroDialogN::OKBtnClick() {
  StoreMacroGroup();
  if (Save_Change_Check()) accept();
}

void TMacroDialogN::NewFileBtnClick() {
  StoreMacroGroup();
  if (!Save_Change_Check() || !AskOpenName) return;
  // The user's own key files are offered first; without any, the factory ones.
  std::error_code ec;
  const std::string userFolder = UserDataFolder();
  const auto chosen =
      AskOpenName("Key Files (*.Key)|*.Key", std::filesystem::is_directory(userFolder, ec) ? userFolder : ProgPath);
  if (!chosen || chosen->empty()) return;
  KeyFileName = *chosen;
  try {
    LoadMacroKeys(*chosen);
    LoadMacroKeysForDialog(names_, *chosen);
  } catch (const std::exception& e) {
    MessageDlg(e.what(), MsgDlgType::Error, mbOK);
  }
  ShowMacroGroup(group_);
}

}  // namespace nuvel
