#pragma once
// A label bound to a framework control: it stands above (or below) the
// control at an offset, moves with it and shows and hides with it.
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <string>

namespace nuvel {

class TNvcAttachedLabel : public QLabel {
  Q_OBJECT
 public:
  explicit TNvcAttachedLabel(QWidget* parent = nullptr);
  // The control the label belongs to.
  QWidget* FocusControl() const { return buddy(); }
  // The label sizes itself to its text.
  void SetCaption(const QString& text);
};

// The label of a control: its offsets, whether it is shown, and the label.
struct TNvcLabelInfo {
  int OffsetX = 0;
  int OffsetY = 0;
  bool Visible = false;
  QPointer<TNvcAttachedLabel> Label;
};

// The label handling that framework controls share.
class TNvcLabelLink {
 public:
  explicit TNvcLabelLink(QWidget* control);
  ~TNvcLabelLink();
  TNvcLabelLink(const TNvcLabelLink&) = delete;
  TNvcLabelLink& operator=(const TNvcLabelLink&) = delete;

  const TNvcLabelInfo& Info() const { return info_; }
  // True creates the label on the control's form, named after the control
  // plus "Label" and a number, captioned with that name, at offsets (0, 0);
  // false frees it.
  void SetVisible(bool value);
  void SetOffsets(int x, int y);
  void SetOffsetX(int x) { SetOffsets(x, info_.OffsetY); }
  void SetOffsetY(int y) { SetOffsets(info_.OffsetX, y); }
  // False: the label stands above the control; true: below.
  bool Below() const { return below_; }
  void SetBelow(bool value);

  // Puts the label where it belongs to the control.
  void Place();
  // Shows or hides the label with the control.
  void FollowVisibility();
  // The label; raises "Label not attached" when none is shown.
  TNvcAttachedLabel* AttachedLabel() const;

 private:
  QWidget* control_;
  TNvcLabelInfo info_;
  bool below_ = false;
};

// Raised by AttachedLabel for a control without a label.
class ELabelNotAttached : public std::runtime_error {
 public:
  ELabelNotAttached();
};

// `base` + 1, `base` + 2, ... the first name no object under `owner` has.
std::string GetUniqueComponentName(const QObject* owner, std::string_view base);

}  // namespace nuvel
