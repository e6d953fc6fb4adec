#include "app/mdi_child_qt.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QSplitter>

#include "app/close_query.h"
#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/macro_script.h"
#include "app/new_doc_numbers.h"
#include "app/user_commands.h"
#include "core/message_texts.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor_widget_qt.h"
#include "editor/heb_text_editor.h"
#include "editor/para_list.h"
#include "editor/text_file_editor.h"
#include "formats/doc_file.h"
#include "platform/virtual_keys.h"
#include "ui/message_format.h"

namespace nuvel {

void TypeMacroByte(TNvcEditorWidget& w, uint8_t byte) {
  // As if typed, through the editor's WordStar translation of fed keys.
  if (auto* heb = dynamic_cast<THebTextEditor*>(&w.Editor())) {
    heb->ExecKey(byte);
    return;
  }
  TNvcCustomEditor& e = w.Editor();
  if (byte == 13)
    e.DoCommand(ccNewLine, 13);
  else if (byte >= 32)
    e.KeyChar(byte);
}

TMDIChild::TMDIChild(DocumentWindows& owner) : owner_(owner), ownerAlive_(&owner) {
  setAttribute(Qt::WA_DeleteOnClose);
  splitter_ = new QSplitter(Qt::Vertical, this);
  splitter_->setObjectName(QStringLiteral("SplitPanel"));
  splitter_->setHandleWidth(5);
  splitter_->setChildrenCollapsible(false);
  editor_ = MakeEditor();
  editor_->setObjectName(QStringLiteral("Editor"));
  splitter_->addWidget(editor_);
  setWidget(splitter_);
  current_ = editor_;
  lastClientHeight_ = height();
  look_ = ReadEditorLook();
  ApplyEditorLook(*editor_, look_);
  ApplyOptions();
}

namespace {
// The modal dialogs shown now.
QList<QPointer<QWidget>> OpenModalDialogs() {
  QList<QPointer<QWidget>> open;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (qobject_cast<QDialog*>(w) && w->isModal() && w->isVisible()) open.append(w);
  }
  return open;
}
}  // namespace

TMDIChild::InUse::InUse(TMDIChild& child) : child_(child) {
  if (child_.uses_++ == 0) child_.dialogsBefore_ = OpenModalDialogs();
}

TMDIChild::InUse::~InUse() {
  if (--child_.uses_ == 0 && child_.closedInUse_) child_.deleteLater();
}

TMDIChild::~TMDIChild() {
  if (ownerAlive_) owner_.ChildDestroyed(this);
}

TNvcEditorWidget* TMDIChild::MakeEditor() {
  auto* w = new THebTextEditorWidget();
  w->SetController(owner_.Controller());
  TNvcCustomEditor& m = w->Editor();
  m.OnUserCommand = [this](TNvcCustomEditor&, TNvcCommand command) { EditorUserCommand(command); };
  m.OnShowStatus = [this](TNvcCustomEditor&, int32_t, int32_t) {
    owner_.UpdateButtons();
  };
  w->installEventFilter(this);
  return w;
}

TNvcCustomTextFileEditor& TMDIChild::Doc() const {
  return dynamic_cast<TNvcCustomTextFileEditor&>(editor_->Editor());
}

THebTextEditor& TMDIChild::HebDoc() const { return static_cast<THebTextEditorWidget*>(editor_)->HebEditor(); }

TNvcCustomTextFileEditor& TMDIChild::CurrentDoc() const {
  return dynamic_cast<TNvcCustomTextFileEditor&>(current_->Editor());
}

std::string TMDIChild::Caption() const { return caption_; }

void TMDIChild::SetCaption(std::string_view caption) {
  caption_ = std::string(caption);
  // Shown as one left-to-right run, so that a path reads right also in a
  // right-to-left interface.
  setWindowTitle(QChar(0x2066) + QFile::decodeName(QByteArray(caption.data(), static_cast<qsizetype>(caption.size()))) +
                 QChar(0x2069));
}

void TMDIChild::ToggleSplit() {
  if (!topEditor_) {
    topEditor_ = MakeEditor();
    topEditor_->setObjectName(QStringLiteral("TopEditor"));
    topEditor_->Editor().SetHideSelection(false);
    topEditor_->FixedFont().Assign(editor_->FixedFont());
    auto* top = static_cast<THebTextEditorWidget*>(topEditor_);
    auto* main = static_cast<THebTextEditorWidget*>(editor_);
    top->SetSecondFont(main->SecondFont());
    top->HebEditor().SetKeyType(main->HebEditor().KeyType());
    top->HebEditor().SetHebScreenFont(main->HebEditor().HebScreenFont());
    splitter_->insertWidget(0, topEditor_);
    ApplyEditorLook(*topEditor_, look_);
    ApplyEditorOptions(*topEditor_);
    topEditor_->Editor().Attach(&editor_->Editor());
    int h = splitter_->height();
    splitter_->setSizes({h - h / 2, h / 2});
  } else {
    current_ = editor_;
    TNvcEditorWidget* top = topEditor_;
    topEditor_ = nullptr;
    delete top;
    editor_->setFocus();
  }
  if (QAction* split = owner_.Item("Split1")) split->setChecked(SplitView());
}

