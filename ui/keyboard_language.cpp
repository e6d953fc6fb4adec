#include "ui/keyboard_language.h"

namespace nuvel {

std::optional<TKeytype> KeytypeOfLetter(char letter) {
  switch (letter) {
    case 'E': case 'e': case 'H': case 'h': case 'N': case 'n': case 'P': case 'p':
      return KeytypeFromLetter(letter);
    default:
      return std::nullopt;
  }
}

TKeytype NextKeytype(TKeytype type) {
  return static_cast<TKeytype>((static_cast<int>(type) + 1) % 4);
}

TKeytype PreviousKeytype(TKeytype type) {
  return static_cast<TKeytype>((static_cast<int>(type) + 3) % 4);
}

uint8_t KeyboardButtonByte(char letter, bool englishUI) {
  if (englishUI) return static_cast<uint8_t>(letter);
  switch (letter) {
    case 'E': return 0xE0;  // alef
    case 'H': return 0xF2;  // ayin
    case 'N': return 0xF0;  // nun
    case 'P': return 0xF4;  // pe
    default: return static_cast<uint8_t>(letter);
  }
}

bool IsSecondLanguage(TKeytype type, bool englishFile) {
  return type == TKeytype::English ? !englishFile : englishFile;
}

void KeyboardLanguageModel::Show(TKeytype type) {
  Checked = type;
  SecondLanguage = IsSecondLanguage(type, EnglishFile);
  Letter = KeytypeLetter(type);
}

void KeyboardLanguageModel::Apply() {
  if (ApplyOptions) ApplyOptions();
}

void KeyboardLanguageModel::NextKeyboard(KeyboardDocument* doc) {
  if (doc) {
    const TKeytype next = NextKeytype(doc->KeyType());
    doc->SetKeyType(next);
    Show(next);
  }
  Apply();
  if (StoreLetter) StoreLetter(Letter);
}

void KeyboardLanguageModel::ChooseKeyboard(TKeytype type, KeyboardDocument* doc) {
  Checked = type;
  Letter = KeytypeLetter(type);
  if (doc) doc->SetKeyType(PreviousKeytype(type));
  NextKeyboard(doc);
}

void KeyboardLanguageModel::CheckKeyboardItem(char letter) {
  const auto type = KeytypeOfLetter(letter);
  if (!type) return;
  Show(*type);
}

void KeyboardLanguageModel::ToggleSecondLanguage(KeyboardDocument* doc) {
  SecondLanguage = !SecondLanguage;
  ChooseKeyboard(SecondLanguage != EnglishFile ? TKeytype::English : TKeytype::Hebrew, doc);
  Apply();
}

void KeyboardLanguageModel::ToggleMainLanguage(KeyboardDocument* doc) {
  EnglishFile = !EnglishFile;
  SetKeyboardByDirection(doc);
  Apply();
}

void KeyboardLanguageModel::SetKeyboardByDirection(KeyboardDocument* doc) {
  ChooseKeyboard(EnglishFile ? TKeytype::English : TKeytype::Hebrew, doc);
}

}  // namespace nuvel
