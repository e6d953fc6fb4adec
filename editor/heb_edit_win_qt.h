#pragma once
// The single-line Hebrew input control on Qt: a thin shell over
// THebEditLine that measures the cell from the English and Hebrew fonts,
// paints the display text on the cell grid, draws its own caret and feeds
// keys and mouse positions to the model. Enter and Esc are left to the
// dialog around it.
#include <QWidget>

#include "core/caret.h"
#include "core/caret_painter_qt.h"
#include "editor/heb_edit_line.h"

namespace nuvel {

class THebEditWin : public QWidget {
  Q_OBJECT
 public:
  explicit THebEditWin(QWidget* parent = nullptr);
  ~THebEditWin() override;

  // The model; set its fields, then call RefreshText.
  THebEditLine& Line() { return line_; }
  const THebEditLine& Line() const { return line_; }
  // Rebuilds the display text, places the caret, repaints and takes the focus.
  void RefreshText();

  int CharWidth() const { return charWidth_; }
  int LineHeight() const { return lineHeight_; }
  const TNvcSingleCaret& Caret() const { return caret_; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void MeasureFonts();
  void PlaceCaret();
  THebEditLine line_;
  TNvcCaretBlinker blinker_;
  TNvcSingleCaret caret_;
  int charWidth_ = 8;
  int lineHeight_ = 16;
  int englishWidth_ = 8;
  int hebrewWidth_ = 8;
};

}  // namespace nuvel
