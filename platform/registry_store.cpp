#include "platform/registry_store.h"

#include <charconv>
#include <set>
#include <system_error>
#include <tuple>

#include "platform/ascii_case.h"
#include "platform/atomic_file.h"
#include "platform/message_sink.h"
#include "platform/program_path.h"

namespace nuvel::platform {

struct RegistryStore::Key {
  std::string name;
  std::vector<std::unique_ptr<Key>> subkeys;
  std::vector<std::pair<std::string, RegistryValue>> values;

  Key* Sub(std::string_view n) const {
    for (const auto& k : subkeys) {
      if (EqualsNoCase(k->name, n)) return k.get();
    }
    return nullptr;
  }
  std::pair<std::string, RegistryValue>* Value(std::string_view n) {
    for (auto& v : values) {
      if (EqualsNoCase(v.first, n)) return &v;
    }
    return nullptr;
  }
  std::unique_ptr<Key> Clone() const {
    auto copy = std::make_unique<Key>();
    copy->name = name;
    copy->values = values;
    for (const auto& k : subkeys) copy->subkeys.push_back(k->Clone());
    return copy;
  }
};

namespace {

constexpr std::string_view kRootNames[] = {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS"};

std::string_view RootName(RegistryRoot root) { return kRootNames[static_cast<int>(root)]; }

// The key names of a path; empty parts (doubled or outer "\") are dropped.
std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> parts;
  while (!path.empty()) {
    size_t sep = path.find('\\');
    std::string_view part = path.substr(0, sep);
    if (!part.empty()) parts.push_back(part);
    if (sep == std::string_view::npos) break;
    path.remove_prefix(sep + 1);
  }
  return parts;
}

bool ValidKeyName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    if (static_cast<uint8_t>(c) < 0x20 || c == 0x7F) return false;
  }
  return true;
}

void AppendQuoted(std::string& out, std::string_view s) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '"';
  for (char ch : s) {
    auto c = static_cast<uint8_t>(ch);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += ch;
    } else if (c < 0x20 || c == 0x7F) {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += ch;
    }
  }
  out += '"';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads a quoted, escaped string at the start of `s`; advances `s` past it.
bool ParseQuoted(std::string_view& s, std::string& out) {
  if (s.empty() || s.front() != '"') return false;
  s.remove_prefix(1);
  out.clear();
  while (!s.empty()) {
    char c = s.front();
    s.remove_prefix(1);
    if (c == '"') return true;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (s.empty()) return false;
    char e = s.front();
    s.remove_prefix(1);
    if (e == '\\' || e == '"') {
      out += e;
    } else if (e == 'x' && s.size() >= 2 && HexDigit(s[0]) >= 0 && HexDigit(s[1]) >= 0) {
      out += static_cast<char>(HexDigit(s[0]) * 16 + HexDigit(s[1]));
      s.remove_prefix(2);
    } else {
      return false;
    }
  }
  return false;
}

void SerializeKey(std::string& out, const RegistryStore::Key& key, const std::string& path) {
  // A key with subkeys and no values is implied by its subkeys' headers.
  if (!key.values.empty() || key.subkeys.empty()) out += "\n[" + path + "]\n";
  for (const auto& [name, value] : key.values) {
    if (name.empty()) {
      out += '@';
    } else {
      AppendQuoted(out, name);
    }
    out += '=';
    if (value.type == RegistryValue::Type::String) {
      AppendQuoted(out, value.text);
    } else {
      char hex[9] = {};
      auto bits = static_cast<uint32_t>(value.number);
      for (int i = 7; i >= 0; --i, bits >>= 4) hex[i] = "0123456789abcdef"[bits & 15];
      out += "dword:";
      out += hex;
    }
    out += '\n';
  }
  for (const auto& sub : key.subkeys) SerializeKey(out, *sub, path + "\\" + sub->name);
}

// Files already reported as damaged, so each damage is reported once.
std::set<std::tuple<std::string, uintmax_t, long long>>& ReportedDamage() {
  static std::set<std::tuple<std::string, uintmax_t, long long>> reported;
  return reported;
}

// The name a damaged file is kept under: "<file>.damaged", or, when an
// earlier damage is kept there already, the first free "<file>.damaged.N"
// from 2 on, so that no damaged copy replaces another.
std::filesystem::path DamagedCopyName(const std::filesystem::path& file) {
  auto taken = [](const std::filesystem::path& name) {
    std::error_code ec;
    const auto type = std::filesystem::symlink_status(name, ec).type();
    return type != std::filesystem::file_type::not_found && type != std::filesystem::file_type::none;
  };
  std::filesystem::path kept = file;
  kept += ".damaged";
  for (int n = 2; taken(kept); ++n) {
    kept = file;
    kept += ".damaged." + std::to_string(n);
  }
  return kept;
}

