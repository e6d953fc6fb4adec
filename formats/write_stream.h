#pragma once
// An output stream of bytes that may accept fewer bytes than it is given, as
// a file on a full disk does.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace nuvel {

class TByteStream {
 public:
  virtual ~TByteStream() = default;
  // Writes what it can of `bytes`; returns how many it accepted.
  virtual std::size_t Write(std::span<const uint8_t> bytes) = 0;
};

// Collects everything written to it.
class TMemoryByteStream : public TByteStream {
 public:
  std::size_t Write(std::span<const uint8_t> bytes) override {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return bytes.size();
  }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::vector<uint8_t>& Bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace nuvel
