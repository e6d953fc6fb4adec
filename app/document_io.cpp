#include "app/document_io.h"

#include "editor/text_file_editor.h"

namespace nuvel {

void LoadDocumentFile(TNvcCustomTextFileEditor& doc, const std::string& name) { doc.LoadFromFile(name); }

bool SaveDocumentFile(TNvcCustomTextFileEditor& doc, const std::string& name) {
  doc.SaveToFile(name);
  return !doc.Modified();
}

}  // namespace nuvel
