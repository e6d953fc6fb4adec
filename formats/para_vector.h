#pragma once
// A document held as a plain list of paragraphs: the copy of the text that a
// save converts and writes, and the target of readers outside an editor.
#include <cstdint>
#include <span>
#include <vector>

#include "formats/document_text.h"
#include "formats/para_sink.h"

namespace nuvel {

using TParagraphs = std::vector<std::vector<uint8_t>>;

class TParaVector : public TParaSink, public TDocumentText {
 public:
  TParaVector() = default;
  explicit TParaVector(TParagraphs paras) : paras_(std::move(paras)) {}

  uint16_t AppendParaText(std::span<const uint8_t> text) override {
    paras_.emplace_back(text.begin(), text.end());
    return 0;
  }
  uint32_t ParaCount() const override { return static_cast<uint32_t>(paras_.size()); }
  std::span<const uint8_t> Para(uint32_t index) const override { return paras_[index]; }
  void ReplacePara(uint32_t index, std::span<const uint8_t> bytes) override {
    paras_[index].assign(bytes.begin(), bytes.end());
  }
  void SetModified(bool modified) override { modified_ = modified; }

  bool Modified() const { return modified_; }
  const TParagraphs& Paras() const { return paras_; }
  TParagraphs& Paras() { return paras_; }

 private:
  TParagraphs paras_;
  bool modified_ = false;
};

}  // namespace nuvel
