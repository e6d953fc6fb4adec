#include "tools/char_entry.h"

namespace nuvel {
namespace {

TCharEntryService* g_service = nullptr;

}  // namespace

TCharEntryService* SetCharEntryService(TCharEntryService* service) {
  TCharEntryService* previous = g_service;
  g_service = service;
  return previous;
}

TCharEntryService* CurrentCharEntryService() { return g_service; }

uint8_t CharacterOfFields(const TCharEntryFields& fields, bool& chosen) {
  chosen = true;
  uint8_t result = ' ';
  if (!fields.character.empty()) {
    result = static_cast<uint8_t>(fields.character.front());
  } else if (!fields.code.empty()) {
    unsigned value = 0;
    for (char c : fields.code.substr(0, 3)) {
      if (c < '0' || c > '9') break;
      value = value * 10 + unsigned(c - '0');
    }
    result = static_cast<uint8_t>(value % 256);
  }
  if (result == 0) {
    chosen = false;
    return ' ';
  }
  return result;
}

uint8_t AskCharacter(const std::string& caption, const std::string& prompt, bool& chosen) {
  chosen = false;
  if (g_service == nullptr) return ' ';
  const auto fields = g_service->Ask(caption, prompt);
  if (!fields) return ' ';
  return CharacterOfFields(*fields, chosen);
}

}  // namespace nuvel
