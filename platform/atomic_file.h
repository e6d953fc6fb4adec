#pragma once
// Writing a whole file so that a failure never leaves it half written: the
// bytes go to a temporary file in the same folder, which is renamed over the
// target only when every byte was written and flushed.
#include <filesystem>
#include <string_view>

namespace nuvel::platform {

// Replaces (or creates) `path` with `bytes`. Missing parent folders are made.
// Returns false, leaving any old file untouched, when the write fails.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Reads a whole file as bytes. Returns false when it is not a regular file
// or cannot be read; `error` then holds the system's error number.
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, int& error);
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes);

}  // namespace nuvel::platform
