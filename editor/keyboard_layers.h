#pragma once
// The keyboard type of a document and the layers a typed character passes
// through: none for English, the Hebrew layer (with the nikud layer on top of
// it), or the phonetic layer with its dagesh latch. The bilingual editor and
// the single-line Hebrew input use the same layers and the same latch.
#include <cstdint>

namespace nuvel {

// Stored as the letters E, H, N and P in [GENPREFS] KEYTYPE.
enum class TKeytype : uint8_t { English = 0, Hebrew = 1, Nikud = 2, Phonetic = 3 };

// 'E', 'H', 'N' or 'P'.
char KeytypeLetter(TKeytype type);
// The keyboard type for a stored letter (either case); English for any other.
TKeytype KeytypeFromLetter(char letter);

// The phonetic layer on 'A'..'z': Hebrew letters, pointed letters and vowel
// points by the sound of the key; keys without an entry stay unchanged.
uint8_t PhoneticKeyMap(uint8_t c);

// Which layer applies: English switches every translation off; otherwise
// the phonetic flag takes precedence over the Hebrew layer, and the nikud
// flag puts the nikud layer on top of the Hebrew one.
struct TKeyLayers {
  TKeytype KeyType = TKeytype::English;
  bool Phonetic = false;  // PhKy
  bool Nikud = false;     // OV
};

// A Hebrew letter, point, maqaf, geresh or gershayim as a key's own text
// gives it: Hebrew typing whatever the program's keyboard layer.
constexpr bool IsHebrewKeyText(uint8_t c) { return (c >= 0xC0 && c <= 0xD8) || (c >= 0xE0 && c <= 0xFA); }

// Translates one typed character through the layers. In the phonetic layer
// 'D' toggles `dageshState` (and types 'D'); with the latch set the next
// character types the letter without its dagesh, or 'D' when it has none,
// and clears the latch.
uint8_t TranslateTypedChar(uint8_t c, const TKeyLayers& layers, bool& dageshState);

}  // namespace nuvel
