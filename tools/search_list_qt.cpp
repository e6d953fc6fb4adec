#include "tools/search_list_qt.h"

#include <QKeyEvent>
#include <algorithm>
#include <QPainter>
#include <QScrollBar>

#include "core/qstring_bytes_qt.h"
#include "core/timer_pool.h"
#include "tools/incremental_search.h"

namespace nuvel {

// ---- TNvcBaseISE ----

TNvcBaseISE::TNvcBaseISE(QWidget* parent) : TNvcCustomEdit(parent) {}

TNvcBaseISE::~TNvcBaseISE() { RemoveTrigger(); }

std::string TNvcBaseISE::TextBytes() const { return ToSystemBytes(text()); }

void TNvcBaseISE::RemoveTrigger() {
  if (triggerHandle_ < 0) return;
  if (TNvcController* c = ControllerAssigned() ? Controller() : nullptr) c->TimerPool().Remove(triggerHandle_);
  triggerHandle_ = -1;
}

void TNvcBaseISE::TriggerFired() {
  triggerHandle_ = -1;
  if (!isModified()) return;
  setModified(false);
  ExecuteSearch();
}

void TNvcBaseISE::keyReleaseEvent(QKeyEvent* e) {
  const std::string key = SearchKey(TextBytes(), CaseSensitive);
  const bool changed = key != PrevText;
  TNvcCustomEdit::keyReleaseEvent(e);
  if (!AutoSearch || !changed) return;
  RemoveTrigger();
  TNvcController* c = Controller();
  if (!c) return;
  triggerHandle_ = c->TimerPool().AddOneTime(
      [this](TNvcTimerPool&, int32_t, uint32_t, uint32_t) { TriggerFired(); }, static_cast<uint32_t>(keyDelay_));
}

void TNvcBaseISE::focusInEvent(QFocusEvent* e) {
  TNvcCustomEdit::focusInEvent(e);
  if (AutoSelect) selectAll();
}

void TNvcBaseISE::focusOutEvent(QFocusEvent* e) {
  RemoveTrigger();
  if (isModified()) {
    setModified(false);
    ExecuteSearch();
  }
  TNvcCustomEdit::focusOutEvent(e);
}

// ---- TNvcSearchEdit ----

TNvcSearchEdit::TNvcSearchEdit(TNvcSearchList* list, QWidget* parent) : TNvcBaseISE(parent), list_(list) {}

void TNvcSearchEdit::ExecuteSearch() {
  const std::vector<std::string>& items = list_->Items();
  const std::string typed = TextBytes();
  if (typed.empty()) {
    if (!items.empty()) list_->SetItemIndex(0);
    return;
  }
  const int found = PrefixSearch(items, typed, CaseSensitive);
  if (found < 0) return;
  list_->SetItemIndex(found);
  const int top = CentredTopIndex(found, list_->ListBox()->viewport()->height(), list_->ItemHeight());
  if (top >= 0) list_->SetTopIndex(top);
  if (!ShowResults) return;
  PrevText = SearchKey(typed, CaseSensitive);
  const int typedLength = static_cast<int>(text().size());
  setText(FromSystemBytes(items[static_cast<size_t>(found)]));
  setSelection(typedLength, static_cast<int>(text().size()) - typedLength);
  setModified(false);
}

// ---- TNvcSearchList ----

TNvcSearchList::TNvcSearchList(QWidget* parent) : TNvcCustomControl(parent) {
  resize(100, 150);
  setFocusPolicy(Qt::NoFocus);
  edit_ = new TNvcSearchEdit(this, this);
  edit_->setObjectName(QStringLiteral("SearchEdit"));
  edit_->setFrame(false);
  list_ = new TNvcSearchListBox(this);
  list_->setObjectName(QStringLiteral("SearchListBox"));
  list_->setFrameShape(QFrame::NoFrame);
  list_->setUniformItemSizes(true);
  connect(list_, &QListWidget::itemClicked, this, [this] { ListClick(); });
  connect(edit_, &QLineEdit::textChanged, this, [this] {
    if (OnChange) OnChange();
  });
  Layout();
}

void TNvcSearchList::SetItems(std::vector<std::string> items) {
  items_ = SortedForSearch(std::move(items), edit_->CaseSensitive);
  list_->clear();
  for (const std::string& s : items_) list_->addItem(FromSystemBytes(s));
  for (int i = 0; i < list_->count(); ++i) list_->item(i)->setSizeHint(QSize(0, itemHeight_));
}

int TNvcSearchList::ItemIndex() const { return list_->currentRow(); }

void TNvcSearchList::SetItemIndex(int index) {
  list_->setCurrentRow(index);
  if (QListWidgetItem* item = list_->item(index)) item->setSelected(true);
}

void TNvcSearchList::SetItemHeight(int height) {
  if (height <= 0) return;
  itemHeight_ = height;
  for (int i = 0; i < list_->count(); ++i) list_->item(i)->setSizeHint(QSize(0, itemHeight_));
  Layout();
}

void TNvcSearchList::SetCaseSensitive(bool on) {
  edit_->CaseSensitive = on;
  SetItems(items_);
}

int TNvcSearchList::TopIndex() const {
  const QModelIndex top = list_->indexAt(QPoint(1, 1));
  return top.isValid() ? top.row() : 0;
}

void TNvcSearchList::SetTopIndex(int index) {
  if (QListWidgetItem* item = list_->item(index)) list_->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

void TNvcSearchList::ListClick() {
  const int i = ItemIndex();
  if (i >= 0 && i < static_cast<int>(items_.size())) {
    edit_->setText(FromSystemBytes(items_[static_cast<size_t>(i)]));
    edit_->setModified(false);
  }
}

void TNvcSearchList::Layout() {
  const int editHeight = std::max(itemHeight_, edit_->sizeHint().height());
  edit_->setGeometry(3, 1, std::max(0, width() - 6), editHeight);
  list_->setGeometry(0, editHeight + 5, width(), std::max(0, height() - editHeight - 5));
}

void TNvcSearchList::resizeEvent(QResizeEvent* e) {
  TNvcCustomControl::resizeEvent(e);
  Layout();
}

void TNvcSearchList::changeEvent(QEvent* e) {
  TNvcCustomControl::changeEvent(e);
  if (e->type() == QEvent::FontChange) Layout();
}

void TNvcSearchList::paintEvent(QPaintEvent* e) {
  TNvcCustomControl::paintEvent(e);
  QPainter p(this);
  p.setPen(palette().color(QPalette::Mid));
  const int y = edit_->height() + 4;
  p.drawLine(0, y, width(), y);
}

}  // namespace nuvel
