#pragma once
// A named pipe that no program writes to, for calls that must refuse it at
// once instead of waiting for a writer. EndsWithinASecond runs such a call
// on a thread of its own; a call still waiting after a second is let go (a
// writer opens the pipe and closes it, which ends a reader's wait) and
// counts as too slow, so a faulty call fails its test instead of hanging it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <exception>
#include <filesystem>
#include <future>
#include <thread>

namespace nuvel::test {

class NamedPipe {
 public:
  explicit NamedPipe(std::filesystem::path path) : path_(std::move(path)) {
    made_ = ::mkfifo(path_.c_str(), 0600) == 0;
  }
  ~NamedPipe() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
  }
  NamedPipe(const NamedPipe&) = delete;
  NamedPipe& operator=(const NamedPipe&) = delete;

  bool Made() const { return made_; }
  const std::filesystem::path& Path() const { return path_; }
  std::string Name() const { return path_.string(); }

  // Runs `call`; true when it ended within a second. What it throws is
  // thrown again here once it has ended.
  template <class Call>
  bool EndsWithinASecond(Call call) const {
    std::exception_ptr thrown;
    std::promise<void> done;
    std::future<void> ended = done.get_future();
    std::thread worker([&] {
      try {
        call();
      } catch (...) {
        thrown = std::current_exception();
      }
      done.set_value();
    });
    const bool quick = ended.wait_for(std::chrono::seconds(1)) == std::future_status::ready;
    while (ended.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
      const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) ::close(fd);
    }
    worker.join();
    if (thrown) std::rethrow_exception(thrown);
    return quick;
  }

 private:
  std::filesystem::path path_;
  bool made_ = false;
};

}  // namespace nuvel::test
