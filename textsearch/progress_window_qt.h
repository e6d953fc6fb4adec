#pragma once
// The progress window of a collection search: no caption, two meters, the
// upper one for the chosen node's children and the lower one (shown only
// while a deeper group is walked) for the position inside that group.
#include <QDialog>

namespace nuvel {

class TNvcMeter;

class TNuvPrgress : public QDialog {
  Q_OBJECT
 public:
  explicit TNuvPrgress(QWidget* owner);

  TNvcMeter* NvcMeter1 = nullptr;
  TNvcMeter* NvcMeter2 = nullptr;

  // Shows the window centred on its owner, without waiting.
  void ShowCentred();
};

}  // namespace nuvel
