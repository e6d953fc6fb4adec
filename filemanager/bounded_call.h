#pragma once
// Runs a call that may hang (a folder on a network share whose server is
// gone) on a thread of its own and waits for it at most so long. When the
// time runs out the caller goes on with nothing and the thread is left to
// finish by itself; its result is then dropped.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace nuvel {

template <class T>
std::optional<T> CallWithin(std::function<T()> call, std::chrono::milliseconds limit) {
  struct Shared {
    std::mutex m;
    std::condition_variable done;
    std::optional<T> result;
  };
  auto shared = std::make_shared<Shared>();
  std::thread([shared, call = std::move(call)] {
    T value = call();
    std::lock_guard lock(shared->m);
    shared->result = std::move(value);
    shared->done.notify_all();
  }).detach();
  std::unique_lock lock(shared->m);
  shared->done.wait_for(lock, limit, [&] { return shared->result.has_value(); });
  return std::move(shared->result);
}

}  // namespace nuvel