void TMDIChild::SetLook(const EditorLook& look) {
  look_ = look;
  ApplyEditorLook(*editor_, look_);
  if (topEditor_) ApplyEditorLook(*topEditor_, look_);
}

void TMDIChild::ApplyOptions() {
  ApplyEditorOptions(*editor_);
  if (topEditor_) ApplyEditorOptions(*topEditor_);
}

void TMDIChild::ApplyEditorOptions(TNvcEditorWidget& w) {
  TNvcCustomEditor& e = w.Editor();
  e.SetReadOnly(owner_.Checked("ReadOnly1"));
  e.SetTabSize(static_cast<uint8_t>(owner_.Options.TabSize));
  e.SetWordWrap(owner_.Checked("Wordwrap1"));
  e.SetWrapColumn(owner_.Options.WrapColumn);
  e.SetAutoIndent(owner_.Checked("Autoindentation1"));
  if (auto* f = dynamic_cast<TNvcCustomTextFileEditor*>(&e)) f->SetMakeBackup(owner_.Checked("Createbackupfile1"));
  if (owner_.Checked("Fixedtabs1")) e.SetTabType(TTabType::ttFixed);
  if (owner_.Checked("Realtabs1")) e.SetTabType(TTabType::ttReal);
  if (owner_.Checked("Smarttabs1")) e.SetTabType(TTabType::ttSmart);
  if (owner_.Checked("WraptoWindow1") && e.VisibleColumns() > 0) e.SetWrapColumn(e.VisibleColumns());
  if (auto* heb = dynamic_cast<THebTextEditor*>(&e); heb && owner_.ApplyLanguageOptions) owner_.ApplyLanguageOptions(*heb);
}

bool TMDIChild::eventFilter(QObject* watched, QEvent* e) {
  auto* w = qobject_cast<TNvcEditorWidget*>(watched);
  if (w && (w == editor_ || w == topEditor_)) {
    if (e->type() == QEvent::FocusIn) {
      current_ = w;
    } else if (e->type() == QEvent::KeyPress) {
      if (FormKeyDown(static_cast<QKeyEvent*>(e))) return true;
    }
  }
  return QMdiSubWindow::eventFilter(watched, e);
}

bool TMDIChild::FormKeyDown(QKeyEvent* key) {
  Qt::KeyboardModifiers m = key->modifiers();
  bool ctrl = m & Qt::ControlModifier, shift = m & Qt::ShiftModifier, alt = m & Qt::AltModifier;
  // With the WordStar commands Ctrl+C pages down once; the key goes no
  // further, so the editor's own table does not page a second time. With
  // the Windows shortcuts it copies, through the editor's own table.
  if (ctrl && !shift && !alt && key->key() == Qt::Key_C && owner_.Checked("WordStarCommands1")) {
    current_->Editor().DoCommand(ccNextPage, 0);
    return true;
  }
  // Shift+Delete cuts.
  if (key->key() == Qt::Key_Delete) {
    platform::TShiftState state;
    state.Shift = shift;
    state.Ctrl = ctrl;
    state.Alt = alt;
    if (auto* heb = dynamic_cast<THebTextEditor*>(&current_->Editor());
        heb && heb->ShiftDeleteKey(platform::VK_DELETE, state))
      return true;
  }
  // Digits by position, so that they work under any keyboard layout.
  int digit = -1;
  quint32 sc = key->nativeScanCode();
  if (sc >= 10 && sc <= 19) digit = sc == 19 ? 0 : static_cast<int>(sc) - 9;  // X11 keycodes of 1..9, 0
  if (digit < 0 && key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9) digit = key->key() - Qt::Key_0;
  if (digit < 0) return false;
  if (auto cmd = DocumentDigitCommand(ctrl, shift, alt, digit)) {
    EditorUserCommand(*cmd);
    return true;
  }
  return false;
}

