#pragma once
// A whole file read into memory of its own whose leading part can be given
// back to the system once it has been used: a large file then need not stay
// whole in memory while its paragraphs are stored in a document.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

namespace nuvel::platform {

class FileReadBuffer {
 public:
  FileReadBuffer() = default;
  ~FileReadBuffer();
  FileReadBuffer(const FileReadBuffer&) = delete;
  FileReadBuffer& operator=(const FileReadBuffer&) = delete;

  // Reads `path` whole, as ReadFileBytes does: false, with the system's error
  // number, when it is not a regular file or cannot be read.
  bool Read(const std::filesystem::path& path, int& error);
  std::span<const uint8_t> Bytes() const { return {data_, size_}; }
  // Gives back the memory of the whole pages before byte `offset`; those
  // bytes read as zeros afterwards, so only a reader that is done with them
  // may ask.
  void ReleaseBefore(std::size_t offset);
  // Bytes given back so far.
  std::size_t Released() const { return released_; }

 private:
  void Free();

  uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;  // the mapping's length, whole pages
  std::size_t released_ = 0;
};

}  // namespace nuvel::platform
