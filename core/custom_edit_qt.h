#pragma once
// Base of the framework's single-line edits: a line edit with an attached
// label that follows it and a controller found as for the other controls.
#include <QLineEdit>

#include "core/attached_label_qt.h"
#include "core/controller_link_qt.h"

namespace nuvel {

class TNvcCustomEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TNvcCustomEdit(QWidget* parent = nullptr);
  ~TNvcCustomEdit() override;

  TNvcLabelLink& LabelInfo() { return label_; }
  TNvcAttachedLabel* AttachedLabel() const { return label_.AttachedLabel(); }

  TNvcController* Controller() { return controller_.Controller(); }
  bool ControllerAssigned() const { return controller_.ControllerAssigned(); }
  virtual void SetController(TNvcController* controller);
  // As TNvcCustomControlEx::CreateWnd.
  virtual void CreateWnd();

 protected:
  // As TNvcCustomControlEx::WantsShortcutKey.
  virtual bool WantsShortcutKey(QKeyEvent* event);
  bool event(QEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  void LabelMoveLater();

  TNvcLabelLink label_;
  TNvcControllerLink controller_;
  bool created_ = false;
  bool movePending_ = false;
};

}  // namespace nuvel
