#include "core/key_macros.h"

#include <filesystem>
#include <vector>

#include "core/exceptions.h"
#include "core/ini_location.h"
#include "core/shared_state.h"
#include "platform/atomic_file.h"
#include "platform/program_path.h"

namespace nuvel {
namespace {

constexpr std::string_view kNameMarker = "&;";
constexpr int kLastSlot = kMacroSlots - 1;  // 41

std::vector<std::string_view> SplitLines(std::string_view data) {
  std::vector<std::string_view> lines;
  while (!data.empty()) {
    size_t end = data.find_first_of("\r\n");
    lines.push_back(data.substr(0, end));
    if (end == std::string_view::npos) break;
    size_t skip = (data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n') ? 2 : 1;
    data.remove_prefix(end + skip);
  }
  return lines;
}

bool ReadExisting(const std::string& path, std::string& bytes) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  if (!platform::ReadFileBytes(path, bytes)) throw EInOutError("Cannot read " + path);
  return true;
}

}  // namespace

MacroFileContent ParseMacroFile(std::string_view bytes) {
  // Trailing NUL and Ctrl+Z bytes are padding; at least one byte stays.
  while (bytes.size() > 1 && (bytes.back() == '\0' || bytes.back() == '\x1A')) bytes.remove_suffix(1);
  MacroFileContent content;
  auto lines = SplitLines(bytes);
  for (int slot = 1; slot <= kLastSlot; ++slot) {
    auto index = static_cast<size_t>(slot - 1);
    if (index < lines.size()) content.slots[static_cast<size_t>(slot)] = lines[index].substr(0, kMacroLength);
    index += kLastSlot;
    if (index < lines.size()) content.names[static_cast<size_t>(slot)] = lines[index].substr(0, kMacroLength);
  }
  return content;
}

std::string FormatMacroFile(const std::array<std::string, kMacroSlots>& slots, const MacroNames& names) {
  std::string out;
  for (int slot = 1; slot <= kLastSlot; ++slot) out += slots[static_cast<size_t>(slot)] + "\r\n";
  for (int slot = 1; slot <= kLastSlot; ++slot) out += names[static_cast<size_t>(slot)] + "\r\n";
  return out;
}

std::string MacroFilePath(const std::string& file_name) {
  if (!file_name.empty() && file_name.front() == '/') return file_name;
  return UserFileOrFactory(UserDataFolder(), ProgPath, file_name);
}

std::string UserMacroFilePath(const std::string& file_name) {
  if (!file_name.empty() && file_name.front() == '/') return file_name;
  return platform::FindFileNoCase(UserDataFolder(), file_name);
}

void LoadMacroKeys(const std::string& file_name) {
  std::string bytes;
  if (!ReadExisting(file_name, bytes)) return;
  MacroFileContent content = ParseMacroFile(bytes);
  for (int slot = 1; slot <= kLastSlot; ++slot) {
    MacroKeys[static_cast<size_t>(slot)] = content.slots[static_cast<size_t>(slot)];
  }
  MacroKeys[0] = MacroKeys[10];
}

void LoadMacroKeysForDialog(MacroNames& names, const std::string& file_name) {
  std::string bytes;
  if (!ReadExisting(MacroFilePath(file_name), bytes)) return;
  MacroFileContent content = ParseMacroFile(bytes);
  names = content.names;
  names[0].clear();
  for (int slot = 1; slot <= kLastSlot; ++slot) {
    const std::string& macro = content.slots[static_cast<size_t>(slot)];
    size_t marker = macro.find(kNameMarker);
    if (marker != std::string::npos) {
      names[static_cast<size_t>(slot)] = macro.substr(marker + kNameMarker.size(), kMacroLength);
    }
  }
}

bool SaveMacroKeysAs(const std::function<std::optional<std::string>(const MacroSaveDialog&)>& ask,
                     const MacroNames& names) {
  MacroSaveDialog dialog{"Save " + KeyFileName + " As", "Nuvel Macros|*.KEY", KeyFileName, UserDataFolder()};
  std::optional<std::string> chosen = ask ? ask(dialog) : std::nullopt;
  if (!chosen) return false;
  std::string path = UserMacroFilePath(*chosen);
  if (!platform::WriteFileAtomically(path, FormatMacroFile(MacroKeys, names))) {
    throw EInOutError("Cannot write " + path);
  }
  return true;
}

}  // namespace nuvel
