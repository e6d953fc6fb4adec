#include "textsearch/entry_field.h"

#include <algorithm>

namespace nuvel {

void TNvcBaseEntryField::SetText(std::string_view text) {
  ReplaceText(text);
  saved_ = text_;
  modified_ = false;
}

void TNvcBaseEntryField::ReplaceText(std::string_view text) {
  text_.assign(text.substr(0, static_cast<size_t>(maxLength_)));
  Collapse(0);
  Changed();
}

void TNvcBaseEntryField::SetMaxLength(int n) {
  if (n < 1 || n > kBufferLimit) return;
  maxLength_ = n;
  if (static_cast<int>(text_.size()) > n) {
    text_.resize(static_cast<size_t>(n));
    Collapse(std::min(caret_, n));
    Changed();
  }
}

void TNvcBaseEntryField::Changed() {
  if (OnChange) OnChange();
}

void TNvcBaseEntryField::Collapse(int pos) {
  caret_ = selStart_ = selEnd_ = anchor_ = pos;
}

bool TNvcBaseEntryField::DeleteSelection() {
  if (selStart_ == selEnd_) return false;
  text_.erase(static_cast<size_t>(selStart_), static_cast<size_t>(selEnd_ - selStart_));
  Collapse(selStart_);
  return true;
}

bool TNvcBaseEntryField::IsWordChar(int pos) const {
  const uint8_t b = static_cast<uint8_t>(text_[static_cast<size_t>(pos)]);
  return b != ' ' && b != '\t';
}

bool TNvcBaseEntryField::ProcessCommand(TNvcCommand command, uint8_t ch) {
  const int len = static_cast<int>(text_.size());
  auto extendTo = [this](int pos) {
    caret_ = pos;
    selStart_ = std::min(anchor_, pos);
    selEnd_ = std::max(anchor_, pos);
  };
  switch (command) {
    case ccLeft:
      Collapse(selStart_ != selEnd_ ? selStart_ : std::max(0, caret_ - 1));
      return true;
    case ccRight:
      Collapse(selStart_ != selEnd_ ? selEnd_ : std::min(len, caret_ + 1));
      return true;
    case ccHome:
      Collapse(0);
      return true;
    case ccEnd:
      Collapse(len);
      return true;
    case ccWordLeft: {
      int p = caret_;
      while (p > 0 && !IsWordChar(p - 1)) --p;
      while (p > 0 && IsWordChar(p - 1)) --p;
      Collapse(p);
      return true;
    }
    case ccWordRight: {
      int p = caret_;
      while (p < len && IsWordChar(p)) ++p;
      while (p < len && !IsWordChar(p)) ++p;
      Collapse(p);
      return true;
    }
    case ccExtendLeft:
      extendTo(std::max(0, caret_ - 1));
      return true;
    case ccExtendRight:
      extendTo(std::min(len, caret_ + 1));
      return true;
    case ccExtendHome:
      extendTo(0);
      return true;
    case ccExtendEnd:
      extendTo(len);
      return true;
    case ccBack:
      if (!DeleteSelection()) {
        if (caret_ == 0) return false;
        text_.erase(static_cast<size_t>(caret_ - 1), 1);
        Collapse(caret_ - 1);
      }
      modified_ = true;
      Changed();
      return true;
    case ccDel:
      if (!DeleteSelection()) {
        if (caret_ >= len) return false;
        text_.erase(static_cast<size_t>(caret_), 1);
      }
      modified_ = true;
      Changed();
      return true;
    case ccDelEol:
      if (caret_ >= len) return false;
      text_.resize(static_cast<size_t>(caret_));
      Collapse(caret_);
      modified_ = true;
      Changed();
      return true;
    case ccIns:
      insert_ = !insert_;
      return true;
    case ccRestore:
    case ccUndo:
      text_ = saved_;
      Collapse(0);
      modified_ = false;
      Changed();
      return true;
    case ccChar: {
      DeleteSelection();
      const int n = static_cast<int>(text_.size());
      if (insert_ || caret_ >= n) {
        if (n >= maxLength_) return false;
        text_.insert(text_.begin() + caret_, static_cast<char>(ch));
      } else {
        text_[static_cast<size_t>(caret_)] = static_cast<char>(ch);
      }
      Collapse(caret_ + 1);
      modified_ = true;
      Changed();
      return true;
    }
    default:
      return false;
  }
}

void TNvcBaseEntryField::IncreaseValue(bool wrap, double step) {
  if (OnRedraw) OnRedraw(false);
  IncValue(wrap, step);
  Collapse(0);
  if (OnRedraw) OnRedraw(true);
}

void TNvcBaseEntryField::DecreaseValue(bool wrap, double step) { IncreaseValue(wrap, -step); }

void TNvcBaseEntryField::MoveCaret(int n) {
  if (!focused_) return;
  if (OnRedraw) OnRedraw(false);
  for (int i = 0; i < n; ++i) ProcessCommand(ccRight);
  for (int i = 0; i > n; --i) ProcessCommand(ccLeft);
  if (OnRedraw) OnRedraw(true);
}

}  // namespace nuvel
