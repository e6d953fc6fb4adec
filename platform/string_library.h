#pragma once
// The string library "NuvStr.DLL" beside the program: texts in the system's
// 8-bit character set looked up by 16-bit id. It is built from the UTF-8
// sources in data/strings/.
//
// File layout (little-endian): the magic "NSTR", a u32 Count, Count entries
// sorted by ascending id of (Id u32, Offset u32 from the file start, Length
// u32 in bytes), then the texts.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel::platform {

inline constexpr std::string_view kStringLibraryName = "NuvStr.DLL";
// A text holds at most 149 characters (the lookup buffer holds 150 with the terminating zero).
inline constexpr size_t kMaxLibraryText = 149;

class StringLibrary {
 public:
  // Loads the library from the program folder (its name found without regard
  // to case); nullopt when the file is missing or damaged.
  static std::optional<StringLibrary> Load();
  // Loads the library held in `bytes`; nullopt when they are not a valid library.
  static std::optional<StringLibrary> FromBytes(std::string bytes);

  // The text of `id`, cut to 149 characters; empty for an id the library does not hold.
  std::string Text(uint16_t id) const;

 private:
  struct Entry {
    uint32_t id;
    uint32_t offset;
    uint32_t length;
  };
  std::string bytes_;
  std::vector<Entry> entries_;
};

// One text from the library beside the program: loads it, looks the id up and
// lets it go again. Empty when the library or the id is missing.
std::string LoadLibraryString(uint16_t id);

}  // namespace nuvel::platform
