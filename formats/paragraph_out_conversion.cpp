#include "formats/paragraph_out_conversion.h"

#include "formats/text_conversion.h"

namespace nuvel {

TParagraphOutConversion::TParagraphOutConversion(int mode) {
  if (mode == kConvNone || mode == kConvUnicode) return;
  prepared_.emplace(mode, true);
  converts_ = ModeConvertsBytes(mode);
}

void TParagraphOutConversion::Convert(std::span<const uint8_t> para, std::vector<uint8_t>& out) const {
  if (!converts_ || para.empty()) {
    out.assign(para.begin(), para.end());
    return;
  }
  ConvertParagraphOut(prepared_->Settings(), para, out);
}

}  // namespace nuvel
