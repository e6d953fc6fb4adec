#pragma once
// How a framework control finds and keeps its controller, and how it claims
// the keys its controller's command tables use before menu shortcuts and
// mnemonics can take them.
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "core/controller_qt.h"

namespace nuvel {

// The first controller among the objects of the control's form (its
// top-level window), or null.
TNvcController* FindFormController(const QWidget* control);

class TNvcControllerLink {
 public:
  explicit TNvcControllerLink(QWidget* control) : control_(control) {}

  // The controller; a control without one takes its form's controller when
  // the form has one by now.
  TNvcController* Controller();
  bool ControllerAssigned() const { return !controller_.isNull(); }
  void SetController(TNvcController* controller) { controller_ = controller; }
  // At window creation: takes the form's controller when the control has
  // none; raises ENoControllerAssigned when the form has none either.
  void LookUp();

  // For a shortcut-override event: accepts it, so the key comes to the
  // control as a key press, when the controller's tables make a command of
  // it or a two-key sequence is pending. Returns whether it accepted.
  bool ClaimShortcut(QKeyEvent* event);

 private:
  QWidget* control_;
  QPointer<TNvcController> controller_;
};

}  // namespace nuvel
