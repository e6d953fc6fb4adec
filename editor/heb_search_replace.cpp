// Search and replace of the bilingual editor: one engine, SearchReplace,
// driven by the option word, and its faces FindText, ReplaceText and
// FindChoseir.
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/border_map.h"
#include "core/border_order.h"
#include "core/charset.h"
#include "core/hash_escapes.h"
#include "editor/editor_errors.h"
#include "editor/heb_text_editor.h"
#include "editor/reading_order_search.h"
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

// The replacements made in one stretch of text: bytes [first, last) become
// `fresh`, and the text grows by `growth` bytes.
struct TSpanReplacement {
  size_t first = TTextSearcher::npos;
  size_t last = 0;
  std::vector<uint8_t> fresh;
  int64_t growth = 0;
  int32_t count = 0;
  bool Any() const { return first != TTextSearcher::npos; }
};

// Whether a match at a place lies in the searched range.
using TAccept = std::function<bool(size_t)>;

// A match the search stopped at: the stored stretch it selects and, in the
// logical view, where it starts in reading order.
struct TFound {
  TPlace at;
  int32_t storedEnd = 0;  // 1-based, past the match
  size_t logicalBegin = 0;
};

// How a document kept in logical order is searched.
struct TLogicalView {
  bool english = false;
  const TStoredPrefilter* prefilter = nullptr;
  // Where in the start paragraph's reading order the search goes on from,
  // when the search before it left the selection there.
  std::optional<size_t> markedStart;
  // The range's edges are stored places (a selection): a match must lie
  // between them.
  bool storedRange = false;
};

// The state of one SearchReplace call, paragraph by paragraph.
class TSearchRun {
 public:
  TSearchRun(THebTextEditor& editor, const TTextSearcher& searcher, const TWordTest& words, TPlace rangeStart,
             TPlace rangeEnd, const TLogicalView* logical)
      : editor_(editor),
        searcher_(searcher),
        words_(words),
        rangeStart_(rangeStart),
        rangeEnd_(rangeEnd),
        logical_(logical) {}

  std::optional<TFound> found;
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
      if (logical_ != nullptr) {
        ForwardsInLogical(para, bytes, para == start.Para ? std::optional<size_t>(from) : std::nullopt, with);
        continue;
      }
      size_t end = bytes.size();
      if (para == rangeEnd_.Para) end = std::min(end, static_cast<size_t>(std::max(rangeEnd_.Pos, 1) - 1));
      if (end < from || end - from < searcher_.Length()) continue;
      if (with != nullptr) {
        CommitStored(para, bytes, ReplaceForwardsIn(para, bytes, from, end, *with, nullptr));
        continue;
      }
      for (size_t at = searcher_.FindFirst(bytes.first(end), from); at != TTextSearcher::npos;
           at = searcher_.FindFirst(bytes.first(end), at + 1)) {
        if (words_.Passes(at > 0 ? ByteAt(bytes, at - 1) : std::nullopt, ByteAt(bytes, at + searcher_.Length()))) {
          FoundStored(para, at);
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
      if (logical_ != nullptr) {
        BackwardsInLogical(para, bytes, firstOne ? std::optional<size_t>(std::max(start.Pos, 1) - 1) : std::nullopt,
                           with);
        continue;
      }
      size_t end = bytes.size();
      if (firstOne) end = std::min(end, static_cast<size_t>(std::max(start.Pos, 1) - 1));
      if (para == rangeEnd_.Para) end = std::min(end, static_cast<size_t>(std::max(rangeEnd_.Pos, 1) - 1));
      // Matches in the range's first paragraph start at or after its start.
      const size_t lowest = para == rangeStart_.Para ? static_cast<size_t>(std::max(rangeStart_.Pos, 1) - 1) : 0;
      if (end < searcher_.Length()) continue;
      if (with != nullptr) {
        const TAccept atOrAfterLowest = [lowest](size_t at) { return at >= lowest; };
        CommitStored(para, bytes, ReplaceBackwardsIn(para, bytes, end, *with, atOrAfterLowest));
        continue;
      }
      for (size_t at = searcher_.FindLast(bytes, end); at != TTextSearcher::npos && at >= lowest;
           at = searcher_.FindLast(bytes, at + searcher_.Length() - 1)) {
        if (words_.Passes(at > 0 ? ByteAt(bytes, at - 1) : std::nullopt, ByteAt(bytes, at + searcher_.Length()))) {
          FoundStored(para, at);
          break;
        }
      }
    }
  }

