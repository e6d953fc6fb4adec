#pragma once
// Command numbers: what a key or a two-key sequence is translated into.
// 1-75 are editing commands, 249 types a character, 252/254/255 are answers of
// the key translator, and 256 and up are user commands handled by the owner
// of the editor.
#include <cstdint>

namespace nuvel {

using TNvcCommand = uint16_t;

inline constexpr TNvcCommand ccNone = 0;
inline constexpr TNvcCommand ccBack = 1;
inline constexpr TNvcCommand ccBotOfPage = 2;
inline constexpr TNvcCommand ccBotRightCell = 3;
inline constexpr TNvcCommand ccCompleteDate = 4;
inline constexpr TNvcCommand ccCompleteTime = 5;
inline constexpr TNvcCommand ccCopy = 6;
inline constexpr TNvcCommand ccCtrlChar = 7;
inline constexpr TNvcCommand ccCut = 8;
inline constexpr TNvcCommand ccDec = 9;
inline constexpr TNvcCommand ccDel = 10;
inline constexpr TNvcCommand ccDelBol = 11;
inline constexpr TNvcCommand ccDelEol = 12;
inline constexpr TNvcCommand ccDelLine = 13;
inline constexpr TNvcCommand ccDelWord = 14;
inline constexpr TNvcCommand ccDown = 15;
inline constexpr TNvcCommand ccEnd = 16;
inline constexpr TNvcCommand ccExtendDown = 17;
inline constexpr TNvcCommand ccExtendEnd = 18;
inline constexpr TNvcCommand ccExtendHome = 19;
inline constexpr TNvcCommand ccExtendLeft = 20;
inline constexpr TNvcCommand ccExtendPgDn = 21;
inline constexpr TNvcCommand ccExtendPgUp = 22;
inline constexpr TNvcCommand ccExtendRight = 23;
inline constexpr TNvcCommand ccExtendUp = 24;
inline constexpr TNvcCommand ccExtBotOfPage = 25;
inline constexpr TNvcCommand ccExtFirstPage = 26;
inline constexpr TNvcCommand ccExtLastPage = 27;
inline constexpr TNvcCommand ccExtTopOfPage = 28;
inline constexpr TNvcCommand ccExtWordLeft = 29;
inline constexpr TNvcCommand ccExtWordRight = 30;
inline constexpr TNvcCommand ccFirstPage = 31;
inline constexpr TNvcCommand ccGotoMarker0 = 32;  // .. ccGotoMarker9 = 41
inline constexpr TNvcCommand ccGotoMarker9 = 41;
inline constexpr TNvcCommand ccHome = 42;
inline constexpr TNvcCommand ccInc = 43;
inline constexpr TNvcCommand ccIns = 44;
inline constexpr TNvcCommand ccLastPage = 45;
inline constexpr TNvcCommand ccLeft = 46;
inline constexpr TNvcCommand ccNewLine = 47;
inline constexpr TNvcCommand ccNextPage = 48;
inline constexpr TNvcCommand ccPageLeft = 49;
inline constexpr TNvcCommand ccPageRight = 50;
inline constexpr TNvcCommand ccPaste = 51;
inline constexpr TNvcCommand ccPrevPage = 52;
inline constexpr TNvcCommand ccRedo = 53;
inline constexpr TNvcCommand ccRestore = 54;
inline constexpr TNvcCommand ccRight = 55;
inline constexpr TNvcCommand ccScrollDown = 56;
inline constexpr TNvcCommand ccScrollUp = 57;
inline constexpr TNvcCommand ccSetMarker0 = 58;  // .. ccSetMarker9 = 67
inline constexpr TNvcCommand ccSetMarker9 = 67;
inline constexpr TNvcCommand ccTab = 68;
inline constexpr TNvcCommand ccTableEdit = 69;
inline constexpr TNvcCommand ccTopLeftCell = 70;
inline constexpr TNvcCommand ccTopOfPage = 71;
inline constexpr TNvcCommand ccUndo = 72;
inline constexpr TNvcCommand ccUp = 73;
inline constexpr TNvcCommand ccWordLeft = 74;
inline constexpr TNvcCommand ccWordRight = 75;

// Insert the character that came with the command.
inline constexpr TNvcCommand ccChar = 249;

// Answers of the key translator; never stored in a table.
inline constexpr TNvcCommand ccNoCommand = 252;      // the key is typing, not a command
inline constexpr TNvcCommand ccNoSecondKey = 254;    // a second key that matched nothing
inline constexpr TNvcCommand ccWaitSecondKey = 255;  // first key of a two-key sequence seen

// User commands: ccUser0 is 256; the editor's owner carries them out.
inline constexpr TNvcCommand ccUser = 256;

// Id of an editing command's name (0-75) in the framework's message table.
constexpr uint16_t CommandNameId(TNvcCommand command) {
  return static_cast<uint16_t>(33768 + command);
}

}  // namespace nuvel
