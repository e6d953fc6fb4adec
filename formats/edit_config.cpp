#include "formats/edit_config.h"

#include "core/shared_state.h"

namespace nuvel {

TEditConfig CurrentEditConfig() {
  if (NoConversion) return TEditConfig::ProgramEditor;
  if (NuvDosConfig) return TEditConfig::NuvelDos;
  if (ForceCP1255) return TEditConfig::ThreeB2;
  if (TagConfig) return TEditConfig::Tag;
  if (Config6) return TEditConfig::NulRecords;
  return TEditConfig::Default;
}

}  // namespace nuvel
