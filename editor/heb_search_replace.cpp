// Search and replace of the bilingual editor: one engine, SearchReplace,
// driven by the option word, and its faces FindText, ReplaceText and
// FindChoseir.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/charset.h"
#include "core/hash_escapes.h"
#include "editor/editor_errors.h"
#include "editor/heb_text_editor.h"
#include "editor/search_options.h"
#include "editor/search_word_test.h"
#include "editor/text_search.h"
#include "editor/undo_buffer.h"

namespace nuvel {
namespace {

constexpr size_t kSearchTextMax = 255;
constexpr uint8_t kYod = 0xE9;

// A place in the text: paragraph and 1-based byte position.
struct TPlace {
  int32_t Para = 1;
  int32_t Pos = 1;
};

// Shows the busy cursor for the length of one search.
class TBusyCursor {
 public:
  explicit TBusyCursor(TEditorHost& host) : host_(host) { host_.SetBusyCursor(true); }
  ~TBusyCursor() { host_.SetBusyCursor(false); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  TEditorHost& host_;
};

std::optional<uint8_t> ByteAt(std::span<const uint8_t> bytes, size_t i) {
  if (i < bytes.size()) return bytes[i];
  return std::nullopt;
}

std::span<const uint8_t> AsBytes(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

// The state of one SearchReplace call, paragraph by paragraph.
class TSearchRun {
 public:
  TSearchRun(THebTextEditor& editor, const TTextSearcher& searcher, const TWordTest& words, TPlace rangeStart,
             TPlace rangeEnd)
      : editor_(editor), searcher_(searcher), words_(words), rangeStart_(rangeStart), rangeEnd_(rangeEnd) {}

  std::optional<TPlace> found;
  int32_t count = 0;
  uint16_t error = 0;

  TPlace RangeStart() const { return rangeStart_; }
  TPlace RangeEnd() const { return rangeEnd_; }

  // Forwards from `start`; with `with` every accepted match is replaced.
  void Forwards(TPlace start, const std::string* with) {
    const int32_t lastPara = std::min(rangeEnd_.Para, editor_.ParaCount());
    size_t from = static_cast<size_t>(std::max(start.Pos, 1) - 1);
    for (int32_t para = start.Para; para <= lastPara && !found && error == 0; ++para, from = 0) {
      const auto bytes = editor_.GetPara(para);
      size_t end = bytes.size();
      if (para == rangeEnd_.Para) end = std::min(end, static_cast<size_t>(std::max(rangeEnd_.Pos, 1) - 1));
      if (end < from || end - from < searcher_.Length()) continue;
      if (with != nullptr) {
        ReplaceForwardsIn(para, bytes, from, end, *with);
        continue;
      }
      for (size_t at = searcher_.FindFirst(bytes.first(end), from); at != TTextSearcher::npos;
           at = searcher_.FindFirst(bytes.first(end), at + 1)) {
        if (words_.Passes(at > 0 ? ByteAt(bytes, at - 1) : std::nullopt, ByteAt(bytes, at + searcher_.Length()))) {
          found = TPlace{para, static_cast<int32_t>(at) + 1};
          break;
        }
      }
    }
  }

  // Backwards from `start` (the bytes before it); with `with` every accepted
  // match is replaced.
  void Backwards(TPlace start, const std::string* with) {
    const int32_t firstPara = std::max(rangeStart_.Para, 1);
    int32_t para = std::min(start.Para, editor_.ParaCount());
    bool firstOne = para == start.Para;
    for (; para >= firstPara && !found && error == 0; --para, firstOne = false) {
      const auto bytes = editor_.GetPara(para);
      size_t end = bytes.size();
      if (firstOne) end = std::min(end, static_cast<size_t>(std::max(start.Pos, 1) - 1));
      if (para == rangeEnd_.Para) end = std::min(end, static_cast<size_t>(std::max(rangeEnd_.Pos, 1) - 1));
      // Matches in the range's first paragraph start at or after its start.
      const size_t lowest = para == rangeStart_.Para ? static_cast<size_t>(std::max(rangeStart_.Pos, 1) - 1) : 0;
      if (end < searcher_.Length()) continue;
      if (with != nullptr) {
        ReplaceBackwardsIn(para, bytes, lowest, end, *with);
        continue;
      }
      for (size_t at = searcher_.FindLast(bytes, end); at != TTextSearcher::npos && at >= lowest;
           at = searcher_.FindLast(bytes, at + searcher_.Length() - 1)) {
        if (words_.Passes(at > 0 ? ByteAt(bytes, at - 1) : std::nullopt, ByteAt(bytes, at + searcher_.Length()))) {
          found = TPlace{para, static_cast<int32_t>(at) + 1};
          break;
        }
      }
    }
  }

 private:
  // Whether a replacement growing the paragraph by `growth` bytes in all
  // keeps the editor's limits; sets the error when it does not.
  bool Fits(int32_t para, int64_t growth) {
    if (growth <= 0) return true;
    error = editor_.ParaList().CheckLimits(static_cast<uint32_t>(para), 0, growth);
    return error == 0;
  }

  // Exchanges bytes [first, last) of the paragraph for `fresh` as one
  // replacement of the paragraph list.
  void Commit(int32_t para, size_t first, size_t last, std::span<const uint8_t> fresh) {
    // No view makes the change, so every view (this one too) keeps its
    // caret and selection on the text they were on.
    const uint16_t rc = editor_.ParaList().ReplaceText(nullptr, static_cast<uint32_t>(para), fresh,
                                                       static_cast<uint32_t>(last - first),
                                                       static_cast<uint32_t>(first) + 1);
    if (rc != 0) error = rc;
  }

  // Replaces, left to right, the accepted matches of bytes [from, end). The
  // search goes on behind each replacement, so the byte before a match may
  // be the last one of the replacement before it.
  void ReplaceForwardsIn(int32_t para, std::span<const uint8_t> bytes, size_t from, size_t end,
                         const std::string& with) {
    const size_t n = searcher_.Length();
    const int64_t step = static_cast<int64_t>(with.size()) - static_cast<int64_t>(n);
    std::vector<uint8_t> fresh;          // the new bytes from `first` to `cursor`
    size_t first = TTextSearcher::npos;  // where the first replacement starts
    size_t cursor = from;                // the bytes before it are settled
    int64_t growth = 0;
    for (size_t at = searcher_.FindFirst(bytes.first(end), cursor); at != TTextSearcher::npos;) {
      std::optional<uint8_t> before;
      if (at > 0) before = bytes[at - 1];
      if (first != TTextSearcher::npos && at == cursor) {
        // Right behind a replacement: its last byte, or, when every
        // replacement so far was empty, the byte before the first one.
        before = !fresh.empty() ? std::optional<uint8_t>(fresh.back())
                                : (first > 0 ? std::optional<uint8_t>(bytes[first - 1]) : std::nullopt);
      }
      if (!words_.Passes(before, ByteAt(bytes, at + n))) {
        at = searcher_.FindFirst(bytes.first(end), at + 1);
        continue;
      }
      if (!Fits(para, growth + step)) break;
      if (first == TTextSearcher::npos) first = cursor = at;
      fresh.insert(fresh.end(), bytes.begin() + static_cast<std::ptrdiff_t>(cursor),
                   bytes.begin() + static_cast<std::ptrdiff_t>(at));
      fresh.insert(fresh.end(), with.begin(), with.end());
      cursor = at + n;
      growth += step;
      ++count;
      at = searcher_.FindFirst(bytes.first(end), cursor);
    }
    if (first == TTextSearcher::npos) return;
    const uint16_t limitError = error;
    error = 0;
    Commit(para, first, cursor, fresh);
    if (error == 0) {
      error = limitError;
      if (para == rangeEnd_.Para) rangeEnd_.Pos += static_cast<int32_t>(growth);
    }
  }

  // Replaces, right to left, the accepted matches lying wholly in bytes
  // [lowest, end). The search goes on before each replacement, so the byte
  // after a match may be the first one of the replacement behind it.
  void ReplaceBackwardsIn(int32_t para, std::span<const uint8_t> bytes, size_t lowest, size_t end,
                          const std::string& with) {
    const size_t n = searcher_.Length();
    const int64_t step = static_cast<int64_t>(with.size()) - static_cast<int64_t>(n);
    std::vector<std::span<const uint8_t>> pieces;  // the new bytes, right to left
    size_t last = TTextSearcher::npos;             // where the last replaced match ends
    size_t cursor = end;                           // the bytes from here on are settled
    std::optional<uint8_t> firstSettled;           // the first byte of the settled text
    int64_t growth = 0;
    for (size_t at = searcher_.FindLast(bytes, cursor); at != TTextSearcher::npos && at >= lowest;) {
      std::optional<uint8_t> after = ByteAt(bytes, at + n);
      if (last != TTextSearcher::npos && at + n == cursor) after = firstSettled;
      if (!words_.Passes(at > 0 ? ByteAt(bytes, at - 1) : std::nullopt, after)) {
        at = searcher_.FindLast(bytes, at + n - 1);
        continue;
      }
      if (!Fits(para, growth + step)) break;
      std::optional<uint8_t> next;  // the first byte after the replacement
      if (last == TTextSearcher::npos) {
        last = at + n;
        next = ByteAt(bytes, at + n);
      } else {
        const auto gap = bytes.subspan(at + n, cursor - (at + n));
        pieces.push_back(gap);
        next = gap.empty() ? firstSettled : std::optional<uint8_t>(gap.front());
      }
      pieces.push_back(AsBytes(with));
      firstSettled = with.empty() ? next : std::optional<uint8_t>(static_cast<uint8_t>(with.front()));
      cursor = at;
      growth += step;
      ++count;
      at = searcher_.FindLast(bytes, cursor);
    }
    if (last == TTextSearcher::npos) return;
    std::vector<uint8_t> fresh;
    fresh.reserve(static_cast<size_t>(static_cast<int64_t>(last - cursor) + growth));
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) fresh.insert(fresh.end(), it->begin(), it->end());
    const uint16_t limitError = error;
    error = 0;
    Commit(para, cursor, last, fresh);
    if (error == 0) {
      error = limitError;
      if (para == rangeEnd_.Para) rangeEnd_.Pos += static_cast<int32_t>(growth);
    }
  }

  THebTextEditor& editor_;
  const TTextSearcher& searcher_;
  const TWordTest& words_;
  TPlace rangeStart_;
  TPlace rangeEnd_;
};

}  // namespace

int32_t THebTextEditor::SearchReplace(std::string_view search, std::optional<std::string_view> replace,
                                      uint16_t options) {
  lastSearchError_ = 0;
  const std::string find = DecodeHashEscapesPChar(search);
  if (find.empty()) return 0;
  const bool replaceMode = (options & (kSearchReplace | kSearchReplaceAll)) != 0;
  if (replaceMode && !replace) return 0;
  // A read-only text is searched but never changed.
  const bool mayReplace = replaceMode && !ReadOnly();
  const std::string with = mayReplace ? DecodeHashEscapesPChar(*replace) : std::string();
  const bool matchCase = (options & kSearchMatchCase) != 0;
  const bool backwards = (options & kSearchBackwards) != 0;
  const bool replaceAll = mayReplace && (options & kSearchReplaceAll) != 0;

  int32_t count = 0;
  std::optional<TUndoGroup> group;
  if (replaceAll) group.emplace(ParaList().UndoBuffer());
  if (mayReplace && SelectionEquals(find, matchCase)) {
    const uint16_t rc = InsertText(AsBytes(with));
    if (rc != 0) {
      lastSearchError_ = rc;
      group.reset();
      DoOnError(rc);
      return rc;
    }
    count = 1;
  }

  // Where the search starts and the range it keeps to.
  const bool inSelection = (options & kSearchInSelection) != 0;
  const TPlace selBegin{SelBegin().Para, SelBegin().Pos};
  const TPlace selEnd{SelEnd().Para, SelEnd().Pos};
  const bool caretAtSelEnd = CaretPara() == selEnd.Para && CaretPos() == selEnd.Pos;
  const int32_t paras = ParaCount();
  TPlace start;
  if (inSelection) {
    start = backwards ? selEnd : selBegin;
  } else if ((options & kSearchFromStart) != 0) {
    start = backwards ? TPlace{paras, ParaLength(paras) + 1} : TPlace{1, 1};
  } else {
    start = TPlace{CaretPara(), std::min(CaretPos(), ParaLength(CaretPara()) + 1)};
  }
  TPlace rangeStart{1, 1};
  TPlace rangeEnd{paras + 1, 1};
  if (inSelection) {
    rangeStart = selBegin;
    rangeEnd = selEnd;
  } else if ((options & kSearchFromStart) == 0) {
    (backwards ? rangeEnd : rangeStart) = start;
  }

  const TTextSearcher searcher(find, matchCase);
  const TWordTest words(*this, options);
  TSearchRun run(*this, searcher, words, rangeStart, rangeEnd);
  {
    TBusyCursor busy(Host());
    const std::string* replacing = replaceAll ? &with : nullptr;
    if (backwards) {
      run.Backwards(start, replacing);
    } else {
      run.Forwards(start, replacing);
    }
  }
  count += run.count;

  if (run.found) {
    const TPlace at = *run.found;
    const auto n = static_cast<int32_t>(find.size());
    SelectRange(at.Para, at.Pos, at.Para, at.Pos + n, !backwards);
    if ((options & kSearchNoSelection) != 0) MoveCaretToPara(CaretPara(), CaretPos(), false);
  } else if (replaceAll && count > 0) {
    if (inSelection) {
      const TPlace a = run.RangeStart();
      const TPlace b = run.RangeEnd();
      SelectRange(a.Para, a.Pos, b.Para, b.Pos, caretAtSelEnd);
    } else {
      CollapseSelection();
    }
    UpdateVertBar();
    Refresh(false);
  }
  group.reset();

  if (run.error != 0) {
    lastSearchError_ = run.error;
    DoOnError(run.error);
    return run.error;
  }
  if (count > 0) return count;
  if (!run.found) return kSearchNotFound;
  return 0;
}

bool THebTextEditor::FindText(std::string_view text, uint16_t options) {
  return SearchReplace(text.substr(0, kSearchTextMax), std::nullopt, options) == 0;
}

int32_t THebTextEditor::ReplaceText(std::string_view search, std::string_view replace, uint16_t options) {
  return SearchReplace(search.substr(0, kSearchTextMax), replace.substr(0, kSearchTextMax), options);
}

bool THebTextEditor::Replace(std::string_view find, std::string_view replaceWith, uint16_t options) {
  if ((options & (kSearchReplace | kSearchReplaceAll)) != 0) {
    const int32_t r = ReplaceText(find, replaceWith, options);
    return r != kSearchNotFound && lastSearchError_ == 0;
  }
  return FindText(find, options);
}

bool THebTextEditor::FindChoseir(std::string_view word, uint16_t options) {
  options = static_cast<uint16_t>(options & ~(kSearchReplace | kSearchReplaceAll));
  const TPlace caret{CaretPara(), CaretPos()};
  std::optional<TPlace> best;  // the caret after the nearest match
  TPlace bestBegin, bestEnd;
  auto consider = [&](std::string_view text) {
    MoveCaretToPara(caret.Para, caret.Pos, false);
    if (SearchReplace(text, std::nullopt, options) != 0) return;
    const TPlace here{CaretPara(), CaretPos()};
    if (best && !(here.Para < best->Para || (here.Para == best->Para && here.Pos < best->Pos))) return;
    best = here;
    bestBegin = {SelBegin().Para, SelBegin().Pos};
    bestEnd = {SelEnd().Para, SelEnd().Pos};
  };
  consider(word);
  for (const uint8_t letter : {kVav, kYod}) {
    std::string variant(word);
    while (variant.size() > 2) {
      const size_t at = variant.find(static_cast<char>(letter), 1);
      if (at == std::string::npos || at >= variant.size() - 1) break;
      variant.erase(at, 1);
      consider(variant);
    }
  }
  if (!best) {
    MoveCaretToPara(caret.Para, caret.Pos, false);
    return false;
  }
  SelectRange(bestBegin.Para, bestBegin.Pos, bestEnd.Para, bestEnd.Pos, true);
  return true;
}

}  // namespace nuvel
