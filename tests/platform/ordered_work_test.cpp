// Work done by worker threads in any order and taken back in order: the
// order, the bound on the parts handed out, a failure thrown on at its
// part, and a stop asked for by the taker.
#include "platform/ordered_work.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace nuvel::platform {
namespace {

// Squares of 0..parts-1, each part made slower the earlier it is, so that
// workers finish them out of order.
struct Squares {
  std::size_t parts;
  std::size_t window;
  std::vector<long> slots;
  std::vector<long> taken;
  std::atomic<std::size_t> inHand{0};
  std::size_t mostInHand = 0;
  OrderedWork Steps() {
    slots.assign(window, -1);
    OrderedWork w;
    w.prepare = [this](std::size_t k) {
      if (k >= parts) return false;
      slots[k % window] = static_cast<long>(k);
      mostInHand = std::max(mostInHand, ++inHand);
      return true;
    };
    w.work = [this](std::size_t k, std::size_t) {
      if (k < 8) std::this_thread::sleep_for(std::chrono::milliseconds(8 - k));
      slots[k % window] *= slots[k % window];
    };
    w.finish = [this](std::size_t k) {
      --inHand;
      taken.push_back(slots[k % window]);
      return true;
    };
    return w;
  }
};

TEST(OrderedWork, PartsComeBackInOrderWithinTheWindow) {
  for (std::size_t workers : {0u, 1u, 4u}) {
    SCOPED_TRACE(workers);
    Squares s{100, 5, {}, {}};
    EXPECT_TRUE(RunOrderedWork(s.Steps(), workers, s.window));
    ASSERT_EQ(s.taken.size(), 100u);
    for (std::size_t k = 0; k < 100; ++k) EXPECT_EQ(s.taken[k], static_cast<long>(k * k));
    EXPECT_LE(s.mostInHand, s.window);
  }
  Squares none{0, 3, {}, {}};
  EXPECT_TRUE(RunOrderedWork(none.Steps(), 2, none.window));
  EXPECT_TRUE(none.taken.empty());
}

TEST(OrderedWork, AFailureIsThrownWhenItsPartIsTakenAndAStopEndsTheWork) {
  for (std::size_t workers : {0u, 3u}) {
    SCOPED_TRACE(workers);
    Squares s{50, 4, {}, {}};
    OrderedWork w = s.Steps();
    const auto work = w.work;
    w.work = [&](std::size_t k, std::size_t worker) {
      if (k == 7) throw std::runtime_error("part 7");
      work(k, worker);
    };
    EXPECT_THROW(RunOrderedWork(w, workers, s.window), std::runtime_error);
    EXPECT_EQ(s.taken.size(), 7u) << "the parts before the failure were taken";

    Squares t{50, 4, {}, {}};
    OrderedWork stop = t.Steps();
    const auto finish = stop.finish;
    stop.finish = [&](std::size_t k) { return finish(k) && k < 9; };
    EXPECT_FALSE(RunOrderedWork(stop, workers, t.window));
    EXPECT_EQ(t.taken.size(), 10u);
  }
}

}  // namespace
}  // namespace nuvel::platform
