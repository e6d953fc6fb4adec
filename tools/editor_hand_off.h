#pragma once
// How the filters and the sort hand a document's whole text to their
// engines and take the result back. The text leaves the editor as plain
// lines (each paragraph a line ended by CR LF, the empty last paragraph not
// written: the lines form of the save road, with no conversion whatever the
// extension, edit configuration or character table would choose for the
// document's own file), the engine works on a file in the program's private
// temporary folder, and the result comes back through the load road's lines
// reader into the editor. Both ways go a megabyte at a time, so a large
// text is never copied whole in memory. The editor keeps its file name,
// format, character table, line-end form and Sheim Hashem state; its caret
// and top line come back where they were, or onto the last line when the
// text got shorter. A run that fails leaves the text as it was and throws
// the reason.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace nuvel {
class THebTextEditor;
class TNvcCustomEditor;
}  // namespace nuvel

namespace nuvel::tools {

// The document window during a long run: minimised before, given its state
// back after, also when the run fails.
struct TLongRunWindow {
  std::function<void()> Minimise;
  std::function<void()> Restore;
};

// Keeps for the length of a run what the editor must get back: the caret,
// the top line, the modified flag, the line-end form; redrawing is off
// meanwhile. Given back on destruction, on every path.
class TEditorRunState {
 public:
  explicit TEditorRunState(THebTextEditor& editor, const TLongRunWindow* window = nullptr);
  ~TEditorRunState();
  TEditorRunState(const TEditorRunState&) = delete;
  TEditorRunState& operator=(const TEditorRunState&) = delete;

  // The text was replaced: the editor ends modified, and the view is put
  // back by the new text's line count.
  void TextReplaced() { replaced_ = true; }

 private:
  THebTextEditor& editor_;
  const TLongRunWindow* window_;
  int32_t caretLine_ = 1;
  int32_t caretCol_ = 1;
  int32_t topLine_ = 1;
  bool modified_ = false;
  bool lfLineEnds_ = false;
  bool replaced_ = false;
};

// Bytes handed on a piece at a time.
using TPieceSink = std::function<void(std::span<const uint8_t>)>;

// The editor's text as lines, in pieces of about a megabyte that each end
// at a line end; with `logicalFor`, each line turned out of the storage
// order of a document of that direction into logical order.
void EmitEditorLines(const TNvcCustomEditor& editor, const TPieceSink& out,
                     std::optional<bool> logicalFor = std::nullopt);
// The same whole.
std::vector<uint8_t> EditorLines(const TNvcCustomEditor& editor);

// Replaces the editor's text by the lines of the file (CR LF or LF ends),
// one paragraph a line, through the load road: trailing blanks are dropped
// from each line as loading drops them, unless `trimTrailingBlanks` is
// false. Every other view of the same text shows the new text too. When the
// editor cannot hold the new text, the editor error is thrown and the text,
// with its undo history, is untouched. With `logicalFor`, the lines are in
// logical order and are turned into the storage order of a document of that
// direction.
void ReplaceEditorText(THebTextEditor& editor, const std::string& path, bool trimTrailingBlanks,
                       std::optional<bool> logicalFor = std::nullopt);

// A work file of that name in the program's private temporary folder.
std::string WorkFileName(const std::string& name);

// Writes a work file piece by piece; throws EInOutError when it cannot.
class TWorkFileWriter {
 public:
  explicit TWorkFileWriter(const std::string& path);
  ~TWorkFileWriter();
  TWorkFileWriter(const TWorkFileWriter&) = delete;
  TWorkFileWriter& operator=(const TWorkFileWriter&) = delete;
  void Write(std::span<const uint8_t> bytes);
  void Close();

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

// Reads a file in pieces of about a megabyte that end at a line end (the
// last piece: at the end of the file); an empty piece at the end. One buffer
// serves every piece. Throws EInOutError when the file cannot be read.
class TLineFileReader {
 public:
  explicit TLineFileReader(const std::string& path, std::size_t blockSize = std::size_t{1} << 20);
  ~TLineFileReader();
  TLineFileReader(const TLineFileReader&) = delete;
  TLineFileReader& operator=(const TLineFileReader&) = delete;
  std::span<const uint8_t> Next();

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
  std::size_t blockSize_;
  std::vector<uint8_t> buffer_;
  std::size_t carry_ = 0;  // bytes after the last piece, at the buffer's end
  std::size_t used_ = 0;   // bytes of the buffer in use
};

// Removes the file when it goes out of scope.
class TWorkFile {
 public:
  explicit TWorkFile(std::string path) : path_(std::move(path)) {}
  ~TWorkFile();
  TWorkFile(const TWorkFile&) = delete;
  TWorkFile& operator=(const TWorkFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// The hand-off file of the filters.
inline constexpr const char* kFilterHandOffName = "TEM-FLT.$$";

// Filters the editor's text through `rules` or, when there are none,
// through the rule file `ruleFile` (FilterFile's rules for finding it).
// Throws RuleCompileError, FilterError, EInOutError or EEditorError; the
// text is then unchanged.
void FilterEditorText(THebTextEditor& editor, const std::string& ruleFile, std::span<const std::string> rules,
                      const TLongRunWindow* window = nullptr);

// Runs built-in filter `kind` (1-10) over the editor's text; nothing for no
// editor or an unknown kind.
void RunBuiltInFilter(int kind, THebTextEditor* editor);

}  // namespace nuvel::tools
