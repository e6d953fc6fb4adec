#pragma once
// Stand-in document editor until the bilingual editor's readers and writers
// are in place: reads a file as bytes of the system's character set with CR
// LF or LF line ends, and writes the text back through a temporary file
// renamed over the target, with the line ends the file had.
#include <string>

#include "editor/text_file_editor.h"

namespace nuvel {

class PlainDocumentEditor : public TNvcTextFileEditor {
 public:
  // A missing file gives an empty text; one that cannot be read throws.
  void LoadFromFile(const std::string& name) override;
  // Throws when the file cannot be written; the old file then stays whole.
  // The text is unmodified after a good save.
  void SaveToFile(const std::string& name) override;

 private:
  bool lfOnly_ = false;
};

}  // namespace nuvel
