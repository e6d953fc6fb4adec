#include "app/input_script_qt.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>
#include <cstdio>

#include "app/main_form_qt.h"

namespace nuvel {

namespace {

// Gap between steps, so that what a step posts is handled before the next.
constexpr int kStepGapMs = 30;

QWidget* KeyTarget(TMainForm& form) {
  // A modal dialog takes the keys, where the window system has not given it
  // the focus yet (the offscreen platform activates no window).
  if (QWidget* modal = QApplication::activeModalWidget()) {
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == modal) return focus;
    if (QWidget* inner = modal->focusWidget()) return inner;
    return modal;
  }
  if (QWidget* w = QApplication::focusWidget()) return w;
  if (QWidget* w = QApplication::activeWindow()) return w->focusWidget() ? w->focusWidget() : w;
  // No window is active: the widget the main window would give the focus to.
  if (QWidget* w = form.focusWidget()) return w;
  return &form;
}

void SendKey(TMainForm& form, int key, Qt::KeyboardModifiers mods, const QString& text) {
  QWidget* target = KeyTarget(form);
  // As the window system's keys go: the focused widget may claim the key
  // first; otherwise a shortcut of its window takes it.
  QKeyEvent override(QEvent::ShortcutOverride, key, mods, text);
  override.ignore();
  QApplication::sendEvent(target, &override);
  if (!override.isAccepted() && !QApplication::activeModalWidget() && target->window() == &form) {
    const QKeySequence keys(QKeyCombination(mods, static_cast<Qt::Key>(key)));
    for (QAction* a : form.findChildren<QAction*>()) {
      if (a->isEnabled() && a->shortcuts().contains(keys)) {
        a->trigger();
        return;
      }
    }
  }
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(target, &press);
  // The press may have closed the target's window; release to whoever has the focus now.
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(KeyTarget(form), &release);
}

// The key a character is typed with, as a keyboard with Latin letters gives it.
void TypeCharacter(TMainForm& form, QChar c) {
  const char16_t u = c.unicode();
  int key = 0;
  Qt::KeyboardModifiers mods = Qt::NoModifier;
  if (u >= 'a' && u <= 'z') {
    key = Qt::Key_A + (u - 'a');
  } else if (u >= 'A' && u <= 'Z') {
    key = Qt::Key_A + (u - 'A');
    mods = Qt::ShiftModifier;
  } else if (u >= 0x20 && u < 0x7F) {
    key = u;  // digits and punctuation: the key code is the character's own
  }
  SendKey(form, key, mods, QString(c));
}

// The text a key press carries: its character for plain printable keys and
// the control characters of the editing keys; none for command chords.
QString KeyText(int key, Qt::KeyboardModifiers mods) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QStringLiteral("\r");
    case Qt::Key_Tab: return QStringLiteral("\t");
    case Qt::Key_Backspace: return QStringLiteral("\b");
    case Qt::Key_Escape: return QStringLiteral("\x1b");
    default: break;
  }
  if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
  if (key >= 0x20 && key < 0x7F) {
    QChar c(static_cast<char16_t>(key));
    return (mods & Qt::ShiftModifier) ? QString(c) : QString(c.toLower());
  }
  return {};
}

}  // namespace

InputScriptPlayer::InputScriptPlayer(InputScript script, TMainForm& form, QObject* parent)
    : QObject(parent), script_(std::move(script)), form_(form) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &InputScriptPlayer::Next);
}

void InputScriptPlayer::Start() { timer_.start(kStepGapMs); }

void InputScriptPlayer::Next() {
  if (!form_.FirstActivationDone()) {
    timer_.start(kStepGapMs);
    return;
  }
  if (next_ >= script_.steps.size()) return;
  const InputStep& step = script_.steps[next_++];
  timer_.start(step.kind == InputStepKind::Wait ? step.ms : kStepGapMs);
  Play(step);
}

void InputScriptPlayer::Play(const InputStep& step) {
  switch (step.kind) {
    case InputStepKind::Type:
      for (QChar c : QString::fromStdString(step.text)) TypeCharacter(form_, c);
      break;
    case InputStepKind::Key: {
      const QKeySequence seq = QKeySequence::fromString(QString::fromStdString(step.text), QKeySequence::PortableText);
      if (seq.isEmpty() || seq[0].key() == Qt::Key_unknown) {
        std::fprintf(stderr, "nuvel: input script: unknown key \"%s\"\n", step.text.c_str());
        break;
      }
      const int key = seq[0].key();
      const Qt::KeyboardModifiers mods = seq[0].keyboardModifiers();
      SendKey(form_, key, mods, KeyText(key, mods));
      break;
    }
    case InputStepKind::Menu:
      if (QAction* item = form_.Item(QString::fromStdString(step.text)))
        item->trigger();
      else
        std::fprintf(stderr, "nuvel: input script: no menu item \"%s\"\n", step.text.c_str());
      break;
    case InputStepKind::Wait: break;
  }
}

}  // namespace nuvel
