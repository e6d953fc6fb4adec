#pragma once
// Builds Palm database bytes by hand for tests, straight from the documented
// layout, independent of the writer under test.
#include <cstdint>
#include <string>
#include <vector>

namespace nuvel::test {

struct PalmRecordBytes {
  std::vector<uint8_t> data;
  uint8_t attributes = 0;
  uint32_t unique_id = 0;
};

inline void AppendBig(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline std::vector<uint8_t> BuildPalmFile(const std::string& name, const std::string& type_creator,
                                          const std::vector<PalmRecordBytes>& records,
                                          uint16_t attributes = 0, uint32_t gap = 0) {
  std::vector<uint8_t> b(32, 0);
  std::copy(name.begin(), name.begin() + std::min<std::size_t>(name.size(), 32), b.begin());
  AppendBig(b, attributes, 2);
  AppendBig(b, 0, 2);          // version
  for (int i = 0; i < 3; ++i) AppendBig(b, 0, 4);  // dates
  for (int i = 0; i < 3; ++i) AppendBig(b, 0, 4);  // mod number, app info, sort info
  b.insert(b.end(), type_creator.begin(), type_creator.end());
  AppendBig(b, 0, 4);
  AppendBig(b, 0, 4);
  AppendBig(b, static_cast<uint32_t>(records.size()), 2);
  uint32_t offset = static_cast<uint32_t>(78 + 8 * records.size() + gap);
  for (const auto& r : records) {
    AppendBig(b, offset, 4);
    b.push_back(r.attributes);
    AppendBig(b, r.unique_id, 3);
    offset += static_cast<uint32_t>(r.data.size());
  }
  b.insert(b.end(), gap, 0);
  for (const auto& r : records) b.insert(b.end(), r.data.begin(), r.data.end());
  return b;
}

inline std::string AsString(const std::vector<uint8_t>& b) { return std::string(b.begin(), b.end()); }
inline std::vector<uint8_t> AsBytes(std::string_view s) { return std::vector<uint8_t>(s.begin(), s.end()); }

}  // namespace nuvel::test
