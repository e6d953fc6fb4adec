#include "core/shared_state.h"

#include "core/dates.h"
#include "core/settings.h"
#include "platform/program_path.h"
#include "platform/registry_store.h"
#include "platform/system_locale.h"

namespace nuvel {

bool NikudOverstrike = true;
bool EngPrompts = true;
std::string ProgPath;
std::string IniBaseName = "NuvelW";
std::string DataFileName;
std::string KeyFileName;
std::array<bool, 256> DigitTable{};
std::array<std::string, kMacroSlots> MacroKeys;
uint8_t WsQTKey = 0;
std::string RuleFileName;
int32_t IdleCounter = 0;
uint8_t ScrollLockMode = 0;
bool NoConversion = false;
bool NuvDosConfig = false;
bool ForceCP1255 = false;
bool TagConfig = false;
bool Config6 = false;
bool DageshState = false;
bool VowelSkip = false;
bool CtrlKPending = false;

void InitSharedState() {
  NikudOverstrike = true;
  ScrollLockMode = 0;
  IniBaseName = "NuvelW";
  ProgPath = platform::ProgramFolder();
  // The program folder is known before the INI file is read, so the
  // interface language comes from the program's own INI file.
  EngPrompts = ReadIniString("StartUp", "Eng_Prompts") != "No";
  platform::FillSystemLocaleValues(platform::CurrentPosixLocale());
}

bool IsHebrewLocale() {
  // This platform answers as a current system: the machine's default locale.
  platform::RegistryStore store;
  store.SetRoot(platform::RegistryRoot::Users);
  return store.ReadString(".DEFAULT\\Control Panel\\International", "Locale").value_or("") == "0000040D";
}

std::vector<std::string> ProgramFontFilesToRemove() {
  static constexpr struct {
    const char* key;
    const char* file;
  } kFonts[] = {{"LoadFont1", "NuvDosBt.FON"},
                {"LoadFont2", "Scr_Nuvh.TTF"},
                {"LoadFont4", "Scr_NuvC.TTF"},
                {"LoadFont3", "Scr_NuvF.TTF"}};
  std::vector<std::string> files;
  for (const auto& font : kFonts) {
    if (ReadIniString("StartUp", font.key) == "1") {
      files.push_back(platform::FindFileNoCase(ProgPath, font.file));
    }
  }
  return files;
}

void ExitSharedState(const std::function<void(const std::string&)>& remove_font) {
  for (const std::string& file : ProgramFontFilesToRemove()) {
    if (remove_font) remove_font(file);
  }
}

}  // namespace nuvel
