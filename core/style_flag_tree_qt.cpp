#include "core/style_flag_tree_qt.h"

#include <QVariant>
#include <QWidget>

namespace nuvel {

void SetStyleFlagTree(QWidget* control, bool recursive) {
  if (control == nullptr) return;
  control->setProperty(kDisplayDragImageProperty, true);
  if (!recursive) return;
  for (QWidget* child : control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) SetStyleFlagTree(child, true);
}

bool DisplaysDragImage(const QWidget* control) {
  return control != nullptr && control->property(kDisplayDragImageProperty).toBool();
}

}  // namespace nuvel
