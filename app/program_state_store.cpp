#include "app/program_state_store.h"

namespace nuvel {

TNvcRegistryStore& ProgramStateStore() {
  static TNvcRegistryStore store;
  static const bool named = (store.SetKeyName("Software\\Marvek Ila\\NuvelText"), true);
  (void)named;
  return store;
}

}  // namespace nuvel
