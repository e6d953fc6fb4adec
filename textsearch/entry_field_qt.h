#pragma once
// The entry field's window: shows the field's buffer with its caret and
// selection and hands keys to its editing engine. The spinner steps the
// field it serves through the field's own operations.
#include <QWidget>
#include <memory>

#include "textsearch/entry_field.h"

namespace nuvel {

class TNvcEntryFieldWidget : public QWidget {
  Q_OBJECT
 public:
  // Shows `field` (a descendant that supplies its value steps).
  explicit TNvcEntryFieldWidget(std::unique_ptr<TNvcBaseEntryField> field, QWidget* parent = nullptr);
  TNvcBaseEntryField& Field() { return *field_; }
  QSize sizeHint() const override { return {130, 25}; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  std::unique_ptr<TNvcBaseEntryField> field_;
  bool redraw_ = true;
};

}  // namespace nuvel