 private:
  void FoundStored(int32_t para, size_t at) {
    found = TFound{TPlace{para, static_cast<int32_t>(at) + 1},
                   static_cast<int32_t>(at + searcher_.Length()) + 1, at};
  }

  // The paragraph in reading order, with the map back to its cells made
  // when first asked for.
  class TLogicalPara {
   public:
    TLogicalPara(bool english, std::span<const uint8_t> stored, std::vector<uint8_t>& text)
        : english_(english), text_(text) {
      text_.assign(stored.begin(), stored.end());
      StorageToLogical(english, text_);
    }
    std::span<const uint8_t> Text() const { return text_; }
    const BorderMap& Map() {
      if (!map_) map_ = BorderMap::OfLogical(english_, text_);
      return *map_;
    }

   private:
    bool english_;
    std::vector<uint8_t>& text_;
    std::optional<BorderMap> map_;
  };

  // The test of a logical match against the range's stored edges, where
  // they cut into this paragraph.
  TAccept InStoredRange(int32_t para, TLogicalPara& text) {
    const bool cutFirst = logical_->storedRange && para == rangeStart_.Para;
    const bool cutLast = para == rangeEnd_.Para;
    if (!cutFirst && !cutLast) return nullptr;
    const size_t lowest = static_cast<size_t>(std::max(rangeStart_.Pos, 1) - 1);
    const size_t highest = static_cast<size_t>(std::max(rangeEnd_.Pos, 1) - 1);
    const size_t n = searcher_.Length();
    return [&text, cutFirst, cutLast, lowest, highest, n](size_t at) {
      const auto [first, last] = text.Map().StoredStretch(at, at + n);
      return (!cutFirst || first >= lowest) && (!cutLast || last <= highest);
    };
  }

  void FoundLogical(int32_t para, TLogicalPara& text, size_t at) {
    const auto [first, last] = text.Map().StoredStretch(at, at + searcher_.Length());
    found = TFound{TPlace{para, static_cast<int32_t>(first) + 1}, static_cast<int32_t>(last) + 1, at};
  }

  // `caret`: the stored place the search starts from in this paragraph.
  void ForwardsInLogical(int32_t para, std::span<const uint8_t> stored, std::optional<size_t> caret,
                         const std::string* with) {
    if (stored.size() < searcher_.Length() || !logical_->prefilter->MayHold(stored)) return;
    TLogicalPara text(logical_->english, stored, logicalText_);
    const std::span<const uint8_t> bytes = text.Text();
    size_t from = 0;
    if (caret && (logical_->markedStart || *caret > 0)) {
      from = logical_->markedStart ? std::min(*logical_->markedStart, bytes.size())
                                   : LogicalStartForwards(text.Map(), *caret);
    }
    const TAccept accept = InStoredRange(para, text);
    if (with != nullptr) {
      CommitLogical(para, stored, bytes, ReplaceForwardsIn(para, bytes, from, bytes.size(), *with, accept));
      return;
    }
    for (size_t at = searcher_.FindFirst(bytes, from); at != TTextSearcher::npos;
         at = searcher_.FindFirst(bytes, at + 1)) {
      if (words_.PassesAt(bytes, at, searcher_.Length()) && (!accept || accept(at))) {
        FoundLogical(para, text, at);
        return;
      }
    }
  }

