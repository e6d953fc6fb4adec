#include "platform/string_library.h"

#include <algorithm>

#include "platform/atomic_file.h"
#include "platform/program_path.h"

namespace nuvel::platform {
namespace {

uint32_t U32At(std::string_view d, size_t at) {
  auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(d[at + i])); };
  return b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24;
}

}  // namespace

std::optional<StringLibrary> StringLibrary::FromBytes(std::string bytes) {
  if (bytes.size() < 8 || bytes.compare(0, 4, "NSTR") != 0) return std::nullopt;
  uint64_t count = U32At(bytes, 4);
  if (8 + count * 12 > bytes.size()) return std::nullopt;
  StringLibrary library;
  library.entries_.reserve(static_cast<size_t>(count));
  for (size_t i = 0; i < count; ++i) {
    Entry e{U32At(bytes, 8 + i * 12), U32At(bytes, 12 + i * 12), U32At(bytes, 16 + i * 12)};
    if (static_cast<uint64_t>(e.offset) + e.length > bytes.size()) return std::nullopt;
    library.entries_.push_back(e);
  }
  std::sort(library.entries_.begin(), library.entries_.end(),
            [](const Entry& a, const Entry& b) { return a.id < b.id; });
  library.bytes_ = std::move(bytes);
  return library;
}

std::optional<StringLibrary> StringLibrary::Load() {
  std::string bytes;
  if (!ReadFileBytes(ProgramDataFile(std::string(kStringLibraryName)), bytes)) return std::nullopt;
  return FromBytes(std::move(bytes));
}

std::string StringLibrary::Text(uint16_t id) const {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), id,
                             [](const Entry& e, uint32_t wanted) { return e.id < wanted; });
  if (it == entries_.end() || it->id != id) return {};
  std::string text = bytes_.substr(it->offset, std::min<size_t>(it->length, kMaxLibraryText));
  // The library's texts are zero-terminated strings: a NUL ends the text.
  if (size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  return text;
}

std::string LoadLibraryString(uint16_t id) {
  auto library = StringLibrary::Load();
  return library ? library->Text(id) : std::string();
}

}  // namespace nuvel::platform