void ReportDamage(const std::filesystem::path& file) {
  std::error_code ec;
  uintmax_t size = std::filesystem::file_size(file, ec);
  long long stamp = static_cast<long long>(std::filesystem::last_write_time(file, ec).time_since_epoch().count());
  if (!ReportedDamage().emplace(file.string(), size, stamp).second) return;
  MessageRequest request;
  request.type = MsgDlgType::Warning;
  request.text = "The settings store " + file.string() +
                 " is damaged and was read as empty. It will be kept as " + DamagedCopyName(file).string() + ".";
  ShowMessageRequest(request);
}

}  // namespace

RegistryStore::RegistryStore() : RegistryStore(DefaultFile()) {}

RegistryStore::RegistryStore(std::filesystem::path file) : file_(std::move(file)) { Load(); }

RegistryStore::~RegistryStore() { Flush(); }

std::filesystem::path RegistryStore::DefaultFile() {
  return std::filesystem::path(UserConfigFolder()) / "nuvel" / "registry.reg";
}

namespace {

std::unique_ptr<RegistryStore::Key> EmptyTree() {
  auto top = std::make_unique<RegistryStore::Key>();
  for (std::string_view root : kRootNames) {
    auto k = std::make_unique<RegistryStore::Key>();
    k->name = root;
    top->subkeys.push_back(std::move(k));
  }
  return top;
}

}  // namespace

void RegistryStore::Load() {
  top_ = EmptyTree();
  std::string bytes;
  if (!ReadFileBytes(file_, bytes)) return;
  if (!LoadText(bytes)) {
    damaged_ = true;
    ReportDamage(file_);
  }
}

bool RegistryStore::LoadText(std::string_view bytes) {
  top_ = EmptyTree();
  bool ok = true;
  Key* current = nullptr;
  std::string_view rest = bytes;
  while (ok && !rest.empty()) {
    size_t lf = rest.find('\n');
    std::string_view line = rest.substr(0, lf);
    rest.remove_prefix(lf == std::string_view::npos ? rest.size() : lf + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == ';') continue;

    if (line.front() == '[') {
      if (line.back() != ']') {
        ok = false;
        break;
      }
      auto parts = SplitPath(line.substr(1, line.size() - 2));
      if (parts.empty()) {
        ok = false;
        break;
      }
      current = top_->Sub(parts.front());
      for (size_t i = 1; current && i < parts.size(); ++i) {
        if (!ValidKeyName(parts[i])) {
          current = nullptr;
          break;
        }
        Key* next = current->Sub(parts[i]);
        if (!next) {
          auto k = std::make_unique<Key>();
          k->name = parts[i];
          next = k.get();
          current->subkeys.push_back(std::move(k));
        }
        current = next;
      }
      ok = current != nullptr;
      continue;
    }

    if (!current) {
      ok = false;
      break;
    }
    std::string name;
    if (line.front() == '@') {
      line.remove_prefix(1);
    } else if (!ParseQuoted(line, name)) {
      ok = false;
      break;
    }
    if (line.empty() || line.front() != '=') {
      ok = false;
      break;
    }
    line.remove_prefix(1);
    RegistryValue value;
    if (line.substr(0, 6) == "dword:") {
      line.remove_prefix(6);
      uint32_t bits = 0;
      auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), bits, 16);
      if (ec != std::errc() || end != line.data() + line.size() || line.size() != 8) {
        ok = false;
        break;
      }
      value = RegistryValue::Integer(static_cast<int32_t>(bits));
    } else {
      std::string text;
      if (!ParseQuoted(line, text) || !line.empty()) {
        ok = false;
        break;
      }
      value = RegistryValue::String(text);
    }
    if (auto* existing = current->Value(name)) {
      existing->second = std::move(value);
    } else {
      current->values.emplace_back(std::move(name), std::move(value));
    }
  }

  if (!ok) top_ = EmptyTree();
  return ok;
}

std::string RegistryStore::Serialize() const {
  std::string out = "; Nuvel Text Editor settings store\n";
  for (const auto& root : top_->subkeys) {
    if (root->subkeys.empty() && root->values.empty()) continue;
    SerializeKey(out, *root, root->name);
  }
  return out;
}

bool RegistryStore::Flush() {
  if (!dirty_) return true;
  std::error_code ec;
  if (damaged_) {
    std::filesystem::rename(file_, DamagedCopyName(file_), ec);
    damaged_ = false;
  }
  if (!WriteFileAtomically(file_, Serialize())) return false;
  dirty_ = false;
  return true;
}

RegistryStore::Key* RegistryStore::Find(std::string_view path) const {
  Key* k = top_->Sub(RootName(root_));
  for (std::string_view part : SplitPath(path)) {
    k = k->Sub(part);
    if (!k) return nullptr;
  }
  return k;
}

