#include "ui/interface_texts_qt.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>
#include <optional>

#include "core/qstring_bytes_qt.h"
#include "core/charset.h"
#include "platform/string_library.h"

namespace nuvel {

namespace {

QObject* Search(QObject* parent, const QString& name) {
  for (QObject* child : parent->children()) {
    if (child->objectName() == name) return child;
  }
  for (QObject* child : parent->children()) {
    if (qobject_cast<QMdiSubWindow*>(child)) continue;
    if (QObject* found = Search(child, name)) return found;
  }
  return nullptr;
}

bool SetCaption(QObject* target, const QString& text) {
  if (auto* menu = qobject_cast<QMenu*>(target)) {
    menu->setTitle(text);
  } else if (auto* action = qobject_cast<QAction*>(target)) {
    action->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(target)) {
    label->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
    group->setTitle(text);
  } else if (auto* widget = qobject_cast<QWidget*>(target)) {
    widget->setWindowTitle(text);
  } else {
    return false;
  }
  return true;
}

bool SetHint(QObject* target, const QString& text) {
  if (auto* menu = qobject_cast<QMenu*>(target)) {
    menu->menuAction()->setStatusTip(text);
  } else if (auto* action = qobject_cast<QAction*>(target)) {
    action->setStatusTip(text);
    action->setToolTip(text);
  } else if (auto* widget = qobject_cast<QWidget*>(target)) {
    widget->setToolTip(text);
    widget->setStatusTip(text);
  } else {
    return false;
  }
  return true;
}

bool SetItem(QObject* target, int index, const QString& text) {
  if (auto* list = qobject_cast<QListWidget*>(target)) {
    if (index < 0 || index >= list->count()) return false;
    list->item(index)->setText(text);
  } else if (auto* combo = qobject_cast<QComboBox*>(target)) {
    if (index < 0 || index >= combo->count()) return false;
    combo->setItemText(index, text);
  } else if (auto* tabs = qobject_cast<QTabWidget*>(target)) {
    if (index < 0 || index >= tabs->count()) return false;
    tabs->setTabText(index, text);
  } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
    const auto radios = group->findChildren<QRadioButton*>();
    if (index < 0 || index >= radios.size()) return false;
    radios[index]->setText(text);
  } else {
    return false;
  }
  return true;
}

}  // namespace

QObject* FindComponent(QObject* root, const QString& name) {
  if (root->objectName() == name) return root;
  return Search(root, name);
}

std::vector<std::string> AssignTexts(QObject* root, const std::vector<ResolvedText>& texts) {
  std::vector<std::string> missing;
  for (const auto& t : texts) {
    QObject* target = t.component.empty() ? root : FindComponent(root, QString::fromStdString(t.component));
    bool done = false;
    if (target) {
      const QString text = FromSystemText(t.text);
      if (t.component.empty()) {
        if (auto* w = qobject_cast<QWidget*>(target)) {
          w->setWindowTitle(text);
          done = true;
        }
      } else if (t.slot == TextSlot::Caption) {
        done = SetCaption(target, text);
      } else if (t.slot == TextSlot::CaptionKeepRight) {
        auto* w = qobject_cast<QWidget*>(target);
        const int right = w ? w->x() + w->width() : 0;
        done = SetCaption(target, text);
        if (done && w) {
          w->adjustSize();
          w->move(right - w->width(), w->y());
        }
      } else if (t.slot == TextSlot::CaptionIfChecked || t.slot == TextSlot::CaptionIfUnchecked) {
        auto* action = qobject_cast<QAction*>(target);
        done = action != nullptr;
        if (action && action->isChecked() == (t.slot == TextSlot::CaptionIfChecked)) action->setText(text);
      } else if (t.slot == TextSlot::ClearLines || t.slot == TextSlot::Line) {
        if (auto* plain = qobject_cast<QPlainTextEdit*>(target)) {
          if (t.slot == TextSlot::ClearLines) plain->clear(); else plain->appendPlainText(text);
          done = true;
        } else if (auto* rich = qobject_cast<QTextEdit*>(target)) {
          if (t.slot == TextSlot::ClearLines) rich->clear(); else rich->append(text);
          done = true;
        }
      } else if (t.slot == TextSlot::Hint) {
        done = SetHint(target, text);
      } else {
        done = SetItem(target, t.index, text);
      }
    }
    if (!done) missing.push_back(t.component);
  }
  return missing;
}

bool ApplyLibraryTexts(QObject* root, const std::vector<TextAssignment>& list) {
  const auto library = platform::StringLibrary::Load();
  if (!library) return false;
  AssignTexts(root, ResolveTexts(list, [&](uint16_t id) { return library->Text(id); }));
  return true;
}

bool SetHebCaps(QWidget* window, std::string_view routine) {
  const TextRoutine* r = FindTextRoutine(routine);
  if (!r || !ApplyLibraryTexts(window, r->texts)) return false;
  if (r->rightToLeft) window->setLayoutDirection(Qt::RightToLeft);
  return true;
}

void SetMenuRightJustify(QMenuBar* menu) {
  if (!menu) return;
  menu->setLayoutDirection(Qt::RightToLeft);
  for (QMenu* sub : menu->findChildren<QMenu*>()) sub->setLayoutDirection(Qt::RightToLeft);
}

}  // namespace nuvel
