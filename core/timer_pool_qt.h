#pragma once
// A timer pool on one QTimer, ticking on the GUI thread.
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

#include "core/timer_pool.h"

namespace nuvel {

class TNvcQtTimerPool : public QObject, private TNvcPoolTimer {
  Q_OBJECT
 public:
  // `clock` defaults to the system tick count.
  explicit TNvcQtTimerPool(QObject* parent = nullptr, TNvcTimerPool::TClock clock = {});
  ~TNvcQtTimerPool() override;

  TNvcTimerPool& Pool() { return pool_; }
  const QTimer& Timer() const { return timer_; }

  // Receives the text of an error a trigger handler raised; the error goes
  // no further, since it must not cross the event loop.
  std::function<void(const std::string&)> OnHandlerError;

 private:
  bool Start(uint32_t periodMs) override;
  void Stop() override;
  void Tick();

  QTimer timer_;
  TNvcTimerPool pool_;
};

}  // namespace nuvel
