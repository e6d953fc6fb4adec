#include "formats/byte_stream.h"

#include <stdexcept>

namespace nuvel {

namespace {
constexpr std::size_t kMemoryBlock = 64 * 1024;
}

VectorByteOutput::VectorByteOutput() : buffer_(kMemoryBlock) {
  begin_ = cur_ = buffer_.data();
  end_ = begin_ + buffer_.size();
}

void VectorByteOutput::Flush() {
  out_.insert(out_.end(), begin_, cur_);
  flushed_ += static_cast<uint64_t>(cur_ - begin_);
  cur_ = begin_;
}

std::vector<uint8_t> VectorByteOutput::Take() {
  Flush();
  return std::move(out_);
}

CountingByteOutput::CountingByteOutput() : buffer_(kMemoryBlock) {
  begin_ = cur_ = buffer_.data();
  end_ = begin_ + buffer_.size();
}

void CountingByteOutput::Flush() {
  flushed_ += static_cast<uint64_t>(cur_ - begin_);
  cur_ = begin_;
}

FileByteInput::FileByteInput(std::FILE* file, std::size_t buffer_size)
    : file_(file), buffer_(buffer_size) {}

bool FileByteInput::Refill() {
  std::size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_);
  if (got == 0) {
    if (std::ferror(file_)) throw std::runtime_error("Error reading file");
    return false;
  }
  cur_ = buffer_.data();
  end_ = cur_ + got;
  return true;
}

FileByteOutput::FileByteOutput(std::FILE* file, std::size_t buffer_size)
    : file_(file), buffer_(buffer_size) {
  begin_ = cur_ = buffer_.data();
  end_ = begin_ + buffer_.size();
}

void FileByteOutput::Flush() {
  std::size_t n = static_cast<std::size_t>(cur_ - begin_);
  if (n != 0 && std::fwrite(begin_, 1, n, file_) != n) throw std::runtime_error("Error writing file");
  flushed_ += n;
  cur_ = begin_;
}

}  // namespace nuvel
