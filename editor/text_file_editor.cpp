#include "editor/text_file_editor.h"

namespace nuvel {

std::string TNvcCustomTextFileEditor::NormalisedName(std::string_view name) {
  if (name.size() > 1 && name.back() == '.') name.remove_suffix(1);
  return std::string(name);
}

void TNvcCustomTextFileEditor::SetBackupExt(std::string_view ext) {
  backupExt_ = std::string(ext.substr(0, 3));
}

void TNvcCustomTextFileEditor::SetFileName(std::string_view name) {
  // File names compare exactly: on this system "a.txt" and "A.TXT" are two
  // files.
  if (name == fileName_) return;
  isOpen_ = false;
  fileName_ = NormalisedName(name);
}

void TNvcCustomTextFileEditor::SetIsOpen(bool v) {
  if (v == isOpen_ || fileName_.empty()) return;
  isOpen_ = v;
  if (v) {
    try {
      LoadFromFile(fileName_);
    } catch (...) {
      isOpen_ = false;
      throw;
    }
  } else {
    Clear(true);
    Refresh(true);
  }
}

void TNvcCustomTextFileEditor::Attach(TNvcCustomEditor* other) {
  if (!Host().HasWindow()) return;
  TNvcCustomEditor::Attach(other);
  if (auto* file = dynamic_cast<TNvcCustomTextFileEditor*>(other)) SetFileName(file->FileName());
}

}  // namespace nuvel
