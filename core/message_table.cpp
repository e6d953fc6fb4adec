#include "core/message_table.h"

#include "core/exceptions.h"
#include "core/program_resources.h"

namespace nuvel {
namespace {

uint32_t U32At(std::span<const uint8_t> d, size_t at) {
  return static_cast<uint32_t>(d[at]) | static_cast<uint32_t>(d[at + 1]) << 8 |
         static_cast<uint32_t>(d[at + 2]) << 16 | static_cast<uint32_t>(d[at + 3]) << 24;
}

// The string manager's own texts, with "%d" or "%s" filled in.
std::string ManagerText(uint32_t id, std::string_view argument) {
  static const TNvcStringResource manager(kStringManagerTable);
  std::string text = manager.GetAsString(id);
  for (std::string_view mark : {"%d", "%s"}) {
    if (size_t at = text.find(mark); at != std::string::npos) {
      text.replace(at, mark.size(), argument);
      break;
    }
  }
  return text;
}

// UTF-16 code unit to the ANSI code page (Windows-1255): ASCII, the Hebrew
// letters and points; anything else becomes "?".
char AnsiOf(uint32_t unit) {
  if (unit < 0x80) return static_cast<char>(unit);
  if (unit >= 0x05D0 && unit <= 0x05EA) return static_cast<char>(0xE0 + (unit - 0x05D0));
  if (unit >= 0x05B0 && unit <= 0x05C3) return static_cast<char>(0xC0 + (unit - 0x05B0));
  return '?';
}

}  // namespace

TNvcStringResource::TNvcStringResource(std::string_view resource_name)
    : data_(FindProgramResource(resource_name)) {
  if (data_.empty()) {
    if (resource_name == kStringManagerTable) {
      throw ENvcStringResourceError("String resource not found: " + std::string(resource_name));
    }
    throw ENvcStringResourceError(ManagerText(3, resource_name));
  }
  Check(resource_name);
}

TNvcStringResource::TNvcStringResource(std::string_view resource_name, std::span<const uint8_t> data)
    : data_(data) {
  Check(resource_name);
}

void TNvcStringResource::Check(std::string_view resource_name) const {
  auto invalid = [&] {
    if (resource_name == kStringManagerTable) return ENvcStringResourceError("Invalid NVString resource");
    return ENvcStringResourceError(ManagerText(5, resource_name));
  };
  if (data_.size() < 8 || data_[0] != 'S' || data_[1] != 'T' || data_[2] != 'R' || data_[3] != '0') throw invalid();
  uint64_t count = U32At(data_, 4);
  if (8 + count * 12 > data_.size()) throw invalid();
  // Every entry's text must lie inside the table, so a lookup never reads past it.
  for (uint64_t i = 0; i < count; ++i) {
    size_t at = 8 + static_cast<size_t>(i) * 12;
    uint64_t offset = U32At(data_, at + 4);
    uint64_t length = U32At(data_, at + 8);
    if (offset + length * 2 > data_.size()) throw invalid();
  }
}

std::string TNvcStringResource::GetAsString(uint32_t id) const {
  if (auto text = Lookup(id)) return *text;
  if (ReportError) throw ENvcStringResourceError(ManagerText(1, std::to_string(id)));
  return {};
}

std::optional<std::string> TNvcStringResource::Lookup(uint32_t id) const {
  int64_t low = 0;
  int64_t high = static_cast<int64_t>(U32At(data_, 4)) - 1;
  while (low <= high) {
    int64_t middle = (low + high) / 2;
    size_t at = 8 + static_cast<size_t>(middle) * 12;
    uint32_t entry = U32At(data_, at);
    if (entry == id) {
      size_t offset = U32At(data_, at + 4);
      size_t length = U32At(data_, at + 8);
      std::string text;
      text.reserve(length);
      for (size_t i = 0; i < length; ++i) {
        uint32_t unit = data_[offset + 2 * i] | static_cast<uint32_t>(data_[offset + 2 * i + 1]) << 8;
        text += AnsiOf(unit);
      }
      return text;
    }
    if (entry < id) {
      low = middle + 1;
    } else {
      high = middle - 1;
    }
  }
  return std::nullopt;
}

std::string GetLibraryString(uint32_t id) {
  static const TNvcStringResource english(kEnglishMessageTable);
  return english.Lookup(id & 0xFFFF).value_or("Unknown");
}

}  // namespace nuvel
