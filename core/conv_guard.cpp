#include "core/conv_guard.h"

#include "core/conv_mode.h"
#include "core/conv_table.h"
#include "core/shared_state.h"

namespace nuvel {

ConvStateGuard::ConvStateGuard()
    : mode_(GetConvMode()),
      table_(ConvTable),
      out_(ConvTableOut),
      shin_dot_(ShinDotCode),
      sin_dot_(SinDotCode) {
  auto& shared = SharedConvTable();
  if (shared && table_ == shared->data()) shared_contents_ = *shared;
}

ConvStateGuard::ConvStateGuard(int mode) : ConvStateGuard() { SetConvMode(mode); }

ConvStateGuard::~ConvStateGuard() {
  auto& shared = SharedConvTable();
  if (shared_contents_) {
    if (!shared) shared = std::make_unique<ConvTableBytes>();
    *shared = *shared_contents_;
    ConvTable = shared->data();
  } else {
    ConvTable = table_;
    // A table prepared under the guard, where there was none before, goes.
    if (shared && ConvTable != shared->data()) shared.reset();
  }
  SetConvMode(mode_);
  ConvTableOut = out_;
  ShinDotCode = shin_dot_;
  SinDotCode = sin_dot_;
}

}  // namespace nuvel
