#include "tools/editor_hand_off.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/border_order.h"
#include "core/exceptions.h"
#include "editor/editor_document_io.h"
#include "editor/editor_errors.h"
#include "editor/heb_text_editor.h"
#include "editor/para_list.h"
#include "editor/text_file_editor.h"
#include "formats/load_document.h"
#include "formats/logical_order_text.h"
#include "formats/reader_input.h"
#include "formats/text_readers.h"
#include "platform/user_temp_folder.h"
#include "tools/built_in_rules.h"
#include "tools/filter_file.h"
#include "tools/sheim_protection.h"

namespace nuvel::tools {
namespace {

// Lines, as they are: no reader of another format, no conversion.
constexpr TLoadRule kLinesIn{'e', TReaderKind::Lines, TLoadPass::None, 0};
constexpr std::size_t kPieceSize = std::size_t{1} << 20;

[[noreturn]] void ThrowFileError(const char* what, const std::string& path, int code) {
  throw EInOutError(std::string(what) + " " + path + ": " + std::strerror(code != 0 ? code : EIO));
}

// What loading a file of lines can make of it at most.
struct LineCounts {
  uint64_t lines = 1;
  uint64_t longest = 0;
  uint64_t bytes = 0;
};

// Bounds, not exact counts: every CR and every LF is taken for a line end,
// and the longest line is the longest stretch between two LFs.
LineCounts CountLines(const std::string& path) {
  LineCounts counts;
  uint64_t current = 0;
  TLineFileReader reader(path);
  for (std::span<const uint8_t> piece = reader.Next(); !piece.empty(); piece = reader.Next()) {
    counts.bytes += piece.size();
    counts.lines += static_cast<uint64_t>(std::count(piece.begin(), piece.end(), uint8_t{13}));
    const uint8_t* at = piece.data();
    const uint8_t* const end = piece.data() + piece.size();
    while (at < end) {
      const void* lf = std::memchr(at, 10, static_cast<std::size_t>(end - at));
      if (lf == nullptr) {
        current += static_cast<uint64_t>(end - at);
        break;
      }
      current += static_cast<uint64_t>(static_cast<const uint8_t*>(lf) - at);
      counts.longest = std::max(counts.longest, current);
      current = 0;
      ++counts.lines;
      at = static_cast<const uint8_t*>(lf) + 1;
    }
  }
  counts.longest = std::max(counts.longest, current);
  return counts;
}

// True when the editor's limits hold the text whatever loading makes of it:
// at most one paragraph a line, and, where a line is longer than a
// paragraph may be, at most one a byte.
bool SurelyFits(const TNvcParaList& list, const LineCounts& c) {
  const uint64_t paras = c.lines + (c.longest > list.ParaLengthLimit() ? c.bytes : 0);
  return paras <= list.ParaLimit() && c.bytes + 2 * paras <= list.ByteLimit();
}

// Loading keeps or drops the trailing blanks of the lines as asked, and
// the editor's own choice comes back afterwards.
class TrimChoice {
 public:
  TrimChoice(TNvcCustomEditor& editor, bool trim) : editor_(editor), saved_(editor.TrimWhiteSpace()) {
    editor.SetTrimWhiteSpace(trim);
  }
  ~TrimChoice() { editor_.SetTrimWhiteSpace(saved_); }

