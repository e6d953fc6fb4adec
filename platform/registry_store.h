#pragma once
// The per-user registry, kept in one text file under the user's configuration
// folder (UserConfigFolder() + "nuvel/registry.reg"). Keys nest; key and value
// names compare without regard to ASCII case and keep the case they were made
// with; values are strings (8-bit bytes) or 32-bit integers. The name "" is a
// key's default value.
//
// A RegistryStore reads the file when made and writes it back, atomically,
// on Flush() or when destroyed, if anything changed. Keep one store open only
// for the span of one task, as a registry key would be.
//
// A damaged file reads as an empty registry. The user is warned once, through
// the message sink, and the damaged file is kept beside the new one as
// "registry.reg.damaged" before it is first overwritten; a later damage,
// while that copy is still there, as "registry.reg.damaged.2" and so on.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel::platform {

enum class RegistryRoot { CurrentUser, LocalMachine, Users };

struct RegistryValue {
  enum class Type { String, Integer };
  Type type = Type::String;
  std::string text;
  int32_t number = 0;

  static RegistryValue String(std::string_view s) { return {Type::String, std::string(s), 0}; }
  static RegistryValue Integer(int32_t n) { return {Type::Integer, {}, n}; }
  bool operator==(const RegistryValue&) const = default;
};

class RegistryStore {
 public:
  // The store of the current user (its file under UserConfigFolder()).
  RegistryStore();
  explicit RegistryStore(std::filesystem::path file);
  ~RegistryStore();
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  // The file of the current user's store.
  static std::filesystem::path DefaultFile();

  // The root that paths are taken under; HKEY_CURRENT_USER at first.
  void SetRoot(RegistryRoot root) { root_ = root; }
  RegistryRoot Root() const { return root_; }

  // Paths are key names joined by "\"; leading and trailing "\" are ignored.
  bool KeyExists(std::string_view path) const;
  // Creates the key and every missing key above it. False for an invalid name
  // (empty, or holding a control character).
  bool CreateKey(std::string_view path);
  // Removes the key with all its subkeys and values. False when it is absent.
  bool DeleteKey(std::string_view path);
  // Copies `from` with all its values and subkeys to `to`, then removes `from`
  // when `delete_source`. Nothing happens (false) when `from` is absent, when
  // `to` already exists, or when `to` lies inside `from`.
  bool MoveKey(std::string_view from, std::string_view to, bool delete_source);
  std::vector<std::string> KeyNames(std::string_view path) const;
  std::vector<std::string> ValueNames(std::string_view path) const;

  bool ValueExists(std::string_view path, std::string_view name) const;
  std::optional<RegistryValue> ReadValue(std::string_view path, std::string_view name) const;
  // The value when it is a string value; nullopt otherwise.
  std::optional<std::string> ReadString(std::string_view path, std::string_view name) const;
  // The value when it is an integer value; nullopt otherwise.
  std::optional<int32_t> ReadInteger(std::string_view path, std::string_view name) const;
  // Writing creates the key when absent. False for an invalid key name.
  bool WriteValue(std::string_view path, std::string_view name, const RegistryValue& value);
  bool WriteString(std::string_view path, std::string_view name, std::string_view value);
  bool WriteInteger(std::string_view path, std::string_view name, int32_t value);
  bool DeleteValue(std::string_view path, std::string_view name);

  // Writes the file when something changed. False when the write failed.
  bool Flush();

  // The file's text for the current content (what Flush writes).
  std::string Serialize() const;
  // Replaces the content with the store text `bytes` (as Serialize makes it).
  // False, leaving the store empty, when the text is damaged.
  bool LoadText(std::string_view bytes);

  struct Key;

 private:
  Key* Find(std::string_view path) const;
  Key* Make(std::string_view path);
  void Load();

  std::filesystem::path file_;
  RegistryRoot root_ = RegistryRoot::CurrentUser;
  std::unique_ptr<Key> top_;
  bool dirty_ = false;
  bool damaged_ = false;
};

}  // namespace nuvel::platform
