#pragma once
// Asking the user for one character: by the character itself or by its
// decimal code, through the character-entry dialog. The dialog is a
// replaceable service, so tests answer it.
#include <cstdint>
#include <optional>
#include <string>

namespace nuvel {

// The dialog's two fields as the user left them (system bytes and digits).
struct TCharEntryFields {
  std::string character;  // at most one character
  std::string code;       // at most three digits
};

class TCharEntryService {
 public:
  virtual ~TCharEntryService() = default;
  // Shows the dialog with its caption and top label (empty: the dialog's
  // own); the fields on OK, nullopt on Cancel.
  virtual std::optional<TCharEntryFields> Ask(const std::string& caption, const std::string& prompt) = 0;
};

// Installs `service` (nullptr: none) and returns the one installed before.
TCharEntryService* SetCharEntryService(TCharEntryService* service);
TCharEntryService* CurrentCharEntryService();

// The character the fields choose: the character field wins; else the code
// (its low byte). Both empty: a blank, still chosen. A zero byte is a blank
// and not chosen.
uint8_t CharacterOfFields(const TCharEntryFields& fields, bool& chosen);

// Asks through the installed service; Cancel (or no service) gives a blank
// with `chosen` false.
uint8_t AskCharacter(const std::string& caption, const std::string& prompt, bool& chosen);

}  // namespace nuvel
