#pragma once
// A document's paragraphs seen in logical order: the order in which other
// programs keep text and in which rules about words are written. Reading a
// paragraph turns it out of the document's storage order, replacing one
// turns the new bytes back, so a pass that reads words as they are written
// (the Divine Name protection) works whichever direction the document has.
#include <cstdint>
#include <span>
#include <vector>

#include "formats/document_text.h"

namespace nuvel {

class TLogicalOrderText : public TDocumentText {
 public:
  TLogicalOrderText(TDocumentText& stored, bool englishDocument) : stored_(stored), english_(englishDocument) {}

  uint32_t ParaCount() const override { return stored_.ParaCount(); }
  std::span<const uint8_t> Para(uint32_t index) const override;
  void ReplacePara(uint32_t index, std::span<const uint8_t> bytes) override;
  void SetModified(bool modified) override { stored_.SetModified(modified); }
  void BeginUpdate() override { stored_.BeginUpdate(); }
  void EndUpdate() override { stored_.EndUpdate(); }

 private:
  TDocumentText& stored_;
  bool english_;
  mutable std::vector<uint8_t> turned_;
};

// Turns every paragraph of `text` between logical and storage order (the
// turn is its own inverse); paragraphs that read the same are left alone.
void TurnParagraphs(TDocumentText& text, bool englishDocument);

}  // namespace nuvel
