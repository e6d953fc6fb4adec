#include "app/main_form_settings.h"

#include <charconv>
#include <string_view>

#include "core/conv_mode.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "ui/interface_language.h"

namespace nuvel {

namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool IniOn(const char* key) { return ReadIniBool("GENPREFS", key); }

int IniNumber(const char* key, int fallback) {
  const std::string value = ReadIniString("GENPREFS", key);
  if (value == kNotFound) return fallback;
  return ParseSettingsNumber(value).value_or(fallback);
}

int RegNumber(const char* name, int fallback) {
  const std::string value = ReadRegString("GENPREFS", name);
  if (value == kNotFound) return fallback;
  return ParseSettingsNumber(value).value_or(fallback);
}

std::optional<WindowPlacement> ParsePlacement(std::string_view text) {
  int v[4];
  for (int i = 0; i < 4; ++i) {
    const size_t blank = i < 3 ? text.find(' ') : text.size();
    if (blank == std::string_view::npos) return std::nullopt;
    const auto n = ParseSettingsNumber(text.substr(0, blank));
    if (!n) return std::nullopt;
    v[i] = *n;
    if (i < 3) text.remove_prefix(blank + 1);
  }
  if (v[0] <= 0 || v[1] <= 0) return std::nullopt;
  return WindowPlacement{v[0], v[1], v[2], v[3]};
}

}  // namespace

std::optional<int> ParseSettingsNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty()) return std::nullopt;
  int value = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

MainFormSettings ReadMainFormSettings() {
  MainFormSettings s;
  for (int i = 0; i < 4; ++i) {
    const std::string key = "LoadFont" + std::to_string(i + 1);
    s.LoadFont[i] = ReadIniString("StartUp", key) == "1";
  }
  s.EnglishUI = ChooseEnglishUI(ReadIniString("StartUp", "Eng_Prompts"), IsHebrewLocale());

  const std::string position = ReadIniString("StartUp", "WindowPosition");
  if (position != kNotFound) {
    if (auto p = ParsePlacement(position)) s.Placement = *p;
  }
  const std::string state = ReadIniString("StartUp", "WindowState");
  if (state != kNotFound) {
    const auto n = ParseSettingsNumber(state);
    if (n == 0 || n == 1) s.ShowState = WindowShowState::Normal;
    // 2 and anything malformed: maximized, the default.
  }

  s.MakeBackup = IniOn("Make_Backup");
  s.AutoIndent = IniOn("AutoIndent");
  s.WordStarCommands = IniOn("WordStarCommands");
  s.AutoSave = IniOn("AutoSave");
  {
    const std::string value = ReadIniString("GENPREFS", "AutoSaveInt");
    if (value != kNotFound) {
      const auto n = ParseSettingsNumber(value);
      if (n && *n > 0 && *n <= 35791394) s.AutoSaveInt = *n * 60;
    }
  }
  s.ShowToolBar = ReadIniString("GENPREFS", "Show_Tool_Bar") != "0";
  s.ShowFileTabs = ReadRegString("GENPREFS", "Show_FileTabs") != "0";
  s.WinTabFullPath = ReadRegString("GENPREFS", "WinTabFullFl") == "1";
  s.ShowTime = IniOn("ShowTime");
  s.RepWoDlg = IniOn("RepWoDlg");
  s.FullNuvel = IniOn("FullNuvel");
  s.NuvelDlg = IniOn("NuvelDlg");

  const std::string config = ReadIniString("GENPREFS", "EditConfig");
  if (config != kNotFound && !config.empty() && config[0] >= '0' && config[0] <= '6') {
    s.EditConfig = config[0] - '0';
  } else {
    SaveConvMode(2);
    WriteIniString("GENPREFS", "DISK_FMT", "0");
  }

  for (int i = 0; i < 10; ++i) {
    const std::string value = ReadIniString("REOPEN", std::to_string(i));
    if (value != kNotFound) s.Reopen.push_back(value);
  }

  s.EngFile = IniOn("ENG_FILE");
  const std::string keytype = ReadIniString("GENPREFS", "KEYTYPE");
  if (keytype != kNotFound && !keytype.empty()) s.KeyType = keytype[0];

  if (!s.NoConversion()) {
    s.WordWrap = IniOn("WordWrap");
    s.WrapToWindow = IniOn("WrapToWindow");
    std::string column = ReadIniString("GENPREFS", "WrapColumn");
    if (column != kNotFound) {
      if (column.size() > 254) column.resize(254);
      const auto n = ParseSettingsNumber(column);
      if (n && *n > 0) s.WrapColumn = *n;
    }
    s.PersistentBlocks = IniOn("Persistent_Blocks");
  }
  s.DiskFmt = IniNumber("DISK_FMT", 0);
  s.Conversion = IniNumber("Conversion", 0);

  s.ChildState = RegNumber("ChildState", 0);
  s.HebSheimProt = ReadRegString("GENPREFS", "HebSheimProt") == "1";
  s.EngSheimProt = ReadRegString("GENPREFS", "EngSheimProt") == "1";
  s.AutoMin = ReadRegString("GENPREFS", "AutoMin") == "1";
  {
    const std::string value = ReadRegString("GENPREFS", "AutoMinInt");
    if (value != kNotFound) {
      const auto n = ParseSettingsNumber(value);
      if (n && *n > 0 && *n <= 35791394) s.AutoMinInt = *n * 60;
    }
  }
  return s;
}

}  // namespace nuvel
