#pragma once
// The texts of the status bar panels Panel2 .. Panel7 for the active
// document, in the English or the Hebrew interface. Texts are bytes of the
// system's set, Hebrew in reading order: a right-to-left panel shows
// "caption: number" the way a Hebrew reader reads it.
#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace nuvel {

struct StatusFacts {
  int32_t line = 0;              // caret line, from 1
  int32_t col = 0;               // caret column, from 1
  std::span<const uint8_t> lineText;  // the caret line's bytes
  bool modified = false;
  int32_t lineCount = 0;
  int32_t topLine = 0;
  int64_t textLength = 0;
  bool insertMode = true;
  bool scrollLock = false;
};

// The panels' captions in one language.
struct StatusCaptions {
  std::string modified, total, top, bytes, insert, overwrite;
};
StatusCaptions EnglishStatusCaptions();
// The Hebrew captions from the string library (`lookup` of an id, empty when
// it has none), each falling back to the program's own text.
StatusCaptions HebrewStatusCaptions(std::string (*lookup)(uint32_t id));

// Panel2 .. Panel7.
std::array<std::string, 6> StatusPanelTexts(const StatusFacts& facts, const StatusCaptions& captions);

// The suffix of Panel2: " (#code)" cut to 7 characters when the caret is on
// a byte of its line, else " (XXX)".
std::string CharCodeSuffix(std::span<const uint8_t> lineText, int32_t col);

// The Scroll Lock row kept: unchanged while set, else caret line - top line
// - 1 as a byte while Scroll Lock is on; 0 when it is off.
uint8_t NextScrollLockMode(uint8_t current, bool scrollLock, int32_t line, int32_t topLine);

}  // namespace nuvel
