#include "editor/go_to_character.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "core/border_map.h"
#include "editor/heb_text_editor.h"

namespace nuvel {
namespace {

// The turn into storage order shows some brackets the other way round, so
// a paragraph cannot be passed over by its stored bytes alone for them.
bool MayBeMirrored(uint8_t ch) { return std::string_view("()[]{}<>").find(static_cast<char>(ch)) != std::string_view::npos; }

bool GoInStoredOrder(THebTextEditor& e, uint8_t ch) {
  size_t from = static_cast<size_t>(e.CaretPos());
  for (int32_t para = e.CaretPara(); para <= e.ParaCount(); ++para, from = 0) {
    const auto bytes = e.GetPara(para);
    if (from >= bytes.size()) continue;
    const void* hit = std::memchr(bytes.data() + from, ch, bytes.size() - from);
    if (hit != nullptr) {
      e.MoveCaretToPara(para, static_cast<int32_t>(static_cast<const uint8_t*>(hit) - bytes.data()) + 1, false);
      return true;
    }
  }
  return false;
}

bool GoInReadingOrder(THebTextEditor& e, uint8_t ch) {
  const bool mirrored = MayBeMirrored(ch);
  std::vector<uint8_t> logical;
  for (int32_t para = e.CaretPara(); para <= e.ParaCount(); ++para) {
    const auto stored = e.GetPara(para);
    if (stored.empty() || (!mirrored && std::memchr(stored.data(), ch, stored.size()) == nullptr)) continue;
    const BorderMap map = BorderMap::OfStored(e.Engm(), stored, &logical);
    size_t from = 0;
    if (para == e.CaretPara()) {
      const auto caret = static_cast<size_t>(e.CaretPos() - 1);
      if (caret >= stored.size()) continue;
      from = map.LogicalOf(caret) + 1;
    }
    for (size_t l = from; l < logical.size(); ++l) {
      if (logical[l] == ch) {
        e.MoveCaretToPara(para, static_cast<int32_t>(map.StoredOf(l)) + 1, false);
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool GoToCharacter(THebTextEditor& editor, uint8_t ch) {
  return editor.LogicalOrder() ? GoInReadingOrder(editor, ch) : GoInStoredOrder(editor, ch);
}

}  // namespace nuvel
