#include "editor/clipboard_text.h"

#include "core/charset.h"
#include "core/conv_buffer.h"
#include "core/conv_engine.h"
#include "core/conv_guard.h"
#include "core/conv_mode.h"
#include "core/conv_table.h"
#include "core/point_order.h"
#include "core/shared_state.h"
#include "core/text_reversal.h"
#include "formats/windows1255.h"

namespace nuvel {
namespace {

void BlankControlBytes(std::vector<uint8_t>& text) {
  for (uint8_t& b : text) {
    if (b > 0 && b < 10) b = ' ';
  }
}

}  // namespace

TClipboardCopy BuildClipboardCopy(std::span<const std::vector<uint8_t>> chunks, bool englishDocument) {
  TClipboardCopy out;
  std::vector<uint8_t> text;
  if (GetConvMode() == kConvUnicode) {
    for (std::size_t i = 0; i < chunks.size(); ++i) {
      if (i > 0) text.insert(text.end(), {13, 10});
      text.insert(text.end(), chunks[i].begin(), chunks[i].end());
    }
    BlankControlBytes(text);
    out.unicodeOnly = true;
    out.unicodeText.resize(text.size());
    HebToWideBuffer(text, std::span<char16_t>(out.unicodeText.data(), out.unicodeText.size()));
    return out;
  }
  ConvStateGuard keep;
  PrepareConvTable(true);
  const bool reorder = GetConvMode() == kConvCp1255 && !NoConversion;
  const bool pointsInOrder = !NoConversion && (GetConvMode() == kConvCp1255 || GetConvMode() == kConvWindowsFonts ||
                                               ForceCP1255);
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    std::vector<uint8_t> chunk = chunks[i];
    if (reorder) {
      std::string s(chunk.begin(), chunk.end());
      ReverseScriptRuns(englishDocument, s);
      chunk.assign(s.begin(), s.end());
    }
    ConvertBuffer(chunk);
    if (pointsInOrder) PutPointsInCanonicalOrder(chunk);
    text.insert(text.end(), chunk.begin(), chunk.end());
    if (i + 1 < chunks.size()) text.insert(text.end(), {13, 10});
  }
  BlankControlBytes(text);
  out.unicodeText = DecodeWindows1255(text);
  out.bytes = std::move(text);
  return out;
}

std::optional<std::vector<uint8_t>> TextFromClipboard(const TClipboardPaste& paste) {
  if (GetConvMode() == kConvUnicode && paste.unicodeText) {
    std::vector<uint8_t> text(paste.unicodeText->size());
    WideToHebBuffer(*paste.unicodeText, text);
    std::erase(text, 0);
    return text;
  }
  std::vector<uint8_t> text;
  if (paste.bytes) {
    text = *paste.bytes;
  } else if (paste.unicodeText) {
    text = EncodeWindows1255(*paste.unicodeText);
  } else {
    return std::nullopt;
  }
  std::erase(text, 0);
  ConvStateGuard keep;
  PrepareConvTable(false);
  ConvertBuffer(text);
  return text;
}

}  // namespace nuvel
