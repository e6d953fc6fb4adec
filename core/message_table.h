#pragma once
// Message tables of the control framework, looked up by 16-bit id.
//
// A table ("STR0" format, little-endian): the magic "STR0", a u32 Count, then
// Count entries sorted by ascending id of (Id u32, Offset u32 from the start
// of the table, Length u32 in UTF-16 code units), then the texts in UTF-16LE,
// not zero-terminated.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace nuvel {

// Names of the two tables compiled into the program.
inline constexpr std::string_view kStringManagerTable = "NVCSRMGR_STRINGS";
inline constexpr std::string_view kEnglishMessageTable = "NVCMSG_ENGLISH";

class TNvcStringResource {
 public:
  // Opens the program's resource `resource_name`. Throws ENvcStringResourceError
  // when it is absent (text 3) or not a valid table (text 5).
  explicit TNvcStringResource(std::string_view resource_name);
  // Opens a table held in `data` (which must outlive the object).
  TNvcStringResource(std::string_view resource_name, std::span<const uint8_t> data);

  // The text of `id` in the ANSI code page (characters outside it become "?").
  // A missing id gives an empty text, or with ReportError throws
  // ENvcStringResourceError (text 1).
  std::string GetAsString(uint32_t id) const;
  // The text of `id`, or nullopt when the table has no such id.
  std::optional<std::string> Lookup(uint32_t id) const;

  bool ReportError = false;

 private:
  void Check(std::string_view resource_name) const;
  std::span<const uint8_t> data_;
};

// The text of the English message table for id & 0xFFFF; "Unknown" when absent.
std::string GetLibraryString(uint32_t id);

}  // namespace nuvel
