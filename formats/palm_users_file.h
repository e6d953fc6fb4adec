#pragma once
// The Palm desktop's list of its users ("users.dat" in the desktop's
// folder). Byte 0 holds the number of users; the first record starts at
// offset 13. A record is the user's number (2 bytes, little-endian), 2
// bytes more, the name and the user's folder each as a length byte and that
// many bytes, then data of the desktop's own up to and including the byte
// pair 0x01 0x80, after which the next record begins.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace nuvel {

inline constexpr std::size_t kPalmUserFieldMax = 31;  // longer names and folders are cut

struct TPalmUser {
  uint16_t ID = 0;
  std::string Name;    // at most 31 bytes
  std::string Folder;  // relative to the desktop's folder; at most 31 bytes
  bool operator==(const TPalmUser&) const = default;
};

// The users of the file's bytes. Every count and length is checked against
// the bytes there are: a damaged file gives the users read before the
// damage, an empty one gives none.
std::vector<TPalmUser> ParsePalmUsersFile(std::span<const uint8_t> bytes);

}  // namespace nuvel
