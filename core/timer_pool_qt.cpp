#include "core/timer_pool_qt.h"

#include <QtGlobal>
#include <exception>

#include "platform/tick_count.h"

namespace nuvel {

TNvcQtTimerPool::TNvcQtTimerPool(QObject* parent, TNvcTimerPool::TClock clock)
    : QObject(parent),
      timer_(this),
      pool_(clock ? std::move(clock) : TNvcTimerPool::TClock(&platform::GetTickCount), *this) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &TNvcQtTimerPool::Tick);
}

TNvcQtTimerPool::~TNvcQtTimerPool() = default;

bool TNvcQtTimerPool::Start(uint32_t periodMs) {
  timer_.start(static_cast<int>(periodMs));
  return timer_.isActive();
}

void TNvcQtTimerPool::Stop() { timer_.stop(); }

void TNvcQtTimerPool::Tick() {
  try {
    pool_.Trigger();
  } catch (const std::exception& e) {
    if (OnHandlerError) {
      OnHandlerError(e.what());
    } else {
      qWarning("timer trigger failed: %s", e.what());
    }
  }
}

}  // namespace nuvel
