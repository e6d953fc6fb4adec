#include "tools/sort_command.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "core/border_order.h"
#include "core/exceptions.h"
#include "editor/editor_errors.h"
#include "editor/heb_text_editor.h"
#include "editor/para_list.h"
#include "tools/fix_rec_sort.h"
#include "tools/record_compare.h"

namespace nuvel::tools {

int CompareSortRecords(const uint8_t* a, const uint8_t* b, std::size_t length, bool caseSensitive) {
  const std::span<const uint8_t> x(a, length);
  const std::span<const uint8_t> y(b, length);
  return caseSensitive ? CompareBytesFrom(x, y, 1, kSortKeyLength) : CompareCollatedFrom(x, y, 1, kSortKeyLength);
}

void SortKey(std::span<const uint8_t> stored, bool englishDocument, bool caseSensitive, uint8_t* key,
             std::vector<uint8_t>& scratch) {
  // A run stored against the direction may reach into the first 50
  // characters from further on, so the whole unit is turned.
  scratch.assign(stored.begin(), stored.end());
  StorageToLogical(englishDocument, scratch);
  const std::size_t n = std::min(scratch.size(), kSortKeyLength);
  std::memcpy(key, scratch.data(), n);
  std::memset(key + n, ' ', kSortKeyLength - n);
  if (!caseSensitive) {
    for (std::size_t i = 0; i < kSortKeyLength; ++i) key[i] = CompareTable[key[i]];
  }
}

namespace {

// The units of the sort: screen lines or paragraphs, counted from 1.
class SortUnits {
 public:
  SortUnits(const THebTextEditor& editor, bool byLines) : editor_(editor), byLines_(byLines) {
    count_ = byLines ? editor.LineCount() : editor.ParaCount();
    if (count_ > 0 && Bytes(count_).empty()) --count_;
    count_ = std::max(count_, 0);
  }
  std::size_t Count() const { return static_cast<std::size_t>(count_); }
  // The unit as the document holds it.
  std::span<const uint8_t> Bytes(int32_t n) const { return byLines_ ? editor_.LineBytes(n) : editor_.GetPara(n); }
  // The unit as the key reads it: a screen line with its tabs expanded.
  std::span<const uint8_t> KeyBytes(int32_t n, std::string& expanded) const {
    const std::span<const uint8_t> bytes = Bytes(n);
    if (!byLines_ || std::find(bytes.begin(), bytes.end(), uint8_t{9}) == bytes.end()) return bytes;
    expanded = editor_.GetLine(n, std::string::npos);
    return {reinterpret_cast<const uint8_t*>(expanded.data()), expanded.size()};
  }

