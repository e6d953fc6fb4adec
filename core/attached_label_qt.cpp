#include "core/attached_label_qt.h"

#include "core/message_table.h"
#include "core/unique_component_name.h"

namespace nuvel {

TNvcAttachedLabel::TNvcAttachedLabel(QWidget* parent) : QLabel(parent) {
  setAutoFillBackground(true);  // not transparent
}

void TNvcAttachedLabel::SetCaption(const QString& text) {
  setText(text);
  adjustSize();
}

ELabelNotAttached::ELabelNotAttached() : std::runtime_error(GetLibraryString(30244)) {}

std::string GetUniqueComponentName(const QObject* owner, std::string_view base) {
  return GetUniqueComponentName(
      [owner](std::string_view name) {
        if (owner == nullptr) return false;
        const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        if (owner->objectName().compare(wanted, Qt::CaseInsensitive) == 0) return true;
        const auto all = owner->findChildren<QObject*>();
        for (const QObject* o : all) {
          if (o->objectName().compare(wanted, Qt::CaseInsensitive) == 0) return true;
        }
        return false;
      },
      base);
}

TNvcLabelLink::TNvcLabelLink(QWidget* control) : control_(control) {}

TNvcLabelLink::~TNvcLabelLink() { delete info_.Label.data(); }

void TNvcLabelLink::SetVisible(bool value) {
  if (value == info_.Visible) return;
  if (!value) {
    delete info_.Label.data();
    info_.Visible = false;
    return;
  }
  QWidget* parent = control_->parentWidget();
  if (parent == nullptr) return;  // a label needs a form to stand on
  const std::string name =
      GetUniqueComponentName(control_->window(), control_->objectName().toStdString() + "Label");
  auto* label = new TNvcAttachedLabel(parent);
  label->setObjectName(QString::fromStdString(name));
  label->setBuddy(control_);
  label->SetCaption(QString::fromStdString(name));
  info_.Label = label;
  info_.OffsetX = 0;
  info_.OffsetY = 0;
  info_.Visible = true;
  Place();
  FollowVisibility();
}

void TNvcLabelLink::SetOffsets(int x, int y) {
  if (x == info_.OffsetX && y == info_.OffsetY) return;
  info_.OffsetX = x;
  info_.OffsetY = y;
  Place();
}

void TNvcLabelLink::SetBelow(bool value) {
  if (value == below_) return;
  below_ = value;
  Place();
}

void TNvcLabelLink::Place() {
  TNvcAttachedLabel* label = info_.Label.data();
  if (label == nullptr) return;
  const QRect r = control_->geometry();
  const int left = r.x() + info_.OffsetX;
  const int top = below_ ? r.y() + r.height() + info_.OffsetY
                         : r.y() - label->height() + info_.OffsetY;
  label->move(left, top);
}

void TNvcLabelLink::FollowVisibility() {
  if (TNvcAttachedLabel* label = info_.Label.data()) label->setVisible(control_->isVisible());
}

TNvcAttachedLabel* TNvcLabelLink::AttachedLabel() const {
  if (!info_.Visible || info_.Label.isNull()) throw ELabelNotAttached();
  return info_.Label.data();
}

}  // namespace nuvel
