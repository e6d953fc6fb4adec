#include "core/state_store.h"

#include <charconv>
#include <filesystem>

#include "platform/program_path.h"

namespace nuvel {

void TNvcAbstractStore::Open() {
  if (openCount_++ == 0) DoOpen();
}

void TNvcAbstractStore::Close() {
  if (openCount_ == 0) return;
  if (--openCount_ == 0) DoClose();
}

void TNvcAbstractStore::EraseSection(std::string_view) {}

int TNvcAbstractStore::ReadInteger(std::string_view section, std::string_view ident, int def) {
  const std::string text = ReadString(section, ident, std::to_string(def));
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return def;
  return value;
}

void TNvcAbstractStore::WriteInteger(std::string_view section, std::string_view ident,
                                     int value) {
  WriteString(section, ident, std::to_string(value));
}

void TNvcRegistryStore::SetKeyName(std::string_view name) {
  while (!name.empty() && name.front() == '\\') name.remove_prefix(1);
  while (!name.empty() && name.back() == '\\') name.remove_suffix(1);
  keyName_ = std::string(name);
}

std::string TNvcRegistryStore::EffectiveKeyName() const {
  if (!keyName_.empty()) return keyName_;
  return "Software\\" + std::filesystem::path(platform::ProgramFile()).stem().string();
}

std::string TNvcRegistryStore::SectionKey(std::string_view section) const {
  return EffectiveKeyName() + "\\" + std::string(section);
}

void TNvcRegistryStore::DoOpen() {
  registry_ = std::make_unique<platform::RegistryStore>();
  registry_->SetRoot(root_ == Root::rrLocalMachine ? platform::RegistryRoot::LocalMachine
                                                   : platform::RegistryRoot::CurrentUser);
  registry_->CreateKey(EffectiveKeyName());
}

void TNvcRegistryStore::DoClose() {
  if (registry_) registry_->Flush();
  registry_.reset();
}

platform::RegistryStore& TNvcRegistryStore::Registry() {
  if (!registry_) {
    DoOpen();
    transient_ = true;
  }
  return *registry_;
}

void TNvcRegistryStore::Release() {
  if (!transient_) return;
  transient_ = false;
  DoClose();
}

std::string TNvcRegistryStore::ReadString(std::string_view section, std::string_view ident,
                                          std::string_view def) {
  auto value = Registry().ReadString(SectionKey(section), ident);
  Release();
  return value ? *value : std::string(def);
}

void TNvcRegistryStore::WriteString(std::string_view section, std::string_view ident,
                                    std::string_view value) {
  Registry().WriteString(SectionKey(section), ident, value);
  Release();
}

void TNvcRegistryStore::EraseSection(std::string_view section) {
  Registry().DeleteKey(SectionKey(section));
  Release();
}

}  // namespace nuvel
