#include "tools/editor_hand_off.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "core/exceptions.h"
#include "editor/editor_document_io.h"
#include "editor/editor_errors.h"
#include "editor/heb_text_editor.h"
#include "editor/para_list.h"
#include "editor/text_file_editor.h"
#include "formats/load_document.h"
#include "platform/user_temp_folder.h"
#include "tools/built_in_rules.h"
#include "tools/filter_file.h"

namespace nuvel::tools {
namespace {

// Lines, as they are: no reader or writer of another format, no conversion.
constexpr TSaveRule kLinesOut{'e', TWriterKind::Lines, TSavePass::None, 0};
constexpr TLoadRule kLinesIn{'e', TReaderKind::Lines, TLoadPass::None, 0};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

[[noreturn]] void ThrowFileError(const char* what, const std::string& path, int code) {
  throw EInOutError(std::string(what) + " " + path + ": " + std::strerror(code != 0 ? code : EIO));
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

std::vector<uint8_t> EditorLines(const THebTextEditor& editor) {
  TSaveRequest request = SaveRequestFor(editor, std::string());
  std::vector<uint8_t> bytes;
  BuildSaveBytes(request, kLinesOut, bytes);
  return bytes;
}

void ReplaceEditorText(THebTextEditor& editor, std::span<const uint8_t> bytes, bool trimTrailingBlanks) {
  // The new text is read into an editor of its own with the same limits and
  // wrapping, so that a text the editor cannot hold leaves the document,
  // its undo history included, untouched.
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
  if (const uint16_t error = LoadDocumentBytes(target, kLinesIn, bytes).appendError) throw MakeEditorError(error);

  // The editor and every other view of its text (the other half of a split
  // window) take the new text.
  std::vector<TNvcCustomEditor*> others;
  for (TParaListView* view : editor.Views()) {
    if (auto* e = dynamic_cast<TNvcCustomEditor*>(view); e && e != &editor) others.push_back(e);
  }
  editor.TNvcCustomEditor::Attach(&scratch);
  for (TNvcCustomEditor* e : others) e->TNvcCustomEditor::Attach(&editor);
}

std::string WorkFileName(const std::string& name) { return platform::UserTempFolder() + name; }

void WriteWorkFile(const std::string& path, std::span<const uint8_t> bytes) {
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) ThrowFileError("Cannot write", path, errno);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  const int code = errno;
  if (std::fclose(file.release()) != 0 || !written) ThrowFileError("Cannot write", path, code != 0 ? code : errno);
}

std::vector<uint8_t> ReadWorkFile(const std::string& path) {
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) ThrowFileError("Cannot read", path, errno);
  std::vector<uint8_t> bytes;
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec) bytes.reserve(static_cast<std::size_t>(size));
  uint8_t block[1 << 16];
  for (;;) {
    const std::size_t got = std::fread(block, 1, sizeof block, file.get());
    bytes.insert(bytes.end(), block, block + got);
    if (got < sizeof block) break;
  }
  if (std::ferror(file.get())) ThrowFileError("Cannot read", path, errno);
  return bytes;
}

TWorkFile::~TWorkFile() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

void FilterEditorText(THebTextEditor& editor, const std::string& ruleFile, std::span<const std::string> rules,
                      const TLongRunWindow* window) {
  TEditorRunState state(editor, window);
  const TWorkFile handOff(WorkFileName(kFilterHandOffName));
  const std::vector<uint8_t> before = EditorLines(editor);
  WriteWorkFile(handOff.Path(), before);
  FilterFile(ruleFile, handOff.Path(), handOff.Path(), rules);
  ReplaceEditorText(editor, ReadWorkFile(handOff.Path()), true);
  state.TextReplaced();
}

void RunBuiltInFilter(int kind, THebTextEditor* editor) {
  if (editor == nullptr) return;
  const std::vector<std::string> rules = BuiltInRules(kind);
  if (rules.empty()) return;
  FilterEditorText(*editor, std::string(), rules);
}

}  // namespace nuvel::tools
