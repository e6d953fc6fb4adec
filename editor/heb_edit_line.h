#pragma once
// The single-line Hebrew input of the find and replace dialogs and the
// file-name prompt, as a model without a window: one text typed through the
// same keyboard layers as the editor, kept in reading order and shown as the
// editor shows a line of its direction (right-aligned in Hebrew), with its
// caret column, whole-text
// copy and paste through the conversion, a history key (Ctrl+R) and a find
// key (Ctrl+F) for its dialog. The widget (editor/heb_edit_win_qt.h) feeds
// it keys and mouse positions and paints what it computes.
//
// The dialogs set the fields directly and then call RefreshText.
#include <cstdint>
#include <functional>
#include <string>

#include "core/logical_line.h"
#include "core/conv_context.h"
#include "editor/keyboard_layers.h"

namespace nuvel {

class THebEditLine {
 public:
  // The text in typing order, which is reading order, bytes of the
  // system's set.
  std::string Text;
  // What is drawn: Text turned into the field's storage order, as the
  // editor turns a line; in Hebrew mode that reversed and padded with
  // blanks in front to DisplayWidth characters (only its first DisplayWidth
  // characters when it is longer).
  std::string DisplayText;
  int32_t CaretCol = 1;       // caret position in Text, from 1
  int32_t MaxLength = 30;     // typing stops advancing the caret here
  int32_t DisplayWidth = 30;  // columns shown
  bool NikudKeys = false;     // nikud layer on
  bool EnglishMode = false;   // left-to-right display, Left and Right as they are
  bool PhoneticKeys = false;  // phonetic layer on
  bool HebScreenFont = false; // the second font is a Hebrew screen font
  bool ClearOnType = true;    // the first typed character (or Backspace) replaces the text
  bool InsertMode = true;     // insert, else overwrite
  bool AllSelected = false;   // the whole text counts as selected
  bool HebrewKeys = false;    // the keyboard layers are on at all
  // What copy and paste convert by: the program's defaults when the
  // control is made.
  ConvContext Conversion = ProgramConvContext();
  // Ctrl+R and Ctrl+F.
  std::function<void()> OnHistoryKey;
  std::function<void()> OnFindKey;

  // Rebuilds DisplayText from Text and cuts CaretCol to the text's length + 1.
  void RefreshText();
  // The control got the focus: DisplayWidth follows the client width
  // (client width / character width - 2, at least 1), then RefreshText.
  void FocusEntered(int clientWidth, int charWidth);

  // A key press by its virtual-key code: the caret keys (Left and Right
  // exchanged in Hebrew mode), Insert and Delete. Ends with RefreshText.
  void KeyDown(uint16_t virtualKey);
  // A typed character: printable ones go through the keyboard layers into
  // the text; Backspace, Ctrl+C (copy), Ctrl+V (paste), Ctrl+Y (clear),
  // Ctrl+R and Ctrl+F act; Enter and Esc are left to the dialog. Ends with
  // RefreshText.
  void KeyChar(uint8_t c);
  // What a printable key types through this control's keyboard layers.
  uint8_t TranslateKey(uint8_t c);

  // The caret's x in a client area whose right edge is `clientRight`, with
  // cells `cellWidth` wide (vowel points that take no cell not counted).
  int CaretX(int clientRight, int cellWidth) const;
  // The caret column for a mouse position x.
  int32_t ColumnAt(int x, int clientRight, int cellWidth) const;
  // A press or release at x: the caret goes to that column.
  void MouseAt(int x, int clientRight, int cellWidth);
  // A double-click at x: the caret goes there and AllSelected toggles.
  void MouseDoubleClick(int x, int clientRight, int cellWidth);
  // Where the drawing of DisplayText starts: 0 in English mode, else so that
  // the text ends at the right edge.
  int DisplayLeft(int clientRight, int cellWidth) const;
  // The cells Text takes (vowel points that take no cell not counted).
  int32_t TextCells() const;

  // Ctrl+C: with AllSelected, the whole text, converted out by
  // Conversion, goes to the clipboard service; otherwise nothing.
  void CopyToClipboard() const;
  // Ctrl+V: the clipboard's text, converted in, replaces the whole text
  // (MaxLength does not apply).
  void PasteFromClipboard();

 private:
  // Text as the field shows it, with the map between the two orders.
  LogicalLine Shown() const;
  void Empty();
  void PutTyped(uint8_t c);
};

}  // namespace nuvel
