#pragma once
// The name under which the running copy of the program is found. Only the
// same user's copy of the same program file, with the same settings folder,
// on the same display answers a new start: a copy of another installation,
// of another user or on another screen never takes over a file.
#include <cstdint>
#include <string>
#include <string_view>

namespace nuvel {

struct SingleInstanceScope {
  std::string programFile;     // full path of the running program file
  std::string settingsFolder;  // the user's settings folder
  std::string display;         // the window system and its display, e.g. "xcb::0"
  std::string user;            // the user's name, for a readable name
  uint32_t uid = 0;            // the user's number
};

// "<program file name>-<user>-<16 hex digits>", the digits a hash of every
// field of `scope`; bytes other than letters, digits, ".", "_" and "-" in the
// readable part become "_" (the name becomes a socket and a file name), and
// the readable part is cut so that the whole stays short.
std::string SingleInstanceKey(const SingleInstanceScope& scope);

}  // namespace nuvel
