#pragma once
// The writers of the document formats: paragraphs (already converted to the
// outside character set) in, the bytes of the file out. A "screen line" is
// one wrapped line of a paragraph as the editor wraps it. The callers leave
// out an empty last paragraph, which the editor always holds.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/para_vector.h"
#include "formats/text_form.h"
#include "formats/text_readers.h"

namespace nuvel {

struct TWrapSettings {
  int32_t wrapColumn = 32767;  // the editor's effective wrap column
  uint32_t tabSize = 8;
};

// A writer of one format fed paragraph by paragraph: each call appends its
// part of the file's bytes to `out`, which the caller may empty into the
// file between calls, so that a save never holds the whole file's bytes.
class TDocumentWriter {
 public:
  virtual ~TDocumentWriter() = default;
  // The bytes before the first paragraph.
  virtual void Begin(std::vector<uint8_t>& out) { (void)out; }
  virtual void Paragraph(std::span<const uint8_t> para, std::vector<uint8_t>& out) = 0;
  // The bytes after the last paragraph; false when the writer failed.
  virtual bool End(std::vector<uint8_t>& out) {
    (void)out;
    return true;
  }
  // For a format whose paragraph's bytes depend on that paragraph alone: a
  // writer of paragraphs like this one, for another thread to write a part
  // of the text with. Null for a format that carries anything from one
  // paragraph to the next.
  virtual std::unique_ptr<TDocumentWriter> ParagraphWriter() const { return nullptr; }
};

// The writers of the formats below, one object a file.
std::unique_ptr<TDocumentWriter> MakeLinesWriter(bool lf);
std::unique_ptr<TDocumentWriter> MakeNvsWriter(const TWrapSettings& wrap);
std::unique_ptr<TDocumentWriter> MakeDosTextWriter(const TWrapSettings& wrap, bool lf);
std::unique_ptr<TDocumentWriter> MakeEinsteinWriter(const TWrapSettings& wrap);
std::unique_ptr<TDocumentWriter> Make3B2Writer(const TWrapSettings& wrap, std::string_view defaultStyle);
std::unique_ptr<TDocumentWriter> MakeUnicodeWriter(bool lf, TTextForm form, bool finalLineEnd);
std::unique_ptr<TDocumentWriter> MakeRtfWriter(bool englishDocument, std::string_view userHead);

// Every paragraph of `paras` through `writer`, into `out`; false when the
// writer failed.
bool WriteParagraphs(TDocumentWriter& writer, const TParagraphs& paras, std::vector<uint8_t>& out);

// The screen lines of one paragraph.
std::vector<std::span<const uint8_t>> ScreenLines(std::span<const uint8_t> para, const TWrapSettings& wrap);

// The line end of the plain-text formats: CR LF, or LF for a document that
// was read with LF-only line ends.
std::string_view LineEnd(bool lf);

// Each paragraph and a line end.
std::vector<uint8_t> WriteLinesFormat(const TParagraphs& paras, bool lf);
// Each screen line and CR LF; the last of a paragraph gets the paragraph mark first.
std::vector<uint8_t> WriteNvsFormat(const TParagraphs& paras, const TWrapSettings& wrap);
// Each screen line and a line end.
std::vector<uint8_t> WriteDosTextFormat(const TParagraphs& paras, const TWrapSettings& wrap, bool lf);
// A paragraph's screen lines joined with 0xDB at each wrap point (in place of
// a blank that ends the line), then CR LF.
std::vector<uint8_t> WriteEinsteinFormat(const TParagraphs& paras, const TWrapSettings& wrap);
// The header line, then every screen line marked with "$", the default style
// on a paragraph's first line (unless it brings a tag of its own), "\" at the
// end of inner lines and "<>" at the end of the last.
std::vector<uint8_t> Write3B2Format(const TParagraphs& paras, const TWrapSettings& wrap, std::string_view defaultStyle);
// Unicode text of paragraphs in Windows-1255 bytes (as the conversion of
// mode 2 writes them): UTF-16 little-endian or UTF-8, each with or without
// its byte-order mark by `form` (Bytes: UTF-16 with the mark), or UTF-16
// big-endian with its mark; a line end
// between paragraphs, and after the last only with `finalLineEnd`.
std::vector<uint8_t> WriteUnicodeFormat(const TParagraphs& paras, bool lf, TTextForm form = TTextForm::Utf16Mark,
                                        bool finalLineEnd = false);
// RTF through the RTF writer; a Hebrew document gets the right-to-left
// paragraph format first. False when the writer reported a short write.
bool WriteRtfFormat(const TParagraphs& paras, bool englishDocument, std::string_view userHead,
                    std::vector<uint8_t>& out);

inline constexpr std::string_view kRtfHebrewParagraph = "\\rtlpar\\qr\\plain\\rtlch ";

}  // namespace nuvel
