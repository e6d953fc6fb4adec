#pragma once
// The readers of the plain-text document formats. Each appends paragraphs
// to a sink and returns 0, or the sink's error code that stopped it.
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/para_sink.h"
#include "formats/reader_input.h"
#include "formats/text_form.h"

namespace nuvel {

// Collected paragraph lengths at which the DOS readers close a paragraph.
inline constexpr std::size_t kDosTextParaLength = kLineBufferSize - 250;  // 32518
inline constexpr std::size_t kSmartLoadProbe = 5000;
inline constexpr std::size_t kNulRecordLimit = 32767;
inline constexpr std::size_t kUnicodeParaLimit = 32767;
// The first line of a 3B2 file as the 3B2 writer begins it.
inline constexpr std::string_view k3B2HeaderLine = "fdt \"tx1\",0,\"\"";

// Every line is one paragraph (the system's Windows format and the line
// configurations).
uint16_t ReadLines(TReaderInput& in, TParaSink& sink);
// DOS text: lines join into paragraphs, each followed by a blank; a blank
// line closes a paragraph and survives as an empty one, as does reaching
// 32518 bytes.
uint16_t ReadDosText(TReaderInput& in, TParaSink& sink);
// The system's DOS format (and Einstein, with the line-end byte 0xDB): lines
// join until one ends in the paragraph mark or is empty. With `smartLoad`, a
// file that closes no paragraph within its first 5000 bytes (or at all) is
// read again from the start as DOS text.
uint16_t ReadSmartDos(TReaderInput& in, TParaSink& sink, bool smartLoad);
// 3B2 tagged text: one paragraph per line, less a trailing "<>" and "\", a
// leading "$" and the default style tag that begins the rest. A first line
// that is the writer's header line is not text.
uint16_t Read3B2(TReaderInput& in, TParaSink& sink, std::string_view defaultStyle);
// The style tag of a 3B2 file's header line: [S3B2] Default_Style, else "<body>".
std::string DefaultStyle3B2();
// Records ended by zero bytes, one paragraph each (line ends included),
// split after 32767 bytes.
uint16_t ReadNulRecords(TReaderInput& in, TParaSink& sink);
// What reading a Unicode file could not keep.
struct TUnicodeReadNotes {
  uint64_t lostChars = 0;     // characters the code page has no byte for (dropped)
  bool changed = false;       // writing the text back would not give the same characters
  bool finalLineEnd = false;  // the text ended with a line end
};

// Unicode text in `form`: UTF-16 little-endian (with or without its
// byte-order mark; Bytes reads so too), UTF-16 big-endian (after its mark)
// or UTF-8 (with or without its mark). Each character becomes
// bytes of the Windows-1255 code page (a precomposed pointed letter its
// letter and points), which the conversion of mode 2 then takes into the
// system's set; characters without a byte are dropped and counted. A byte
// that is not UTF-8 counts as such a character. Paragraphs end at CR (LF
// after it skipped), a lone LF, U+2028 (a blank is added), U+2029 (the
// paragraph mark is added when `paragraphMark`), or after 32767 bytes. Zero
// characters are dropped and noted, except those that pad the end.
uint16_t ReadUnicodeText(TReaderInput& in, TParaSink& sink, bool paragraphMark, TTextForm form = TTextForm::Utf16,
                         TUnicodeReadNotes* notes = nullptr);

}  // namespace nuvel