RegistryStore::Key* RegistryStore::Make(std::string_view path) {
  Key* k = top_->Sub(RootName(root_));
  auto parts = SplitPath(path);
  for (std::string_view part : parts) {
    if (!ValidKeyName(part)) return nullptr;
  }
  for (std::string_view part : parts) {
    Key* next = k->Sub(part);
    if (!next) {
      auto made = std::make_unique<Key>();
      made->name = part;
      next = made.get();
      k->subkeys.push_back(std::move(made));
      dirty_ = true;
    }
    k = next;
  }
  return k;
}

bool RegistryStore::KeyExists(std::string_view path) const { return Find(path) != nullptr; }

bool RegistryStore::CreateKey(std::string_view path) { return !SplitPath(path).empty() && Make(path) != nullptr; }

bool RegistryStore::DeleteKey(std::string_view path) {
  auto parts = SplitPath(path);
  if (parts.empty()) return false;
  std::string parent_path;
  for (size_t i = 0; i + 1 < parts.size(); ++i) parent_path += std::string(parts[i]) + "\\";
  Key* parent = Find(parent_path);
  if (!parent) return false;
  auto& subs = parent->subkeys;
  for (auto it = subs.begin(); it != subs.end(); ++it) {
    if (EqualsNoCase((*it)->name, parts.back())) {
      subs.erase(it);
      dirty_ = true;
      return true;
    }
  }
  return false;
}

bool RegistryStore::MoveKey(std::string_view from, std::string_view to, bool delete_source) {
  auto src_parts = SplitPath(from);
  auto dst_parts = SplitPath(to);
  if (src_parts.empty() || dst_parts.empty()) return false;
  if (dst_parts.size() >= src_parts.size()) {
    bool inside = true;
    for (size_t i = 0; i < src_parts.size(); ++i) inside = inside && EqualsNoCase(src_parts[i], dst_parts[i]);
    if (inside) return false;
  }
  Key* src = Find(from);
  if (!src || Find(to)) return false;
  auto copy = src->Clone();
  Key* dst = Make(to);
  if (!dst) return false;
  copy->name = dst->name;
  *dst = std::move(*copy);
  dirty_ = true;
  if (delete_source) DeleteKey(from);
  return true;
}

std::vector<std::string> RegistryStore::KeyNames(std::string_view path) const {
  std::vector<std::string> names;
  if (Key* k = Find(path)) {
    for (const auto& sub : k->subkeys) names.push_back(sub->name);
  }
  return names;
}

std::vector<std::string> RegistryStore::ValueNames(std::string_view path) const {
  std::vector<std::string> names;
  if (Key* k = Find(path)) {
    for (const auto& v : k->values) names.push_back(v.first);
  }
  return names;
}

bool RegistryStore::ValueExists(std::string_view path, std::string_view name) const {
  return ReadValue(path, name).has_value();
}

std::optional<RegistryValue> RegistryStore::ReadValue(std::string_view path, std::string_view name) const {
  Key* k = Find(path);
  if (!k) return std::nullopt;
  auto* v = k->Value(name);
  if (!v) return std::nullopt;
  return v->second;
}

std::optional<std::string> RegistryStore::ReadString(std::string_view path, std::string_view name) const {
  auto v = ReadValue(path, name);
  if (!v || v->type != RegistryValue::Type::String) return std::nullopt;
  return v->text;
}

std::optional<int32_t> RegistryStore::ReadInteger(std::string_view path, std::string_view name) const {
  auto v = ReadValue(path, name);
  if (!v || v->type != RegistryValue::Type::Integer) return std::nullopt;
  return v->number;
}

bool RegistryStore::WriteValue(std::string_view path, std::string_view name, const RegistryValue& value) {
  Key* k = Make(path);
  if (!k) return false;
  if (auto* v = k->Value(name)) {
    if (v->second == value) return true;
    v->second = value;
  } else {
    k->values.emplace_back(std::string(name), value);
  }
  dirty_ = true;
  return true;
}

bool RegistryStore::WriteString(std::string_view path, std::string_view name, std::string_view value) {
  return WriteValue(path, name, RegistryValue::String(value));
}

bool RegistryStore::WriteInteger(std::string_view path, std::string_view name, int32_t value) {
  return WriteValue(path, name, RegistryValue::Integer(value));
}

bool RegistryStore::DeleteValue(std::string_view path, std::string_view name) {
  Key* k = Find(path);
  if (!k) return false;
  for (auto it = k->values.begin(); it != k->values.end(); ++it) {
    if (EqualsNoCase(it->first, name)) {
      k->values.erase(it);
      dirty_ = true;
      return true;
    }
  }
  return false;
}

}  // namespace nuvel::platform
