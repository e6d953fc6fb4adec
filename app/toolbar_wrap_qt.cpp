#include "app/toolbar_wrap_qt.h"

#include <QEvent>
#include <algorithm>
#include <QLayout>
#include <QStyle>
#include <QWidget>

#include "app/toolbar_wrap.h"
#include "core/settings.h"

namespace nuvel {
namespace {

// Places each widget at a position of its own, at its preferred size. Its
// preferred size holds every visible widget; its minimum width is one pixel,
// so that the buttons never keep the window from getting narrower.
class FreePlacementLayout : public QLayout {
 public:
  explicit FreePlacementLayout(QWidget* parent) : QLayout(parent) { setContentsMargins(0, 0, 0, 0); }
  ~FreePlacementLayout() override {
    while (QLayoutItem* item = takeAt(0)) delete item;
  }
  void AddAt(QWidget* w, QPoint at) {
    addChildWidget(w);
    items_.append(new QWidgetItem(w));
    places_.push_back(at);
    invalidate();
  }
  QPoint Place(int i) const { return places_[static_cast<size_t>(i)]; }
  void SetPlace(int i, QPoint at) {
    places_[static_cast<size_t>(i)] = at;
    invalidate();
  }

  void addItem(QLayoutItem* item) override {
    items_.append(item);
    places_.push_back({});
  }
  int count() const override { return static_cast<int>(items_.size()); }
  QLayoutItem* itemAt(int i) const override { return i >= 0 && i < items_.size() ? items_[i] : nullptr; }
  QLayoutItem* takeAt(int i) override {
    if (i < 0 || i >= items_.size()) return nullptr;
    places_.erase(places_.begin() + i);
    return items_.takeAt(i);
  }
  QSize sizeHint() const override {
    QRect all;
    for (int i = 0; i < items_.size(); ++i)
      if (!items_[i]->isEmpty()) all |= QRect(Place(i), items_[i]->sizeHint());
    return QSize(all.right() + 3, all.bottom() + 3);
  }
  QSize minimumSize() const override { return QSize(1, sizeHint().height()); }
  void setGeometry(const QRect& r) override {
    QLayout::setGeometry(r);
    // A right-to-left window starts the row at its right edge.
    const Qt::LayoutDirection direction = parentWidget() ? parentWidget()->layoutDirection() : Qt::LeftToRight;
    for (int i = 0; i < items_.size(); ++i) {
      const QRect place(r.topLeft() + Place(i), items_[i]->sizeHint());
      items_[i]->setGeometry(QStyle::visualRect(direction, r, place));
    }
  }

 private:
  QList<QLayoutItem*> items_;
  std::vector<QPoint> places_;
};

}  // namespace

ToolbarWrapper::ToolbarWrapper(QWidget* window, QWidget* panel, QWidget* newBtn)
    : QObject(window), window_(window), panel_(panel), newBtn_(newBtn) {
  window->installEventFilter(this);
}

void ToolbarWrapper::PlaceByPosition() {
  if (placed_ || !panel_) return;
  placed_ = true;
  panel_->ensurePolished();
  std::vector<std::pair<QWidget*, QPoint>> places;
  if (QLayout* layout = panel_->layout()) {
    // The row the panel was built with, each button at its full preferred
    // width: a narrow window at this moment would have squeezed the row, and
    // the buttons, drawn at their preferred size, would overlap.
    const QMargins m = layout->contentsMargins();
    const int spacing = std::max(layout->spacing(), 0);
    int x = m.left();
    for (int i = 0; i < layout->count(); ++i) {
      QWidget* w = layout->itemAt(i)->widget();
      if (!w) continue;
      places.emplace_back(w, QPoint(x, m.top()));
      if (!w->isHidden()) x += w->sizeHint().width() + spacing;
    }
    rowWidth_ = x + m.right();
    delete layout;
  } else {
    for (QWidget* w : panel_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
      places.emplace_back(w, w->pos());
  }
  auto* free = new FreePlacementLayout(panel_);
  for (auto& [w, at] : places) free->AddAt(w, at);
  // One row is at least 30 pixels high: the unwrap rule takes two rows only
  // when each is at least that high.
  height_ = std::max(free->sizeHint().height(), 30);
  panel_->setFixedHeight(height_);
}

void ToolbarWrapper::FormResize() {
  // Sizes are known once the panel is shown and its buttons are polished.
  if (!window_ || !panel_ || !newBtn_ || !panel_->isVisible()) return;
  PlaceByPosition();
  auto* free = static_cast<FreePlacementLayout*>(panel_->layout());
  ToolbarLayout layout;
  layout.height = height_;
  for (int i = 0; i < free->count(); ++i) layout.controls.push_back({free->Place(i).x(), free->Place(i).y()});
  // The row must fit the room the tool bar gives the panel, which is less
  // than the window by the tool bar's frame and margins.
  int frame = 0;
  if (QWidget* bar = panel_->parentWidget()) frame = std::max(window_->width() - bar->contentsRect().width(), 0) + 8;
  LayoutToolbarForWidth(layout, window_->width(), newBtn_->height(), ReadIniString("GENPREFS", "Tool_Bar_Wrap"),
                        rowWidth_ + frame);
  for (int i = 0; i < free->count(); ++i) {
    const ToolbarControl& c = layout.controls[static_cast<size_t>(i)];
    if (free->Place(i) != QPoint(c.left, c.top)) free->SetPlace(i, QPoint(c.left, c.top));
  }
  if (layout.height != height_) {
    height_ = layout.height;
    panel_->setFixedHeight(height_);
  }
}

bool ToolbarWrapper::eventFilter(QObject* watched, QEvent* e) {
  if (watched == window_ && e->type() == QEvent::Resize) FormResize();
  return QObject::eventFilter(watched, e);
}

}  // namespace nuvel
