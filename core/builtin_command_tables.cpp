#include "core/builtin_command_tables.h"

#include <array>

#include "core/message_table.h"
#include "platform/ascii_case.h"
#include "platform/key_stroke.h"
#include "platform/virtual_keys.h"

namespace nuvel {
namespace {

using namespace platform;

constexpr uint8_t S = kShiftBitShift;
constexpr uint8_t C = kShiftBitCtrl;
constexpr uint8_t A = kShiftBitAlt;
constexpr uint8_t CS = kShiftBitCtrl | kShiftBitShift;

constexpr TNvcCommandEntry One(uint8_t key, uint8_t shift, TNvcCommand command) {
  return {key, shift, 0, 0, command};
}
constexpr TNvcCommandEntry Two(uint8_t key1, uint8_t key2, TNvcCommand command) {
  return {key1, C, key2, kShiftEither, command};
}
constexpr uint8_t Digit(int n) { return static_cast<uint8_t>('0' + n); }
constexpr TNvcCommand Plus(TNvcCommand base, int n) { return static_cast<TNvcCommand>(base + n); }

constexpr std::array<TNvcCommandEntry, 64> kDefault = [] {
  std::array<TNvcCommandEntry, 64> t{{
      One(VK_LEFT, 0, ccLeft),          One(VK_RIGHT, 0, ccRight),
      One(VK_LEFT, C, ccWordLeft),      One(VK_RIGHT, C, ccWordRight),
      One(VK_HOME, 0, ccHome),          One(VK_END, 0, ccEnd),
      One(VK_DELETE, 0, ccDel),         One(VK_BACK, 0, ccBack),
      One(VK_BACK, S, ccBack),          One(VK_PRIOR, C, ccTopOfPage),
      One(VK_NEXT, C, ccBotOfPage),     One(VK_INSERT, 0, ccIns),
      One('Z', C, ccUndo),              One(VK_BACK, A, ccRestore),
      One(VK_UP, 0, ccUp),              One(VK_DOWN, 0, ccDown),
      One(VK_RETURN, C, ccNewLine),     One(VK_LEFT, S, ccExtendLeft),
      One(VK_RIGHT, S, ccExtendRight),  One(VK_HOME, S, ccExtendHome),
      One(VK_END, S, ccExtendEnd),      One(VK_LEFT, CS, ccExtWordLeft),
      One(VK_RIGHT, CS, ccExtWordRight), One(VK_PRIOR, S, ccExtendPgUp),
      One(VK_NEXT, S, ccExtendPgDn),    One(VK_UP, S, ccExtendUp),
      One(VK_DOWN, S, ccExtendDown),    One(VK_HOME, CS, ccExtFirstPage),
      One(VK_END, CS, ccExtLastPage),   One(VK_PRIOR, CS, ccExtTopOfPage),
      One(VK_NEXT, CS, ccExtBotOfPage), One(VK_DELETE, S, ccCut),
      One('X', C, ccCut),               One(VK_INSERT, C, ccCopy),
      One('C', C, ccCopy),              One(VK_INSERT, S, ccPaste),
      One('V', C, ccPaste),             One(VK_PRIOR, 0, ccPrevPage),
      One(VK_NEXT, 0, ccNextPage),      One(VK_HOME, C, ccFirstPage),
      One(VK_END, C, ccLastPage),       One(VK_TAB, 0, ccTab),
      One(VK_TAB, C, ccTab),            One('Z', CS, ccRedo),
  }};
  for (int n = 0; n < 10; ++n) {
    t[static_cast<size_t>(44 + n)] = One(Digit(n), C, Plus(ccGotoMarker0, n));
    t[static_cast<size_t>(54 + n)] = One(Digit(n), CS, Plus(ccSetMarker0, n));
  }
  return t;
}();

constexpr std::array<TNvcCommandEntry, 40> kWordStar = [] {
  std::array<TNvcCommandEntry, 40> t{{
      One('S', C, ccLeft),      One('D', C, ccRight),     One('E', C, ccUp),
      One('X', C, ccDown),      One('R', C, ccPrevPage),  One('C', C, ccNextPage),
      One('W', C, ccScrollUp),  One('Z', C, ccScrollDown), One('A', C, ccWordLeft),
      One('F', C, ccWordRight), Two('Q', 'S', ccHome),    Two('Q', 'D', ccEnd),
      One('G', C, ccDel),       One('H', C, ccBack),      One('Y', C, ccDelLine),
      Two('Q', 'Y', ccDelEol),  One('V', C, ccIns),       One('T', C, ccDelWord),
      One('P', C, ccCtrlChar),  Two('Q', 'L', ccRestore),
  }};
  for (int n = 0; n < 10; ++n) {
    t[static_cast<size_t>(20 + n)] = Two('Q', Digit(n), Plus(ccGotoMarker0, n));
    t[static_cast<size_t>(30 + n)] = Two('K', Digit(n), Plus(ccSetMarker0, n));
  }
  return t;
}();

constexpr std::array<TNvcCommandEntry, 38> kGrid{{
    One(VK_LEFT, 0, ccLeft),          One(VK_RIGHT, 0, ccRight),
    One(VK_LEFT, C, ccPageLeft),      One(VK_RIGHT, C, ccPageRight),
    One(VK_HOME, 0, ccHome),          One(VK_END, 0, ccEnd),
    One(VK_DELETE, 0, ccDel),         One(VK_BACK, 0, ccBack),
    One(VK_NEXT, C, ccBotOfPage),     One(VK_PRIOR, C, ccTopOfPage),
    One(VK_INSERT, 0, ccIns),         One('Z', C, ccRestore),
    One(VK_UP, 0, ccUp),              One(VK_DOWN, 0, ccDown),
    One(VK_LEFT, S, ccExtendLeft),    One(VK_RIGHT, S, ccExtendRight),
    One(VK_HOME, S, ccExtendHome),    One(VK_END, S, ccExtendEnd),
    One(VK_LEFT, CS, ccExtWordLeft),  One(VK_RIGHT, CS, ccExtWordRight),
    One(VK_PRIOR, S, ccExtendPgUp),   One(VK_NEXT, S, ccExtendPgDn),
    One(VK_UP, S, ccExtendUp),        One(VK_DOWN, S, ccExtendDown),
    One(VK_HOME, CS, ccExtFirstPage), One(VK_END, CS, ccExtLastPage),
    One(VK_PRIOR, CS, ccExtTopOfPage), One(VK_NEXT, CS, ccExtBotOfPage),
    One('X', C, ccCut),               One('C', C, ccCopy),
    One('V', C, ccPaste),             One(VK_PRIOR, 0, ccPrevPage),
    One(VK_HOME, C, ccFirstPage),     One(VK_NEXT, 0, ccNextPage),
    One(VK_END, C, ccLastPage),       One(VK_UP, C, ccTopLeftCell),
    One(VK_DOWN, C, ccBotRightCell),  One(VK_F2, 0, ccTableEdit),
}};

}  // namespace

std::span<const TNvcCommandEntry> DefaultTableEntries() { return kDefault; }
std::span<const TNvcCommandEntry> WordStarTableEntries() { return kWordStar; }
std::span<const TNvcCommandEntry> GridTableEntries() { return kGrid; }

std::string DefaultTableName() { return GetLibraryString(30275); }
std::string WordStarTableName() { return GetLibraryString(30276); }
std::string GridTableName() { return GetLibraryString(30266); }

std::span<const TNvcCommandEntry> BuiltInEntriesFor(std::string_view tableName) {
  if (EqualsNoCase(tableName, DefaultTableName())) return kDefault;
  if (EqualsNoCase(tableName, WordStarTableName())) return kWordStar;
  if (EqualsNoCase(tableName, GridTableName())) return kGrid;
  return {};
}

}  // namespace nuvel
