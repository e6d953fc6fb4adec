#include "editor/heb_text_editor_widget_qt.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPainter>

#include "core/cell_painter_qt.h"
#include "core/shared_state.h"
#include "editor/clipboard_qt.h"

namespace nuvel {

namespace {
bool scrollLockToggled = false;

TFontCell MeasureCell(const QFont& font, QChar sample) {
  const QFontMetrics fm(font);
  return {std::max(fm.horizontalAdvance(sample), 1), fm.height() + fm.leading() + 1};
}

// Small enough for the default left margin.
constexpr int kGlyphWidth = 11;
constexpr int kGlyphHeight = 12;
}  // namespace

QPixmap BookmarkGlyphStrip(int width, int height) {
  QPixmap strip(width * 10, height);
  strip.fill(Qt::transparent);
  QPainter p(&strip);
  QFont font = p.font();
  font.setPixelSize(std::max(height - 3, 6));
  font.setBold(true);
  p.setFont(font);
  for (int n = 0; n < 10; ++n) {
    const QRect box(n * width, 0, width - 1, height - 1);
    p.fillRect(box, QColor(0, 96, 160));
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, QString::number(n));
  }
  return strip;
}

THebTextEditorWidget::THebTextEditorWidget(QWidget* parent)
    : TNvcEditorWidget(parent, std::make_unique<THebTextEditor>()),
      heb_(static_cast<THebTextEditor*>(&Editor())),
      bookmarks_(BookmarkGlyphStrip(kGlyphWidth, kGlyphHeight)),
      primary_([editor = QPointer<THebTextEditorWidget>(this)]() -> std::optional<TClipboardCopy> {
        // Made when another program asks, from the selection as it is then.
        if (editor == nullptr) return std::nullopt;
        return editor->HebEditor().SelectionClipboardText();
      }) {
  InstallDesktopClipboard();
  heb_->MeasureFonts = [this] {
    return std::array<TFontCell, 2>{MeasureCell(FixedFont().Font(), QLatin1Char('x')),
                                    MeasureCell(secondFont_.Font(), QChar(0x05D0))};
  };
  heb_->ScrollLockOn = [] { return ScrollLockToggled(); };
  const TEditorFontSettings fonts = ReadEditorFontSettings();
  FixedFont().Assign(fonts.English);
  secondFont_.Assign(fonts.Hebrew);
  // The second font changes the grid as the first one does.
  secondFont_.OnChange = [this] {
    if (FixedFont().OnChange) FixedFont().OnChange();
  };
}

bool THebTextEditorWidget::ScrollLockToggled() { return scrollLockToggled; }

TEditorFontMetrics THebTextEditorWidget::MeasureFont() const {
  const auto cells = heb_->MeasureFonts();
  const TFontCell c = ChooseGridCell(cells[0], cells[1]);
  return {c.CharWidth, c.LineHeight};
}

void THebTextEditorWidget::keyPressEvent(QKeyEvent* e) {
  if (e->key() != Qt::Key_ScrollLock) {
    TNvcEditorWidget::keyPressEvent(e);
    return;
  }
  e->accept();
  scrollLockToggled = !scrollLockToggled;
  Guarded([&] {
    THebTextEditor& ed = *heb_;
    if (!scrollLockToggled) {
      ScrollLockMode = 0;
      return;
    }
    // The caret's row is recorded now, and the text moves to it before the
    // next paint.
    if (ScrollLockMode == 0) ScrollLockMode = ScrollLockRowFor(ed.CaretLine(), ed.TopLine());
    ed.ApplyScrollLock();
  });
}

void THebTextEditorWidget::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::MiddleButton) {
    TNvcEditorWidget::mousePressEvent(e);
    return;
  }
  e->accept();
  setFocus(Qt::MouseFocusReason);
  const QPoint p = e->position().toPoint();
  Guarded([&] { heb_->PasteClipboardTextAt(p.x(), p.y(), ReadPrimarySelection()); });
}

void THebTextEditorWidget::CaretSettled() {
  THebTextEditor& ed = *heb_;
  if (!ed.HasSelection()) {
    primary_.Follow(std::nullopt);
    return;
  }
  const TEditorPosition& b = ed.SelBegin();
  const TEditorPosition& s = ed.SelEnd();
  primary_.Follow(TPrimarySelection::Range{b.Para, b.Pos, s.Para, s.Pos});
}

void THebTextEditorWidget::PaintText(QPainter& painter, const QRect& area) {
  const QPalette& pal = palette();
  const QColor back = pal.color(QPalette::Base);
  if (!Created()) {
    painter.fillRect(area, back);
    return;
  }
  THebTextEditor& ed = *heb_;
  const THebPaintPlan plan =
      ed.PlanPaint(area.top(), area.bottom() + 1, isEnabled(), bookmarks_.width(), bookmarks_.height());
  for (const CellRect& r : plan.Fills) painter.fillRect(QRect(r.Left, r.Top, r.Width(), r.Bottom - r.Top), back);
  const QColor text = isEnabled() ? FixedFont().Color() : pal.color(QPalette::Disabled, QPalette::Text);
  const QColor hiText = pal.color(QPalette::HighlightedText);
  const QColor hiBack = pal.color(QPalette::Highlight);
  for (const THebPaintRun& run : plan.Runs) {
    painter.setPen(run.Selected ? hiText : text);
    painter.setBrush(run.Selected ? hiBack : back);
    CellRect rect = run.Rect;
    DrawMultiFontLine(run.Bytes, painter, run.Fonts, ed.CtrlNums(), ed.HebScreenFont(), ed.Engm(),
                      ed.SecondFontWidth(), ed.FirstFontWidth(), ed.CharWidth(), rect, run.Overstrike);
  }
  painter.setBrush(Qt::NoBrush);
  const int glyphWidth = bookmarks_.width() / 10;
  for (const THebBookmarkGlyph& g : plan.Glyphs) {
    painter.drawPixmap(g.X, g.Y, bookmarks_, g.Index * glyphWidth, 0, glyphWidth, bookmarks_.height());
  }
}

}  // namespace nuvel
