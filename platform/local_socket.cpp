#include "platform/local_socket.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>

namespace nuvel::platform {
namespace {

bool IsPath(const std::string& name) { return name.find('/') != std::string::npos; }

// The address of `name`; false when it is too long for one.
bool AddressOf(const std::string& name, sockaddr_un& address, socklen_t& length) {
  if (name.empty() || name.size() > kLocalSocketNameLimit) return false;
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  // An abstract name starts with a zero byte; its length tells where it ends.
  std::memcpy(address.sun_path + (IsPath(name) ? 0 : 1), name.data(), name.size());
  length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size() + 1);
  return true;
}

// A new socket, not blocking, and the address of `name`; not open when the
// name is too long or the system refuses.
LocalSocket SocketFor(const std::string& name, sockaddr_un& address, socklen_t& length) {
  if (!AddressOf(name, address, length)) return {};
  return LocalSocket(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
}

// Milliseconds left until the deadline, for poll: 0 once it has passed.
int MillisecondsLeft(LocalDeadline deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return static_cast<int>(std::clamp<long long>(left.count(), 0, 1 << 30));
}

// Waits for `events` on the socket until the deadline; false when it passed.
bool Await(int fd, short events, LocalDeadline deadline) {
  for (;;) {
    pollfd p{fd, events, 0};
    const int n = ::poll(&p, 1, MillisecondsLeft(deadline));
    if (n > 0) return true;
    if (n == 0) return false;
    if (errno != EINTR) return false;
  }
}

}  // namespace

LocalSocket& LocalSocket::operator=(LocalSocket&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.Release();
  }
  return *this;
}

void LocalSocket::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

LocalSocket ListenLocal(const std::string& name, bool userOnly) {
  sockaddr_un address{};
  socklen_t length = 0;
  LocalSocket socket = SocketFor(name, address, length);
  if (!socket.IsOpen()) return {};
  if (IsPath(name)) ::unlink(name.c_str());
  if (::bind(socket.Fd(), reinterpret_cast<const sockaddr*>(&address), length) != 0) return {};
  // Before listening no one can connect, so the file is the user's alone
  // before anyone can use it.
  if (userOnly && IsPath(name) && ::chmod(name.c_str(), S_IRUSR | S_IWUSR) != 0) return {};
  if (::listen(socket.Fd(), 16) != 0) return {};
  return socket;
}

LocalSocket AcceptLocal(const LocalSocket& listener) {
  for (;;) {
    const int fd = ::accept4(listener.Fd(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd >= 0 || errno != EINTR) return LocalSocket(fd);
  }
}

LocalSocket ConnectLocal(const std::string& name, LocalDeadline deadline) {
  sockaddr_un address{};
  socklen_t length = 0;
  LocalSocket socket = SocketFor(name, address, length);
  if (!socket.IsOpen()) return {};
  for (;;) {
    if (::connect(socket.Fd(), reinterpret_cast<const sockaddr*>(&address), length) == 0) return socket;
    if (errno == EINTR) continue;
    if (errno == EINPROGRESS) {
      int error = 0;
      socklen_t size = sizeof error;
      if (Await(socket.Fd(), POLLOUT, deadline) && ::getsockopt(socket.Fd(), SOL_SOCKET, SO_ERROR, &error, &size) == 0 &&
          error == 0) {
        return socket;
      }
      return {};
    }
    // A listener whose queue is full: asked again until the deadline.
    if (errno != EAGAIN || MillisecondsLeft(deadline) == 0) return {};
    ::usleep(10000);
  }
}

bool WriteLocal(const LocalSocket& socket, std::string_view bytes, LocalDeadline deadline) {
  while (!bytes.empty()) {
    const ssize_t n = ::send(socket.Fd(), bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!Await(socket.Fd(), POLLOUT, deadline)) return false;
    } else {
      return false;
    }
  }
  return true;
}

bool ReadLocalAvailable(const LocalSocket& socket, std::string& buffer) {
  char chunk[4096];
  for (;;) {
    const ssize_t n = ::recv(socket.Fd(), chunk, sizeof chunk, 0);
    if (n > 0) {
      buffer.append(chunk, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
  }
}

bool ReadLocalLine(const LocalSocket& socket, std::string& buffer, LocalDeadline deadline) {
  for (;;) {
    const bool open = ReadLocalAvailable(socket, buffer);
    if (buffer.find('\n') != std::string::npos) return true;
    if (!open || !Await(socket.Fd(), POLLIN, deadline)) return false;
  }
}

}  // namespace nuvel::platform
