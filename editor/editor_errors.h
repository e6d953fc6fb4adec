#pragma once
// Editor error codes: the 16-bit results of the editing operations (0 means
// done), and the numbers of their texts in the component library message
// table.
#include <cstdint>
#include <string>

#include "core/exceptions.h"

namespace nuvel {

inline constexpr uint16_t kEditorOk = 0;
inline constexpr uint16_t kEditorNoMemory = 263;        // memory could not be allocated
inline constexpr uint16_t kEditorRegionTooLarge = 264;  // region larger than 64 KB
inline constexpr uint16_t kEditorTooManyParas = 265;    // too many paragraphs
inline constexpr uint16_t kEditorCannotJoin = 266;      // paragraphs cannot be joined
inline constexpr uint16_t kEditorTextTooLarge = 267;    // text too large
inline constexpr uint16_t kEditorParaTooLong = 268;     // paragraph too long

// Message id of an editor error code's text; 30168 ("Unknown Error
// condition") for any other code.
constexpr uint16_t EditorErrorMessageId(uint16_t code) {
  switch (code) {
    case kEditorNoMemory: return 30197;
    case kEditorRegionTooLarge: return 30186;
    case kEditorTooManyParas: return 30198;
    case kEditorCannotJoin: return 30199;
    case kEditorTextTooLarge: return 30200;
    case kEditorParaTooLong: return 30201;
    default: return 30168;
  }
}

// The text of an editor error code, from the component library message table.
std::string EditorErrorText(uint16_t code);
// The exception an editor raises for a code when no handler takes it.
EEditorError MakeEditorError(uint16_t code);

}  // namespace nuvel
