#pragma once
// The system locale as the program asks for it: registry values holding a
// Windows locale number ("0000040D" for Hebrew). This platform fills them
// from the POSIX locale of the environment.
#include <string>
#include <string_view>

namespace nuvel::platform {

// The POSIX locale name in force for messages: LC_ALL, else LC_MESSAGES,
// else LANG; empty when none is set.
std::string CurrentPosixLocale();

// The Windows locale number, eight upper-case hexadecimal digits, for a POSIX
// locale name such as "he_IL.UTF-8" ("0000040D"); empty for an unknown
// language (and for "C" and "POSIX").
std::string LocaleIdFromPosix(std::string_view posix_locale);

// Writes the locale number of `posix_locale` to the values the program reads:
// HKEY_USERS ".DEFAULT\Control Panel\International" Locale, HKEY_CURRENT_USER
// "Control Panel\International" Locale and the default value of
// HKEY_CURRENT_USER "Control Panel\desktop\ResourceLocale".
void FillSystemLocaleValues(std::string_view posix_locale);

}  // namespace nuvel::platform