 private:
  TNvcCustomEditor& editor_;
  bool saved_;
};

// Reads the file into the target as one text of lines; the editor error
// that stopped it, 0 when none did.
uint16_t LoadLines(TEditorLoadTarget& target, const std::string& path) {
  TLineFileReader reader(path);
  uint16_t error = LoadDocumentBytes(target, kLinesIn, reader.Next()).appendError;
  bool more = false;
  for (std::span<const uint8_t> piece = reader.Next(); error == 0 && !piece.empty(); piece = reader.Next()) {
    TReaderInput in(piece);
    error = ReadLines(in, target);
    more = true;
  }
  if (more) target.LoadDone();
  return error;
}

}  // namespace

TEditorRunState::TEditorRunState(THebTextEditor& editor, const TLongRunWindow* window)
    : editor_(editor), window_(window) {
  caretLine_ = editor.GetCaretPosition(caretCol_);
  topLine_ = editor.TopLine();
  modified_ = editor.Modified();
  lfLineEnds_ = editor.LfLineEnds();
  if (window_ && window_->Minimise) window_->Minimise();
  editor.BeginUpdate();
}

TEditorRunState::~TEditorRunState() {
  editor_.EndUpdate();
  editor_.SetLfLineEnds(lfLineEnds_);
  // The view by the text there is now: a text shorter than the caret's line
  // shows its last line near the bottom.
  int32_t line = caretLine_;
  const int32_t lines = std::max(editor_.LineCount(), 1);
  if (lines < caretLine_) {
    line = lines;
    editor_.SetTopLine(line < 5 ? 1 : line - 4);
  } else {
    editor_.SetTopLine(topLine_);
  }
  editor_.SetCaretPosition(line, caretCol_);
  editor_.SetModified(replaced_ || modified_);
  if (window_ && window_->Restore) window_->Restore();
}

void EmitEditorLines(const TNvcCustomEditor& editor, const TPieceSink& out, std::optional<bool> logicalFor) {
  int32_t count = editor.ParaCount();
  if (count > 0 && editor.ParaLength(count) == 0) --count;
  std::vector<uint8_t> piece;
  piece.reserve(kPieceSize + 64);
  for (int32_t p = 1; p <= count; ++p) {
    const std::span<const uint8_t> para = editor.GetPara(p);
    const std::size_t at = piece.size();
    piece.insert(piece.end(), para.begin(), para.end());
    if (logicalFor) StorageToLogical(*logicalFor, std::span<uint8_t>(piece).subspan(at));
    piece.push_back('\r');
    piece.push_back('\n');
    if (piece.size() >= kPieceSize) {
      out(piece);
      piece.clear();
    }
  }
  if (!piece.empty()) out(piece);
}

std::vector<uint8_t> EditorLines(const TNvcCustomEditor& editor) {
  std::vector<uint8_t> lines;
  EmitEditorLines(editor, [&lines](std::span<const uint8_t> piece) { lines.insert(lines.end(), piece.begin(), piece.end()); });
  return lines;
}

void ReplaceEditorText(THebTextEditor& editor, const std::string& path, bool trimTrailingBlanks,
                       std::optional<bool> logicalFor) {
  // The other views of the text (the other half of a split window) take the
  // new text with the editor.
  std::vector<TNvcCustomEditor*> others;
  for (TParaListView* view : editor.Views()) {
    if (auto* e = dynamic_cast<TNvcCustomEditor*>(view); e && e != &editor) others.push_back(e);
  }
  if (SurelyFits(editor.ParaList(), CountLines(path))) {
    // Read in place: the old text's memory serves the new one.
    const TrimChoice trim(editor, trimTrailingBlanks);
    TEditorLoadTarget target(editor, editor.Disk_Conv(), false);
    const uint16_t error = LoadLines(target, path);
    if (error == 0 && logicalFor) TurnParagraphs(target, *logicalFor);
    for (TNvcCustomEditor* e : others) e->TNvcCustomEditor::Attach(&editor);
    if (error != 0) throw MakeEditorError(error);
    return;
  }
  // Near the editor's limits the new text is read into an editor of its own
  // with the same limits and wrapping first, so that a text the editor
  // cannot hold leaves the document, its undo history included, untouched.
  TNvcTextFileEditor scratch;
  TNvcParaList& from = editor.ParaList();
  TNvcParaList& to = scratch.ParaList();
  to.SetWordWrap(from.WordWrap());
  to.SetWrapColumn(from.WrapColumn());
  to.SetTabSize(from.TabSize());
  to.SetByteLimit(from.ByteLimit());
  to.SetParaLimit(from.ParaLimit());
  to.SetParaLengthLimit(from.ParaLengthLimit());
  scratch.SetUndoBufferSize(editor.UndoBufferSize());
  scratch.SetTrimWhiteSpace(trimTrailingBlanks);
  TEditorLoadTarget target(scratch, editor.Disk_Conv(), false);
  if (const uint16_t error = LoadLines(target, path)) throw MakeEditorError(error);
  if (logicalFor) TurnParagraphs(target, *logicalFor);
  editor.TNvcCustomEditor::Attach(&scratch);
  for (TNvcCustomEditor* e : others) e->TNvcCustomEditor::Attach(&editor);
}

std::string WorkFileName(const std::string& name) { return platform::UserTempFolder() + name; }

TWorkFileWriter::TWorkFileWriter(const std::string& path) : path_(path) {
  errno = 0;
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) ThrowFileError("Cannot write", path, errno);
}

