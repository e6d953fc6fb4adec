#pragma once
// Writes RTF for the editor's RTF save: a fixed header (Hebrew default
// language, five fonts with a Hebrew default, one colour, a page-number
// footer and the user's own header text), then paragraphs, then the closing
// brace. The text it receives is already in Windows-1255.
#include <cstdint>
#include <span>
#include <string_view>

#include "formats/write_stream.h"

namespace nuvel {

class TRTFWriter {
 public:
  static constexpr uint8_t kWriteOk = 0;
  static constexpr uint8_t kShortWrite = 7;  // the stream accepted fewer bytes

  // Sets the stream and writes the header with the registry value [RtfInf]
  // UserHead as the user's header text (none when it is missing).
  void WriteHeader(TByteStream& stream);
  // The same with the user's header text given ("NotFound" or empty: none).
  void WriteHeader(TByteStream& stream, std::string_view userHead);
  // Called before each paragraph's text; writes nothing.
  void BeginPar() {}
  // Writes document text: tab and line feed as \tab and \line, printable
  // ASCII as itself with "{", "}" and "\" escaped, bytes 0-3 not at all, the
  // rest as \'hh. Returns kWriteOk or kShortWrite (the rest is then skipped).
  uint8_t WriteText(std::span<const uint8_t> text);
  // Writes RTF control text unchanged (the editor's paragraph-format prefix).
  uint8_t WriteControl(std::string_view control);
  // Ends a paragraph: "\par", LF, CR.
  uint8_t WritePar();
  // Sets the stream and closes the document: CR, LF, "}".
  uint8_t WriteTrailer(TByteStream& stream);

 private:
  uint8_t Put(std::span<const uint8_t> bytes);
  uint8_t Put(std::string_view text);

  TByteStream* stream_ = nullptr;
};

}  // namespace nuvel
