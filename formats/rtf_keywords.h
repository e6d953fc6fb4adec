#pragma once
// The RTF reader's table of control words: what each one is (a character, a
// destination, a property or a special action) and the number it acts on.
#include <cstdint>
#include <span>
#include <string_view>

namespace nuvel {

enum class TRtfKind : uint8_t { Char = 1, Dest = 2, Prop = 3, Special = 4 };

struct TRtfKeyword {
  std::string_view word;
  int32_t defaultParam;
  bool useDefault;  // the default replaces any parameter given
  TRtfKind kind;
  int32_t index;    // byte, destination, property or action number
};

// Destination numbers that ChangeDestination tells apart; the rest skip.
inline constexpr int32_t kRtfDestSkip = 2;
inline constexpr int32_t kRtfDestPict = 3;
inline constexpr int32_t kRtfDestFontTable = 4;
inline constexpr int32_t kRtfDestColourTable = 5;
inline constexpr int32_t kRtfDestField = 10;
inline constexpr int32_t kRtfDestPictFile = 11;

// Property numbers that act; the others are read and ignored.
inline constexpr int32_t kRtfPropPar = 25;
inline constexpr int32_t kRtfPropCell = 48;
inline constexpr int32_t kRtfPropWpRtf = 69;

// Special actions.
inline constexpr int32_t kRtfActionBin = 1;
inline constexpr int32_t kRtfActionHex = 2;
inline constexpr int32_t kRtfActionSkipDest = 3;

// The character a \line stands for before it becomes a line feed.
inline constexpr int32_t kRtfLineChar = 1010;

std::span<const TRtfKeyword> RtfKeywords();
// The first entry of the table for `word`, or null.
const TRtfKeyword* FindRtfKeyword(std::string_view word);

}  // namespace nuvel
