// The Palm desktop's users file from outside: any bytes give at most as many
// users as the count byte says, each with a name and folder of at most 31
// bytes, and never a read past the bytes (the sanitizers watch that).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "formats/palm_users_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto users = nuvel::ParsePalmUsersFile(std::span<const uint8_t>(data, size));
  if (size == 0 ? !users.empty() : users.size() > data[0]) std::abort();
  for (const nuvel::TPalmUser& u : users)
    if (u.Name.size() > nuvel::kPalmUserFieldMax || u.Folder.size() > nuvel::kPalmUserFieldMax) std::abort();
  return 0;
}
