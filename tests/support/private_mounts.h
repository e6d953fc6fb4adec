#pragma once
// Mounts a test makes stay its own. The first call moves this thread (and
// the programs it starts) into a mount namespace of its own whose mounts do
// not reach the machine's, so a test that mounts as the superuser leaves no
// mount behind, even when it dies. False when that cannot be arranged (not
// the superuser, or no right to make a namespace); the test then skips.
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace nuvel::test {

inline bool PrivateMounts() {
  static const bool made = [] {
    if (::geteuid() != 0 || ::unshare(CLONE_NEWNS) != 0) return false;
    // The copied mounts would still share what is mounted under them.
    return ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
  }();
  return made;
}

}  // namespace nuvel::test
