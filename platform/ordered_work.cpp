#include "platform/ordered_work.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace nuvel::platform {

std::size_t OrderedWorkers(std::size_t most) {
  const unsigned n = std::thread::hardware_concurrency();
  return std::min<std::size_t>(n > 1 ? n - 1 : 0, most);
}

bool RunOrderedWork(const OrderedWork& steps, std::size_t workers, std::size_t window) {
  window = std::max<std::size_t>(window, 1);
  if (workers == 0) {
    for (std::size_t k = 0; steps.prepare(k); ++k) {
      steps.work(k, 0);
      if (!steps.finish(k)) return false;
    }
    return true;
  }
  struct Slot {
    bool done = false;
    std::exception_ptr failure;
  };
  std::vector<Slot> slots(window);
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t prepared = 0;  // parts handed out
  std::size_t taken = 0;     // parts a worker took
  bool stop = false;
  auto run = [&](std::size_t worker) {
    for (;;) {
      std::size_t k = 0;
      {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return stop || taken < prepared; });
        if (stop) return;
        k = taken++;
      }
      std::exception_ptr failure;
      try {
        steps.work(k, worker);
      } catch (...) {
        failure = std::current_exception();
      }
      {
        std::lock_guard lock(mutex);
        slots[k % window].done = true;
        slots[k % window].failure = failure;
      }
      changed.notify_all();
    }
  };
  // The workers are stopped and joined however the calling thread leaves.
  struct Pool {
    std::mutex& mutex;
    std::condition_variable& changed;
    bool& stop;
    std::vector<std::thread> threads;
    ~Pool() {
      {
        std::lock_guard lock(mutex);
        stop = true;
      }
      changed.notify_all();
      for (std::thread& t : threads) t.join();
    }
  } pool{mutex, changed, stop, {}};
  for (std::size_t w = 0; w < workers; ++w) pool.threads.emplace_back(run, w);

  bool more = true;
  for (std::size_t k = 0;; ++k) {
    // Hand out parts up to the window, then take part k back.
    while (more && prepared < k + window) {
      more = steps.prepare(prepared);
      if (!more) break;
      {
        std::lock_guard lock(mutex);
        slots[prepared % window] = Slot{};
        ++prepared;
      }
      changed.notify_all();
    }
    if (k == prepared) return true;
    Slot& slot = slots[k % window];
    {
      std::unique_lock lock(mutex);
      changed.wait(lock, [&] { return slot.done; });
    }
    if (slot.failure) std::rethrow_exception(slot.failure);
    if (!steps.finish(k)) return false;
  }
}

}  // namespace nuvel::platform
