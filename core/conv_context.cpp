#include "core/conv_context.h"

#include <span>
#include <type_traits>

#include "core/conv_mode.h"
#include "core/conv_table.h"
#include "core/shared_state.h"

namespace nuvel {
namespace {

TEditConfig ProgramEditConfig() {
  if (NoConversion) return TEditConfig::ProgramEditor;
  if (NuvDosConfig) return TEditConfig::NuvelDos;
  if (ForceCP1255) return TEditConfig::ThreeB2;
  if (TagConfig) return TEditConfig::Tag;
  if (Config6) return TEditConfig::NulRecords;
  return TEditConfig::Default;
}

template <typename Bytes>
void ConvertWhole(const ConvContext& c, bool out, Bytes& text) {
  if (c.NoConversion()) return;
  const int mode = c.WholeTextMode();
  if (!ModeConvertsBytes(mode)) return;
  const PreparedConv prepared(mode, out);
  const std::span<uint8_t> bytes(reinterpret_cast<uint8_t*>(text.data()), text.size());
  if (const auto size = ConvertBytesInPlace(prepared.Settings(), bytes)) {
    text.resize(*size);
    return;
  }
  std::vector<uint8_t> converted;
  ConvertBytes(prepared.Settings(), std::span<const uint8_t>(bytes), converted);
  if constexpr (std::is_same_v<Bytes, std::vector<uint8_t>>) {
    text.swap(converted);
  } else {
    text.assign(converted.begin(), converted.end());
  }
}

}  // namespace

ConvContext ProgramConvContext() { return ConvContext{GetConvMode(), ProgramEditConfig()}; }

PreparedConv::PreparedConv(int mode, bool out) : table_(IdentityConvTable()) {
  PrepareConvTable(mode, out, table_);
  settings_ = ConvSettingsFor(mode, out, table_);
}

void ConvertWholeText(const ConvContext& c, bool out, std::vector<uint8_t>& text) { ConvertWhole(c, out, text); }

void ConvertWholeText(const ConvContext& c, bool out, std::string& text) { ConvertWhole(c, out, text); }

}  // namespace nuvel
