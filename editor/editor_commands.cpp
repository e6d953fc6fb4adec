// The editor's keys and its command dispatcher, and the caret steps the
// movement commands take.
#include <algorithm>

#include "core/command_processor.h"
#include "editor/custom_editor.h"
#include "platform/virtual_keys.h"

namespace nuvel {

namespace {
constexpr uint16_t kKeyBack = 8;
constexpr uint16_t kKeyTab = 9;
constexpr uint16_t kKeyReturn = 13;
constexpr uint16_t kKeyAlt = 18;
}  // namespace

// ---- Keys ----

bool TNvcCustomEditor::KeyDown(const platform::KeyStroke& key) {
  const TNvcCommand command = processor_ != nullptr ? processor_->TranslateKey(key) : ccNoCommand;
  const auto vk = static_cast<uint16_t>(key.VirtualKey & 0xFF);
  if (DoCommand(command, static_cast<uint8_t>(vk))) return true;
  bool taken = false;
  if (vk == kKeyTab && wantTab_) {
    InsertTab();
    taken = true;
  } else if (vk == kKeyReturn && wantEnter_) {
    NewLine(insertMode_ && !GetReadOnly(), true);
    taken = true;
  }
  ignoreNextChar_ = command == ccWaitSecondKey || vk == kKeyBack;
  return taken;
}

bool TNvcCustomEditor::SysKeyDown(const platform::KeyStroke& key) {
  const auto vk = static_cast<uint16_t>(key.VirtualKey & 0xFF);
  if (vk == kKeyTab || vk == kKeyAlt || processor_ == nullptr) return false;
  platform::TShiftState shift;
  shift.Shift = (key.Shift & platform::kShiftBitShift) != 0;
  shift.Ctrl = (key.Shift & platform::kShiftBitCtrl) != 0;
  shift.Alt = true;
  const TNvcCommand command = processor_->TranslateKeyShift(vk, shift);
  if (command == ccNone) return false;
  return DoCommand(command, static_cast<uint8_t>(vk));
}

void TNvcCustomEditor::KeyChar(uint8_t ch) {
  if (!ignoreNextChar_ && ch >= 32) DoCommand(ccChar, ch);
}

// ---- Dispatch ----

bool TNvcCustomEditor::DoCommand(TNvcCommand command, uint8_t ch) {
  const int32_t r = visibleRows_ > 1 ? visibleRows_ - 1 : 1;
  const int32_t lastRow = topLine_ + visibleRows_ - 1;
  switch (command) {
    case ccBack:
      if (GetReadOnly()) {
        CaretLeft(false);
      } else {
        Backspace();
      }
      break;
    case ccBotOfPage:
      if (!CaretOnScreen()) {
        SetTopLine(caretLine_ - (visibleRows_ - 1));
      } else {
        MoveCaret(0, lastRow - caretLine_, false, false, false);
      }
      break;
    case ccCopy:
      if (HasSelection()) CopyToClipboard();
      break;
    case ccCtrlChar: break;
    case ccCut: CutToClipboard(); break;
    case ccDel: DeleteAtCaret(); break;
    case ccDelBol: DeleteToLineStart(); break;
    case ccDelEol: DeleteToLineEnd(); break;
    case ccDelLine: DeleteLine(); break;
    case ccDelWord: DeleteWord(); break;
    case ccDown:
    case ccExtendDown: MoveCaret(0, 1, false, command == ccExtendDown, false); break;
    case ccEnd:
    case ccExtendEnd: CaretToLineEnd(command == ccExtendEnd); break;
    case ccHome:
    case ccExtendHome: MoveCaretTo(caretLine_, 1, command == ccExtendHome); break;
    case ccLeft:
    case ccExtendLeft: CaretLeft(command == ccExtendLeft); break;
    case ccNextPage:
    case ccExtendPgDn: MoveCaret(0, r, false, command == ccExtendPgDn, true); break;
    case ccPrevPage:
    case ccExtendPgUp: MoveCaret(0, -r, false, command == ccExtendPgUp, true); break;
    case ccRight:
    case ccExtendRight: CaretRight(command == ccExtendRight); break;
    case ccUp:
    case ccExtendUp: MoveCaret(0, -1, false, command == ccExtendUp, false); break;
    case ccExtBotOfPage:
      if (CaretOnScreen()) MoveCaret(0, lastRow - caretLine_, false, true, false);
      break;
    case ccFirstPage:
    case ccExtFirstPage: MoveCaretTo(1, 1, command == ccExtFirstPage); break;
    case ccLastPage:
    case ccExtLastPage: {
      const int32_t last = LineCount();
      MoveCaretTo(last, static_cast<int32_t>(list_->LineLength(static_cast<uint32_t>(last))) + 1,
                  command == ccExtLastPage);
      break;
    }
    case ccExtTopOfPage:
      if (CaretOnScreen()) MoveCaret(0, topLine_ - caretLine_, false, true, false);
      break;
    case ccWordLeft:
    case ccExtWordLeft: WordLeft(command == ccExtWordLeft); break;
    case ccWordRight:
    case ccExtWordRight: WordRight(command == ccExtWordRight); break;
    case ccIns: SetInsertMode(!insertMode_); break;
    case ccNewLine: NewLine(insertMode_ && !GetReadOnly(), true); break;
    case ccPaste: PasteFromClipboard(); break;
    case ccRedo: Redo(); break;
    case ccUndo: Undo(); break;
    case ccScrollDown: ScrollBy(0, 1); break;
    case ccScrollUp: ScrollBy(0, -1); break;
    case ccTab: InsertTab(); break;
    case ccTopOfPage:
      if (CaretOnScreen()) {
        MoveCaret(0, topLine_ - caretLine_, false, false, false);
      } else {
        SetTopLine(caretLine_);
      }
      break;
    case ccChar:
      if (!GetReadOnly()) InsertChar(ch);
      break;
    default:
      if (command >= ccGotoMarker0 && command <= ccGotoMarker9) {
        GotoMarker(ch - '0');
        break;
      }
      if (command >= ccSetMarker0 && command <= ccSetMarker9) {
        SetMarker(ch - '0');
        break;
      }
      if (command >= ccUser) {
        DoOnUserCommand(command);
        return true;
      }
      return false;
  }
  switch (command) {
    case ccBack:
    case ccCut:
    case ccDel:
    case ccDelBol:
    case ccDelEol:
    case ccDelLine:
    case ccDelWord:
    case ccNewLine:
    case ccPaste:
    case ccRedo:
    case ccTab:
    case ccUndo:
    case ccChar: DoOnChange(); break;
    default: break;
  }
  return true;
}

// ---- Caret steps ----

void TNvcCustomEditor::CaretLeft(bool extend) {
  const int32_t p = CaretPos();
  if (p < 2) {
    if (caretLine_ > 1 && wrapAtLeft_) {
      MoveCaretTo(caretLine_ - 1, static_cast<int32_t>(list_->LineLength(static_cast<uint32_t>(caretLine_ - 1))) + 1,
                  extend);
    }
    return;
  }
  MoveCaretToPara(caretPara_, p - 1, extend);
}

void TNvcCustomEditor::CaretRight(bool extend) {
  const int32_t p = CaretPos();
  if (p > ParaLength(caretPara_) && !scrollPastEnd_) {
    MoveCaretTo(caretLine_ + 1, 1, extend);
    return;
  }
  if (p > ParaLength(caretPara_)) {
    // Past the end the positions are columns of the caret line.
    MoveCaret(1, 0, true, extend, false);
    return;
  }
  MoveCaretToPara(caretPara_, p + 1, extend);
}

void TNvcCustomEditor::WordLeft(bool extend) {
  const int32_t p = CaretPos();
  if (p < 2) {
    if (caretPara_ > 1) {
      MoveCaretTo(caretLine_ - 1, static_cast<int32_t>(list_->LineLength(static_cast<uint32_t>(caretLine_ - 1))) + 1,
                  extend);
    }
    return;
  }
  const auto text = GetPara(caretPara_);
  auto j = static_cast<size_t>(std::min(p, static_cast<int32_t>(text.size()) + 1) - 1);
  while (j > 0 && IsDelimiter(text[j - 1])) --j;
  while (j > 0 && !IsDelimiter(text[j - 1])) --j;
  MoveCaretToPara(caretPara_, static_cast<int32_t>(j) + 1, extend);
}

void TNvcCustomEditor::WordRight(bool extend) {
  const int32_t p = CaretPos();
  const auto text = GetPara(caretPara_);
  if (p > static_cast<int32_t>(text.size())) {
    MoveCaretTo(caretLine_ + 1, 1, extend);
    return;
  }
  auto j = static_cast<size_t>(p - 1);
  while (j < text.size() && !IsDelimiter(text[j])) ++j;
  while (j < text.size() && IsDelimiter(text[j])) ++j;
  MoveCaretToPara(caretPara_, static_cast<int32_t>(j) + 1, extend);
}

void TNvcCustomEditor::CaretToLineEnd(bool extend) {
  MoveCaretTo(caretLine_, static_cast<int32_t>(list_->LineLength(static_cast<uint32_t>(caretLine_))) + 1, extend);
}

}  // namespace nuvel
