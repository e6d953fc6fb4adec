#pragma once
// Sheim Hashem protection as loading and saving call it: built-in filter 4
// applies it, filter 5 removes it. The filters register themselves here;
// until they do, both do nothing.
#include <functional>

#include "formats/document_text.h"

namespace nuvel {

inline constexpr int kSheimApplyFilter = 4;
inline constexpr int kSheimRemoveFilter = 5;

using TSheimFilterHook = std::function<void(TDocumentText& text, int filterKind)>;

void SetSheimFilterHook(TSheimFilterHook hook);
void RunSheimFilter(TDocumentText& text, int filterKind);

}  // namespace nuvel
