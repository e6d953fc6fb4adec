#include "editor/save_rule.h"

#include "core/conv_engine.h"
#include "formats/disk_format.h"

namespace nuvel {

TSaveRule ChooseSaveRule(TEditConfig config, std::string_view ext, int convMode, uint8_t diskFormat) {
  using W = TWriterKind;
  using P = TSavePass;
  if (ext == ".PDB" || ext == ".PRC") return {'h', W::None, P::None, 0};
  if (ext == ".RTF" || convMode == kConvRtf) return {'a', W::Rtf, P::Fixed, kConvCp1255};
  if (ext == ".NVW") return {'b', W::Lines, P::None, 0};
  const bool lineConfig =
      config == TEditConfig::NuvelDos || config == TEditConfig::Tag || config == TEditConfig::ProgramEditor;
  if (ext == ".NVS") return {'c', lineConfig ? W::Lines : W::Nvs, P::Fixed, kConvNuvelDos};
  if ((ext == ".3T" || config == TEditConfig::ThreeB2) && ext != ".RLE") return {'d', W::ThreeB2, P::ThreeB2, kConv3B2};
  if (config == TEditConfig::ProgramEditor || ext == ".RLE") return {'e', W::Lines, P::None, 0};
  if (config == TEditConfig::NuvelDos || config == TEditConfig::Tag) return {'f', W::Lines, P::Current, 0};
  switch (diskFormat) {
    case kDiskNvs: return {'g', W::Nvs, P::Current, 0};
    case kDiskDosText: return {'g', W::DosText, P::Current, 0};
    case kDiskEinstein: return {'g', W::Einstein, P::Current, 0};
    case kDisk3B2: return {'g', W::ThreeB2, P::ThreeB2, kConv3B2};
    case kDiskUnicode: return {'g', W::Unicode, P::Current, 0};
    default: return {'g', W::Lines, P::Current, 0};
  }
}

}  // namespace nuvel
