#include "tools/macro_magic_qt.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QWheelEvent>
#include <QWidget>
#include <filesystem>

#include "core/file_messages.h"
#include "core/message_texts.h"
#include "platform/atomic_file.h"
#include "platform/qt/key_edge_qt.h"
#include "platform/virtual_keys.h"
#include "ui/message_format.h"

namespace nuvel {

namespace {

using namespace platform;

constexpr uint32_t kXkBreak = 0xFF6B;  // the X11 keysym of the Break key

bool IsInputEvent(QEvent::Type t) {
  switch (t) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel: return true;
    default: return false;
  }
}

bool IsKeyEvent(QEvent::Type t) {
  return t == QEvent::ShortcutOverride || t == QEvent::KeyPress || t == QEvent::KeyRelease;
}

// Where the keyboard's events go first: the open popup, the focus widget,
// else the active window.
QWidget* KeyTarget() {
  if (QWidget* popup = QApplication::activePopupWidget()) {
    return popup->focusWidget() ? popup->focusWidget() : popup;
  }
  if (QWidget* focus = QApplication::focusWidget()) return focus;
  return QApplication::activeWindow();
}

Qt::KeyboardModifiers ModifiersOf(uint8_t shiftByte) {
  Qt::KeyboardModifiers m;
  if (shiftByte & kShiftBitShift) m |= Qt::ShiftModifier;
  if (shiftByte & kShiftBitCtrl) m |= Qt::ControlModifier;
  if (shiftByte & kShiftBitAlt) m |= Qt::AltModifier;
  return m;
}

// The Qt key of a virtual key that types no character, 0 when none.
int QtKeyOfNamedVirtualKey(uint8_t vk) {
  if (vk >= VK_F1 && vk <= VK_F24) return Qt::Key_F1 + (vk - VK_F1);
  switch (vk) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_CLEAR: return Qt::Key_Clear;
    case VK_PAUSE: return Qt::Key_Pause;
    case VK_CANCEL: return Qt::Key_Cancel;
    case VK_SNAPSHOT: return Qt::Key_Print;
    case VK_HELP: return Qt::Key_Help;
    case VK_APPS: return Qt::Key_Menu;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    case VK_LWIN: return Qt::Key_Super_L;
    case VK_RWIN: return Qt::Key_Super_R;
    case VK_CAPITAL: return Qt::Key_CapsLock;
    case VK_NUMLOCK: return Qt::Key_NumLock;
    case VK_SCROLL: return Qt::Key_ScrollLock;
    default: return 0;
  }
}

struct PlayedKey {
  int key = 0;
  QString text;
  bool keypad = false;
};

// The key event a US keyboard gives for the virtual key with these modifiers.
PlayedKey QtKeyOf(uint8_t vk, uint8_t shiftByte) {
  PlayedKey k;
  const bool shift = shiftByte & kShiftBitShift;
  const bool ctrl = shiftByte & kShiftBitCtrl;
  if (const char ch = UsCharOfKey(vk, shift)) {
    const char upper = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 32) : ch;
    k.key = upper;
    if (vk >= 'A' && vk <= 'Z') k.key = vk;
    if (vk >= '0' && vk <= '9' && !shift) k.key = vk;
    k.keypad = vk >= VK_NUMPAD0 && vk <= VK_DIVIDE;
    k.text = ctrl && vk >= 'A' && vk <= 'Z' ? QString(QChar(vk - 'A' + 1)) : QString(QChar::fromLatin1(ch));
    return k;
  }
  k.key = QtKeyOfNamedVirtualKey(vk);
  switch (vk) {
    case VK_BACK: k.text = QStringLiteral("\b"); break;
    case VK_TAB: k.text = QStringLiteral("\t"); break;
    case VK_RETURN: k.text = QStringLiteral("\r"); break;
    case VK_ESCAPE: k.text = QString(QChar(27)); break;
    default: break;
  }
  if (shift && vk == VK_TAB) k.key = Qt::Key_Backtab;
  return k;
}

Qt::MouseButton QtButtonOf(MouseButton b) {
  switch (b) {
    case MouseButton::Left: return Qt::LeftButton;
    case MouseButton::Right: return Qt::RightButton;
    case MouseButton::Middle: return Qt::MiddleButton;
    case MouseButton::None: break;
  }
  return Qt::NoButton;
}

