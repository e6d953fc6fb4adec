#include "core/timer_pool.h"

#include <algorithm>
#include <limits>

#include "core/exceptions.h"

namespace nuvel {

TNvcTimerPool::TNvcTimerPool(TClock clock, TNvcPoolTimer& timer)
    : clock_(std::move(clock)), timer_(timer) {}

TNvcTimerPool::~TNvcTimerPool() { timer_.Stop(); }

int TNvcTimerPool::EnabledCount() const {
  return static_cast<int>(
      std::count_if(triggers_.begin(), triggers_.end(), [](const TTrigger& t) { return t.Enabled; }));
}

int TNvcTimerPool::Find(int32_t handle) const {
  for (size_t i = 0; i < triggers_.size(); ++i) {
    if (triggers_[i].Handle == handle) return static_cast<int>(i);
  }
  return -1;
}

void TNvcTimerPool::Insert(TTrigger trigger) {
  auto at = std::upper_bound(
      triggers_.begin(), triggers_.end(), trigger.Interval,
      [](uint32_t interval, const TTrigger& t) { return interval < t.Interval; });
  triggers_.insert(at, std::move(trigger));
}

int32_t TNvcTimerPool::Add(TTriggerEvent onTrigger, uint32_t interval) {
  TTrigger t;
  t.Handle = 0;
  for (const auto& other : triggers_) t.Handle = std::max(t.Handle, other.Handle + 1);
  t.Created = clock_();
  t.LastTime = t.Created;
  t.Interval = std::max(interval, kMinPeriod);
  t.OnTrigger = std::move(onTrigger);
  t.Enabled = true;
  t.Repeats = true;
  const int32_t handle = t.Handle;
  Insert(std::move(t));
  try {
    Restart();
  } catch (...) {
    triggers_.erase(triggers_.begin() + Find(handle));
    throw;
  }
  return handle;
}

int32_t TNvcTimerPool::AddOneTime(TTriggerEvent onTrigger, uint32_t interval) {
  const int32_t handle = Add(std::move(onTrigger), interval);
  triggers_[static_cast<size_t>(Find(handle))].Repeats = false;
  return handle;
}

void TNvcTimerPool::Remove(int32_t handle) {
  const int at = Find(handle);
  if (at < 0) return;
  triggers_.erase(triggers_.begin() + at);
  Restart();
}

void TNvcTimerPool::Restart() {
  const uint32_t now = clock_();
  int64_t period = std::numeric_limits<int32_t>::max();
  for (const auto& t : triggers_) {
    if (!t.Enabled) continue;
    const int64_t since = static_cast<uint32_t>(now - t.LastTime);
    period = std::min({period, int64_t{t.Interval}, int64_t{t.Interval} - since});
  }
  period = std::max<int64_t>(period, kMinPeriod);
  // Shorten the period until it divides every interval, so each trigger
  // falls on a tick; stop once it reaches the floor.
  bool changed = true;
  while (changed && period > kMinPeriod) {
    changed = false;
    for (const auto& t : triggers_) {
      const int64_t rest = t.Interval % period;
      if (rest != 0) {
        period -= rest;
        changed = true;
        if (period <= kMinPeriod) break;
      }
    }
  }
  period_ = static_cast<uint32_t>(std::max<int64_t>(period, kMinPeriod));

  timer_.Stop();
  if (period_ != 0 && EnabledCount() > 0) {
    if (!timer_.Start(period_)) throw ENoTimersAvailable();
  }
}

void TNvcTimerPool::Trigger() {
  const uint32_t now = clock_();
  // Handlers may add or remove triggers, so the round runs over the handles
  // as they stood when the tick came and looks each one up again.
  std::vector<int32_t> round;
  round.reserve(triggers_.size());
  for (const auto& t : triggers_) round.push_back(t.Handle);

  for (const int32_t handle : round) {
    const int at = Find(handle);
    if (at < 0) continue;
    TTrigger& t = triggers_[static_cast<size_t>(at)];
    if (!t.Enabled) continue;
    // Unsigned difference: right across a wrap of the tick count too.
    const uint32_t elapsed = now - t.LastTime;
    if (elapsed < t.Interval - kEarlyFire) continue;  // Interval is at least 55
    t.LastTime = now;
    const uint32_t interval = t.Interval;
    // The handler is copied out: it may remove its own trigger.
    TTriggerEvent handler = t.OnTrigger;
    if (!t.Repeats) Remove(handle);
    const uint32_t reported =
        std::min<uint32_t>(elapsed, static_cast<uint32_t>(std::numeric_limits<int32_t>::max()));
    if (handler) handler(*this, handle, interval, reported);
    if (OnAllTriggers) {
      TTriggerEvent all = OnAllTriggers;
      all(*this, handle, interval, reported);
    }
  }
}

}  // namespace nuvel
