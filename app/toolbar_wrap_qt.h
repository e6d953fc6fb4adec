#pragma once
// Keeps the toolbar panel in one row at 700 pixels and wider and in two rows
// below, as the toolbar-wrap rule says; the panel's buttons are placed by
// position, since a tool bar does not wrap.
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace nuvel {

class ToolbarWrapper : public QObject {
  Q_OBJECT
 public:
  // `window` is watched for resizes; `panel` holds the buttons, `newBtn` is
  // the button whose height is one row.
  ToolbarWrapper(QWidget* window, QWidget* panel, QWidget* newBtn);

  // Applies the rule for the window's present width (FormResize).
  void FormResize();

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void PlaceByPosition();

  QPointer<QWidget> window_;
  QPointer<QWidget> panel_;
  QPointer<QWidget> newBtn_;
  bool placed_ = false;
  int height_ = 0;
  int rowWidth_ = 0;  // all the buttons in one row
};

}  // namespace nuvel
