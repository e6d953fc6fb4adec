#include "core/settings.h"

#include <charconv>

#include "core/ini_location.h"
#include "core/key_macros.h"
#include "core/registry_migration.h"
#include "core/shared_state.h"
#include "platform/message_sink.h"
#include "platform/profile.h"
#include "platform/program_path.h"
#include "platform/registry_store.h"

namespace nuvel {

std::string RegistryKeyOf(std::string_view subkey) {
  return std::string(kRegistryBaseKey) + std::string(kCurrentVersion) + "\\" + std::string(subkey);
}

std::string IniFileName() { return IniFileFor(ProgPath, IniBaseName); }

std::string ReadIniString(std::string_view section, std::string_view key) {
  return platform::GetPrivateProfileString(section, key, IniFileToRead(ProgPath, IniBaseName))
      .value_or(std::string(kNotFound));
}

bool ReadIniBool(std::string_view section, std::string_view key) { return ReadIniString(section, key) == "1"; }

void WriteIniString(std::string_view section, std::string_view key, std::optional<std::string_view> value) {
  platform::WritePrivateProfileString(section, key, value, IniFileName());
}

std::string ReadRegString(std::string_view subkey, std::string_view name) {
  platform::RegistryStore store;
  auto value = store.ReadString(RegistryKeyOf(subkey), name);
  if (!value || value->empty()) return std::string(kNotFound);
  return *value;
}

void WriteRegString(std::string_view subkey, std::string_view name, std::string_view value) {
  platform::RegistryStore store;
  store.WriteString(RegistryKeyOf(subkey), name, value);
}

void LoadRegStrings(std::string_view subkey, std::vector<std::string>& list) {
  platform::RegistryStore store;
  const std::string key = RegistryKeyOf(subkey);
  std::string count_text = store.ReadString(key, "Count").value_or("");
  int32_t count = 0;
  auto [end, ec] = std::from_chars(count_text.data(), count_text.data() + count_text.size(), count);
  if (count_text.empty() || ec != std::errc() || end != count_text.data() + count_text.size()) return;
  for (int32_t i = 0; i < count; ++i) {
    auto item = store.ReadString(key, "H" + std::to_string(i));
    if (!item || item->empty()) break;
    list.push_back(std::move(*item));
  }
}

void SaveRegStrings(std::string_view subkey, const std::vector<std::string>& list) {
  platform::RegistryStore store;
  const std::string key = RegistryKeyOf(subkey);
  store.WriteString(key, "Count", std::to_string(list.size()));
  for (size_t i = 0; i < list.size(); ++i) store.WriteString(key, "H" + std::to_string(i), list[i]);
}

namespace {

// The first-run defaults go to the user's own copy of the INI file, a file the
// program never reads back: they only mark that the program has run.
void WriteFirstRunDefaults() {
  const std::string file = platform::UserConfigFolder() + "nuvel/" + IniBaseName + ".INI";
  platform::WritePrivateProfileString("FILES", "PPATH", ProgPath, file);
  platform::WritePrivateProfileString("GENPREFS", "ENG_FILE", "0", file);
  platform::WritePrivateProfileString("GENPREFS", "ENG_PROMPTS", "1", file);
  platform::WritePrivateProfileString("GENPREFS", "WordWrap", "1", file);
  platform::WritePrivateProfileString("GENPREFS", "WrapToWindow", "1", file);
}

}  // namespace

bool InitStartUpIn(const std::string& program_folder) {
  MigrateOlderVersionKey();

  ProgPath = program_folder;
  if (ProgPath.empty()) {
    platform::ShowMessage("Invalid Program Path");
    return false;
  }
  if (ReadIniString("GENPREFS", "ENG_FILE") == kNotFound) WriteFirstRunDefaults();

  DataFileName = "DIDOD.drf";
  KeyFileName = "DIDOD.key";
  LoadMacroKeys(MacroFilePath(KeyFileName));

  DageshState = false;
  VowelSkip = false;

  DigitTable.fill(false);
  for (int c = '0'; c <= '9'; ++c) DigitTable[static_cast<size_t>(c)] = true;
  DigitTable['.'] = true;
  return true;
}

bool InitStartUp() { return InitStartUpIn(platform::ProgramFolder()); }

}  // namespace nuvel
