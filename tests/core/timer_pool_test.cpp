#include "core/timer_pool.h"

#include <gtest/gtest.h>

#include "core/exceptions.h"

#include <string>
#include <vector>

namespace nuvel {
namespace {

// A clock the test moves by hand and a timer that only records its period.
class FakeTimer : public TNvcPoolTimer {
 public:
  bool Start(uint32_t periodMs) override {
    if (refuse) return false;
    running = true;
    period = periodMs;
    return true;
  }
  void Stop() override { running = false; }
  bool running = false;
  bool refuse = false;
  uint32_t period = 0;
};

struct Fired {
  int32_t handle;
  uint32_t interval;
  uint32_t elapsed;
  bool operator==(const Fired&) const = default;
};

class TimerPoolTest : public ::testing::Test {
 protected:
  TimerPoolTest() : pool([this] { return now; }, timer) {}

  TNvcTimerPool::TTriggerEvent Record() {
    return [this](TNvcTimerPool&, int32_t h, uint32_t interval, uint32_t elapsed) {
      fired.push_back({h, interval, elapsed});
    };
  }
  // Moves the clock on tick by tick, as the running timer would.
  void RunFor(uint32_t ms) {
    const uint32_t end = now + ms;
    while (timer.running && static_cast<int32_t>(end - (now + timer.period)) >= 0) {
      now += timer.period;
      pool.Trigger();
    }
    now = end;
  }

  uint32_t now = 1000;
  FakeTimer timer;
  TNvcTimerPool pool;
  std::vector<Fired> fired;
};

TEST_F(TimerPoolTest, PeriodDividesEveryIntervalAndNeverGoesBelowTheFloor) {
  const struct {
    std::vector<uint32_t> intervals;
    uint32_t period;
  } cases[] = {
      {{100, 250}, 55},  // 50 would divide both, but the floor is 55
      {{200, 300}, 100},
      {{1000}, 1000},
      {{30}, 55},  // raised to 55
      {{500, 1000, 1500}, 500},
      {{110, 165}, 55},
  };
  for (const auto& c : cases) {
    FakeTimer t;
    uint32_t clock = 0;
    TNvcTimerPool p([&clock] { return clock; }, t);
    for (uint32_t i : c.intervals) p.Add(nullptr, i);
    std::string label;
    for (uint32_t i : c.intervals) label += std::to_string(i) + " ";
    EXPECT_EQ(p.Period(), c.period) << label;
    EXPECT_EQ(t.period, c.period) << label;
    EXPECT_TRUE(t.running) << label;
  }
}

TEST_F(TimerPoolTest, HandlesCountUpFromZeroAndRemovalStopsTheTimer) {
  const int32_t a = pool.Add(Record(), 200);
  const int32_t b = pool.Add(Record(), 300);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 1);
  pool.Remove(a);
  EXPECT_EQ(pool.Add(Record(), 100), 2);  // one more than the largest in use
  pool.Remove(12345);                     // names nothing: ignored
  EXPECT_EQ(pool.Count(), 2);
  pool.Remove(1);
  pool.Remove(2);
  EXPECT_EQ(pool.Count(), 0);
  EXPECT_FALSE(timer.running);
}

TEST_F(TimerPoolTest, RepeatingTriggersFireOnTheirIntervals) {
  const int32_t a = pool.Add(Record(), 200);
  const int32_t b = pool.Add(Record(), 300);
  ASSERT_EQ(timer.period, 100u);
  RunFor(600);
  EXPECT_EQ(fired, (std::vector<Fired>{{a, 200, 200}, {b, 300, 300}, {a, 200, 200},
                                       {a, 200, 200}, {b, 300, 300}}));
}

TEST_F(TimerPoolTest, ATriggerMayFireUpTo27MsEarly) {
  pool.Add(Record(), 100);
  now += 72;
  pool.Trigger();
  EXPECT_TRUE(fired.empty());
  now += 1;  // 73 = 100 - 27
  pool.Trigger();
  EXPECT_EQ(fired, (std::vector<Fired>{{0, 100, 73}}));
}

TEST_F(TimerPoolTest, OneTimeTriggerFiresOnceAtTheFirstTickAndLeaves) {
  const int32_t h = pool.AddOneTime(Record(), 30);
  EXPECT_EQ(timer.period, 55u);
  RunFor(55 * 4);
  EXPECT_EQ(fired, (std::vector<Fired>{{h, 55, 55}}));
  EXPECT_FALSE(pool.Contains(h));
  EXPECT_FALSE(timer.running);
}

TEST_F(TimerPoolTest, PeriodIsRecomputedWhenAOneTimeTriggerLeaves) {
  pool.Add(Record(), 1000);
  pool.AddOneTime(Record(), 100);
  EXPECT_EQ(timer.period, 100u);
  RunFor(100);
  EXPECT_EQ(fired.size(), 1u);
  // The repeating trigger is 900 ms from due; 200 is the longest period
  // below that which divides its interval.
  EXPECT_EQ(timer.period, 200u);
  RunFor(1000);
  EXPECT_EQ(fired.size(), 2u);
}

TEST_F(TimerPoolTest, HandlersMayRemoveThemselvesAndAddOthers) {
  int32_t self = -1;
  int32_t added = -1;
  self = pool.Add(
      [&](TNvcTimerPool& sender, int32_t h, uint32_t, uint32_t) {
        fired.push_back({h, 0, 0});
        sender.Remove(self);  // the handler object is destroyed by this
        added = sender.Add(Record(), 100);
      },
      100);
  const int32_t later = pool.Add(Record(), 100);
  RunFor(100);
  // The trigger behind the removed one still fired in the same round; the
  // one added during the round waits for the next.
  EXPECT_EQ(fired, (std::vector<Fired>{{self, 0, 0}, {later, 100, 100}}));
  EXPECT_FALSE(pool.Contains(self));
  ASSERT_TRUE(pool.Contains(added));
  // Added while the other trigger was due, the period fell to 55 ms: both
  // fire on the second tick from here.
  EXPECT_EQ(timer.period, 55u);
  RunFor(110);
  EXPECT_EQ(fired.size(), 4u);
}

TEST_F(TimerPoolTest, AllTriggersEventFollowsEachTrigger) {
  std::vector<int32_t> order;
  pool.OnAllTriggers = [&](TNvcTimerPool&, int32_t h, uint32_t, uint32_t) {
    order.push_back(100 + h);
  };
  pool.Add([&](TNvcTimerPool&, int32_t h, uint32_t, uint32_t) { order.push_back(h); }, 100);
  pool.Add(nullptr, 100);
  RunFor(100);
  EXPECT_EQ(order, (std::vector<int32_t>{0, 100, 101}));
}

TEST_F(TimerPoolTest, ElapsedTimeIsRightAcrossAWrapOfTheTickCount) {
  now = 0xFFFFFFF0u;
  pool.Add(Record(), 100);
  now += 100;  // wraps to 84
  pool.Trigger();
  EXPECT_EQ(fired, (std::vector<Fired>{{0, 100, 100}}));
}

TEST_F(TimerPoolTest, NoTimerRaisesAndLeavesNothingRunning) {
  timer.refuse = true;
  EXPECT_THROW(pool.Add(Record(), 100), ENoTimersAvailable);
  EXPECT_FALSE(timer.running);
  EXPECT_EQ(pool.Count(), 0);  // no trigger is left behind without a handle
}

}  // namespace
}  // namespace nuvel
