#include "core/menu_mru_qt.h"

#include <QApplication>
#include <QFontMetrics>
#include <vector>

#include "core/qstring_bytes_qt.h"
#include "core/message_table.h"

namespace nuvel {
namespace {


// Takes an item out of its menu. It is deleted later, as the item may be the
// one whose click is being handled.
void Discard(QMenu* menu, QAction* action) {
  menu->removeAction(action);
  action->setParent(nullptr);
  action->deleteLater();
}

}  // namespace

TNvcMenuMRU::TNvcMenuMRU(QObject* owner) : QObject(owner) {}

TNvcMenuMRU::~TNvcMenuMRU() {
  if (!store_) return;
  const std::string section = StoreSection();
  store_->Open();
  store_->EraseSection(section);
  const auto& items = list_.Items();
  store_->WriteInteger(section, "Count", static_cast<int>(items.size()));
  const size_t count = std::min(items.size(), static_cast<size_t>(list_.MaxItems()));
  for (size_t i = 0; i < count; ++i) store_->WriteString(section, std::to_string(i), items[i]);
  store_->Close();
}

QStringList TNvcMenuMRU::ItemsList() const {
  QStringList out;
  for (const auto& item : list_.Items()) out.push_back(FromUtf8(item));
  return out;
}

void TNvcMenuMRU::SetItemsList(const QStringList& items) {
  std::vector<std::string> names;
  for (const QString& item : items) names.push_back(ToUtf8(item));
  list_.SetItems(std::move(names));
  RebuildMenu();
}

void TNvcMenuMRU::SetMaxItems(int max) {
  list_.SetMaxItems(max);
  RebuildMenu();
}

void TNvcMenuMRU::SetAddPosition(MruAddPosition position) {
  addPosition_ = position;
  RebuildMenu();
}

void TNvcMenuMRU::SetAnchorItem(QAction* anchor) {
  anchor_ = anchor;
  RebuildMenu();
}

void TNvcMenuMRU::SetEnabled(bool enabled) {
  enabled_ = enabled;
  RebuildMenu();
}

void TNvcMenuMRU::SetVisible(bool visible) {
  visible_ = visible;
  RebuildMenu();
}

void TNvcMenuMRU::SetHint(const QString& hint) {
  hint_ = hint;
  RebuildMenu();
}

void TNvcMenuMRU::SetMaxMenuWidth(int pixels) {
  maxMenuWidth_ = pixels;
  RebuildMenu();
}

void TNvcMenuMRU::SetMenuItem(QMenu* menu) {
  // The old menu loses its items.
  if (menu_ && menu_ != menu) {
    QPointer<QMenu> keep = menu_;
    menu_ = nullptr;
    const QString tag = Tag();
    for (QAction* action : keep->actions()) {
      if (action->objectName().contains(tag)) Discard(keep, action);
    }
  }
  menu_ = menu;
  RebuildMenu();
}

void TNvcMenuMRU::SetOptions(const MruOptions& options) {
  options_ = options;
  RebuildMenu();
}

void TNvcMenuMRU::SetStyle(MruStyle style) {
  list_.SetStyle(style);
  RebuildMenu();
}

std::string TNvcMenuMRU::StoreSection() const {
  const QObject* owner = parent();
  return MruStoreSection(owner ? ToUtf8(owner->objectName()) : std::string(),
                         ToUtf8(objectName()));
}

void TNvcMenuMRU::Loaded() {
  list_.MRUClear();
  section_ = StoreSection();
  if (store_) {
    store_->Open();
    const int count = std::min(store_->ReadInteger(section_, "Count", 0), list_.MaxItems());
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back(store_->ReadString(section_, std::to_string(i), ""));
    list_.SetItems(std::move(names));
    store_->Close();
  }
  RebuildMenu();
}

void TNvcMenuMRU::MRUAdd(const QString& name) {
  list_.MRUAdd(ToUtf8(name));
  RebuildMenu();
}

void TNvcMenuMRU::MRUAddSplit(const QString& name, int group) {
  if (!menu_) throw EMenuMRUError(GetLibraryString(kMsgMruNoMenuItem));
  list_.MRUAddSplit(ToUtf8(name), group);
  RebuildMenu();
}

void TNvcMenuMRU::MRURemove(const QString& name) {
  list_.MRURemove(ToUtf8(name));
  RebuildMenu();
}

void TNvcMenuMRU::MRUClear() {
  list_.MRUClear();
  RebuildMenu();
}

QString TNvcMenuMRU::Tag() const { return QStringLiteral("NvcMRU") + objectName(); }

QString TNvcMenuMRU::MRUCaption(const QString& name, int number) const {
  const QFont font = menu_ ? menu_->font() : QApplication::font("QMenu");
  const QFontMetrics metrics(font);
  const TextWidthFn width = [&metrics](std::string_view s) {
    return metrics.horizontalAdvance(FromUtf8(s));
  };
  return FromUtf8(nuvel::MRUCaption(ToUtf8(name), number, options_, maxMenuWidth_, width));
}

void TNvcMenuMRU::RebuildMenu() {
  if (!menu_) return;
  const QString tag = Tag();
  for (QAction* action : menu_->actions()) {
    if (action->objectName().contains(tag)) Discard(menu_, action);
  }
  const auto& items = list_.Items();
  if (items.empty() || !visible_) return;

  QAction* before = nullptr;  // insert before this one; none: at the end
  const QList<QAction*> actions = menu_->actions();
  switch (addPosition_) {
    case MruAddPosition::apAnchor:
      before = anchor_ && actions.contains(anchor_.data()) ? anchor_.data() : actions.value(0);
      break;
    case MruAddPosition::apTop:
      before = actions.value(0);
      break;
    case MruAddPosition::apBottom:
      before = nullptr;
      break;
  }
  if (options_.AddSeparator) {
    auto* separator = new QAction(menu_);
    separator->setSeparator(true);
    separator->setObjectName(tag + "Separator");
    menu_->insertAction(before, separator);
    // Above the anchor the items come before the separator; at the bottom
    // they follow it.
    if (addPosition_ != MruAddPosition::apBottom) before = separator;
  }
  int number = 0;
  for (size_t i = 0; i < items.size(); ++i) {
    auto* action = new QAction(menu_);
    action->setObjectName(tag + QString::number(i + 1));
    if (items[i] == kMruDivider && list_.Style() == MruStyle::msSplit) {
      action->setSeparator(true);
    } else {
      action->setText(MRUCaption(FromUtf8(items[i]), ++number));
      action->setEnabled(enabled_);
      action->setStatusTip(hint_);
      const int index = static_cast<int>(i);
      connect(action, &QAction::triggered, this, [this, index] { ItemClicked(index); });
    }
    menu_->insertAction(before, action);
  }
}

void TNvcMenuMRU::ItemClicked(int index) {
  if (index < 0 || static_cast<size_t>(index) >= list_.Items().size()) return;
  const std::string name = list_.Items()[index];
  QString text = FromUtf8(name);
  int action = kMruActionMoveToTop;
  if (OnClick) OnClick(this, text, action);
  // The handler may have changed the list; act only on the item clicked.
  const auto& now = list_.Items();
  if (static_cast<size_t>(index) < now.size() && now[index] == name) {
    list_.ApplyClick(index, action);
  }
  RebuildMenu();
}

}  // namespace nuvel
