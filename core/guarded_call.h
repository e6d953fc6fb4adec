#pragma once
// The one guard at the border between the event loop and the program's own
// handlers: an exception a handler raises is shown as an error message (or
// handed to the caller's own display) and goes no further, so none crosses
// the event loop.
#include <exception>
#include <string>
#include <utility>

namespace nuvel {

// Shows `text` as an error message; an empty text shows the library's
// general error text.
void ShowGuardedError(const std::string& text);

// Runs `f`; what it throws goes to `show` as text. True when `f` finished.
template <class F, class Show>
bool GuardedWith(F&& f, Show&& show) noexcept {
  try {
    std::forward<F>(f)();
    return true;
  } catch (const std::exception& e) {
    show(std::string(e.what()));
  } catch (...) {
    show(std::string());
  }
  return false;
}

// Runs `f`; what it throws is shown as an error message. True when `f` finished.
template <class F>
bool Guarded(F&& f) noexcept {
  return GuardedWith(std::forward<F>(f), ShowGuardedError);
}

}  // namespace nuvel
