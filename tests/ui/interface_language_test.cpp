#include "ui/interface_language.h"

#include <gtest/gtest.h>

namespace nuvel {
namespace {

TEST(InterfaceLanguage, StartUpChoice) {
  const struct { const char* value; bool hebrewLocale; bool english; } cases[] = {
      {"Hebrew", false, false}, {"HEBREW", false, false}, {"English", true, true},
      {"ENGLISH", true, true},  {"NotFound", true, false}, {"NotFound", false, true},
      {"hebrew", false, true},  {"hebrew", true, false},   {"", false, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ChooseEnglishUI(c.value, c.hebrewLocale), c.english) << c.value << " " << c.hebrewLocale;
}

TEST(InterfaceLanguage, NextStartValue) {
  const struct { const char* value; bool englishUI; const char* next; } cases[] = {
      {"Hebrew", true, "English"},  {"Hebrew", false, "English"}, {"English", false, "Hebrew"},
      {"HEBREW", false, "Hebrew"},  {"NotFound", true, "Hebrew"}, {"NotFound", false, "English"},
  };
  for (const auto& c : cases) EXPECT_EQ(NextEngPrompts(c.value, c.englishUI), c.next) << c.value;
  // Twice restores a present value.
  EXPECT_EQ(NextEngPrompts(NextEngPrompts("English", true), true), "English");
}

TEST(InterfaceLanguage, RestartNoticeNamesTheNextLanguage) {
  const std::string hebrew = RestartNotice("Hebrew");
  const std::string english = RestartNotice("English");
  for (const std::string& text : {hebrew, english}) {
    EXPECT_EQ(text.rfind("You must restart the program in order for \rthe change to take effect", 0), 0u);
    // Hebrew sentences arrive as the system's Hebrew letters.
    EXPECT_NE(text.find('\xE4'), std::string::npos);
  }
  EXPECT_NE(hebrew.find("The program will be in HEBREW."), std::string::npos);
  EXPECT_EQ(hebrew.find("ENGLISH"), std::string::npos);
  EXPECT_NE(english.find("The program will be in ENGLISH"), std::string::npos);
}

}  // namespace
}  // namespace nuvel
