#pragma once
// A user's file opened as a stdio stream for reading, only when it is a
// regular file: the name of a named pipe, a device or a folder is refused at
// once, where a plain open would wait for a pipe's writer forever.
#include <cstdio>
#include <filesystem>
#include <memory>

namespace nuvel::platform {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The file open for reading in binary, or null with `error` set to the
// system's error number (ENODEV for a pipe or a device, EISDIR for a folder).
FilePtr OpenRegularFileStream(const std::filesystem::path& path, int& error);

}  // namespace nuvel::platform
