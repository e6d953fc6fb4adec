#pragma once
// The per-user store the tool windows keep their placement in between runs
// (the registry key the main window's lists use too).
#include "core/state_store.h"

namespace nuvel {

TNvcRegistryStore& ProgramStateStore();

}  // namespace nuvel
