#include "formats/load_rule.h"

#include "core/conv_engine.h"
#include "formats/disk_format.h"

namespace nuvel {

TLoadRule ChooseLoadRule(TEditConfig config, std::string_view ext, int convMode, uint8_t diskFormat) {
  using R = TReaderKind;
  using P = TLoadPass;
  const bool lineConfig =
      config == TEditConfig::NuvelDos || config == TEditConfig::Tag || config == TEditConfig::ProgramEditor;
  if (ext == ".RTF" || convMode == kConvRtf) return {'a', R::Rtf, P::Fixed, kConvCp1255};
  if (ext == ".NVW") return {'b', R::Lines, P::None, 0};
  if (ext == ".NVS") return {'c', lineConfig ? R::Lines : R::SmartDos, P::Fixed, kConvNuvelDos};
  if (ext == ".3T" || config == TEditConfig::ThreeB2) return {'d', R::ThreeB2, P::FixedReversed, kConv3B2};
  if (config == TEditConfig::ProgramEditor || ext == ".RLE") return {'e', R::Lines, P::None, 0};
  if (config == TEditConfig::NulRecords) return {'f', R::NulRecords, P::None, 0};
  if (ext == ".PDB" || ext == ".PRC") return {'g', R::None, P::None, 0};
  if (config == TEditConfig::NuvelDos || config == TEditConfig::Tag) return {'h', R::Lines, P::General, 0};
  switch (diskFormat) {
    case kDiskNvs: return {'i', R::SmartDos, P::General, 0};
    case kDiskDosText: return {'i', R::DosText, P::General, 0};
    case kDiskEinstein: return {'i', R::Einstein, P::General, 0};
    case kDisk3B2: return {'i', R::ThreeB2, P::FixedReversed, kConv3B2};
    case kDiskUnicode: return {'i', R::Unicode, P::General, 0};
    default: return {'i', R::Lines, P::General, 0};
  }
}

}  // namespace nuvel