  void BackwardsInLogical(int32_t para, std::span<const uint8_t> stored, std::optional<size_t> caret,
                          const std::string* with) {
    if (stored.size() < searcher_.Length() || !logical_->prefilter->MayHold(stored)) return;
    TLogicalPara text(logical_->english, stored, logicalText_);
    const std::span<const uint8_t> bytes = text.Text();
    size_t end = bytes.size();
    if (caret && (logical_->markedStart || *caret < bytes.size())) {
      end = logical_->markedStart ? std::min(*logical_->markedStart, bytes.size())
                                  : LogicalEndBackwards(text.Map(), *caret);
    }
    const TAccept accept = InStoredRange(para, text);
    if (with != nullptr) {
      CommitLogical(para, stored, bytes, ReplaceBackwardsIn(para, bytes, end, *with, accept));
      return;
    }
    for (size_t at = searcher_.FindLast(bytes, end); at != TTextSearcher::npos;
         at = searcher_.FindLast(bytes, at + searcher_.Length() - 1)) {
      if (words_.PassesAt(bytes, at, searcher_.Length()) && (!accept || accept(at))) {
        FoundLogical(para, text, at);
        return;
      }
    }
  }

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

  // Makes the replacements of a paragraph's stored bytes. A limit met on
  // the way stops them but keeps those made before it.
  void CommitStored(int32_t para, std::span<const uint8_t> /*stored*/, const TSpanReplacement& r) {
    if (!r.Any()) return;
    const uint16_t limitError = error;
    error = 0;
    Commit(para, r.first, r.last, r.fresh);
    Committed(para, r, limitError);
  }

  // The same for replacements made in the paragraph's logical text: the new
  // text is turned back into storage order, and only the stored bytes from
  // the first to the last that differ are exchanged.
  void CommitLogical(int32_t para, std::span<const uint8_t> stored, std::span<const uint8_t> logical,
                     const TSpanReplacement& r) {
    if (!r.Any()) return;
    std::vector<uint8_t> turned;
    turned.reserve(logical.size() + r.fresh.size());
    turned.insert(turned.end(), logical.begin(), logical.begin() + static_cast<std::ptrdiff_t>(r.first));
    turned.insert(turned.end(), r.fresh.begin(), r.fresh.end());
    turned.insert(turned.end(), logical.begin() + static_cast<std::ptrdiff_t>(r.last), logical.end());
    LogicalToStorage(logical_->english, turned);
    const TStoredChange change = StoredChange(stored, turned);
    const uint16_t limitError = error;
    error = 0;
    Commit(para, change.first, change.last, change.fresh);
    Committed(para, r, limitError);
  }

  void Committed(int32_t para, const TSpanReplacement& r, uint16_t limitError) {
    if (error != 0) return;
    count += r.count;
    error = limitError;
    if (para == rangeEnd_.Para) rangeEnd_.Pos += static_cast<int32_t>(r.growth);
  }

  // Replaces, left to right, the accepted matches of bytes [from, end). The
  // search goes on behind each replacement, so the byte before a match may
  // be the last one of the replacement before it.
  TSpanReplacement ReplaceForwardsIn(int32_t para, std::span<const uint8_t> bytes, size_t from, size_t end,
                                     const std::string& with, const TAccept& accept) {
    TSpanReplacement r;
    const size_t n = searcher_.Length();
    const int64_t step = static_cast<int64_t>(with.size()) - static_cast<int64_t>(n);
    size_t cursor = from;  // the bytes before it are settled
    for (size_t at = searcher_.FindFirst(bytes.first(end), cursor); at != TTextSearcher::npos;) {
      std::optional<uint8_t> before;
      if (at > 0) before = bytes[at - 1];
      if (r.Any() && at == cursor) {
        // Right behind a replacement: its last byte, or, when every
        // replacement so far was empty, the byte before the first one.
        before = !r.fresh.empty() ? std::optional<uint8_t>(r.fresh.back())
                                  : (r.first > 0 ? std::optional<uint8_t>(bytes[r.first - 1]) : std::nullopt);
      }
      if (!words_.Passes(before, ByteAt(bytes, at + n)) || (accept && !accept(at))) {
        at = searcher_.FindFirst(bytes.first(end), at + 1);
        continue;
      }
      if (!Fits(para, r.growth + step)) break;
      if (!r.Any()) r.first = cursor = at;
      r.fresh.insert(r.fresh.end(), bytes.begin() + static_cast<std::ptrdiff_t>(cursor),
                     bytes.begin() + static_cast<std::ptrdiff_t>(at));
      r.fresh.insert(r.fresh.end(), with.begin(), with.end());
      cursor = at + n;
      r.growth += step;
      ++r.count;
      at = searcher_.FindFirst(bytes.first(end), cursor);
    }
    r.last = cursor;
    return r;
  }