 private:
  const THebTextEditor& editor_;
  bool byLines_;
  int32_t count_ = 0;
};

// Hands the records out in pieces of whole records, each piece at most
// about a megabyte, so that a large text never needs them all in memory.
void EmitRecords(const THebTextEditor& editor, const SortUnits& units, bool caseSensitive,
                 const std::function<void(std::span<const uint8_t>)>& out) {
  const std::size_t perPiece = (std::size_t{1} << 20) / kSortRecordLength;
  const bool english = editor.Engm();
  std::vector<uint8_t> piece;
  std::vector<uint8_t> scratch;
  std::string expanded;
  const std::size_t count = units.Count();
  for (std::size_t first = 0; first < count; first += perPiece) {
    const std::size_t records = std::min(perPiece, count - first);
    piece.resize(records * kSortRecordLength);
    uint8_t* record = piece.data();
    for (std::size_t i = 0; i < records; ++i, record += kSortRecordLength) {
      const std::size_t unit = first + i;
      SortKey(units.KeyBytes(static_cast<int32_t>(unit + 1), expanded), english, caseSensitive, record, scratch);
      for (std::size_t b = 0; b < 4; ++b) record[kSortKeyLength + b] = static_cast<uint8_t>(unit >> (8 * b));
    }
    out(piece);
  }
}

// The unit numbers (0-based) in the order of the sorted records.
std::vector<uint32_t> ReadOrder(const std::string& path, std::size_t count) {
  std::vector<uint32_t> order;
  order.reserve(count);
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw EInOutError("Cannot read " + path + ": " + std::strerror(errno != 0 ? errno : EIO));
  std::vector<uint8_t> buffer(kSortRecordLength * 8192);
  std::size_t got = 0;
  while ((got = std::fread(buffer.data(), kSortRecordLength, 8192, file)) > 0) {
    for (std::size_t r = 0; r < got; ++r) {
      const uint8_t* n = buffer.data() + r * kSortRecordLength + kSortKeyLength;
      order.push_back(uint32_t{n[0]} | uint32_t{n[1]} << 8 | uint32_t{n[2]} << 16 | uint32_t{n[3]} << 24);
    }
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed || order.size() != count) throw EInOutError("Cannot read " + path);
  return order;
}

// The paragraphs the units become: the first ones take the places of the
// text's paragraphs, the rest (screen lines of wrapped paragraphs) come
// after them. The empty last paragraph stays where it is.
struct TSortPlaces {
  std::size_t replaced = 0;
  std::size_t inserted = 0;
};
TSortPlaces Places(const THebTextEditor& editor, std::size_t units) {
  int32_t paras = editor.ParaCount();
  if (paras > 0 && editor.ParaLength(paras) == 0) --paras;
  const std::size_t replaced = std::min(units, static_cast<std::size_t>(std::max(paras, 0)));
  return {replaced, units - replaced};
}

// Whether the undo history holds the change: the old and the new bytes of
// every paragraph replaced, and a record for each paragraph inserted.
bool UndoHolds(const THebTextEditor& editor, const SortUnits& units, const TSortPlaces& places) {
  constexpr uint64_t kRecord = 16;  // a record's header and the ends of its two texts
  const uint64_t room = editor.ParaList().UndoBuffer().BufferSize();
  uint64_t bytes = places.inserted * (kRecord + 4);
  for (std::size_t p = 1; p <= places.replaced && bytes <= room; ++p) {
    bytes += kRecord + static_cast<uint64_t>(editor.ParaLength(static_cast<int32_t>(p)));
  }
  for (std::size_t u = 1; u <= units.Count() && bytes <= room; ++u) {
    bytes += units.Bytes(static_cast<int32_t>(u)).size();
  }
  return bytes <= room;
}

// The sorted text made by the editor's own edits, one undo step.
void ApplyAsEdits(THebTextEditor& editor, const SortUnits& units, const std::vector<uint32_t>& order,
                  const TSortPlaces& places) {
  std::vector<uint8_t> text;
  std::vector<std::size_t> starts{0};
  for (std::size_t u = 1; u <= units.Count(); ++u) {
    const auto bytes = units.Bytes(static_cast<int32_t>(u));
    text.insert(text.end(), bytes.begin(), bytes.end());
    starts.push_back(text.size());
  }
  auto unit = [&](std::size_t i) {
    const uint32_t u = order[i];
    return std::span<const uint8_t>(text).subspan(starts[u], starts[u + 1] - starts[u]);
  };
  TNvcParaList& list = editor.ParaList();
  if (places.inserted > 0) {
    if (const uint16_t rc = list.CheckLimits(0, static_cast<uint32_t>(places.inserted), 0); rc != kEditorOk)
      throw MakeEditorError(rc);
  }
  TUndoGroup group(list.UndoBuffer());
  for (std::size_t i = 0; i < places.replaced; ++i) {
    const auto p = static_cast<int32_t>(i + 1);
    const auto now = editor.GetPara(p);
    const auto wanted = unit(i);
    if (std::equal(now.begin(), now.end(), wanted.begin(), wanted.end())) continue;
    if (const uint16_t rc = editor.ReplacePara(p, wanted); rc != kEditorOk) throw MakeEditorError(rc);
  }
  for (std::size_t i = places.replaced; i < order.size(); ++i) {
    if (const uint16_t rc = list.InsertParaAfter(&editor, static_cast<uint32_t>(i), unit(i)); rc != kEditorOk)
      throw MakeEditorError(rc);
  }
}

// The sorted text read in as a new text, for a change larger than the undo
// history holds (which it would have dropped anyway).
void ApplyAsNewText(THebTextEditor& editor, const SortUnits& units, const std::vector<uint32_t>& order) {
  const TWorkFile sorted(WorkFileName(kSortOutName));
  {
    TWorkFileWriter writer(sorted.Path());
    std::vector<uint8_t> piece;
    for (const uint32_t u : order) {
      const auto bytes = units.Bytes(static_cast<int32_t>(u + 1));
      piece.insert(piece.end(), bytes.begin(), bytes.end());
      piece.push_back('\r');
      piece.push_back('\n');
      if (piece.size() >= (std::size_t{1} << 20)) {
        writer.Write(piece);
        piece.clear();
      }
    }
    writer.Write(piece);
    writer.Close();
  }
  ReplaceEditorText(editor, sorted.Path(), false);
}

}  // namespace

TSortRecords SortRecords(const THebTextEditor& editor, bool byLines, bool caseSensitive) {
  const SortUnits units(editor, byLines);
  TSortRecords records;
  records.count = units.Count();
  records.bytes.reserve(records.count * kSortRecordLength);
  EmitRecords(editor, units, caseSensitive, [&records](std::span<const uint8_t> piece) {
    records.bytes.insert(records.bytes.end(), piece.begin(), piece.end());
  });
  return records;
}

void SortText(THebTextEditor& editor, const TSortOptions& options, const TLongRunWindow* window) {
  TEditorRunState state(editor, window);
  const SortUnits units(editor, options.byLines);
  if (units.Count() == 0) return;
  std::vector<uint32_t> order;
  {
    const TWorkFile in(WorkFileName(kSortInName));
    const TWorkFile out(WorkFileName(kSortOutName));
    {
      TWorkFileWriter writer(in.Path());
      EmitRecords(editor, units, options.caseSensitive,
                  [&writer](std::span<const uint8_t> piece) { writer.Write(piece); });
      writer.Close();
    }
    TFixRecSort sorter(kSortRecordLength);
    sorter.SetMethod(SortMethod::ThreeWayMerge);
    // The keys were made to compare byte by byte.
    sorter.Sort(in.Path(), out.Path(),
                [](const uint8_t* a, const uint8_t* b) { return std::memcmp(a, b, kSortKeyLength); });
    order = ReadOrder(out.Path(), units.Count());
  }
  const TSortPlaces places = Places(editor, units.Count());
  if (UndoHolds(editor, units, places)) {
    ApplyAsEdits(editor, units, order, places);
  } else {
    ApplyAsNewText(editor, units, order);
  }
  state.TextReplaced();
}

}  // namespace nuvel::tools
