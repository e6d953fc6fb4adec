#include "editor/clipboard_text.h"

#include <memory>

#include "core/charset.h"
#include "core/conv_engine.h"
#include "core/cp1255_look_alikes.h"
#include "core/point_order.h"
#include "core/border_order.h"
#include "formats/windows1255.h"

namespace nuvel {
namespace {

void BlankControlBytes(std::vector<uint8_t>& text) {
  for (uint8_t& b : text) {
    if (b > 0 && b < 10) b = ' ';
  }
}

}  // namespace

namespace {

// The chunk in logical order as the desktop's plain text: its pointed
// letters as letters and points in Unicode's canonical order.
std::u16string DesktopText(std::vector<uint8_t> chunk, bool turn, bool englishDocument, const PreparedConv& cp1255) {
  if (turn) StorageToLogical(englishDocument, chunk);
  std::vector<uint8_t> out;
  ConvertBytes(cp1255.Settings(), chunk, out);
  PutPointsInCanonicalOrder(out);
  return DecodeWindows1255(out);
}

}  // namespace

TClipboardCopy BuildClipboardCopy(std::span<const std::vector<uint8_t>> chunks, const ConvContext& conversion,
                                  bool englishDocument) {
  TClipboardCopy out;
  std::vector<uint8_t> text;
  const bool turns = !conversion.NoConversion();
  if (conversion.mode == kConvUnicode) {
    for (std::size_t i = 0; i < chunks.size(); ++i) {
      if (i > 0) text.insert(text.end(), {13, 10});
      std::vector<uint8_t> chunk = chunks[i];
      if (turns) StorageToLogical(englishDocument, chunk);
      text.insert(text.end(), chunk.begin(), chunk.end());
    }
    BlankControlBytes(text);
    out.unicodeOnly = true;
    out.unicodeText.resize(text.size());
    HebToWideBuffer(text, std::span<char16_t>(out.unicodeText.data(), out.unicodeText.size()));
    return out;
  }
  const int mode = conversion.mode;
  // Windows programs take logical order; the plain text of the desktop is
  // always logical, whatever the byte text is.
  const bool reorder = mode == kConvCp1255 && turns;
  const bool pointsInOrder = turns && (mode == kConvCp1255 || mode == kConvWindowsFonts || conversion.ForceCp1255());
  std::u16string desktop;
  // The table of mode 2 going out, prepared once for a whole copy.
  std::optional<PreparedConv> cp1255;
  if (!reorder) cp1255.emplace(kConvCp1255, true);
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    if (!reorder) {
      if (i > 0) desktop += u"\r\n";
      desktop += DesktopText(chunks[i], turns, englishDocument, *cp1255);
    }
    std::vector<uint8_t> chunk = chunks[i];
    if (reorder) StorageToLogical(englishDocument, chunk);
    ConvertWholeText(conversion, true, chunk);
    if (pointsInOrder) PutPointsInCanonicalOrder(chunk);
    text.insert(text.end(), chunk.begin(), chunk.end());
    if (i + 1 < chunks.size()) text.insert(text.end(), {13, 10});
  }
  BlankControlBytes(text);
  if (reorder) {
    out.unicodeText = DecodeWindows1255(text);
  } else {
    for (char16_t& c : desktop) {
      if (c > 0 && c < 10) c = u' ';
    }
    out.unicodeText = std::move(desktop);
  }
  out.bytes = std::move(text);
  return out;
}

std::optional<std::vector<uint8_t>> TextFromClipboard(const TClipboardPaste& paste, const ConvContext& conversion,
                                                      std::optional<bool> englishDocument) {
  const bool reorderable = englishDocument.has_value() && !conversion.NoConversion();
  auto toStorage = [&](std::vector<uint8_t>& text) {
    if (!reorderable) return;
    // Line by line: the paste may hold several.
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
      if (i == text.size() || text[i] == 13 || text[i] == 10) {
        LogicalToStorage(*englishDocument, std::span<uint8_t>(text.data() + start, i - start));
        start = i + 1;
      }
    }
  };
  if (conversion.mode == kConvUnicode && paste.unicodeText) {
    std::vector<uint8_t> text(paste.unicodeText->size());
    WideToHebBuffer(*paste.unicodeText, text);
    std::erase(text, 0);
    toStorage(text);
    return text;
  }
  std::vector<uint8_t> text;
  bool logical = false;
  ConvContext pasted = conversion;
  if (paste.bytes) {
    text = *paste.bytes;
    logical = conversion.mode == kConvCp1255;
  } else if (paste.unicodeText) {
    // Plain text of another program: logical order, taken as Windows-1255.
    text = EncodeWindows1255(*paste.unicodeText);
    pasted.mode = kConvCp1255;
    logical = true;
  } else {
    return std::nullopt;
  }
  std::erase(text, 0);
  const int mode = pasted.WholeTextMode();
  std::vector<uint8_t> expanded;
  if (!pasted.NoConversion() && (mode == kConvCp1255 || mode == kConvWindowsFonts) &&
      ExpandCp1255LookAlikes(text, expanded)) {
    text.swap(expanded);
  }
  ConvertWholeText(pasted, false, text);
  if (logical) toStorage(text);
  return text;
}

}  // namespace nuvel
