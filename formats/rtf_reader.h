#pragma once
// Turns RTF into plain paragraphs: the text of the document body with its
// paragraph and cell ends, line breaks, tabs and escaped characters; all
// formatting, font and colour tables, pictures, headers, footers, footnotes,
// comments and document information are dropped. Bytes pass through as they
// are: the loader converts the whole text from Windows-1255 afterwards.
// Unicode characters (\uN) become their Windows-1255 bytes, and their
// fallback text (\ucN characters, one by default) is skipped; a character
// the code page cannot show keeps its fallback instead.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "formats/para_sink.h"
#include "formats/rtf_keywords.h"

namespace nuvel {

class TRtfReader {
 public:
  // Error bytes of ReadRtf.
  static constexpr uint8_t kOk = 0;
  static constexpr uint8_t kStackUnderflow = 1;
  static constexpr uint8_t kBadProperty = 2;
  static constexpr uint8_t kInvalidHex = 4;
  static constexpr uint8_t kBadTable = 5;
  static constexpr uint8_t kEndOfFile = 7;  // ended inside a control word or an open group

  // The paragraph buffer is appended as a paragraph of its own whenever it
  // holds more than this and another byte comes.
  static constexpr std::size_t kTextLimit = 30000;

  explicit TRtfReader(TParaSink& sink) : sink_(sink) {}

  // Parses the whole of `data` and appends its paragraphs to the sink.
  // Text after the last paragraph end is appended too. A damaged part is
  // passed over and the rest read: a bad hexadecimal escape is dropped, a
  // closing brace without its group ignored. Returns kOk, or the first
  // damage met when the RTF was damaged or cut short.
  uint8_t ReadRtf(std::span<const uint8_t> data);

  // The first append error of the sink (0 when none); the parse stops there.
  uint16_t AppendError() const { return appendError_; }
  // The direction of the body's first paragraph that gives one (\ltrpar:
  // true, \rtlpar: false); nullopt when none does.
  std::optional<bool> FirstParagraphLeftToRight() const { return firstParLtr_; }

 private:
  enum Rds : uint8_t { kNorm = 0, kSkip = 1, kFontTable = 2, kColourTable = 3, kPict = 4, kPictFile = 5 };
  enum Ris : uint8_t { kRisNorm = 0, kRisHex = 2, kRisQuoted = 3 };
  struct Group {
    Rds rds;
    Ris ris;
    uint32_t uc;
  };

  int GetChar();
  void UngetChar() { --pos_; }
  uint8_t PushGroup();
  uint8_t PopGroup();
  uint8_t ParseKeyword();
  uint8_t TranslateKeyword(const std::string& word, int64_t param, bool hasParam);
  uint8_t ParseChar(int c);
  void PutTextChar(int c);
  void ApplyProperty(int32_t index, int64_t value);
  void ChangeDestination(int32_t number);
  void PutUnicode(int64_t param);
  void FlushParagraph();

  TParaSink& sink_;
  std::span<const uint8_t> data_;
  std::size_t pos_ = 0;

  std::vector<Group> stack_;
  int32_t groupCount_ = 0;
  Rds rds_ = kNorm;
  Ris ris_ = kRisNorm;
  uint32_t uc_ = 1;            // fallback characters after \uN
  uint32_t fallbackLeft_ = 0;  // of the last \uN, still to skip
  bool skipIfUnknown_ = false;
  bool verbatim_ = false;
  std::size_t verbatimMatched_ = 0;
  int hexValue_ = 0;
  int hexDigits_ = 0;
  int colourCount_ = 0;
  std::string fontName_;
  std::string pictFileName_;
  std::vector<uint8_t> text_;
  uint16_t appendError_ = 0;
  std::optional<bool> firstParLtr_;
};

}  // namespace nuvel
