#pragma once
// Which writer saves a document and which conversion its copy of the text
// gets first, decided by the first rule that applies:
//   h  ".PDB", ".PRC"                         refused: nothing is written
//   a  ".RTF", or conversion mode 8           RTF              mode 2
//   b  ".NVW"                                 lines            none
//   c  ".NVS"                                 lines under the Nuvel DOS,
//                                             Program Editor or Tag
//                                             configuration, else .NVS  mode 4
//   d  ".3T" or the 3B2 configuration, not ".RLE"   3B2   digit runs, mode 6
//   e  Program Editor, or ".RLE"              lines            none
//   f  Nuvel DOS or Tag configuration         lines            current mode
//   g  otherwise, by the disk format: 0 lines, 1 .NVS, 2 DOS text,
//      3 Einstein, 4 3B2 (converted as in row d), 5 Unicode text, other
//      values lines                                            current mode
// The Palm row comes first so that no configuration or mode writes text
// over an e-book.
#include <cstdint>
#include <string_view>

#include "core/conv_context.h"

namespace nuvel {

enum class TWriterKind : uint8_t { None, Lines, Nvs, DosText, Einstein, ThreeB2, Unicode, Rtf };

enum class TSavePass : uint8_t {
  None,
  Fixed,    // ConvertText out in a fixed mode
  ThreeB2,  // digit runs reversed, then ConvertText out in mode 6
  Current,  // ConvertText out in the current mode (or the wizard's translation type)
};

struct TSaveRule {
  char row = 'g';
  TWriterKind writer = TWriterKind::Lines;
  TSavePass pass = TSavePass::Current;
  int fixedMode = 0;
  friend bool operator==(const TSaveRule&, const TSaveRule&) = default;
};

// `extension` as DocumentExtension gives it; `diskFormat` the document's
// effective disk format.
TSaveRule ChooseSaveRule(TEditConfig config, std::string_view extension, int convMode, uint8_t diskFormat);

}  // namespace nuvel
