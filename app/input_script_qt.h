#pragma once
// Plays an input script (app/input_script.h) into the running program: key
// presses go to the widget with the focus, menu steps trigger the main
// window's items. Playing starts once the main window has been activated and
// has opened the file named on the command line.
#include <QObject>
#include <QTimer>

#include "app/input_script.h"

namespace nuvel {

class TMainForm;

class InputScriptPlayer : public QObject {
  Q_OBJECT
 public:
  InputScriptPlayer(InputScript script, TMainForm& form, QObject* parent = nullptr);
  void Start();

 private:
  void Next();
  void Play(const InputStep& step);

  InputScript script_;
  TMainForm& form_;
  size_t next_ = 0;
  QTimer timer_;
};

}  // namespace nuvel
