#include "core/framework_errors.h"

#include <stdexcept>

// TEMPORARY stand-in until the shared exception family is on main: these will
// raise ETableNotFound, EDuplicateCommand, ENoTimersAvailable and
// ENoControllerAssigned.
namespace nuvel {

void RaiseTableNotFound() {
  throw std::runtime_error("Command table not found or command table index out of range");
}
void RaiseDuplicateCommand() {
  throw std::runtime_error("Duplicate command found while adding a new command to the table");
}
void RaiseNoTimersAvailable() { throw std::runtime_error("No Window's timers are available"); }
void RaiseNoControllerAssigned() { throw std::runtime_error("No Controller assigned"); }
void RaiseInOutError(const char* what) { throw std::runtime_error(what); }

}  // namespace nuvel