TWorkFileWriter::~TWorkFileWriter() {
  if (file_ != nullptr) std::fclose(file_);
}

void TWorkFileWriter::Write(std::span<const uint8_t> bytes) {
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
    ThrowFileError("Cannot write", path_, errno);
}

void TWorkFileWriter::Close() {
  std::FILE* f = std::exchange(file_, nullptr);
  if (f != nullptr && std::fclose(f) != 0) ThrowFileError("Cannot write", path_, errno);
}

TLineFileReader::TLineFileReader(const std::string& path, std::size_t blockSize)
    : path_(path), blockSize_(std::max<std::size_t>(blockSize, 1)) {
  errno = 0;
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr) ThrowFileError("Cannot read", path, errno);
}

TLineFileReader::~TLineFileReader() {
  if (file_ != nullptr) std::fclose(file_);
}

std::span<const uint8_t> TLineFileReader::Next() {
  // What followed the last piece's line end goes to the front.
  std::memmove(buffer_.data(), buffer_.data() + used_ - carry_, carry_);
  used_ = carry_;
  carry_ = 0;
  for (;;) {
    if (buffer_.size() < used_ + blockSize_) buffer_.resize(used_ + blockSize_);
    const std::size_t got = std::fread(buffer_.data() + used_, 1, blockSize_, file_);
    if (got < blockSize_ && std::ferror(file_)) ThrowFileError("Cannot read", path_, errno);
    used_ += got;
    if (got == 0) return std::span<const uint8_t>(buffer_.data(), used_);
    // The piece ends after the last LF; a line longer than a block reads on.
    std::size_t end = used_;
    while (end > 0 && buffer_[end - 1] != 10) --end;
    if (end > 0) {
      carry_ = used_ - end;
      return std::span<const uint8_t>(buffer_.data(), end);
    }
  }
}

TWorkFile::~TWorkFile() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

void FilterEditorText(THebTextEditor& editor, const std::string& ruleFile, std::span<const std::string> rules,
                      const TLongRunWindow* window) {
  TEditorRunState state(editor, window);
  const TWorkFile handOff(WorkFileName(kFilterHandOffName));
  // Rules are written as text reads: a document kept in logical order is
  // filtered in that order and turned back. A paragraph no rule changes
  // turns back to its own bytes.
  const std::optional<bool> logicalFor = editor.LogicalOrder() ? std::optional<bool>(editor.Engm()) : std::nullopt;
  {
    TWorkFileWriter writer(handOff.Path());
    EmitEditorLines(editor, [&writer](std::span<const uint8_t> piece) { writer.Write(piece); }, logicalFor);
    writer.Close();
  }
  FilterFile(ruleFile, handOff.Path(), handOff.Path(), rules);
  ReplaceEditorText(editor, handOff.Path(), true, logicalFor);
  state.TextReplaced();
}

void RunBuiltInFilter(int kind, THebTextEditor* editor) {
  if (editor == nullptr || BuiltInRules(kind).empty()) return;
  // The built-in sets protect names, which they match as they are written:
  // each paragraph is read in logical order, whichever direction the
  // document stores it in, and only the paragraphs they change are replaced.
  TEditorRunState state(*editor);
  TEditorLoadTarget stored(*editor, editor->Disk_Conv(), false, editor->Engm());
  TLogicalOrderText logical(stored, editor->Engm());
  ProtectParagraphs(logical, kind);
  // As a filter run over the whole text, the run is not undone step by step.
  editor->ParaList().UndoBuffer().Clear();
  state.TextReplaced();
}

}  // namespace nuvel::tools
