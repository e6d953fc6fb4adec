#include "tools/sort_command.h"

#include <algorithm>
#include <functional>
#include <span>
#include <string>

#include "editor/heb_text_editor.h"
#include "tools/fix_rec_sort.h"
#include "tools/record_compare.h"

namespace nuvel::tools {

int CompareSortRecords(const uint8_t* a, const uint8_t* b, std::size_t length, bool caseSensitive) {
  const std::span<const uint8_t> x(a, length);
  const std::span<const uint8_t> y(b, length);
  return caseSensitive ? CompareBytesFrom(x, y, 1, kSortKeyLength) : CompareCollatedFrom(x, y, 1, kSortKeyLength);
}

namespace {

// One unit of the sort; a screen line with a tab is expanded, any other is
// the editor's own bytes.
class SortUnit {
 public:
  SortUnit(const THebTextEditor& editor, bool byLines, int32_t n) {
    bytes_ = byLines ? editor.LineBytes(n) : editor.GetPara(n);
    if (byLines && std::find(bytes_.begin(), bytes_.end(), uint8_t{9}) != bytes_.end()) {
      expanded_ = editor.GetLine(n, std::string::npos);
      bytes_ = std::span(reinterpret_cast<const uint8_t*>(expanded_.data()), expanded_.size());
    }
  }
  std::span<const uint8_t> Bytes() const { return bytes_; }

 private:
  std::span<const uint8_t> bytes_;
  std::string expanded_;
};

// Hands the records out in pieces of whole records, each piece at most
// about a megabyte, so that a large text never needs them all in memory.
void EmitRecords(const THebTextEditor& editor, bool byLines, std::size_t length, std::size_t count,
                 const std::function<void(std::span<const uint8_t>)>& out) {
  const std::size_t perPiece = std::max<std::size_t>(1, (1 << 20) / length);
  std::vector<uint8_t> piece;
  for (std::size_t first = 0; first < count; first += perPiece) {
    const std::size_t records = std::min(perPiece, count - first);
    piece.assign(records * length, ' ');
    uint8_t* record = piece.data();
    for (std::size_t i = 0; i < records; ++i, record += length) {
      const SortUnit unit(editor, byLines, static_cast<int32_t>(first + i + 1));
      std::copy(unit.Bytes().begin(), unit.Bytes().end(), record);
      record[length - 2] = '\r';
      record[length - 1] = '\n';
    }
    out(piece);
  }
}

}  // namespace

TSortShape SortShape(const THebTextEditor& editor, bool byLines) {
  int32_t count = byLines ? editor.LineCount() : editor.ParaCount();
  if (count > 0 && SortUnit(editor, byLines, count).Bytes().empty()) --count;
  std::size_t longest = 0;
  for (int32_t n = 1; n <= count; ++n) longest = std::max(longest, SortUnit(editor, byLines, n).Bytes().size());
  return {longest + 2, static_cast<std::size_t>(std::max(count, 0))};
}

TSortRecords SortRecords(const THebTextEditor& editor, bool byLines) {
  TSortRecords records;
  const TSortShape shape = SortShape(editor, byLines);
  records.length = shape.length;
  records.count = shape.count;
  records.bytes.reserve(shape.length * shape.count);
  EmitRecords(editor, byLines, shape.length, shape.count, [&records](std::span<const uint8_t> piece) {
    records.bytes.insert(records.bytes.end(), piece.begin(), piece.end());
  });
  return records;
}

void SortText(THebTextEditor& editor, const TSortOptions& options, const TLongRunWindow* window) {
  TEditorRunState state(editor, window);
  const TSortShape shape = SortShape(editor, options.byLines);
  if (shape.count == 0) return;
  const std::size_t length = shape.length;
  const TWorkFile in(WorkFileName(kSortInName));
  const TWorkFile out(WorkFileName(kSortOutName));
  {
    TWorkFileWriter writer(in.Path());
    EmitRecords(editor, options.byLines, length, shape.count,
                [&writer](std::span<const uint8_t> piece) { writer.Write(piece); });
    writer.Close();
  }

  TFixRecSort sorter(length);
  sorter.SetMethod(SortMethod::ThreeWayMerge);
  const bool caseSensitive = options.caseSensitive;
  sorter.Sort(in.Path(), out.Path(), [length, caseSensitive](const uint8_t* a, const uint8_t* b) {
    return CompareSortRecords(a, b, length, caseSensitive);
  });
  // The records come back with their padding, as the sort wrote them.
  ReplaceEditorText(editor, out.Path(), false);
  state.TextReplaced();
}

}  // namespace nuvel::tools
