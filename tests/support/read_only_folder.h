#pragma once
// Makes a folder read-only for this process while it lives: by its
// permissions for an ordinary user, by a read-only bind mount of the folder
// over itself for the superuser (whom permissions do not stop), in a mount
// namespace of the test's own. Made() is
// false when neither could be arranged; the test is then skipped.
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>

#include "tests/support/private_mounts.h"

namespace nuvel::test {

class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
    namespace fs = std::filesystem;
    if (::geteuid() != 0) {
      std::error_code ec;
      old_ = fs::status(folder_, ec).permissions();
      fs::permissions(folder_, fs::perms(0555), fs::perm_options::replace, ec);
      made_ = !ec;
      return;
    }
    const char* at = folder_.c_str();
    if (!PrivateMounts() || ::mount(at, at, nullptr, MS_BIND, nullptr) != 0) return;
    mounted_ = true;
    made_ = ::mount(nullptr, at, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
  }
  ~ReadOnlyFolder() {
    if (mounted_) {
      ::umount2(folder_.c_str(), MNT_DETACH);
    } else if (made_) {
      std::error_code ec;
      std::filesystem::permissions(folder_, old_, std::filesystem::perm_options::replace, ec);
    }
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  bool Made() const { return made_; }

 private:
  std::filesystem::path folder_;
  std::filesystem::perms old_ = std::filesystem::perms::owner_all;
  bool made_ = false;
  bool mounted_ = false;
};

}  // namespace nuvel::test
