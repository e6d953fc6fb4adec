#include "core/font_index.h"

namespace nuvel {
namespace {

bool IsLatinLetter(uint8_t b) { return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }

// ASCII punctuation and digits that join a run of either script.
bool IsJoiningChar(uint8_t b) {
  return (b >= 0x21 && b <= 0x40) || (b >= 0x5B && b <= 0x60) || (b >= 0x7B && b <= 0x7E);
}

// Characters that belong to a number: they follow the Hebrew text around them.
bool IsNumberMark(uint8_t b) {
  switch (b) {
    case '"': case '(': case ')': case ',': case '.': case ':': case '?':
      return true;
    default:
      return b >= '0' && b <= '9';
  }
}

bool InEnglishSet(uint8_t b, bool leftToRight) {
  if (IsLatinLetter(b)) return true;
  if (leftToRight) return b == ' ' || IsJoiningChar(b);
  return IsJoiningChar(b) && !IsNumberMark(b);
}

}  // namespace

FontIndex AllocFontIndex() { return FontIndex(4, kEnglishFontIndex); }

void FreeFontIndex(FontIndex& index) {
  index.clear();
  index.shrink_to_fit();
}

void BuildFontIndex(std::span<const uint8_t> text, FontIndex& index, bool leftToRight, bool bold) {
  index.resize(text.size() + 1);
  index[0] = kHebrewFontIndex;
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t b = text[i];
    uint8_t font;
    if (b >= 1 && b <= 31) {
      font = bold ? kDosBoldFontIndex : kDosFontIndex;
    } else {
      font = InEnglishSet(b, leftToRight) ? kEnglishFontIndex : kHebrewFontIndex;
    }
    index[i + 1] = font;
  }
}

}  // namespace nuvel