MouseButton MacroButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return MouseButton::None;
  }
}

}  // namespace

TMacroMagic::TMacroMagic(QObject* parent) : QObject(parent) {
  playTimer_.setSingleShot(true);
  playTimer_.setInterval(0);
  connect(&playTimer_, &QTimer::timeout, this, &TMacroMagic::PlayNext);
}

TMacroMagic::~TMacroMagic() {
  if (qApp) qApp->removeEventFilter(this);
}

void TMacroMagic::SetMacroName(const std::string& name) {
  if (state_ != Ready && state_ != NoName) return;
  if (name.empty() || name == macroName_) return;
  macroName_ = name;
  state_ = Ready;
}

bool TMacroMagic::IsStopKey(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Cancel) return true;
  if (key.nativeVirtualKey() == kXkBreak) return true;
  return key.key() == Qt::Key_Pause && key.modifiers().testFlag(Qt::ControlModifier);
}

uint32_t TMacroMagic::Now() const { return static_cast<uint32_t>(clock_.elapsed()); }

// ---- Recording ----

void TMacroMagic::StartRecord() {
  if (state_ != Ready) return;
  file_ = MacroFileName(macroName_);
  events_.clear();
  events_.reserve(1024);
  heldModifiers_ = 0;
  heldKey_ = 0;
  pendingOverrideKey_ = 0;
  lastMouseEvent_ = nullptr;
  clock_.start();
  state_ = Recording;
  qApp->installEventFilter(this);
  if (OnRecord) OnRecord();
}

bool TMacroMagic::StopRecord() {
  if (state_ != Recording) return true;
  return WriteAndEnd(true, 0);
}

void TMacroMagic::Append(const MacroEvent& e) {
  if (state_ != Recording) return;
  events_.push_back(e);
  if (events_.size() < capacity_) return;
  QApplication::beep();
  WriteAndEnd(false, 0);
  MessageDlg(GetMessageText(43400, 43401), MsgDlgType::Warning, mbOK);
}

void TMacroMagic::AppendModifierSync(uint8_t wanted) {
  for (const MacroEvent& e : SyncModifiers(heldModifiers_, wanted, Now())) Append(e);
}

bool TMacroMagic::WriteAndEnd(bool trimHeldChord, uint8_t stopKey) {
  qApp->removeEventFilter(this);
  state_ = Ready;
  if (trimHeldChord) TrimStopChord(events_, stopKey ? stopKey : heldKey_, heldModifiers_);
  const std::string path = ExistingMacroFile(file_);
  const AtomicWriteResult r = ReplaceFileContents(path, FormatMacroRecords(events_));
  if (!r.Ok()) {
    MessageDlg(FileMessageText(FileMessage::CannotWrite, {FileNameInMessage(path), FileErrorReason(r.error)}),
               MsgDlgType::Error, mbOK);
  }
  if (OnRecordEnded) OnRecordEnded();
  return r.Ok();
}

void TMacroMagic::RecordKey(QObject* watched, QKeyEvent* key) {
  if (watched != KeyTarget()) return;
  const QEvent::Type type = key->type();
  if (type == QEvent::KeyPress && pendingOverrideKey_ == key->key() && pendingOverrideKey_ != 0) {
    pendingOverrideKey_ = 0;  // recorded at its shortcut override already
    return;
  }
  pendingOverrideKey_ = type == QEvent::ShortcutOverride ? key->key() : 0;
  const KeyStroke stroke = KeyStrokeOf(*key);
  const uint8_t vk = static_cast<uint8_t>(stroke.VirtualKey & 0xFF);
  if (vk == 0) return;
  const bool down = type != QEvent::KeyRelease;
  if (const uint8_t bit = ModifierBit(vk)) {
    if (down) {
      if ((heldModifiers_ & bit) && !key->isAutoRepeat()) return;
      heldModifiers_ |= bit;
    } else {
      if (!(heldModifiers_ & bit)) return;
      heldModifiers_ &= static_cast<uint8_t>(~bit);
    }
    Append(KeyRecord(vk, down, false, Now()));
    return;
  }
  if (down) AppendModifierSync(ShiftByteOf(key->modifiers()));
  const bool alt = heldModifiers_ & kShiftBitAlt, ctrl = heldModifiers_ & kShiftBitCtrl;
  const bool system = (alt && !ctrl) || vk == VK_F1 + 9;
  if (down) {
    heldKey_ = vk;
  } else if (heldKey_ == vk) {
    heldKey_ = 0;
  }
  Append(KeyRecord(vk, down, system, Now()));
}

