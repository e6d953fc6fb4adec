#pragma once
// The keyboard language of the active document and the Languages menu that
// shows it: the cycle English -> Hebrew -> nikud -> phonetic, the radio items,
// "Second Language", the file's main language (which chooses the keyboard),
// and the letter on the keyboard button. The main window drives this model and
// copies its state onto the menu items.
#include <cstdint>
#include <functional>
#include <optional>

#include "editor/keyboard_layers.h"

namespace nuvel {

// The type of a letter E, H, N or P (upper or lower case); nullopt for any other.
std::optional<TKeytype> KeytypeOfLetter(char letter);
// English -> Hebrew -> nikud -> phonetic -> English.
TKeytype NextKeytype(TKeytype type);
TKeytype PreviousKeytype(TKeytype type);
// The byte shown on the keyboard button: the letter itself in the English
// interface; alef, ayin, nun or pe (system bytes) in the Hebrew interface.
uint8_t KeyboardButtonByte(char letter, bool englishUI);
// "Second Language" is checked for the English keyboard in a Hebrew file and
// for the other three in an English file.
bool IsSecondLanguage(TKeytype type, bool englishFile);

// The keyboard of the active document as the model reaches it.
class KeyboardDocument {
 public:
  virtual ~KeyboardDocument() = default;
  virtual TKeytype KeyType() const = 0;
  virtual void SetKeyType(TKeytype type) = 0;
};

class KeyboardLanguageModel {
 public:
  // Languages menu state.
  bool EnglishFile = false;            // Engm1
  TKeytype Checked = TKeytype::English;  // the checked radio item
  bool SecondLanguage = false;          // SecondLanguage1
  char Letter = 'E';                    // the letter on the keyboard button

  // Writes the letter as [GENPREFS] KEYTYPE.
  std::function<void(char)> StoreLetter;
  // Re-applies the main window's options to the active document.
  std::function<void()> ApplyOptions;

  // The keyboard button and Alt+K: the document's next keyboard type.
  // Without a document only the current letter is stored again.
  void NextKeyboard(KeyboardDocument* doc);
  // One of the four radio items.
  void ChooseKeyboard(TKeytype type, KeyboardDocument* doc);
  // A document became active or start-up read KEYTYPE: check its item.
  void CheckKeyboardItem(char letter);
  void ToggleSecondLanguage(KeyboardDocument* doc);
  // Engm1 and its button: the file's main language flips, and the keyboard
  // follows the direction.
  void ToggleMainLanguage(KeyboardDocument* doc);
  // Hebrew keyboard for a Hebrew file, English keyboard for an English file.
  void SetKeyboardByDirection(KeyboardDocument* doc);

 private:
  void Show(TKeytype type);
  void Apply();
};

}  // namespace nuvel
