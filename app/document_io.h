#pragma once
// Loading and saving a document window's text through the bilingual
// editor's own load and save (the document formats' readers and writers).
#include <string>

namespace nuvel {

class TNvcCustomTextFileEditor;

// Reads `name` into the editor. Throws EInOutError when the file cannot be read.
void LoadDocumentFile(TNvcCustomTextFileEditor& doc, const std::string& name);

// Writes the editor's text under `name`. Throws EInOutError with the
// writer's message when nothing was written; the old file then stays whole
// and the document stays modified. True when the file now holds the text
// (a refused save, such as over a Palm e-book, has said why and gives false).
bool SaveDocumentFile(TNvcCustomTextFileEditor& doc, const std::string& name);

}  // namespace nuvel
