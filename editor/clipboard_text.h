#pragma once
// The text that copy puts on the clipboard and the text that paste takes
// from it, converted by the document's conversion. The clipboard holds
// either Unicode text (conversion mode 7) or bytes of the outside character
// set; the bytes also go up as plain text read as Windows-1255, for programs
// that take only Unicode.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/conv_context.h"

namespace nuvel {

struct TClipboardCopy {
  bool unicodeOnly = false;      // mode 7: only `unicodeText` is placed
  std::u16string unicodeText;    // the plain text
  std::vector<uint8_t> bytes;    // the byte text (not in mode 7)
};

// What the clipboard offers to a paste.
struct TClipboardPaste {
  std::optional<std::vector<uint8_t>> bytes;  // byte text placed by this program
  std::optional<std::u16string> unicodeText;  // plain text
};

// The selection, one chunk per paragraph, becomes clipboard text: chunks
// joined by CR LF, bytes below 10 (tabs included) as blanks. In mode 7 the
// bytes go through the character set's Unicode table. In other modes each
// chunk is converted out by `conversion`'s mode; in mode 2, outside the
// Program Editor configuration, it is first turned from the document's
// storage order into logical order. The plain text for other programs is
// always in logical order, with points in Unicode's canonical order.
TClipboardCopy BuildClipboardCopy(std::span<const std::vector<uint8_t>> chunks, const ConvContext& conversion,
                                  bool englishDocument);

// The bytes to insert at the caret (line ends split paragraphs there): in
// mode 7 the Unicode text when there is one, each character to a byte of the
// system's set (characters without one are dropped); otherwise the byte
// text, or the plain text as Windows-1255 bytes, converted in by
// `conversion`'s mode. Nothing when the clipboard has no text.
// With `englishDocument`, text in logical order (the plain text of other
// programs, and the byte text in mode 2) is turned into the document's
// storage order; without it (single-line fields) the order is kept.
std::optional<std::vector<uint8_t>> TextFromClipboard(const TClipboardPaste& paste, const ConvContext& conversion,
                                                      std::optional<bool> englishDocument = std::nullopt);

}  // namespace nuvel
