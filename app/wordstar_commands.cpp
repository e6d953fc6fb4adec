#include "app/wordstar_commands.h"

#include "core/command_numbers.h"
#include "platform/key_stroke.h"

namespace nuvel {

void AddWordStarCommands(TNvcCommandProcessor& processor) {
  constexpr uint8_t C = platform::kShiftBitCtrl;
  auto one = [&](char key, TNvcCommand command) {
    processor.AddCommand("DEFAULT", static_cast<uint8_t>(key), C, 0, 0, command);
  };
  auto two = [&](char first, char second, TNvcCommand command) {
    processor.AddCommand("DEFAULT", static_cast<uint8_t>(first), C, static_cast<uint8_t>(second),
                         kShiftEither, command);
  };
  one('T', ccDelWord);
  one('L', 308);  // find next
  one('Y', ccDelLine);
  one('U', 320);  // cut a word
  two('Q', 'Y', ccDelEol);
  two('Q', 'T', ccDelBol);
  two('Q', 'F', 266);  // find
  two('Q', 'H', 307);  // replace
  two('Q', 'R', ccFirstPage);
  two('J', 'U', 312);  // flip case
  two('J', 'Y', ccUndo);
  two('K', 'B', 314);  // block begin
  two('K', 'K', 315);  // block end
  two('K', 'P', 316);  // copy block
  two('K', 'Y', 317);  // delete block
  two('K', 'G', 318);  // move block
  for (int n = 0; n < 10; ++n) two('Q', static_cast<char>('0' + n), static_cast<TNvcCommand>(ccGotoMarker0 + n));
  for (int n = 0; n < 10; ++n) two('K', static_cast<char>('0' + n), static_cast<TNvcCommand>(ccSetMarker0 + n));
}

}  // namespace nuvel
