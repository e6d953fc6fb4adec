#pragma once
// One file of a folder as the file list holds it: the real name (bytes as
// the file system has them, case kept: it is the name every operation
// uses), the size and modification time in 64 bits, and the two attributes
// this system has: read-only (no write bit set) and hidden (a leading dot).
// Also the texts the list shows for it.
#include <cstdint>
#include <string>
#include <string_view>

namespace nuvel {

// Attribute bits, as the attribute dialog and HasAttr use them.
inline constexpr uint32_t faReadOnly = 0x01;
inline constexpr uint32_t faHidden = 0x02;
inline constexpr uint32_t faSystem = 0x04;
inline constexpr uint32_t faArchive = 0x20;

struct FileEntry {
  std::string name;
  uint64_t size = 0;
  int64_t modifiedNs = 0;  // nanoseconds since 1970, UTC
  bool readOnly = false;
  bool hidden = false;
  uint32_t Attributes() const { return (readOnly ? faReadOnly : 0) | (hidden ? faHidden : 0); }
};

// The Type column: the extension after the last dot, at most five
// characters; empty without a dot (a leading dot alone is no extension).
std::string FileTypeText(std::string_view name);

// The Modified column in local time: "yyyy/mm/dd hh:nn", the date alone at
// exactly midnight.
std::string ModifiedText(int64_t modifiedNs);

// The Attr column: four characters "RHSA", a blank for each attribute off.
std::string AttrText(uint32_t attributes);

// A size in decimal, exactly.
std::string SizeText(uint64_t size);

}  // namespace nuvel
