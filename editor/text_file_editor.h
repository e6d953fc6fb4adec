#pragma once
// The editor bound to one file: its name, whether it is loaded, the backup
// option, and the two operations every load and save of a document passes
// through. The base declares them only; the bilingual editor supplies the
// readers and writers.
#include <string>
#include <string_view>
#include <utility>

#include "editor/custom_editor.h"
#include "platform/file_facts.h"

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
  // The next successful save makes a backup copy (under the backup
  // extension) whatever MakeBackup says, then this is cleared: for a
  // document whose load changed what the file holds, so that the file as it
  // was stays on disk.
  bool BackupOnNextSave() const { return backupOnNextSave_; }
  void SetBackupOnNextSave(bool v) { backupOnNextSave_ = v; }
  // The file as it was last read or written here, to notice a change
  // another program made since.
  const platform::FileStamp& DiskStamp() const { return diskStamp_; }
  void SetDiskStamp(const platform::FileStamp& stamp) { diskStamp_ = stamp; }
  // What the last load has to tell the user (a damaged file read only in
  // part); empty when nothing. The window shows it once it is settled, since
  // a message box runs the event loop. Taking it empties it.
  const std::string& LoadNotice() const { return loadNotice_; }
  std::string TakeLoadNotice() { return std::exchange(loadNotice_, {}); }
  void SetLoadNotice(std::string text) { loadNotice_ = std::move(text); }
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
  bool backupOnNextSave_ = false;
  bool isOpen_ = false;
  platform::FileStamp diskStamp_;
  std::string loadNotice_;
};

// The editor with every property published.
class TNvcTextFileEditor : public TNvcCustomTextFileEditor {
 public:
  TNvcTextFileEditor() = default;
};

}  // namespace nuvel
