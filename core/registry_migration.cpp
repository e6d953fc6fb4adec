#include "core/registry_migration.h"

#include "core/settings.h"
#include "platform/registry_store.h"

namespace nuvel {

std::string MigrateOlderVersionKey() {
  platform::RegistryStore store;
  const std::string base(kRegistryBaseKey);
  const std::string target = base + std::string(kCurrentVersion);
  if (store.KeyExists(target)) return {};
  for (std::string_view version : kOlderVersions) {
    if (store.MoveKey(base + std::string(version), target, /*delete_source=*/true)) {
      store.Flush();
      return std::string(version);
    }
  }
  return {};
}

}  // namespace nuvel
