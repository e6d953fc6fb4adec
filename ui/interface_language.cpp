#include "ui/interface_language.h"

#include <vector>

#include "core/charset.h"
#include "core/settings.h"

namespace nuvel {

namespace {

// Hebrew written in logical order, in the system's bytes.
std::string Hebrew(std::u16string_view text) {
  std::vector<uint8_t> bytes(text.size());
  WideToHebBuffer(text, bytes);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

bool ChooseEnglishUI(std::string_view engPrompts, bool hebrewLocale) {
  if (engPrompts == "Hebrew" || engPrompts == "HEBREW") return false;
  if (engPrompts == "English" || engPrompts == "ENGLISH") return true;
  return !hebrewLocale;
}

std::string NextEngPrompts(std::string_view engPrompts, bool englishUI) {
  if (engPrompts == kNotFound) return englishUI ? "Hebrew" : "English";
  return engPrompts == "Hebrew" ? "English" : "Hebrew";
}

std::string RestartNotice(std::string_view nextEngPrompts) {
  std::string text = "You must restart the program in order for \rthe change to take effect";
  if (nextEngPrompts == "Hebrew") {
    text += "\rThe program will be in HEBREW. \rYou must have Hebrew in your system.";
    text += Hebrew(u"\rהתוכנה תעלה בעברית. \rדרושה תמיכה בעברית במערכת.");
  } else {
    text += "\rThe program will be in ENGLISH \r\r";
    text += Hebrew(u"\rהתוכנה תעלה באנגלית.");
  }
  text += Hebrew(u"\rיש להפעיל את התוכנה מחדש כדי שהשינוי ייכנס לתוקף.");
  return text;
}

}  // namespace nuvel
