#pragma once
// The paragraphs of a document as the conversion pass and the digit-run
// reversal see them: read one, replace one, and the modified flag.
#include <cstdint>
#include <span>

namespace nuvel {

class TDocumentText {
 public:
  virtual ~TDocumentText() = default;
  virtual uint32_t ParaCount() const = 0;
  // The bytes of paragraph `index` (from 0), valid until the next change.
  virtual std::span<const uint8_t> Para(uint32_t index) const = 0;
  virtual void ReplacePara(uint32_t index, std::span<const uint8_t> bytes) = 0;
  virtual void SetModified(bool modified) = 0;
  // Around a pass over the whole text: the editor stops redrawing meanwhile.
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}
};

}  // namespace nuvel
