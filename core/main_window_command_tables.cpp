#include "core/main_window_command_tables.h"

#include "platform/key_stroke.h"
#include "platform/virtual_keys.h"

namespace nuvel {

namespace {

constexpr uint8_t C = platform::kShiftBitCtrl;

TNvcStoredPair Pair(uint8_t key1, uint8_t shift1, uint8_t key2, uint8_t shift2,
                    TNvcCommand command) {
  return {TNvcCommandEntry{key1, shift1, key2, shift2, command}.PackedKeys(), command};
}

// Ctrl+first then the second key alone, and then with Ctrl.
void Both(std::vector<TNvcStoredPair>& pairs, uint8_t first, uint8_t second,
          TNvcCommand command) {
  pairs.push_back(Pair(first, C, second, 0, command));
  pairs.push_back(Pair(first, C, second, C, command));
}

}  // namespace

std::vector<TNvcStoredTable> MainWindowCommandTables() {
  TNvcStoredTable wordStar{"WordStar", true, {}};
  auto& w = wordStar.Pairs;
  Both(w, 'J', 'U', 312);
  Both(w, 'J', 'Y', ccUndo);
  const struct { uint8_t key; TNvcCommand command; } blockKeys[] = {
      {'B', 314}, {'C', 316}, {'D', 310}, {'K', 315}, {'R', 309},
      {'S', 311}, {'V', 318}, {'W', 319}, {'Y', 317}};
  for (const auto& k : blockKeys) w.push_back(Pair('K', C, k.key, kShiftEither, k.command));
  w.push_back(Pair('L', C, 0, 0, 308));
  Both(w, 'Q', 'A', 307);
  Both(w, 'Q', 'C', ccLastPage);
  Both(w, 'Q', 'R', ccFirstPage);
  w.push_back(Pair('Q', C, 'T', kShiftEither, 313));
  w.push_back(Pair('Q', C, 'F', C, 266));
  w.push_back(Pair('Q', C, 'F', 0, 266));
  w.push_back(Pair('B', C, 0, 0, 321));

  TNvcStoredTable defaults{"Default", true, {}};
  for (int n = 0; n < 10; ++n) {
    const auto digit = static_cast<uint8_t>('0' + n);
    defaults.Pairs.push_back(Pair(digit, C, 0, 0, ccNone));
  }
  for (int n = 0; n < 10; ++n) {
    const auto digit = static_cast<uint8_t>('0' + n);
    defaults.Pairs.push_back(
        Pair(digit, platform::kShiftBitCtrl | platform::kShiftBitShift, 0, 0, ccNone));
  }
  defaults.Pairs.push_back(Pair(platform::VK_DELETE, C, 0, 0, ccDelWord));

  return {wordStar, defaults};
}

}  // namespace nuvel
