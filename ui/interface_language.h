#pragma once
// The interface language: chosen at start-up from [StartUp] Eng_Prompts or
// the system locale, and switched for the next start by "Hebrew Menus".
#include <string>
#include <string_view>

namespace nuvel {

// "Hebrew"/"HEBREW" chooses Hebrew, "English"/"ENGLISH" English; any other
// value (a missing one included) follows the system locale.
bool ChooseEnglishUI(std::string_view engPrompts, bool hebrewLocale);

// The Eng_Prompts value for the next start: "English" after "Hebrew", else
// "Hebrew"; a missing value ("NotFound") gives the other language than the
// running interface.
std::string NextEngPrompts(std::string_view engPrompts, bool englishUI);

// The information box shown after the switch (system bytes): the English and
// Hebrew sentences saying that the program must restart, naming the language
// of the next start.
std::string RestartNotice(std::string_view nextEngPrompts);

}  // namespace nuvel