void TMDIChild::EditorUserCommand(TNvcCommand command) {
  UserCommand uc = DecodeUserCommand(command);
  TNvcCustomEditor& e = current_->Editor();
  switch (uc.action) {
    case UserAction::None: break;
    case UserAction::PlayMacro:
      if (uc.slot >= 0 && uc.slot < kMacroSlots) PlayMacroText(MacroKeys[static_cast<size_t>(uc.slot)]);
      break;
    case UserAction::Find: owner_.RunItem("Find1"); break;
    case UserAction::Replace: owner_.RunItem("Replace1"); break;
    case UserAction::FindNext:
      // Nothing searched yet: Find Next asks as Find does.
      owner_.RunItem(owner_.SearchString.empty() ? "Find1" : "Findnext1");
      break;
    case UserAction::Open: owner_.Open1Click(); break;
    case UserAction::SaveAndClose: {
      owner_.Save1Click();
      if (!Doc().Modified()) close();
      break;
    }
    case UserAction::Save: owner_.Save1Click(); break;
    case UserAction::FlipCase: owner_.RunItem("ChangeCaseofCharacter1"); break;
    case UserAction::GotoChar: {
      WsQTKey = '<';
      owner_.RunItem("GotoChar1");
      WsQTKey = 7;
      break;
    }
    case UserAction::BlockBegin:
    case UserAction::BlockEnd:
    case UserAction::CopyBlock:
    case UserAction::DeleteBlock:
    case UserAction::MoveBlock: BlockCommand(command); break;
    case UserAction::CutWord: owner_.RunItem("CutaWord1"); break;
    case UserAction::ReformatParagraph: owner_.RunItem("ReformatParagraph1"); break;
    case UserAction::BuiltInFilter: owner_.RunBuiltInFilter(uc.filterKind); break;
    case UserAction::MacroFind: MacroFindReplace(false); break;
    case UserAction::MacroReplace: MacroFindReplace(true); break;
    case UserAction::NextParagraph: {
      int32_t col = 0;
      int32_t line = e.GetCaretPosition(col);
      int32_t para = line, pos = col;
      e.LineToPara(para, pos);
      if (para < e.ParaCount()) e.MoveCaretToPara(para + 1, 1, false);
      break;
    }
  }
}

namespace {

// The block markers 100 and 101 as (line, column); line 0 when unset.
int32_t BlockMarkerLine(TNvcCustomEditor& e, int n, int32_t& col) {
  TParaPos m = e.ParaList().Marker(n);
  col = 0;
  if (m.Para == 0) return 0;
  uint32_t c = 0;
  auto line = static_cast<int32_t>(e.ParaList().LineOf(m.Para, m.Pos, c));
  col = static_cast<int32_t>(c);
  return line;
}

void SetBlockMarker(TNvcCustomEditor& e, int n) {
  int32_t col = 0;
  int32_t line = e.GetCaretPosition(col);
  e.ParaList().SetMarker(n, static_cast<uint32_t>(line), static_cast<uint32_t>(col));
}

}  // namespace

void TMDIChild::BlockCommand(TNvcCommand command) {
  TNvcCustomEditor& e = current_->Editor();
  constexpr int kBegin = TNvcParaList::kBlockBeginMarker;
  constexpr int kEnd = TNvcParaList::kBlockEndMarker;
  auto selectBlock = [&](bool caretAtEnd) {
    int32_t bc = 0, ec = 0;
    int32_t bl = BlockMarkerLine(e, kBegin, bc);
    int32_t el = BlockMarkerLine(e, kEnd, ec);
    if (bl <= 0 || el <= 0) return false;
    e.SetSelection(bl, bc, el, ec, caretAtEnd);
    return true;
  };
  int32_t unused = 0;
  switch (command) {
    case 314:
      SetBlockMarker(e, kBegin);
      if (BlockMarkerLine(e, kEnd, unused) > 0) selectBlock(false);
      break;
    case 315:
      SetBlockMarker(e, kEnd);
      if (BlockMarkerLine(e, kBegin, unused) > 0) selectBlock(true);
      break;
    case 316: {
      int32_t col = 0;
      int32_t line = e.GetCaretPosition(col);
      if (!selectBlock(false)) break;
      bool copied = e.CopyToClipboard();
      e.SetCaretPosition(line, col);
      if (copied) e.PasteFromClipboard();
      break;
    }
    case 317:
      if (selectBlock(false)) e.DeleteSelection();
      break;
    case 318:
    case 319: {
      int32_t col = 0;
      int32_t line = e.GetCaretPosition(col);
      if (!selectBlock(false)) break;
      e.CutToClipboard();
      e.SetCaretPosition(line, col);
      e.PasteFromClipboard();
      break;
    }
    default: break;
  }
}

void TMDIChild::PlayMacroText(std::string_view text) {
  // The player works on its own copy: a macro that plays another cannot
  // change the text it is reading.
  const std::string own(text);
  macroBuf_ = own;
  for (const MacroAction& a : InterpretMacro(own)) {
    switch (a.kind) {
      case MacroAction::Kind::Type: TypeMacroByte(*current_, a.byte); break;
      case MacroAction::Kind::ClickMenu:
        if (auto name = MacroMenuItemName(a.menu)) {
          if (*name == "Open1")
            owner_.Open1Click();
          else
            owner_.RunItem(QString::fromLatin1(name->data(), static_cast<qsizetype>(name->size())));
        }
        break;
      case MacroAction::Kind::PlayFile: owner_.PlayMacroFile(a.file); break;
      case MacroAction::Kind::ChooseFile: owner_.PlayMacroFile({}); break;
    }
  }
}

