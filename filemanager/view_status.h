#pragma once
// The texts of the file view window's status header, made from the viewer's
// state after each caret move.
#include <cstdint>
#include <optional>
#include <string>

namespace nuvel {

struct TViewStatus {
  int64_t caretLine = 0;   // 0-based
  int32_t caretCol = 0;    // display column, 0-based
  // The byte at the caret when its line has any, else none.
  std::optional<uint8_t> charAtCaret;
  int64_t lineCount = 0;   // kUnknownLineCount while unknown
  int64_t topLine = 0;     // 0-based
  int64_t fileSize = 0;
};

struct TViewStatusTexts {
  std::string caret;  // "12:5 (#97)  ", at least 8 characters
  std::string total;  // "Total: 300" or "Total: ?"
  std::string top;    // "Top:     1"
  std::string bytes;  // "Bytes: 4096"
};

// `totalLabel`, `topLabel` and `bytesLabel` are the section captions
// ("Total:", "Top:", "Bytes:" or their Hebrew texts).
TViewStatusTexts ViewStatusTexts(const TViewStatus& s, const std::string& totalLabel = "Total:",
                                 const std::string& topLabel = "Top:", const std::string& bytesLabel = "Bytes:");

// A whole number typed into an input box (blanks around it allowed); none
// for anything else.
std::optional<int64_t> ParseWholeNumber(const std::string& text);

}  // namespace nuvel
