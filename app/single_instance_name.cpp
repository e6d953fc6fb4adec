#include "app/single_instance_name.h"


#include "app/file_name_parts.h"

namespace nuvel {
namespace {

// FNV-1a over each field and a separator, so that ("ab","c") and ("a","bc") differ.
class Hash64 {
 public:
  void Add(std::string_view bytes) {
    for (char c : bytes) Byte(static_cast<uint8_t>(c));
    Byte(0);
    Byte(0xFF);
  }
  uint64_t Value() const { return h_; }

 private:
  void Byte(uint8_t b) {
    h_ ^= b;
    h_ *= 0x100000001B3ull;
  }
  uint64_t h_ = 0xCBF29CE484222325ull;
};

std::string Readable(std::string_view text, size_t limit) {
  std::string out(text.substr(0, limit));
  for (char& c : out) {
    const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                      c == '_' || c == '-';
    if (!keep) c = '_';
  }
  return out;
}

}  // namespace

std::string SingleInstanceKey(const SingleInstanceScope& scope) {
  Hash64 hash;
  hash.Add(scope.programFile);
  hash.Add(scope.settingsFolder);
  hash.Add(scope.display);
  hash.Add(scope.user);
  hash.Add(std::to_string(scope.uid));
  static constexpr char kHex[] = "0123456789abcdef";
  std::string digits(16, '0');
  uint64_t v = hash.Value();
  for (int i = 15; i >= 0; --i, v >>= 4) digits[static_cast<size_t>(i)] = kHex[v & 0xF];
  return Readable(NameWithoutFolder(scope.programFile), 12) + "-" + Readable(scope.user, 12) + "-" + digits;
}

}  // namespace nuvel