void TMacroMagic::RecordMouse(QObject* watched, QEvent* event) {
  // A mouse event travels from the widget under the pointer to its parents:
  // keep it once, at the first.
  const auto* input = static_cast<QInputEvent*>(event);
  if (event == lastMouseEvent_ && input->timestamp() == lastMouseStamp_ && event->type() == lastMouseType_) return;
  lastMouseEvent_ = event;
  lastMouseStamp_ = input->timestamp();
  lastMouseType_ = event->type();
  (void)watched;
  MacroMouse m;
  if (event->type() == QEvent::Wheel) {
    const auto* w = static_cast<QWheelEvent*>(event);
    const QPoint g = w->globalPosition().toPoint();
    m = {MouseAction::Wheel, MouseButton::None, g.x(), g.y(), w->angleDelta().y()};
    AppendModifierSync(ShiftByteOf(w->modifiers()));
    Append(MouseRecord(m, Now()));
    return;
  }
  const auto* me = static_cast<QMouseEvent*>(event);
  const QPoint g = me->globalPosition().toPoint();
  m.x = g.x();
  m.y = g.y();
  switch (event->type()) {
    case QEvent::MouseMove:
      if (me->buttons() == Qt::NoButton) return;  // only drags matter
      m.action = MouseAction::Move;
      break;
    case QEvent::MouseButtonPress: m.action = MouseAction::Down; break;
    case QEvent::MouseButtonDblClick: m.action = MouseAction::DoubleClick; break;
    default: m.action = MouseAction::Up; break;
  }
  if (m.action != MouseAction::Move) {
    m.button = MacroButtonOf(me->button());
    if (m.button == MouseButton::None) return;
  }
  if (m.action == MouseAction::Down || m.action == MouseAction::DoubleClick) {
    AppendModifierSync(ShiftByteOf(me->modifiers()));
  }
  Append(MouseRecord(m, Now()));
}

bool TMacroMagic::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (!IsInputEvent(type) || !watched->isWidgetType()) return false;
  const bool key = IsKeyEvent(type);
  if (state_ == Recording) {
    if (key && type != QEvent::KeyRelease && IsStopKey(*static_cast<QKeyEvent*>(event))) {
      const bool ctrl = static_cast<QKeyEvent*>(event)->modifiers().testFlag(Qt::ControlModifier);
      if (ctrl) heldModifiers_ |= kShiftBitCtrl;
      WriteAndEnd(true, VK_PAUSE);
      event->accept();
      return true;
    }
    if (key) {
      RecordKey(watched, static_cast<QKeyEvent*>(event));
    } else {
      RecordMouse(watched, event);
    }
    return false;
  }
  if (state_ == Playing) {
    // The player's own events are sent while it dispatches; a shortcut
    // override outside that, or any spontaneous input, is the user's.
    if (dispatching_ > 0) return false;
    if (type != QEvent::ShortcutOverride && !event->spontaneous()) return false;
    if (key && type != QEvent::KeyRelease && IsStopKey(*static_cast<QKeyEvent*>(event))) CancelPlay();
    event->accept();  // an accepted override keeps the shortcut from firing
    return true;      // real input waits until the playback is over
  }
  return false;
}

// ---- Playback ----

void TMacroMagic::Play() {
  if (state_ != Ready) return;
  const std::string file = ExistingMacroFile(MacroFileName(macroName_));
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    throw ENoSuchMacro(FormatMessage(GetMessageText(38413, 41113), {FileNameInMessage(file)}));
  }
  std::string bytes;
  int error = 0;
  if (!ReadFileBytes(file, bytes, error)) {
    throw EMacroFileDamaged(FileMessageText(FileMessage::CannotRead, {FileNameInMessage(file), FileErrorReason(error)}));
  }
  auto events = ParseMacroRecords(bytes);
  if (!events) {
    throw EMacroFileDamaged(FormatMessage(GetMessageText(43402, 43403), {FileNameInMessage(file)}));
  }
  file_ = file;
  events_ = std::move(*events);
  index_ = 0;
  playModifiers_ = 0;
  playButtons_ = Qt::NoButton;
  mouseTarget_.clear();
  clock_.start();
  state_ = Playing;
  qApp->installEventFilter(this);
  playTimer_.start();
  if (OnPlay) OnPlay();
}

