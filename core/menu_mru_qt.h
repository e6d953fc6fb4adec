#pragma once
// A most-recently-used list shown as items of a parent menu, newest first,
// with accelerator numbers: the list model of core/mru_list.h plus its view
// in a QMenu. Items created here are named "NvcMRU" + the component's name
// + a number; the separator "NvcMRU" + the component's name + "Separator".
#include <QAction>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <string>

#include "core/mru_list.h"
#include "core/state_store.h"

namespace nuvel {

class TNvcMenuMRU : public QObject {
  Q_OBJECT
  Q_PROPERTY(QStringList Items READ ItemsList WRITE SetItemsList)
  Q_PROPERTY(int MaxItems READ MaxItems WRITE SetMaxItems)

 public:
  explicit TNvcMenuMRU(QObject* owner = nullptr);
  // Writes the list to the store, when one is set.
  ~TNvcMenuMRU() override;

  const MruList& List() const { return list_; }
  QStringList ItemsList() const;
  // Replaces the list (as the state store does) and rebuilds the menu.
  void SetItemsList(const QStringList& items);

  int MaxItems() const { return list_.MaxItems(); }
  void SetMaxItems(int max);
  MruAddPosition AddPosition() const { return addPosition_; }
  void SetAddPosition(MruAddPosition position);
  QAction* AnchorItem() const { return anchor_; }
  void SetAnchorItem(QAction* anchor);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  QString Hint() const { return hint_; }
  void SetHint(const QString& hint);
  int MaxMenuWidth() const { return maxMenuWidth_; }
  void SetMaxMenuWidth(int pixels);
  QMenu* MenuItem() const { return menu_; }
  void SetMenuItem(QMenu* menu);
  MruOptions Options() const { return options_; }
  void SetOptions(const MruOptions& options);
  MruStyle Style() const { return list_.Style(); }
  void SetStyle(MruStyle style);
  TNvcAbstractStore* Store() const { return store_; }
  void SetStore(TNvcAbstractStore* store) { store_ = store; }

  // Called once the component is set up (after loading): clears the list,
  // works out the store section and reads the list from the store.
  void Loaded();
  // "owner.name.Items", or "name.Items" without an owner.
  std::string StoreSection() const;

  void MRUAdd(const QString& name);
  // Raises EMenuMRUError (30400) without a menu item.
  void MRUAddSplit(const QString& name, int group);
  void MRURemove(const QString& name);
  void MRUClear();
  void RebuildMenu();
  // The caption of item `number`, shortened in the menu's font.
  QString MRUCaption(const QString& name, int number) const;

  // A click on one of the items: the handler may change Action (0 move to
  // top, 1 remove, other: leave the list).
  std::function<void(TNvcMenuMRU*, QString& itemText, int& action)> OnClick;

 private:
  void ItemClicked(int index);
  QString Tag() const;

  MruList list_;
  MruAddPosition addPosition_ = MruAddPosition::apAnchor;
  QPointer<QAction> anchor_;
  bool enabled_ = true;
  bool visible_ = true;
  QString hint_;
  int maxMenuWidth_ = 0;
  QPointer<QMenu> menu_;
  MruOptions options_;
  TNvcAbstractStore* store_ = nullptr;
  std::string section_;
};

}  // namespace nuvel
