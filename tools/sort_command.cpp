#include "tools/sort_command.h"

#include <algorithm>
#include <span>

#include "editor/heb_text_editor.h"
#include "tools/fix_rec_sort.h"
#include "tools/record_compare.h"

namespace nuvel::tools {

int CompareSortRecords(const uint8_t* a, const uint8_t* b, std::size_t length, bool caseSensitive) {
  const std::span<const uint8_t> x(a, length);
  const std::span<const uint8_t> y(b, length);
  return caseSensitive ? CompareBytesFrom(x, y, 1, kSortKeyLength) : CompareCollatedFrom(x, y, 1, kSortKeyLength);
}

std::vector<std::vector<uint8_t>> SortUnits(const THebTextEditor& editor, bool byLines) {
  std::vector<std::vector<uint8_t>> units;
  const int32_t count = byLines ? editor.LineCount() : editor.ParaCount();
  units.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (int32_t n = 1; n <= count; ++n) {
    if (byLines) {
      const std::string line = editor.GetLine(n, std::string::npos);
      units.emplace_back(line.begin(), line.end());
    } else {
      const auto para = editor.GetPara(n);
      units.emplace_back(para.begin(), para.end());
    }
  }
  if (!units.empty() && units.back().empty()) units.pop_back();
  return units;
}

std::vector<uint8_t> SortRecords(const std::vector<std::vector<uint8_t>>& units) {
  std::size_t longest = 0;
  for (const auto& u : units) longest = std::max(longest, u.size());
  const std::size_t length = longest + 2;
  std::vector<uint8_t> records(units.size() * length, ' ');
  for (std::size_t i = 0; i < units.size(); ++i) {
    uint8_t* record = records.data() + i * length;
    std::copy(units[i].begin(), units[i].end(), record);
    record[length - 2] = '\r';
    record[length - 1] = '\n';
  }
  return records;
}

void SortText(THebTextEditor& editor, const TSortOptions& options, const TLongRunWindow* window) {
  TEditorRunState state(editor, window);
  const std::vector<std::vector<uint8_t>> units = SortUnits(editor, options.byLines);
  if (units.empty()) return;
  std::size_t length = 2;
  for (const auto& u : units) length = std::max(length, u.size() + 2);
  const TWorkFile in(WorkFileName(kSortInName));
  const TWorkFile out(WorkFileName(kSortOutName));
  WriteWorkFile(in.Path(), SortRecords(units));

  TFixRecSort sorter(length);
  sorter.SetMethod(SortMethod::ThreeWayMerge);
  const bool caseSensitive = options.caseSensitive;
  sorter.Sort(in.Path(), out.Path(), [length, caseSensitive](const uint8_t* a, const uint8_t* b) {
    return CompareSortRecords(a, b, length, caseSensitive);
  });
  // The records come back with their padding, as the sort wrote them.
  ReplaceEditorText(editor, ReadWorkFile(out.Path()), false);
  state.TextReplaced();
}

}  // namespace nuvel::tools
