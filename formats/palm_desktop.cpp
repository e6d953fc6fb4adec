#include "formats/palm_desktop.h"

#include <filesystem>
#include <string>

#include "platform/atomic_file.h"
#include "platform/registry_store.h"

namespace nuvel {

namespace {

constexpr std::size_t kLastUserNameMax = 31;

std::string Key(const std::string& root, const char* sub) { return root + "\\Pilot Desktop" + sub; }

std::string RootIn(const platform::RegistryStore& store) {
  if (store.KeyExists(kPalmRootRobotics)) return kPalmRootRobotics;
  if (store.KeyExists(kPalmRootPalm)) return kPalmRootPalm;
  return {};
}

// The file's bytes; none when it is missing, no regular file or unreadable.
std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
  // Only a regular file is read: a named pipe is refused without waiting for a writer.
  std::string bytes;
  if (!platform::ReadFileBytes(path, bytes)) return {};
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

// A user's folder names one folder inside the desktop's folder.
bool PlainFolderName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

}  // namespace

std::string PalmDesktopRoot() {
  platform::RegistryStore store;
  return RootIn(store);
}

TUserData::TUserData() {
  platform::RegistryStore store;
  root_ = RootIn(store);
  if (root_.empty()) throw EPalmDesktopError();
  lastUserName_ = store.ReadString(Key(root_, "\\Preferences"), "LastUserName").value_or("");
  lastUserName_.resize(std::min(lastUserName_.size(), kLastUserNameMax));
  desktopPath_ = store.ReadString(Key(root_, "\\Core"), "Path").value_or("");
  if (desktopPath_.empty()) return;
  users_ = ParsePalmUsersFile(ReadAll(std::filesystem::path(desktopPath_) / "users.dat"));
  for (std::size_t i = 0; i < users_.size(); ++i) {
    if (users_[i].Name == lastUserName_) {
      lastUserIndex_ = static_cast<int>(i);
      break;
    }
  }
}

uint16_t TUserData::UserID(int I) const { return I >= 0 && I < Count() ? users_[static_cast<std::size_t>(I)].ID : 0; }

std::string TUserData::UserName(int I) const {
  return I >= 0 && I < Count() ? users_[static_cast<std::size_t>(I)].Name : std::string();
}

std::string TUserData::UserFolder(int I) const {
  return I >= 0 && I < Count() ? users_[static_cast<std::size_t>(I)].Folder : std::string();
}

std::string TUserData::InstallFolder(int I) const {
  const std::string folder = UserFolder(I);
  if (!PlainFolderName(folder) || desktopPath_.empty()) return {};
  return (std::filesystem::path(desktopPath_) / folder / "Install").string();
}

bool TUserData::InstallFile(int I, const std::string& FileName) const {
  const std::string folder = InstallFolder(I);
  if (folder.empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return false;
  const std::filesystem::path source(FileName);
  if (!std::filesystem::is_regular_file(source, ec)) return false;
  std::filesystem::copy_file(source, std::filesystem::path(folder) / source.filename(),
                             std::filesystem::copy_options::overwrite_existing, ec);
  if (ec) return false;
  platform::RegistryStore store;
  const std::string root = RootIn(store);
  if (root.empty()) throw EPalmDesktopError();
  if (!store.WriteInteger(Key(root, "\\HotSync Manager"), "Install" + std::to_string(UserID(I)), 1)) return false;
  return store.Flush();
}

void IntegrateWithDesktop(const std::string& module) {
  platform::RegistryStore store;
  const std::string root = RootIn(store);
  if (root.empty()) throw EPalmDesktopError();
  const std::string key = Key(root, "\\") + kPalmAddOnKey;
  store.WriteString(key, "Arguments", "-Desktop");
  store.WriteInteger(key, "Creator", 1911691836);
  store.WriteInteger(key, "Integrate", 1);
  store.WriteString(key, "Name", "Nuvel");
  store.WriteString(key, "Module", module);
  store.Flush();
}

void RemoveFromDesktop() {
  platform::RegistryStore store;
  const std::string root = RootIn(store);
  if (root.empty()) throw EPalmDesktopError();
  store.DeleteKey(Key(root, "\\") + kPalmAddOnKey);
  store.Flush();
}

std::string PalmDesktopFolder() {
  platform::RegistryStore store;
  const std::string root = RootIn(store);
  if (root.empty()) return {};
  return store.ReadString(Key(root, "\\Core"), "Path").value_or("");
}

bool SetPalmDesktopFolder(const std::string& folder) {
  platform::RegistryStore store;
  std::string root = RootIn(store);
  if (root.empty()) root = kPalmRootPalm;
  if (!store.WriteString(Key(root, "\\Core"), "Path", folder)) return false;
  return store.Flush();
}

}  // namespace nuvel
