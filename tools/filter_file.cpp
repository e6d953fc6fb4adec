#include "tools/filter_file.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <memory>
#include <system_error>
#include <vector>

#include "core/exceptions.h"
#include "platform/ascii_case.h"
#include "platform/atomic_file.h"
#include "tools/rule_applier.h"
#include "tools/rule_compiler.h"

namespace nuvel::tools {

namespace {

namespace fs = std::filesystem;

std::string NumberText(long long value) {
  char digits[24];
  auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return std::string(digits, end);
}

// "not found", in the system's Hebrew letters, as it is shown.
constexpr const char* kNotFoundHebrew = " :\xE0\xF6\xEE\xF0 \xE0\xEC";

[[noreturn]] void ThrowIoResult(int code) { throw FilterError("Ioresult<>0 " + NumberText(code)); }

// Reads a whole file; a failed read throws, it never gives a shorter text.
// Only a regular file is read: a named pipe is refused without waiting for a writer.
std::vector<uint8_t> ReadInput(const fs::path& path) {
  std::string bytes;
  int error = 0;
  if (!platform::ReadFileBytes(path, bytes, error)) throw EInOutError("I/O error " + NumberText(error != 0 ? error : EIO));
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

// Writes the result to the temporary file; on any failure the temporary file
// is removed and the error thrown.
void WriteTemp(const fs::path& temp, const std::vector<uint8_t>& bytes) {
  errno = 0;
  std::FILE* raw = std::fopen(temp.c_str(), "wb");
  if (raw == nullptr) ThrowIoResult(errno);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), raw) == bytes.size();
  int code = errno;
  const bool closed = std::fclose(raw) == 0;
  if (written && closed) return;
  if (code == 0) code = errno != 0 ? errno : EIO;
  std::error_code ignored;
  fs::remove(temp, ignored);
  ThrowIoResult(code);
}

}  // namespace

std::string RuleFileName(const std::string& ruleFile) {
  const std::size_t slash = ruleFile.find_last_of('/');
  const std::size_t dot = ruleFile.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? ruleFile.substr(0, dot) : ruleFile) + ".RLE";
}

fs::path FindRuleFile(const std::string& ruleFile) {
  const fs::path wanted(RuleFileName(ruleFile));
  std::error_code ec;
  if (fs::is_regular_file(wanted, ec)) return wanted;
  const std::string stem = wanted.stem().string();
  fs::path folder = wanted.parent_path();
  if (folder.empty()) folder = ".";
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path name = it->path().filename();
    if (name.stem().string() == stem && platform::EqualsNoCase(name.extension().string(), ".rle") &&
        it->is_regular_file(ec)) {
      return wanted.parent_path() / name;
    }
  }
  return {};
}

void FilterFile(const std::string& ruleFile, const std::string& inFile, const std::string& outFile,
                std::span<const std::string> rules) {
  RuleSet compiled;
  if (rules.empty()) {
    const fs::path found = FindRuleFile(ruleFile);
    if (found.empty()) throw FilterError("Rule file not found: " + RuleFileName(ruleFile) + kNotFoundHebrew);
    std::vector<std::string> lines;
    try {
      lines = ReadRuleFile(found);
    } catch (const std::runtime_error&) {
      throw FilterError("Rule file not found: " + RuleFileName(ruleFile) + kNotFoundHebrew);
    }
    compiled = CompileRules(lines);
  } else {
    compiled = CompileRules(rules);
  }

  std::error_code ec;
  if (inFile.empty() || !fs::exists(inFile, ec)) return;

  const std::vector<uint8_t> input = ReadInput(inFile);
  const std::vector<uint8_t> output = RunRules(compiled, input);
  const fs::path temp = fs::path(inFile).parent_path() / kFilterTempName;
  WriteTemp(temp, output);
  fs::rename(temp, outFile, ec);
  if (ec) {
    fs::remove(temp, ec);
    throw EInOutError("I/O error " + NumberText(ec.value()));
  }
}

}  // namespace nuvel::tools
