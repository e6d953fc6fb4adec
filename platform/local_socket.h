#pragma once
// Local stream sockets between copies of the program on one machine, by
// name: a name holding a '/' is a path in the file system, any other lives
// in the system's abstract socket space (no file, gone with its listener).
// Plain system calls, so that a copy that only asks whether another one runs
// loads nothing more for it.
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace nuvel::platform {

// The longest name a socket can have (a path less its final zero).
inline constexpr std::size_t kLocalSocketNameLimit = 107;

// An open socket's descriptor, closed with the object.
class LocalSocket {
 public:
  LocalSocket() = default;
  explicit LocalSocket(int fd) : fd_(fd) {}
  ~LocalSocket() { Close(); }
  LocalSocket(LocalSocket&& other) noexcept : fd_(other.Release()) {}
  LocalSocket& operator=(LocalSocket&& other) noexcept;
  LocalSocket(const LocalSocket&) = delete;
  LocalSocket& operator=(const LocalSocket&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  int Fd() const { return fd_; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  void Close();

 private:
  int fd_ = -1;
};

using LocalDeadline = std::chrono::steady_clock::time_point;

// Listens on `name`, taking connections without waiting (accept with
// AcceptLocal when the socket is readable). A file left at the path by a
// listener that ended is replaced: the caller makes sure no other copy
// listens there. With `userOnly` the file is the user's alone. Not open
// when the system refuses.
LocalSocket ListenLocal(const std::string& name, bool userOnly);
// The next connection waiting on a listening socket, not blocking; not
// open when none waits.
LocalSocket AcceptLocal(const LocalSocket& listener);
// Connects to `name`; not open when nothing listens there (or the listener
// does not take the connection in time).
LocalSocket ConnectLocal(const std::string& name, LocalDeadline deadline);

// Writes all of `bytes` by the deadline.
bool WriteLocal(const LocalSocket& socket, std::string_view bytes, LocalDeadline deadline);
// Reads into `buffer` until it holds a line end, the other side closes, or
// the deadline passes; true when a line end came.
bool ReadLocalLine(const LocalSocket& socket, std::string& buffer, LocalDeadline deadline);
// What can be read now without waiting, added to `buffer`; false once the
// other side has closed (or the socket failed).
bool ReadLocalAvailable(const LocalSocket& socket, std::string& buffer);

}  // namespace nuvel::platform
