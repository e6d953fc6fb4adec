#pragma once
// Which reader loads a document and which conversion follows, decided by
// the first rule that applies:
//   a  ".RTF", or conversion mode 8     RTF reader      mode 2
//   b  ".NVW"                           lines           none
//   c  ".NVS"                           lines under the Nuvel DOS, Tag or
//                                       Program Editor configuration, else
//                                       the DOS format  mode 4
//   d  ".3T", or the 3B2 configuration  3B2             mode 6, digit runs
//   e  Program Editor, or ".RLE"        lines           none
//   f  NUL-records configuration        NUL records     none
//   g  ".PDB", ".PRC"                   nothing         none
//   h  Nuvel DOS or Tag configuration   lines           current mode
//   i  otherwise, by the disk format    (below)         current mode
// Disk formats: 0 lines, 1 the DOS format, 2 DOS text, 3 Einstein, 4 3B2
// (read and converted as in row d, as it is written), 5 Unicode text, any
// other value lines.
#include <cstdint>
#include <string_view>

#include "core/conv_context.h"

namespace nuvel {

enum class TReaderKind : uint8_t { None, Rtf, Lines, DosText, SmartDos, Einstein, ThreeB2, NulRecords, Unicode };

enum class TLoadPass : uint8_t {
  None,
  Fixed,          // ConvertText in a fixed mode, the current mode kept
  FixedReversed,  // the same, then the digit-run reversal (3B2)
  General,        // ConvertText in the current mode, then Sheim Hashem protection when on
};

struct TLoadRule {
  char row = 'i';
  TReaderKind reader = TReaderKind::Lines;
  TLoadPass pass = TLoadPass::General;
  int fixedMode = 0;
  friend bool operator==(const TLoadRule&, const TLoadRule&) = default;
};

// `extension` as DocumentExtension gives it; `diskFormat` the document's
// effective disk format (its own code, or the stored default when not set).
TLoadRule ChooseLoadRule(TEditConfig config, std::string_view extension, int convMode, uint8_t diskFormat);

}  // namespace nuvel
