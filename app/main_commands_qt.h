#pragma once
// The routing of the main window's commands: each menu item's handler, the
// toolbar buttons and hidden-item shortcuts that share it, and the enabled
// state of every item and button. An item is enabled exactly when it has a
// handler, its state rule (app/command_rules) allows it and any condition
// its owner added holds; so nothing enabled is a dead end, and a disabled
// action loses its shortcut only while it could not act anyway.
//
// Tools register their commands here: On("Find1", handler). The state is
// refreshed when a menu opens, when the active window changes and after
// every editor change (Refresh).
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <set>

#include "app/command_rules.h"

class QAction;
class QAbstractButton;
class QMenu;

namespace nuvel {

// How the commands reach the window's items and buttons by component name.
struct CommandSurface {
  std::function<QAction*(const QString&)> item;             // a menu item (or a submenu's action)
  std::function<QAction*(const QString&)> proxy;            // the shortcut action of a hidden item
  std::function<QAbstractButton*(const QString&)> button;   // a toolbar button
};

class MainCommands : public QObject {
  Q_OBJECT
 public:
  MainCommands(CommandSurface surface, QObject* parent);

  // The handler of a menu item; the item's toolbar button and its hidden
  // shortcut run it too. A later call replaces the handler.
  void On(const QString& item, std::function<void()> handler);
  void On(const char* item, std::function<void()> handler) { On(QString::fromLatin1(item), std::move(handler)); }
  // The handler of a toolbar button that has no menu item of its own.
  void OnButton(const QString& button, std::function<void()> handler);
  // A further condition for the item (and its button) to be enabled.
  void EnableWhen(const QString& item, std::function<bool()> condition);
  // True when the item has a handler.
  bool Has(const QString& item) const { return handlers_.count(item) != 0; }
  // True when the toolbar button has a handler of its own.
  bool HasButton(const QString& button) const { return buttonHandlers_.count(button) != 0; }

  // The snapshot the rules look at; no document when unset.
  std::function<CommandState()> State;

  // Whether the item or button may run now.
  bool Enabled(const QString& name) const;
  bool Enabled(const QString& name, const CommandState& state) const;
  // Runs the item's handler when it is enabled; what it throws is shown.
  void Run(const QString& item);
  // Applies the rules to every item, proxy, button and submenu.
  void Refresh();
  // While one lives, refreshes wait and are made once when the last goes:
  // for registering many handlers at once (each would refresh everything).
  class Batch {
   public:
    explicit Batch(MainCommands& commands) : commands_(commands) { ++commands_.batches_; }
    ~Batch() {
      if (--commands_.batches_ == 0 && commands_.refreshWaiting_) commands_.Refresh();
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    MainCommands& commands_;
  };
  // Refreshes whenever `menu` is about to open.
  void RefreshOnShow(QMenu* menu);

  // Called after each handler ran (tests see which commands acted).
  std::function<void(const QString&)> OnRan;

 private:
  int batches_ = 0;
  bool refreshWaiting_ = false;
  void Connect(const QString& item);
  CommandState CurrentState() const;

  CommandSurface surface_;
  std::map<QString, std::function<void()>> handlers_;
  std::map<QString, std::function<void()>> buttonHandlers_;
  std::map<QString, std::function<bool()>> conditions_;
  std::set<QString> connected_;
};

}  // namespace nuvel
