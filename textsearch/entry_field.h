#pragma once
// The base of single-line data-entry fields with their own editing engine:
// the edit buffer (at most 255 characters, MaxLength of them typed), the
// caret and the selection, insert and overwrite typing, the saved text that
// Restore brings back, and the value steps a spinner asks for. A field
// that can be stepped supplies IncValue; this base cannot be stepped.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/command_numbers.h"

namespace nuvel {

class TNvcBaseEntryField {
 public:
  static constexpr int kBufferLimit = 255;

  TNvcBaseEntryField() = default;
  virtual ~TNvcBaseEntryField() = default;
  TNvcBaseEntryField(const TNvcBaseEntryField&) = delete;
  TNvcBaseEntryField& operator=(const TNvcBaseEntryField&) = delete;

  const std::string& Text() const { return text_; }
  // Replaces the text (cut to MaxLength), saves it as the text Restore
  // brings back, selects nothing and puts the caret at the start.
  void SetText(std::string_view text);
  int MaxLength() const { return maxLength_; }
  // 1 to 255; other values are ignored. A longer text is cut.
  void SetMaxLength(int n);
  int CaretPos() const { return caret_; }
  int SelStart() const { return selStart_; }
  int SelEnd() const { return selEnd_; }
  bool Modified() const { return modified_; }
  void SetModified(bool v) { modified_ = v; }
  bool InsertMode() const { return insert_; }
  // Whether the field holds the focus; caret moves by the spinner need it.
  bool HasFocus() const { return focused_; }
  void SetHasFocus(bool v) { focused_ = v; }

  // Runs an editing command on the buffer: caret moves (ccLeft, ccRight,
  // ccHome, ccEnd, ccWordLeft, ccWordRight), selection extension
  // (ccExtendLeft, ccExtendRight, ccExtendHome, ccExtendEnd), ccBack,
  // ccDel, ccDelEol, ccIns, ccRestore and ccUndo (the saved text back), and
  // ccChar typing `ch` (in insert or overwrite mode within MaxLength). Other
  // commands do nothing. True when the command acted.
  bool ProcessCommand(TNvcCommand command, uint8_t ch = 0);

  // The spinner's steps: the value changes by `step` (negated for
  // Decrease) through IncValue, then nothing is selected and the caret goes
  // to the start. The redraw is held off around the change.
  void IncreaseValue(bool wrap, double step);
  void DecreaseValue(bool wrap, double step);
  // Only while the field has the focus: ccRight n times for n > 0, ccLeft
  // |n| times for n < 0.
  void MoveCaret(int n);

  // Fired after the text changed.
  std::function<void()> OnChange;
  // Redraw switched off (false) and back on (true) around a change.
  std::function<void(bool on)> OnRedraw;

 protected:
  // Changes the field's value by `delta`, wrapping at its limits when
  // `wrap` is set.
  virtual void IncValue(bool wrap, double delta) = 0;
  // For descendants: replaces the text without saving it for Restore.
  void ReplaceText(std::string_view text);

 private:
  void Changed();
  void Collapse(int pos);
  bool DeleteSelection();
  bool IsWordChar(int pos) const;

  std::string text_;
  std::string saved_;
  int maxLength_ = 15;
  int caret_ = 0;
  int selStart_ = 0;
  int selEnd_ = 0;
  int anchor_ = 0;
  bool modified_ = false;
  bool insert_ = true;
  bool focused_ = false;
};

}  // namespace nuvel
