#pragma once
// Keeps the state of the conversion (mode, shared table and its contents,
// direction, dot codes) for a caller that forces a mode or prepares a table
// of its own, and puts it back when the caller is done, also when a
// conversion throws.
#include <optional>

#include "core/conv_engine.h"

namespace nuvel {

class ConvStateGuard {
 public:
  ConvStateGuard();
  // Keeps the state, then makes `mode` current.
  explicit ConvStateGuard(int mode);
  ~ConvStateGuard();
  ConvStateGuard(const ConvStateGuard&) = delete;
  ConvStateGuard& operator=(const ConvStateGuard&) = delete;

 private:
  int mode_;
  const uint8_t* table_;
  std::optional<ConvTableBytes> shared_contents_;
  bool out_;
  uint8_t shin_dot_;
  uint8_t sin_dot_;
};

}  // namespace nuvel
