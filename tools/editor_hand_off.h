#pragma once
// How the filters and the sort hand a document's whole text to their
// engines and take the result back: the text leaves the editor through the
// document save road as plain lines (each paragraph a line ended by CR LF,
// no conversion, whatever the extension, edit configuration or character
// table would choose for the document's own file), the engine works on a
// file in the program's private temporary folder, and the result comes back
// through the document load road as lines again. The editor keeps its file
// name, format, character table, line-end form and Sheim Hashem state; its
// caret and top line come back where they were, or onto the last line when
// the text got shorter. A run that fails leaves the text as it was and
// throws the reason.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace nuvel {
class THebTextEditor;
}

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

// The editor's text as the lines of a file: every paragraph followed by
// CR LF; the empty last paragraph every loaded text ends with is not written.
std::vector<uint8_t> EditorLines(const THebTextEditor& editor);

// Replaces the editor's text by the lines of `bytes` (CR LF or LF ends), one
// paragraph a line, through the document load road: trailing blanks are
// dropped from each line as loading drops them, unless `trimTrailingBlanks`
// is false. Every other view of the same text shows the new text too. When
// the editor cannot hold the new text, the editor error is thrown and the
// text, with its undo history, is untouched.
void ReplaceEditorText(THebTextEditor& editor, std::span<const uint8_t> bytes, bool trimTrailingBlanks);

// A work file of that name in the program's private temporary folder.
std::string WorkFileName(const std::string& name);
// Writes `bytes` to `path`; throws EInOutError when it cannot.
void WriteWorkFile(const std::string& path, std::span<const uint8_t> bytes);
// Reads `path` whole; throws EInOutError when it cannot.
std::vector<uint8_t> ReadWorkFile(const std::string& path);
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
