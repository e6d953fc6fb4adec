#include "app/preferences.h"

#include "app/main_form_settings.h"
#include "core/color_codec.h"
#include "core/conv_mode.h"
#include "core/settings.h"

namespace nuvel {

namespace {

constexpr std::string_view kPrefs = "GENPREFS";

std::optional<std::string> IniValue(std::string_view section, std::string_view key) {
  std::string v = ReadIniString(section, key);
  if (v == kNotFound) return std::nullopt;
  return v;
}
std::optional<std::string> RegValue(std::string_view subkey, std::string_view name) {
  std::string v = ReadRegString(subkey, name);
  if (v == kNotFound) return std::nullopt;
  return v;
}

int NumberIn(const std::optional<std::string>& v, int low, int high, int fallback) {
  if (!v) return fallback;
  const auto n = ParseSettingsNumber(*v);
  return n && *n >= low && *n <= high ? *n : fallback;
}

TColor ColorOr(const std::optional<std::string>& v, TColor fallback) {
  if (!v) return fallback;
  return ParseStoredColor(*v).value_or(fallback);
}

bool On(std::string_view key) { return ReadIniBool(kPrefs, key); }
// Shown unless stored as "0".
bool NotOff(const std::optional<std::string>& v) { return !v || *v != "0"; }
bool RegOn(std::string_view name) { return ReadRegString(kPrefs, name) == "1"; }

std::string TextOr(const std::optional<std::string>& v, std::string_view fallback) {
  return v ? *v : std::string(fallback);
}

const char* Check(bool on) { return on ? "1" : "0"; }

}  // namespace

Preferences ReadPreferences() {
  Preferences p;
  p.EnglishDocument = On("ENG_FILE");
  p.EditConfig = NumberIn(IniValue(kPrefs, "EditConfig"), 0, 6, 0);
  p.Default3B2Style = TextOr(IniValue("S3B2", "Default_Style"), "<body>");
  p.DiskFormat = NumberIn(IniValue(kPrefs, "DISK_FMT"), 0, 5, 0);
  p.SmartLoad = On("Smart_Load");
  p.Conversion = NumberIn(IniValue(kPrefs, "Conversion"), 0, 9, 0);

  p.ScreenColor = ColorOr(IniValue(kPrefs, "Scr_Color"), clWindow);
  p.TextColor = ColorOr(IniValue(kPrefs, "FontN_Color"), clWindowText);
  p.SelectionColor = ColorOr(IniValue(kPrefs, "ScrH_Color"), clHighlight);
  p.SelectionTextColor = ColorOr(IniValue(kPrefs, "FontH_Color"), clHighlightText);
  p.ShowToolBar = NotOff(IniValue(kPrefs, "Show_Tool_Bar"));
  p.ToolBarWrap = NotOff(IniValue(kPrefs, "Tool_Bar_Wrap"));
  p.ShowTime = On("ShowTime");
  p.ShowFileTabs = NotOff(RegValue(kPrefs, "Show_FileTabs"));
  p.WinTabFullPath = RegOn("WinTabFullFl");
  p.CtrlNums = On("CtrlNums");
  p.FileManagerFont = TextOr(RegValue(kPrefs, "FlFont"), "");

  p.WordWrap = On("WordWrap");
  p.WrapToWindow = On("WrapToWindow");
  p.WrapColumn = NumberIn(IniValue(kPrefs, "WrapColumn"), kWrapColumnMin, kWrapColumnMax, 80);
  p.FindCursorWord = On("Find_Cursor_Word");
  p.RepWoDlg = On("RepWoDlg");
  p.AutoSave = On("AutoSave");
  p.AutoSaveMinutes = NumberIn(IniValue(kPrefs, "AutoSaveInt"), kAutoSaveMinutesMin, kAutoSaveMinutesMax, 15);
  p.UseTabs = On("Use_Tabs");
  p.MakeBackup = On("Make_Backup");
  p.AutoIndent = On("AutoIndent");
  p.FullNuvel = On("FullNuvel");
  p.NuvelDlg = On("NuvelDlg");
  p.WordStarCommands = On("WordStarCommands");
  p.RtfUserHead = TextOr(RegValue("RtfInf", "UserHead"), "");

  p.HebSheimProt = RegOn("HebSheimProt");
  p.EngSheimProt = RegOn("EngSheimProt");
  p.AutoMin = RegOn("AutoMin");
  p.AutoMinMinutes = NumberIn(RegValue(kPrefs, "AutoMinInt"), kAutoMinMinutesMin, kAutoMinMinutesMax, 120);

  p.MainEngDic = TextOr(IniValue("SPELL", "MainEngDic"), "NUVHSPE.DIC");
  p.MainHebDic = TextOr(IniValue("SPELL", "MainHebDic"), "NUVHSPH.DIC");
  p.TempEngDic = TextOr(IniValue("SPELL", "TempEngDic"), "NuvSpelE.tmp");
  p.TempHebDic = TextOr(IniValue("SPELL", "TempHebDic"), "NuvSpelH.tmp");
  return p;
}

void WritePreferences(const Preferences& p) {
  WriteIniString("S3B2", "Default_Style", p.Default3B2Style);
  WriteIniString(kPrefs, "EditConfig", std::to_string(p.EditConfig));
  WriteIniString(kPrefs, "DISK_FMT", std::to_string(p.DiskFormat));
  WriteIniString(kPrefs, "Smart_Load", Check(p.SmartLoad));
  WriteIniString(kPrefs, "Use_Tabs", Check(p.UseTabs));
  SaveConvMode(p.Conversion);
  WriteIniString(kPrefs, "WordStarCommands", Check(p.WordStarCommands));
  WriteIniString(kPrefs, "Make_Backup", Check(p.MakeBackup));
  WriteIniString(kPrefs, "AutoIndent", Check(p.AutoIndent));
  WriteIniString(kPrefs, "AutoSave", Check(p.AutoSave));
  WriteIniString(kPrefs, "AutoSaveInt", std::to_string(p.AutoSaveMinutes));
  WriteRegString(kPrefs, "WinTabFullFl", Check(p.WinTabFullPath));
  WriteIniString(kPrefs, "Show_Tool_Bar", Check(p.ShowToolBar));
  WriteIniString(kPrefs, "Tool_Bar_Wrap", Check(p.ToolBarWrap));
  WriteRegString(kPrefs, "Show_FileTabs", Check(p.ShowFileTabs));
  WriteIniString(kPrefs, "ShowTime", Check(p.ShowTime));
  WriteIniString(kPrefs, "RepWoDlg", Check(p.RepWoDlg));
  WriteIniString(kPrefs, "FullNuvel", Check(p.FullNuvel));
  WriteIniString(kPrefs, "NuvelDlg", Check(p.NuvelDlg));
  WriteIniString(kPrefs, "Scr_Color", StoredColorText(p.ScreenColor));
  WriteIniString(kPrefs, "FontN_Color", StoredColorText(p.TextColor));
  WriteIniString(kPrefs, "ScrH_Color", StoredColorText(p.SelectionColor));
  WriteIniString(kPrefs, "FontH_Color", StoredColorText(p.SelectionTextColor));
  WriteIniString(kPrefs, "CtrlNums", Check(p.CtrlNums));
  WriteRegString("RtfInf", "UserHead", p.RtfUserHead);
  WriteIniString(kPrefs, "ENG_FILE", Check(p.EnglishDocument));
  WriteIniString(kPrefs, "WrapColumn", std::to_string(p.WrapColumn));
  WriteIniString(kPrefs, "WordWrap", Check(p.WordWrap));
  WriteIniString(kPrefs, "WrapToWindow", Check(p.WrapToWindow));
  WriteIniString(kPrefs, "Find_Cursor_Word", Check(p.FindCursorWord));
  WriteIniString("SPELL", "MainEngDic", p.MainEngDic);
  WriteIniString("SPELL", "MainHebDic", p.MainHebDic);
  WriteIniString("SPELL", "TempEngDic", p.TempEngDic);
  WriteIniString("SPELL", "TempHebDic", p.TempHebDic);
  if (!p.FileManagerFont.empty()) WriteRegString(kPrefs, "FlFont", p.FileManagerFont);
  WriteRegString(kPrefs, "HebSheimProt", Check(p.HebSheimProt));
  WriteRegString(kPrefs, "EngSheimProt", Check(p.EngSheimProt));
  WriteRegString(kPrefs, "AutoMin", Check(p.AutoMin));
  WriteRegString(kPrefs, "AutoMinInt", std::to_string(p.AutoMinMinutes));
}

std::optional<PreferenceFieldError> TakeTypedNumbers(const TypedPreferenceNumbers& typed, Preferences& into) {
  struct Field {
    PreferenceField field;
    std::string_view component;
    const std::string* text;
    int low, high;
    int Preferences::*target;
  };
  const Field fields[] = {
      {PreferenceField::WrapColumn, "WrapColEdit", &typed.WrapColumn, kWrapColumnMin, kWrapColumnMax,
       &Preferences::WrapColumn},
      {PreferenceField::AutoSaveMinutes, "AutoSaveInt1", &typed.AutoSaveMinutes, kAutoSaveMinutesMin,
       kAutoSaveMinutesMax, &Preferences::AutoSaveMinutes},
      {PreferenceField::AutoMinMinutes, "MinSpin", &typed.AutoMinMinutes, kAutoMinMinutesMin, kAutoMinMinutesMax,
       &Preferences::AutoMinMinutes},
  };
  int values[3];
  for (size_t i = 0; i < 3; ++i) {
    const Field& f = fields[i];
    const auto n = ParseSettingsNumber(*f.text);
    if (!n || *n < f.low || *n > f.high) return PreferenceFieldError{f.field, f.component, f.low, f.high};
    values[i] = *n;
  }
  for (size_t i = 0; i < 3; ++i) into.*(fields[i].target) = values[i];
  return std::nullopt;
}

EditConfigControls EditConfigShown(int config) {
  EditConfigControls c;
  switch (config) {
    case 1: c.DiskFormatEnabled = c.ConversionEnabled = false; break;
    case 3: c.DiskFormatEnabled = false; break;
    case 4:
      c.DiskFormatEnabled = c.ConversionEnabled = false;
      c.StyleEnabled = true;
      break;
    case 5: c.DiskFormatEnabled = false; break;
    default: break;
  }
  return c;
}

EditConfigControls EditConfigChosen(int config) {
  EditConfigControls c;
  switch (config) {
    case 0:
      c.DiskFormatEnabled = c.ConversionEnabled = false;
      c.SetDiskFormat = 0;
      c.SetConversion = 2;
      break;
    case 1: c.DiskFormatEnabled = c.ConversionEnabled = false; break;
    case 3:
      c.DiskFormatEnabled = false;
      c.SetConversion = 4;
      break;
    case 4:
      c.DiskFormatEnabled = c.ConversionEnabled = false;
      c.StyleEnabled = true;
      break;
    case 5: c.DiskFormatEnabled = false; break;
    default: break;  // Custom: both free
  }
  return c;
}

std::optional<int> DiskFormatForConversion(int conversion) {
  if (conversion >= 5 && conversion <= 7) return conversion - 2;
  return std::nullopt;
}

std::optional<int> ConversionForDiskFormat(int diskFormat) {
  if (diskFormat >= 3 && diskFormat <= 5) return diskFormat + 2;
  return std::nullopt;
}

}  // namespace nuvel
