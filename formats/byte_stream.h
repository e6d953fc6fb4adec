#pragma once
// Buffered byte sources and sinks for the streaming coders. The fast path
// (one byte in or out) is inline; only refilling or flushing a buffer goes
// through a virtual call, so a coder runs the same over a file or a buffer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

namespace nuvel {

class ByteInput {
 public:
  virtual ~ByteInput() = default;

  // Reads one byte; false at the end of the input.
  bool Get(uint8_t& byte) {
    if (cur_ == end_ && !Refill()) return false;
    byte = *cur_++;
    return true;
  }

 protected:
  // Makes cur_/end_ cover the next piece of input; false when none is left.
  virtual bool Refill() = 0;
  const uint8_t* cur_ = nullptr;
  const uint8_t* end_ = nullptr;
};

class ByteOutput {
 public:
  virtual ~ByteOutput() = default;

  void Put(uint8_t byte) {
    if (cur_ == end_) Flush();
    *cur_++ = byte;
  }
  // Bytes handed to Put so far.
  uint64_t Count() const { return flushed_ + static_cast<uint64_t>(cur_ - begin_); }
  // Passes every buffered byte on.
  virtual void Flush() = 0;

 protected:
  uint8_t* begin_ = nullptr;
  uint8_t* cur_ = nullptr;
  uint8_t* end_ = nullptr;
  uint64_t flushed_ = 0;
};

// Reads a buffer held in memory.
class MemoryByteInput final : public ByteInput {
 public:
  explicit MemoryByteInput(std::span<const uint8_t> bytes) {
    cur_ = bytes.data();
    end_ = bytes.data() + bytes.size();
  }

 private:
  bool Refill() override { return false; }
};

// Collects the output in a growing vector.
class VectorByteOutput final : public ByteOutput {
 public:
  VectorByteOutput();
  void Flush() override;
  // Hands over every byte written so far.
  std::vector<uint8_t> Take();

 private:
  std::vector<uint8_t> out_;
  std::vector<uint8_t> buffer_;
};

// Drops the output and only counts it.
class CountingByteOutput final : public ByteOutput {
 public:
  CountingByteOutput();
  void Flush() override;

 private:
  std::vector<uint8_t> buffer_;
};

// Reads an open C stream in blocks. A read error throws std::runtime_error.
class FileByteInput final : public ByteInput {
 public:
  explicit FileByteInput(std::FILE* file, std::size_t buffer_size = 64 * 1024);

 private:
  bool Refill() override;
  std::FILE* file_;
  std::vector<uint8_t> buffer_;
};

// Writes to an open C stream in blocks. A write the disk takes only in part
// throws std::runtime_error.
class FileByteOutput final : public ByteOutput {
 public:
  explicit FileByteOutput(std::FILE* file, std::size_t buffer_size = 64 * 1024);
  void Flush() override;

 private:
  std::FILE* file_;
  std::vector<uint8_t> buffer_;
};

}  // namespace nuvel
