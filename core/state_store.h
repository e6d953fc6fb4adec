#pragma once
// Stores that keep sections of string values for the state components: the
// abstract store with its counted Open/Close, and the store on the registry.
#include <memory>
#include <string>
#include <string_view>

#include "platform/registry_store.h"

namespace nuvel {

class TNvcAbstractStore {
 public:
  virtual ~TNvcAbstractStore() = default;

  // Counted: the first Open opens the store, the Close that brings the count
  // back to 0 closes it.
  void Open();
  void Close();
  int OpenCount() const { return openCount_; }

  virtual std::string ReadString(std::string_view section, std::string_view ident,
                                 std::string_view def) = 0;
  virtual void WriteString(std::string_view section, std::string_view ident,
                           std::string_view value) = 0;
  // Removes a section with its values; nothing in the base.
  virtual void EraseSection(std::string_view section);

  // The value as a decimal number; `def` when absent or not a number.
  int ReadInteger(std::string_view section, std::string_view ident, int def);
  void WriteInteger(std::string_view section, std::string_view ident, int value);

 protected:
  virtual void DoOpen() {}
  virtual void DoClose() {}

 private:
  int openCount_ = 0;
};

// Keeps each section as a subkey of KeyName in the per-user registry, each
// ident as a string value in it.
class TNvcRegistryStore : public TNvcAbstractStore {
 public:
  enum class Root { rrCurrentUser, rrLocalMachine };

  const std::string& KeyName() const { return keyName_; }
  // Every leading and trailing "\" is removed.
  void SetKeyName(std::string_view name);
  Root RegistryRoot() const { return root_; }
  void SetRegistryRoot(Root root) { root_ = root; }

  // KeyName, or when it is empty "Software\" + the program file's name
  // without folder and extension.
  std::string EffectiveKeyName() const;

  std::string ReadString(std::string_view section, std::string_view ident,
                         std::string_view def) override;
  void WriteString(std::string_view section, std::string_view ident,
                   std::string_view value) override;
  void EraseSection(std::string_view section) override;

 protected:
  void DoOpen() override;
  void DoClose() override;

 private:
  std::string SectionKey(std::string_view section) const;
  // The open registry; opened for the call alone when the store is closed.
  platform::RegistryStore& Registry();
  void Release();

  std::string keyName_;
  Root root_ = Root::rrCurrentUser;
  std::unique_ptr<platform::RegistryStore> registry_;
  bool transient_ = false;
};

}  // namespace nuvel
