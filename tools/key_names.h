#pragma once
// The key names of the key-macro editor: the fixed table of bracketed names
// ("<Enter>", "<F1>", "<Ctrl+PgUp>", ...) with the character each types or
// its PC extended scan code, and the conversions between a macro string and
// the readable text the editor shows.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace nuvel {

struct KeyNameRecord {
  std::string_view name;  // bracketed, at most 15 characters
  uint8_t code;           // the character the key types, 0 when none
  uint8_t scan;           // the extended scan code of a key that types none
};

// The 132 records, sorted by name without regard to ASCII case.
std::span<const KeyNameRecord> KeyNameTable();

// The key string of a bracketed name: its character, empty for a key that
// types none, or the token itself when the table does not know it.
std::string TextToKey(std::string_view token);

// A memo's text as a macro string: "<<" stands for "<", other bracketed
// tokens go through TextToKey, everything else is taken as it stands; the
// result keeps at most 30 characters.
std::string StoreTextAsKeys(std::string_view text);

// A macro string as the memo shows it: printable characters as themselves,
// a 0 and the scan code after it as that key's name, other characters as
// the name of the key that types them (Backspace, Tab and Enter by those
// names); a byte no key names is shown as itself.
std::string DisplayAsText(std::string_view keys);

// The old-style name of a virtual key that types no character ("F1",
// "Left", "PgUp", "PgDn", "Ins", "Del", "BkSp", "Esc", "Tab", "Enter",
// "Home", "End", ...); the character itself for letters, digits and
// punctuation; empty when the key has no name.
std::string KeyName(uint8_t vk);

// The text the key-macro editor writes for a key and the latched
// modifiers: "A", "<Ctrl+A>", "<Alt+A>", "!", "<Shift+F1>", "<Left>", ...
std::string KeyToText(uint8_t vk, bool shift, bool ctrl, bool alt);

// Where the key-macro editor's caret goes over a bracketed name the table
// knows, which moves and is deleted as one unit: the start of the unit that
// ends at `caret`, and the end of the unit that starts there.
size_t UnitStartBefore(std::string_view text, size_t caret);
size_t UnitEndAfter(std::string_view text, size_t caret);
// The start of the known bracketed name that holds `pos` strictly inside
// it, else `pos`: a click inside a name puts the caret at its "<".
size_t UnitStartAround(std::string_view text, size_t pos);

}  // namespace nuvel