void TMDIChild::MacroFindReplace(bool replace) {
  size_t pos = 0;
  std::string find = ReadMacroText(macroBuf_, pos);
  TNvcCustomEditor& e = current_->Editor();
  uint16_t options = owner_.Options.SearchOptions;
  bool found;
  if (replace) {
    std::string with = ReadMacroText(macroBuf_, pos);
    found = e.Replace(find, with, static_cast<uint16_t>(options | 0x10 | 0x400));
  } else {
    found = e.Replace(find, {}, static_cast<uint16_t>((options & ~0x30) | 0x200));
  }
  if (!found) {
    MessageDlg(FormatMessage(GetMessageText(38414, 41114), {find}), MsgDlgType::Information, platform::mbOK);
  }
}

void TMDIChild::resizeEvent(QResizeEvent* e) {
  QMdiSubWindow::resizeEvent(e);
  if (owner_.Checked("WraptoWindow1")) editor_->Editor().SetWrapColumn(editor_->Editor().VisibleColumns());
  lastClientHeight_ = height();
}

void TMDIChild::contextMenuEvent(QContextMenuEvent* e) {
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("PopupMenu1"));
  bool sel = current_->Editor().HasSelection();
  auto add = [&](const char* name, const char* text, const char* item, bool visible = true) {
    QAction* a = menu.addAction(QString::fromUtf8(text));
    a->setObjectName(QString::fromLatin1(name));
    a->setVisible(visible);
    QString target = QString::fromLatin1(item);
    // Each item runs the main menu's command, when that can run now.
    a->setEnabled(owner_.Commands() && owner_.Commands()->Enabled(target));
    connect(a, &QAction::triggered, this, [this, target] { owner_.RunItem(target); });
  };
  add("BlockLowerCase1", "Lower Case", "BlockLowerCase1", sel);
  add("SelUpperCase1", "Upper Case", "SelUpperCase1", sel);
  add("UpandDown1", "Up and Down", "UpandDown1", sel);
  add("SelFill1", "Fill", "SelFill1", sel);
  menu.addSeparator()->setVisible(sel);
  add("Save2", "Save", "Save1");
  menu.addSeparator();
  add("Undo1", "Undo", "Undo1");
  add("Redo1", "Redo", "Redo1");
  add("CutS1", "Cut", "Cut1", sel);
  add("CopyS1", "Copy", "Copy1", sel);
  menu.addSeparator()->setVisible(sel);
  add("Find2", "Find", "Find1");
  add("Replace2", "Replace", "Replace1");
  add("FindAgain2", "Find Again", "Findnext1");
  if (owner_.OnChildPopup) owner_.OnChildPopup(*this, menu);
  menu.exec(e->globalPos());
}

void TMDIChild::closeEvent(QCloseEvent* e) {
  if (!closeAccepted_) {
    CloseQueryDocument doc;
    TNvcCustomTextFileEditor& d = Doc();
    doc.modified = d.Modified();
    doc.textLength = d.TextLength();
    doc.untitled = IsUntitledName(d.FileName());
    doc.collectTarget = owner_.CollectTarget == this;
    doc.saveChangesText = owner_.SaveChangesText(Caption());
    doc.closeCollectText = owner_.CloseCollectText(Caption());
    struct Actions : CloseQueryActions {
      TMDIChild& w;
      explicit Actions(TMDIChild& c) : w(c) {}
      void BringToFront() override {
        if (w.mdiArea()) w.mdiArea()->setActiveSubWindow(&w);
        w.editor_->setFocus();
      }
      bool Save() override { return w.owner_.SaveChild(w); }
      bool SaveAs() override { return w.owner_.SaveChildAs(w, false); }
      void StopCollecting() override { w.owner_.StopCollecting(); }
    } actions(*this);
    if (!RunCloseQuery(doc, actions)) {
      e->ignore();
      return;
    }
    closeAccepted_ = true;
  }
  if (uses_ > 0 && !closedInUse_) {
    closedInUse_ = true;
    setAttribute(Qt::WA_DeleteOnClose, false);
    for (QWidget* w : OpenModalDialogs()) {
      if (!dialogsBefore_.contains(w)) static_cast<QDialog*>(w)->reject();
    }
  }
  owner_.ChildClosing(this);
  QMdiSubWindow::closeEvent(e);
}

}  // namespace nuvel
