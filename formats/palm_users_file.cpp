#include "formats/palm_users_file.h"

#include <algorithm>

namespace nuvel {

namespace {

constexpr std::size_t kFirstRecord = 13;

// Reads a length byte and that many bytes at `at`; false when they run past
// the end.
bool ReadCounted(std::span<const uint8_t> bytes, std::size_t& at, std::string& out) {
  if (at >= bytes.size()) return false;
  const std::size_t length = bytes[at++];
  if (length > bytes.size() - at) return false;
  const std::size_t kept = std::min(length, kPalmUserFieldMax);
  out.assign(reinterpret_cast<const char*>(bytes.data() + at), kept);
  // A zero byte ends the text, as it would in the desktop's own fixed fields.
  out.resize(std::min(out.size(), out.find('\0')));
  at += length;
  return true;
}

}  // namespace

std::vector<TPalmUser> ParsePalmUsersFile(std::span<const uint8_t> bytes) {
  std::vector<TPalmUser> users;
  if (bytes.empty()) return users;
  const std::size_t count = bytes[0];
  std::size_t at = kFirstRecord;
  for (std::size_t i = 0; i < count; ++i) {
    if (at > bytes.size() || bytes.size() - at < 4) break;
    TPalmUser user;
    user.ID = static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
    at += 4;
    if (!ReadCounted(bytes, at, user.Name) || !ReadCounted(bytes, at, user.Folder)) break;
    users.push_back(std::move(user));
    if (i + 1 == count) break;
    // The next record follows the pair 0x01 0x80.
    bool found = false;
    for (; at + 1 < bytes.size(); ++at) {
      if (bytes[at] == 0x01 && bytes[at + 1] == 0x80) {
        at += 2;
        found = true;
        break;
      }
    }
    if (!found) break;
  }
  return users;
}

}  // namespace nuvel
