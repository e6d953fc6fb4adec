#include "platform/system_locale.h"

#include <cstdlib>

#include "platform/ascii_case.h"
#include "platform/registry_store.h"

namespace nuvel::platform {

std::string CurrentPosixLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (const char* value = std::getenv(name); value && *value) return value;
  }
  return {};
}

std::string LocaleIdFromPosix(std::string_view posix_locale) {
  // "ll_CC.codeset@modifier": the language and, where it decides, the country.
  std::string_view name = posix_locale.substr(0, posix_locale.find_first_of(".@"));
  std::string_view language = name.substr(0, name.find('_'));
  std::string_view country = name.find('_') == std::string_view::npos ? "" : name.substr(name.find('_') + 1);

  static constexpr struct {
    const char* language;
    const char* country;  // "" for any country
    const char* id;
  } kLocales[] = {
      {"he", "", "0000040D"}, {"iw", "", "0000040D"}, {"en", "GB", "00000809"}, {"en", "AU", "00000C09"},
      {"en", "CA", "00001009"}, {"en", "", "00000409"}, {"ar", "", "00000401"}, {"de", "", "00000407"},
      {"fr", "", "0000040C"}, {"es", "", "00000C0A"}, {"it", "", "00000410"}, {"ru", "", "00000419"},
      {"nl", "", "00000413"}, {"pt", "BR", "00000416"}, {"pt", "", "00000816"}, {"yi", "", "0000043D"},
  };
  for (const auto& entry : kLocales) {
    if (!EqualsNoCase(language, entry.language)) continue;
    if (*entry.country && !EqualsNoCase(country, entry.country)) continue;
    return entry.id;
  }
  return {};
}

void FillSystemLocaleValues(std::string_view posix_locale) {
  std::string id = LocaleIdFromPosix(posix_locale);
  RegistryStore store;
  store.SetRoot(RegistryRoot::Users);
  store.WriteString(".DEFAULT\\Control Panel\\International", "Locale", id);
  store.SetRoot(RegistryRoot::CurrentUser);
  store.WriteString("Control Panel\\International", "Locale", id);
  store.WriteString("Control Panel\\desktop\\ResourceLocale", "", id);
  store.Flush();
}

}  // namespace nuvel::platform
