#include "core/controller_link_qt.h"

#include "core/exceptions.h"
#include "platform/qt/key_edge_qt.h"
#include "platform/virtual_keys.h"

namespace nuvel {

TNvcController* FindFormController(const QWidget* control) {
  if (control == nullptr) return nullptr;
  const QWidget* form = control->window();
  return form->findChild<TNvcController*>();
}

TNvcController* TNvcControllerLink::Controller() {
  if (controller_.isNull()) controller_ = FindFormController(control_);
  return controller_.data();
}

void TNvcControllerLink::LookUp() {
  if (Controller() == nullptr) throw ENoControllerAssigned();
}

bool TNvcControllerLink::ClaimShortcut(QKeyEvent* event) {
  TNvcController* controller = Controller();
  if (controller == nullptr) return false;
  const platform::KeyStroke key = platform::KeyStrokeOf(*event);
  if (key.VirtualKey == 0) return false;
  TNvcCommandProcessor& processor = controller->EntryCommands();
  bool claim = processor.State() != TNvcCommandProcessor::TState::Idle;
  if (!claim) {
    const TNvcCommand answer = processor.PeekKey(key);
    claim = answer != ccNone && answer != ccNoCommand;
  }
  if (claim) event->accept();
  return claim;
}

}  // namespace nuvel