  // Replaces, right to left, the accepted matches lying wholly in bytes
  // [0, end). The search goes on before each replacement, so the byte after
  // a match may be the first one of the replacement behind it.
  TSpanReplacement ReplaceBackwardsIn(int32_t para, std::span<const uint8_t> bytes, size_t end,
                                      const std::string& with, const TAccept& accept) {
    TSpanReplacement r;
    const size_t n = searcher_.Length();
    const int64_t step = static_cast<int64_t>(with.size()) - static_cast<int64_t>(n);
    std::vector<std::span<const uint8_t>> pieces;  // the new bytes, right to left
    size_t last = TTextSearcher::npos;             // where the last replaced match ends
    size_t cursor = end;                           // the bytes from here on are settled
    std::optional<uint8_t> firstSettled;           // the first byte of the settled text
    for (size_t at = searcher_.FindLast(bytes, cursor); at != TTextSearcher::npos;) {
      std::optional<uint8_t> after = ByteAt(bytes, at + n);
      if (last != TTextSearcher::npos && at + n == cursor) after = firstSettled;
      if (!words_.Passes(at > 0 ? ByteAt(bytes, at - 1) : std::nullopt, after) || (accept && !accept(at))) {
        at = searcher_.FindLast(bytes, at + n - 1);
        continue;
      }
      if (!Fits(para, r.growth + step)) break;
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
      r.growth += step;
      ++r.count;
      at = searcher_.FindLast(bytes, cursor);
    }
    if (last == TTextSearcher::npos) return r;
    r.first = cursor;
    r.last = last;
    r.fresh.reserve(static_cast<size_t>(static_cast<int64_t>(last - cursor) + r.growth));
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) r.fresh.insert(r.fresh.end(), it->begin(), it->end());
    return r;
  }

  THebTextEditor& editor_;
  const TTextSearcher& searcher_;
  const TWordTest& words_;
  TPlace rangeStart_;
  TPlace rangeEnd_;
  const TLogicalView* logical_;
  std::vector<uint8_t> logicalText_;  // the paragraph in reading order, reused
};

}  // namespace

std::optional<THebTextEditor::TLogicalSearchMark> THebTextEditor::CurrentSearchMark() const {
  const TLogicalSearchMark& m = searchMark_;
  if (m.para == 0 || SelBegin().Para != m.para || SelEnd().Para != m.para || CaretPara() != m.para ||
      SelBegin().Pos != m.selBegin || SelEnd().Pos != m.selEnd || CaretPos() != m.caret)
    return std::nullopt;
  return m;
}

void THebTextEditor::SetSearchMark(uint32_t logicalBegin, uint32_t logicalEnd) {
  searchMark_ = {SelBegin().Para, SelBegin().Pos, SelEnd().Pos, CaretPos(), logicalBegin, logicalEnd};
  if (SelEnd().Para != SelBegin().Para || CaretPara() != SelBegin().Para) searchMark_ = {};
}