void TMacroMagic::CancelPlay() {
  if (state_ != Playing) return;
  FinishPlayback(true);
}

void TMacroMagic::FinishPlayback(bool cancelled) {
  playTimer_.stop();
  qApp->removeEventFilter(this);
  state_ = Ready;
  if (cancelled) {
    if (OnPlayCancelled) OnPlayCancelled();
    return;
  }
  if (OnPlayEnded) OnPlayEnded();
  if (LoopPlayback && state_ == Ready) Play();
}

void TMacroMagic::PlayNext() {
  if (state_ != Playing) return;
  if (index_ >= events_.size()) {
    FinishPlayback(false);
    return;
  }
  const MacroEvent e = events_[index_++];
  ++dispatching_;
  PlayEvent(e);
  --dispatching_;
  if (state_ == Playing) playTimer_.start();
}

void TMacroMagic::PlayEvent(const MacroEvent& e) {
  if (const auto k = KeyOfRecord(e)) {
    PlayKey(*k);
  } else if (const auto m = MouseOfRecord(e)) {
    PlayMouse(*m);
  }
}

void TMacroMagic::PlayKey(const MacroKey& k) {
  if (const uint8_t bit = ModifierBit(k.vk)) {
    playModifiers_ = k.down ? static_cast<uint8_t>(playModifiers_ | bit) : static_cast<uint8_t>(playModifiers_ & ~bit);
  }
  QWidget* target = KeyTarget();
  if (!target) return;
  const PlayedKey pk = QtKeyOf(k.vk, playModifiers_);
  if (pk.key == 0) return;
  Qt::KeyboardModifiers mods = ModifiersOf(playModifiers_);
  if (pk.keypad) mods |= Qt::KeypadModifier;
  // A non-spontaneous key press gets its shortcut override first, so a
  // menu shortcut fires as it did when the key was recorded.
  QKeyEvent ev(k.down ? QEvent::KeyPress : QEvent::KeyRelease, pk.key, mods, pk.text);
  QCoreApplication::sendEvent(target, &ev);
}

void TMacroMagic::PlayMouse(const MacroMouse& m) {
  const QPoint global(m.x, m.y);
  QWidget* target = playButtons_ != Qt::NoButton && mouseTarget_ ? mouseTarget_.data() : QApplication::widgetAt(global);
  if (!target) return;
  const Qt::KeyboardModifiers mods = ModifiersOf(playModifiers_);
  const QPointF local = target->mapFromGlobal(QPointF(global));
  if (m.action == MouseAction::Wheel) {
    QWheelEvent ev(local, QPointF(global), QPoint(), QPoint(0, m.wheel), playButtons_, mods, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &ev);
    return;
  }
  const Qt::MouseButton button = QtButtonOf(m.button);
  QEvent::Type type = QEvent::MouseMove;
  switch (m.action) {
    case MouseAction::Down:
      type = QEvent::MouseButtonPress;
      playButtons_ |= button;
      break;
    case MouseAction::DoubleClick:
      type = QEvent::MouseButtonDblClick;
      playButtons_ |= button;
      break;
    case MouseAction::Up:
      type = QEvent::MouseButtonRelease;
      playButtons_.setFlag(button, false);
      break;
    default: break;
  }
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
    mouseTarget_ = target;
    // A click gives the focus, as a real one does.
    if (target->focusPolicy() & Qt::ClickFocus) {
      target->activateWindow();
      target->setFocus(Qt::MouseFocusReason);
    }
  }
  QMouseEvent ev(type, local, QPointF(global), type == QEvent::MouseMove ? Qt::NoButton : button, playButtons_, mods);
  QCoreApplication::sendEvent(target, &ev);
}

}  // namespace nuvel
