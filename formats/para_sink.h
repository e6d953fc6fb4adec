#pragma once
// Where the document readers put what they read, one paragraph at a time, so
// that a reader works the same on an editor and on a plain list of
// paragraphs.
#include <cstdint>
#include <span>

namespace nuvel {

class TParaSink {
 public:
  virtual ~TParaSink() = default;
  // Appends `text` (no zero byte inside) at the end of the text as one
  // paragraph, or as several when it is longer than the sink's paragraph
  // limit. Returns 0, or the editor error code (263-268) that stopped it.
  virtual uint16_t AppendParaText(std::span<const uint8_t> text) = 0;
  // True when the sink drops the trailing blanks and tabs of what it is
  // given (an editor that trims them), so that whatever works on the text
  // before it can drop them first and see what the sink will keep.
  virtual bool TrimsTrailingBlanks() const { return false; }
};

// `text` without the trailing blanks and tabs such a sink drops.
inline std::span<const uint8_t> WithoutTrailingBlanks(std::span<const uint8_t> text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text = text.first(text.size() - 1);
  return text;
}

}  // namespace nuvel
