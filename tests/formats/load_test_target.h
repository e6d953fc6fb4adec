#pragma once
// A load target over a plain list of paragraphs, recording what the loader
// asked of it.
#include "formats/load_document.h"
#include "formats/para_vector.h"

namespace nuvel::test {

class TestLoadTarget : public TLoadTarget {
 public:
  // As the editor does, when it trims.
  uint16_t AppendParaText(std::span<const uint8_t> text) override {
    return paras.AppendParaText(trims ? WithoutTrailingBlanks(text) : text);
  }
  bool TrimsTrailingBlanks() const override { return trims; }
  void SetTrimsTrailingBlanks(bool t) override { trims = t; }
  uint32_t ParaCount() const override { return paras.ParaCount(); }
  std::span<const uint8_t> Para(uint32_t index) const override { return paras.Para(index); }
  void ReplacePara(uint32_t index, std::span<const uint8_t> bytes) override { paras.ReplacePara(index, bytes); }
  void SetModified(bool m) override { modified = m; }
  void ClearText() override {
    paras.Paras().clear();
    ++clears;
  }
  uint8_t DiskConv() const override { return diskConv; }
  bool SheimFiltered() const override { return sheim; }
  void LoadDone() override { ++done; }
  bool EnglishDocument() const override { return english; }
  const ConvContext& Conversion() const override { return conversion; }

  ConvContext conversion = ProgramConvContext();  // as a new document takes it
  TParaVector paras;
  bool modified = false;
  uint8_t diskConv = 255;
  bool sheim = false;
  bool english = true;
  bool trims = false;
  int clears = 0;
  int done = 0;
};

}  // namespace nuvel::test
