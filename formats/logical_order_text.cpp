#include "formats/logical_order_text.h"

#include <algorithm>

#include "core/border_order.h"

namespace nuvel {

std::span<const uint8_t> TLogicalOrderText::Para(uint32_t index) const {
  const std::span<const uint8_t> stored = stored_.Para(index);
  turned_.assign(stored.begin(), stored.end());
  StorageToLogical(english_, turned_);
  return turned_;
}

void TLogicalOrderText::ReplacePara(uint32_t index, std::span<const uint8_t> bytes) {
  std::vector<uint8_t> stored(bytes.begin(), bytes.end());
  LogicalToStorage(english_, stored);
  stored_.ReplacePara(index, stored);
}

void TurnParagraphs(TDocumentText& text, bool englishDocument) {
  // The editor does not redraw while the pass runs.
  text.BeginUpdate();
  std::vector<uint8_t> p;
  for (uint32_t i = 0; i < text.ParaCount(); ++i) {
    const std::span<const uint8_t> para = text.Para(i);
    p.assign(para.begin(), para.end());
    LogicalToStorage(englishDocument, p);
    if (!std::equal(p.begin(), p.end(), para.begin(), para.end())) text.ReplacePara(i, p);
  }
  text.EndUpdate();
}

}  // namespace nuvel
