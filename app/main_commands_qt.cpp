#include "app/main_commands_qt.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>

#include "app/main_menu_layout.h"
#include "core/guarded_call.h"
#include "core/qstring_bytes_qt.h"

namespace nuvel {

MainCommands::MainCommands(CommandSurface surface, QObject* parent) : QObject(parent), surface_(std::move(surface)) {
  setObjectName(QStringLiteral("MainCommands"));
}

void MainCommands::On(const QString& item, std::function<void()> handler) {
  handlers_[item] = std::move(handler);
  Connect(item);
  Refresh();
}

void MainCommands::OnButton(const QString& button, std::function<void()> handler) {
  const bool first = buttonHandlers_.count(button) == 0;
  buttonHandlers_[button] = std::move(handler);
  if (first && surface_.button) {
    if (QAbstractButton* b = surface_.button(button)) {
      connect(b, &QAbstractButton::clicked, this, [this, button] {
        if (!Enabled(button)) return;
        const auto it = buttonHandlers_.find(button);
        if (it != buttonHandlers_.end()) Guarded(it->second);
        if (OnRan) OnRan(button);
        Refresh();
      });
    }
  }
  Refresh();
}

void MainCommands::EnableWhen(const QString& item, std::function<bool()> condition) {
  conditions_[item] = std::move(condition);
  Refresh();
}

void MainCommands::Connect(const QString& item) {
  if (!connected_.insert(item).second) return;
  auto run = [this, item] { Run(item); };
  if (surface_.item) {
    if (QAction* a = surface_.item(item)) connect(a, &QAction::triggered, this, run);
  }
  if (surface_.proxy) {
    if (QAction* p = surface_.proxy(item)) connect(p, &QAction::triggered, this, run);
  }
  if (surface_.button) {
    for (const ToolButtonDef& def : SpeedPanelLayout()) {
      if (ItemOfButton(def.name) != ToUtf8(item)) continue;
      if (QAbstractButton* b = surface_.button(FromUtf8(def.name))) {
        const QString button = FromUtf8(def.name);
        connect(b, &QAbstractButton::clicked, this, [this, item, button] {
          if (Enabled(button)) Run(item);
        });
      }
    }
  }
}

CommandState MainCommands::CurrentState() const { return State ? State() : CommandState{}; }

bool MainCommands::Enabled(const QString& name) const { return Enabled(name, CurrentState()); }

bool MainCommands::Enabled(const QString& name, const CommandState& state) const {
  const std::string key = ToUtf8(name);
  // A button stands for its menu item: it needs the item's handler and
  // condition, and follows its own rule where it has one.
  QString item = name;
  if (const std::string_view of = ItemOfButton(key); !of.empty()) item = FromUtf8(of);
  const bool hasHandler = handlers_.count(item) || buttonHandlers_.count(name);
  if (!hasHandler) return false;
  std::optional<bool> rule = EnabledByState(key, state);
  if (!rule && item != name) rule = EnabledByState(ToUtf8(item), state);
  if (rule && !*rule) return false;
  if (const auto c = conditions_.find(item); c != conditions_.end() && !c->second()) return false;
  return true;
}

void MainCommands::Run(const QString& item) {
  const auto it = handlers_.find(item);
  if (it == handlers_.end() || !Enabled(item)) return;
  // The handler may replace itself or close the window: run a copy.
  const std::function<void()> handler = it->second;
  Guarded(handler);
  if (OnRan) OnRan(item);
  Refresh();
}

void MainCommands::Refresh() {
  refreshWaiting_ = batches_ > 0;
  if (refreshWaiting_) return;
  const CommandState state = CurrentState();
  const auto& layout = MainMenuLayout();
  for (const MenuItemDef& def : layout) {
    if (def.name.empty() || (def.flags & kSeparator) || IsSubmenu(def.name)) continue;
    const QString name = FromUtf8(def.name);
    const bool on = Enabled(name, state);
    if (surface_.item) {
      if (QAction* a = surface_.item(name)) a->setEnabled(on);
    }
    if (surface_.proxy) {
      if (QAction* p = surface_.proxy(name)) p->setEnabled(on);
    }
  }
  for (const QString& extra : {QStringLiteral("Newfile"), QStringLiteral("OpenFile")}) {
    if (surface_.item) {
      if (QAction* a = surface_.item(extra)) a->setEnabled(Enabled(extra, state));
    }
  }
  if (surface_.button) {
    for (const ToolButtonDef& def : SpeedPanelLayout()) {
      const QString name = FromUtf8(def.name);
      if (QAbstractButton* b = surface_.button(name)) b->setEnabled(Enabled(name, state));
    }
  }
  // A submenu is enabled while one of its items is (lists such as the
  // reopen menu included): deepest first, so a submenu of submenus sees its
  // children's final state.
  if (!surface_.item) return;
  for (auto it = layout.rbegin(); it != layout.rend(); ++it) {
    if (!IsSubmenu(it->name) || it->parent.empty()) continue;
    QAction* sub = surface_.item(FromUtf8(it->name));
    if (!sub || !sub->menu()) continue;
    bool any = false;
    for (QAction* a : sub->menu()->actions()) {
      if (!a->isSeparator() && a->isVisible() && a->isEnabled()) {
        any = true;
        break;
      }
    }
    sub->setEnabled(any);
  }
}

void MainCommands::RefreshOnShow(QMenu* menu) {
  if (menu) connect(menu, &QMenu::aboutToShow, this, &MainCommands::Refresh);
}

}  // namespace nuvel
