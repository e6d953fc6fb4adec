#pragma once
// The editor bound to one file: its name, whether it is loaded, the backup
// option, and the two operations every load and save of a document passes
// through. The base declares them only; the bilingual editor supplies the
// readers and writers.
#include <string>
#include <string_view>

#include "editor/custom_editor.h"

namespace nuvel {

class TNvcCustomTextFileEditor : public TNvcCustomEditor {
 public:
  TNvcCustomTextFileEditor() = default;

  const std::string& BackupExt() const { return backupExt_; }
  // At most three characters are kept.
  void SetBackupExt(std::string_view ext);
  const std::string& FileName() const { return fileName_; }
  // A new name (compared exactly) makes IsOpen False without touching the
  // text; one trailing '.' is dropped from a name longer than one character.
  void SetFileName(std::string_view name);
  bool MakeBackup() const { return makeBackup_; }
  void SetMakeBackup(bool v) { makeBackup_ = v; }
  bool IsOpen() const { return isOpen_; }
  // True loads FileName, False clears the text. Nothing without a name or
  // when the value does not change. A failed load leaves it False and passes
  // the error on.
  void SetIsOpen(bool v);

  // Another view of Other's text, taking its file name too.
  void Attach(TNvcCustomEditor* other) override;

  // Every load and save goes through these; the base reads and writes
  // nothing.
  virtual void LoadFromFile(const std::string& /*name*/) {}
  virtual void SaveToFile(const std::string& /*name*/) {}

  // The name without its trailing dot, as FileName stores it.
  static std::string NormalisedName(std::string_view name);

 private:
  std::string backupExt_ = "BAK";
  std::string fileName_;
  bool makeBackup_ = false;
  bool isOpen_ = false;
};

// The editor with every property published.
class TNvcTextFileEditor : public TNvcCustomTextFileEditor {
 public:
  TNvcTextFileEditor() = default;
};

}  // namespace nuvel
