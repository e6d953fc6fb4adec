#include "formats/paragraph_out_conversion.h"

#include "core/conv_buffer.h"
#include "core/conv_mode.h"
#include "formats/text_conversion.h"

namespace nuvel {

TParagraphOutConversion::TParagraphOutConversion() {
  const int mode = GetConvMode();
  if (mode == kConvNone || mode == kConvUnicode) return;
  settings_ = PreparedConvSettings(true, table_);
  converts_ = ModeConvertsBytes(mode);
}

void TParagraphOutConversion::Convert(std::span<const uint8_t> para, std::vector<uint8_t>& out) const {
  if (!converts_ || para.empty()) {
    out.assign(para.begin(), para.end());
    return;
  }
  ConvertParagraphOut(settings_, para, out);
}

}  // namespace nuvel
