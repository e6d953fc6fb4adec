#pragma once
// The controller: one per form, shared by every framework control on it. It
// owns the command processor that translates their keys, the insert mode
// all its editors share, a timer pool, and the target of the notifications
// the controls post so that they run after the current event.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "core/command_processor.h"
#include "core/timer_pool_qt.h"

namespace nuvel {

class TNvcNotifyEvent;

// Options of entry fields.
struct TNvcEntryOptions {
  bool AutoSelect = true;
  bool BeepOnError = true;
  bool InsertPushes = true;
  friend bool operator==(const TNvcEntryOptions&, const TNvcEntryOptions&) = default;
};

class TNvcController : public QObject {
  Q_OBJECT
 public:
  explicit TNvcController(QObject* owner = nullptr, TNvcTimerPool::TClock clock = {});
  ~TNvcController() override;

  TNvcCommandProcessor& EntryCommands() { return processor_; }
  TNvcEntryOptions EntryOptions;

  // The epoch year for two-digit years; OnGetEpoch may change it on each
  // read. Setting accepts only 1600 to 3999.
  int Epoch();
  void SetEpoch(int year);

  // Insert (true) or overwrite mode of every editor on this controller.
  bool InsertMode() const { return insertMode_; }
  void SetInsertMode(bool value) { insertMode_ = value; }

  TNvcTimerPool& TimerPool() { return timerPool_.Pool(); }
  // The object the controller's notifications are posted to.
  QObject* GetWindowHandle() { return this; }

  // OnError when assigned, else the error shown in a message box.
  void DoError(QObject* sender, uint16_t errorCode, const std::string& errorMsg);
  // OnPreEdit / OnPostEdit(sender, control), after the current event.
  void PreEditNotify(QObject* sender, QWidget* control);
  void PostEditNotify(QObject* sender, QWidget* control);
  // Shows the control and gives it the focus, after the current event.
  void PostShowAndFocus(QWidget* control);
  // OnDelayNotify(sender, code), after the current event.
  void DelayNotify(QObject* sender, uint16_t code);

  // False unless OnIsSpecialControl says otherwise.
  virtual bool IsSpecialControl(QWidget* control);

  std::function<void(QObject* sender, uint16_t code)> OnDelayNotify;
  std::function<void(QObject* sender, uint16_t errorCode, const std::string& errorMsg)> OnError;
  std::function<void(QObject* sender, int& epoch)> OnGetEpoch;
  std::function<void(QObject* sender, QWidget* control, bool& special)> OnIsSpecialControl;
  std::function<void(QObject* sender, QWidget* gainingControl)> OnPostEdit;
  std::function<void(QObject* sender, QWidget* losingControl)> OnPreEdit;
  std::function<void(QObject* sender, int32_t handle, uint32_t interval, uint32_t elapsed)>
      OnTimerTrigger;

 protected:
  bool event(QEvent* e) override;

 private:
  void Dispatch(const TNvcNotifyEvent& n);

  TNvcCommandProcessor processor_;
  int epoch_;
  bool insertMode_ = true;
  TNvcQtTimerPool timerPool_;
};

}  // namespace nuvel
