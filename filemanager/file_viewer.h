#pragma once
// The viewer over a file: the file and its page cache, its text lines or its
// hex lines, and the search through the file. Only a bounded amount of the
// file is ever held: the cache's pages, one line and the sparse line index.
#include <cstdint>
#include <span>
#include <string>

#include "filemanager/base_viewer.h"
#include "filemanager/viewer_file.h"
#include "filemanager/viewer_lines.h"

namespace nuvel {

class TNvcFileViewer : public TNvcBaseViewer {
 public:
  TNvcFileViewer();
  ~TNvcFileViewer() override;

  const std::string& FileName() const { return fileName_; }
  // Closes the file; opens the new one when the old one was open.
  void SetFileName(const std::string& name);
  bool IsOpen() const { return file_.IsOpen(); }
  // Opens FileName (nothing without one); raises EInOutError with the
  // viewer's message, leaving the viewer closed.
  void Open();
  // Frees the file; the cache keeps no page of it.
  void Close();
  void SetIsOpen(bool open) { open ? Open() : Close(); }
  int64_t FileSize() const { return file_.Size(); }

  int BufferPageCount() const { return file_.PageCount(); }
  void SetBufferPageCount(int count) { file_.SetPageCount(count); }
  bool InHexMode() const { return hex_; }
  // Switching keeps the caret at the same place of the file.
  void SetInHexMode(bool on);
  bool FilterChars() const { return filterChars_; }
  void SetFilterChars(bool on);

  std::span<const uint8_t> GetLine(int64_t line) override;
  int64_t CheckLine(int64_t line) override;
  int64_t LineCount() override;
  bool Search(std::span<const uint8_t> text, int options) override;

  TViewerLines& Lines() { return lines_; }
  TViewerFile& File() { return file_; }

 protected:
  void CaretLineChanged(int64_t line) override { lines_.SetCaretLine(line); }

 private:
  bool SearchText(std::span<const uint8_t> pattern, bool back, bool matchCase, bool fromStart);
  bool SearchHex(std::span<const uint8_t> pattern, bool back, bool matchCase, bool fromStart);
  // The file offset of a place in the current view.
  int64_t OffsetOf(TViewerPos p);

  TViewerFile file_;
  TViewerLines lines_{file_};
  std::string fileName_;
  bool hex_ = false;
  bool filterChars_ = true;
  int hexDigits_ = 8;
  std::string hexLine_;
};

// The system's viewer: the file's language for the find dialog, and its
// find, which hands the dialog's options on as they are.
class THebFileViewer : public TNvcFileViewer {
 public:
  bool EnglishFile = true;
  // Bits 2 (backwards), 4 (match case) and 8 (from the start or end) act.
  bool FindText(std::span<const uint8_t> text, int options) { return Search(text, options & 15); }
};

}  // namespace nuvel
