#pragma once
// Many timed triggers on one periodic timer. The pool keeps its triggers
// sorted by interval, runs the one timer at a period that divides every
// interval (never below 55 ms), and on each tick fires the triggers whose
// interval has passed. The clock and the timer are handed in, so the pool is
// driven by a QTimer in the program and by a fake clock in tests.
#include <cstdint>
#include <functional>
#include <vector>

namespace nuvel {

// The one periodic timer under a pool.
class TNvcPoolTimer {
 public:
  virtual ~TNvcPoolTimer() = default;
  // Runs the timer with this period in ms (restarting it); false when no
  // timer could be had.
  virtual bool Start(uint32_t periodMs) = 0;
  virtual void Stop() = 0;
};

class TNvcTimerPool {
 public:
  // Sender, trigger handle, its interval and the ms since it last fired.
  using TTriggerEvent =
      std::function<void(TNvcTimerPool& sender, int32_t handle, uint32_t interval,
                         uint32_t elapsed)>;
  // A tick count in ms that wraps around at 2^32, like the system's.
  using TClock = std::function<uint32_t()>;

  static constexpr uint32_t kMinPeriod = 55;  // no interval or period is shorter
  static constexpr uint32_t kEarlyFire = 27;  // a trigger may fire this much early

  TNvcTimerPool(TClock clock, TNvcPoolTimer& timer);
  virtual ~TNvcTimerPool();
  TNvcTimerPool(const TNvcTimerPool&) = delete;
  TNvcTimerPool& operator=(const TNvcTimerPool&) = delete;

  // A repeating trigger; the interval is raised to 55 ms. Returns its handle.
  // Raises ENoTimersAvailable when the timer cannot be started.
  int32_t Add(TTriggerEvent onTrigger, uint32_t interval);
  // A trigger that fires once and is then removed.
  int32_t AddOneTime(TTriggerEvent onTrigger, uint32_t interval);
  // Removes a trigger; a handle that names none is ignored.
  void Remove(int32_t handle);

  // Called on every tick of the timer: fires the triggers that are due.
  // Handlers may add and remove triggers, their own included.
  virtual void Trigger();

  // Fired after each trigger's own handler, with the same arguments.
  TTriggerEvent OnAllTriggers;

  uint32_t Period() const { return period_; }
  int Count() const { return static_cast<int>(triggers_.size()); }
  int EnabledCount() const;
  bool Contains(int32_t handle) const { return Find(handle) >= 0; }

 private:
  struct TTrigger {
    int32_t Handle = 0;
    uint32_t Created = 0;
    uint32_t Accumulated = 0;
    uint32_t Interval = 0;
    uint32_t LastTime = 0;
    TTriggerEvent OnTrigger;
    bool Enabled = false;
    bool Repeats = false;
  };

  int Find(int32_t handle) const;
  void Insert(TTrigger trigger);
  // Works out the period from the triggers and restarts the timer.
  void Restart();

  TClock clock_;
  TNvcPoolTimer& timer_;
  std::vector<TTrigger> triggers_;  // ascending Interval
  uint32_t period_ = 0;
};

}  // namespace nuvel
