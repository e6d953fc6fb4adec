#pragma once
// The readers of the plain-text document formats. Each appends paragraphs
// to a sink and returns 0, or the sink's error code that stopped it.
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/para_sink.h"
#include "formats/reader_input.h"

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
// UTF-16 little-endian with or without a byte-order mark, each code unit to
// a byte of the system's set (units without one are dropped). Paragraphs end
// at CR (LF after it skipped), a lone LF, U+2028 (a blank is added), U+2029
// (the paragraph mark is added when `paragraphMark`), or after 32767 bytes.
uint16_t ReadUnicodeText(TReaderInput& in, TParaSink& sink, bool paragraphMark);

}  // namespace nuvel
