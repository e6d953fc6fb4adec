#include "textsearch/text_hit.h"

#include <string>

#include "core/bm_search.h"
#include "editor/custom_editor.h"
#include "platform/ascii_case.h"

namespace nuvel {

uint16_t TextSearchOptions(bool wholeWords, bool wordStart, bool wordEnd) {
  if (wholeWords) return kFindWholeWords;
  return static_cast<uint16_t>((wordStart ? kFindWordStart : 0) | (wordEnd ? kFindWordEnd : 0));
}

bool FindTextHit(TNvcCustomEditor& editor, std::string_view text, uint16_t options) {
  if (text.empty() || editor.ParaCount() < 1) return false;
  const std::string upper = platform::UpperAscii(text);
  const std::span<const uint8_t> pattern(reinterpret_cast<const uint8_t*>(upper.data()), upper.size());
  SkipTable table;
  MakeSkipTable(pattern, table);
  const bool start = options & (kFindWholeWords | kFindWordStart);
  const bool end = options & (kFindWholeWords | kFindWordEnd);

  int32_t col = 0;
  int32_t para = editor.GetCaretPosition(col);
  int32_t pos = col;
  editor.LineToPara(para, pos);
  for (; para <= editor.ParaCount(); ++para, pos = 1) {
    const std::span<const uint8_t> bytes = editor.GetPara(para);
    size_t from = static_cast<size_t>(pos - 1);
    while (from + pattern.size() <= bytes.size()) {
      size_t at = 0;
      if (!BMSearchUC(bytes.subspan(from), table, pattern, at)) break;
      const size_t p = from + at, q = p + pattern.size();
      const bool startOk = !start || p == 0 || editor.IsDelimiter(bytes[p - 1]);
      const bool endOk = !end || q == bytes.size() || editor.IsDelimiter(bytes[q]);
      if (startOk && endOk) {
        editor.SelectRange(para, static_cast<int32_t>(p + 1), para, static_cast<int32_t>(q + 1), true);
        return true;
      }
      from = p + 1;
    }
  }
  return false;
}

}  // namespace nuvel
