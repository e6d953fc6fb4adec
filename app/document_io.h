#pragma once
// Loading and saving a document window's text on the document formats'
// road: the reader chosen by the load rule, the writer by the save rule, on
// a converted copy of the text, through a temporary file renamed over the
// target. The window keeps whether the file had LF line ends, so that it is
// saved with them again.
#include <string>
#include <string_view>

namespace nuvel {

class TNvcCustomTextFileEditor;
class THebTextEditor;

struct DocumentFileState {
  bool lfLineEnds = false;
};

// Reads `name` into the editor. Throws EInOutError when the file cannot be
// read; an editor error that stopped reading is raised as the editor's error.
void LoadDocumentFile(THebTextEditor& doc, const std::string& name, DocumentFileState& state);

// Writes the editor's text under `name`. Throws EInOutError with the
// writer's message when nothing was written; the old file then stays whole
// and the document stays modified. A good save clears Modified.
void SaveDocumentFile(TNvcCustomTextFileEditor& doc, const std::string& name, const DocumentFileState& state);

// Writes `bytes` to `name` through a temporary file in the same folder.
void ReplaceFileWith(const std::string& name, std::string_view bytes);

}  // namespace nuvel
