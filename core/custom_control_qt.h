#pragma once
// Base classes of the framework's windowed controls. TNvcCustomControl adds
// an optional attached label, AfterEnter/AfterExit notifications that run
// after the focus change has completed, and a mouse-wheel event.
// TNvcCustomControlEx adds the controller whose command tables translate
// the control's keys.
#include <QWidget>
#include <functional>

#include "core/attached_label_qt.h"
#include "core/controller_link_qt.h"
#include "platform/key_stroke.h"

namespace nuvel {

// For a shortcut-override request of a key the control claims (`wants`):
// accepts it, so the key comes to the control before the window's
// shortcuts and menu mnemonics. True when it did.
bool ClaimShortcutOverride(QEvent* e, const std::function<bool(QKeyEvent*)>& wants);

// A control's window creation, run once on its first showing (`created`
// records that it ran). Errors never cross the event loop: one is shown
// here as the error message it is.
void CreateOnFirstShow(bool& created, const std::function<void()>& create);

class TNvcCustomControl : public QWidget {
  Q_OBJECT
 public:
  explicit TNvcCustomControl(QWidget* parent = nullptr);
  ~TNvcCustomControl() override;

  TNvcLabelLink& LabelInfo() { return label_; }
  // The attached label; raises "Label not attached" when there is none.
  TNvcAttachedLabel* AttachedLabel() const { return label_.AttachedLabel(); }

  std::function<void(QObject* sender)> AfterEnter;
  std::function<void(QObject* sender)> AfterExit;
  // Sender, modifier state, wheel turn (120 a notch), pointer on the screen.
  std::function<void(QObject* sender, const platform::TShiftState& shift, int delta, int x, int y)>
      OnMouseWheel;

 protected:
  // Fires OnMouseWheel; controls that scroll override it.
  virtual void DoMouseWheel(const platform::TShiftState& shift, int delta, int x, int y);

  bool event(QEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  TNvcLabelLink label_;
  bool movePending_ = false;
};

class TNvcCustomControlEx : public TNvcCustomControl {
  Q_OBJECT
 public:
  explicit TNvcCustomControlEx(QWidget* parent = nullptr);

  TNvcController* Controller() { return controller_.Controller(); }
  bool ControllerAssigned() const { return controller_.ControllerAssigned(); }
  virtual void SetController(TNvcController* controller);
  // Window creation: takes the form's controller when the control has none;
  // raises ENoControllerAssigned when there is none. Runs when the control
  // is first shown, where a failure is shown as an error message.
  virtual void CreateWnd();

 protected:
  // Whether the control takes this key before the window's shortcuts and
  // menu mnemonics: by default when the controller's tables make a command
  // of it or a two-key sequence is pending.
  virtual bool WantsShortcutKey(QKeyEvent* event);

  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  TNvcControllerLink controller_;
  bool created_ = false;
};

}  // namespace nuvel
