#pragma once
// Raising the control framework's errors from engine code.
namespace nuvel {

[[noreturn]] void RaiseTableNotFound();
[[noreturn]] void RaiseDuplicateCommand();
[[noreturn]] void RaiseNoTimersAvailable();
[[noreturn]] void RaiseNoControllerAssigned();
// A text file that cannot be read or holds something other than numbers.
[[noreturn]] void RaiseInOutError(const char* what);

}  // namespace nuvel
