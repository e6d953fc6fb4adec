#pragma once
// The bilingual editor's window: the editor window over a THebTextEditor,
// with the second (Hebrew) font beside the English one, the grid cell
// chosen from both, painting from the bilingual paint plan through the cell
// painter, the bookmark glyphs, and the Scroll Lock key. Its selection is
// offered as the X11 PRIMARY selection, and a middle click pastes that
// selection where it clicks.
#include <QPixmap>

#include "core/fixed_font_qt.h"
#include "editor/editor_widget_qt.h"
#include "editor/heb_text_editor.h"
#include "editor/primary_selection_qt.h"

namespace nuvel {

class THebTextEditorWidget : public TNvcEditorWidget {
  Q_OBJECT
 public:
  // Fonts from [GENPREFS] CurFont and CurFont2.
  explicit THebTextEditorWidget(QWidget* parent = nullptr);

  THebTextEditor& HebEditor() { return *heb_; }
  // The Hebrew screen font; the English font is FixedFont.
  TNvcFixedFont& SecondFont() { return secondFont_; }
  void SetSecondFont(const TNvcFixedFont& font) { secondFont_.Assign(font); }

  TEditorFontMetrics MeasureFont() const override;

  // Whether Scroll Lock is switched on: the Scroll Lock key toggles it.
  static bool ScrollLockToggled();

 protected:
  void PaintText(QPainter& painter, const QRect& area) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void CaretSettled() override;

 private:
  THebTextEditor* heb_;
  TNvcFixedFont secondFont_;
  QPixmap bookmarks_;
  TPrimarySelection primary_;
};

// The ten bookmark glyphs side by side, each `width` x `height` pixels.
QPixmap BookmarkGlyphStrip(int width, int height);

}  // namespace nuvel