int32_t THebTextEditor::ReplaceLogicalSelection(std::string_view find, std::string_view with, bool matchCase) {
  if (!HasSelection() || SelBegin().Para != SelEnd().Para) return kSearchNotFound;
  const int32_t para = SelBegin().Para;
  const auto stored = GetPara(para);
  const auto a = static_cast<size_t>(SelBegin().Pos - 1);
  const auto b = static_cast<size_t>(SelEnd().Pos - 1);
  if (b > stored.size() || a >= b) return kSearchNotFound;
  std::vector<uint8_t> logical;
  const BorderMap map = BorderMap::OfStored(Engm(), stored, &logical);
  const TTextSearcher searcher(find, matchCase);
  const size_t n = searcher.Length();
  // The match the last search selected, or the text the selection holds.
  std::optional<size_t> at;
  const auto matchesAt = [&](size_t l) {
    return l + n <= logical.size() && searcher.FindFirst(std::span<const uint8_t>(logical).first(l + n), l) == l &&
           map.StoredStretch(l, l + n) == std::pair<size_t, size_t>{a, b};
  };
  if (const auto mark = CurrentSearchMark(); mark && matchesAt(mark->logicalBegin)) {
    at = mark->logicalBegin;
  } else if (const size_t l = map.LogicalStretch(a, b).first; matchesAt(l)) {
    at = l;
  }
  if (!at) return kSearchNotFound;
  std::vector<uint8_t> turned(logical.begin(), logical.begin() + static_cast<std::ptrdiff_t>(*at));
  turned.insert(turned.end(), with.begin(), with.end());
  turned.insert(turned.end(), logical.begin() + static_cast<std::ptrdiff_t>(*at + n), logical.end());
  const std::vector<uint8_t> newLogical = turned;
  LogicalToStorage(Engm(), turned);
  const TStoredChange change = StoredChange(stored, turned);
  if (with.size() > n) {
    if (const uint16_t rc = ParaList().CheckLimits(static_cast<uint32_t>(para), 0, int64_t(with.size() - n)))
      return rc;
  }
  {
    TUndoGroup group(ParaList().UndoBuffer());
    const uint16_t rc = ParaList().ReplaceText(nullptr, static_cast<uint32_t>(para), change.fresh,
                                               static_cast<uint32_t>(change.last - change.first),
                                               static_cast<uint32_t>(change.first) + 1);
    if (rc != 0) return rc;
  }
  // The caret goes behind the replacement as it reads.
  const BorderMap after = BorderMap::OfLogical(Engm(), newLogical);
  const auto [first, last] = after.StoredStretch(*at, *at + with.size());
  MoveCaretToPara(para, static_cast<int32_t>(with.empty() ? first : last) + 1, false);
  SetSearchMark(static_cast<uint32_t>(*at), static_cast<uint32_t>(*at + with.size()));
  Refresh(false);
  return 0;
}

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
  // A document kept in logical order is searched as it reads, the texts as
  // typed; the system's visual forms in their stored order.
  const bool inReadingOrder = LogicalOrder();

  int32_t count = 0;
  std::optional<TUndoGroup> group;
  if (replaceAll) group.emplace(ParaList().UndoBuffer());
  if (mayReplace) {
    int32_t rc = kSearchNotFound;
    if (inReadingOrder) {
      rc = ReplaceLogicalSelection(find, with, matchCase);
    } else if (SelectionEquals(find, matchCase)) {
      rc = InsertText(AsBytes(with));
    }
    if (rc > 0) {
      lastSearchError_ = static_cast<uint16_t>(rc);
      group.reset();
      DoOnError(static_cast<uint16_t>(rc));
      return rc;
    }
    if (rc == 0) count = 1;
  }
  // A search that finds nothing leaves the mark: the selection or caret it
  // names is still where the next search goes on from.
  const std::optional<TLogicalSearchMark> mark = inReadingOrder ? CurrentSearchMark() : std::nullopt;

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
  } else if ((options & kSearchFromStart) == 0 && !inReadingOrder) {
    // In reading order the caret's paragraph is cut at the caret's place in
    // its logical text instead.
    (backwards ? rangeEnd : rangeStart) = start;
  }

  const TTextSearcher searcher(find, matchCase);
  const TWordTest words(*this, options);
  std::optional<TStoredPrefilter> prefilter;
  TLogicalView view;
  if (inReadingOrder) {
    prefilter.emplace(find, matchCase);
    view.english = Engm();
    view.prefilter = &*prefilter;
    view.storedRange = inSelection;
    if (mark && !inSelection && (options & kSearchFromStart) == 0 && mark->para == start.Para)
      view.markedStart = backwards ? mark->logicalBegin : mark->logicalEnd;
  }
  TSearchRun run(*this, searcher, words, rangeStart, rangeEnd, inReadingOrder ? &view : nullptr);
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
    const TFound& f = *run.found;
    SelectRange(f.at.Para, f.at.Pos, f.at.Para, f.storedEnd, !backwards);
    if ((options & kSearchNoSelection) != 0) MoveCaretToPara(CaretPara(), CaretPos(), false);
    if (inReadingOrder)
      SetSearchMark(static_cast<uint32_t>(f.logicalBegin), static_cast<uint32_t>(f.logicalBegin + find.size()));
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
