#include "formats/lzh_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/file_messages.h"
#include "formats/byte_stream.h"
#include "formats/lzh_coder.h"
#include "platform/atomic_file.h"
#include "platform/regular_file_stream.h"

namespace nuvel {

namespace {

constexpr uint64_t kSizeLimit = uint64_t{1} << 32;
constexpr const char* kMissingHeader = "Missing Compress Header!";
constexpr const char* kReadError = "Error reading file";

using platform::FilePtr;

std::string Number(uint64_t n) {
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, n);
  return std::string(buf, res.ptr);
}

bool StartsWith(std::span<const uint8_t> bytes, std::string_view prefix) {
  return bytes.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), bytes.begin(),
                    [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; });
}

// The offset of the size field after whichever header the bytes begin with.
std::size_t HeaderLength(std::span<const uint8_t> start) {
  if (StartsWith(start, kCompressHeader)) return kCompressHeader.size();
  if (StartsWith(start, kCompressHeaderOld)) return kCompressHeaderOld.size();
  throw ECompressError(kMissingHeader);
}

void PutHeader(ByteOutput& out, uint64_t size) {
  for (char c : kCompressHeader) out.Put(static_cast<uint8_t>(c));
  for (int i = 0; i < 4; ++i) out.Put(static_cast<uint8_t>(size >> (8 * i)));
}

uint64_t GetSize(ByteInput& in) {
  uint64_t size = 0;
  for (int i = 0; i < 4; ++i) {
    uint8_t b;
    if (!in.Get(b)) throw ECompressError(lzh::DamagedStream().what());
    size |= uint64_t{b} << (8 * i);
  }
  return size;
}

void RefuseSameFile(const std::string& in, const std::string& out, const char* message) {
  if (platform::IsSameFile(in, out)) throw ECompressError(message);
}

// "Error writing file" and why.
std::string WriteErrorText(const platform::AtomicWriteResult& result) {
  return "Error writing file: " + FileErrorReason(result.error);
}

// The output file, written beside its target and put in place whole.
class OutputFile {
 public:
  explicit OutputFile(const std::string& name) : file_(name) {
    if (!file_.Ready()) throw ECompressError(WriteErrorText(file_.Result()));
  }
  std::FILE* Stream() const { return file_.Stream(); }
  void Commit() {
    const platform::AtomicWriteResult written = file_.Commit();
    if (!written.Ok()) throw ECompressError(WriteErrorText(written));
  }

 private:
  platform::AtomicFileWriter file_;
};

// Only a regular file is read: a named pipe is refused without waiting for a writer.
FilePtr OpenInput(const std::string& name) {
  int error = 0;
  FilePtr f = platform::OpenRegularFileStream(name, error);
  if (!f) throw ECompressError(kReadError);
  return f;
}

}  // namespace

std::string CompressReportText(const CompressReport& report) {
  // An empty input has nothing to compare; it shows 0%.
  uint64_t percent = report.textsize == 0 ? 0 : report.codesize * 100 / report.textsize;
  return "File: " + report.InFile + "\r" +
         "input size:  " + Number(report.textsize) + " bytes\r" +
         "Compressed File: " + report.OutFile + "\r" +
         "compressed size: " + Number(report.codesize) + " bytes\r" +
         "compression: " + Number(percent) + "%";
}

CompressReport Compress(const std::string& InFile, const std::string& OutFile) {
  RefuseSameFile(InFile, OutFile, "A file cannot be compressed onto itself");
  FilePtr in = OpenInput(InFile);
  std::error_code ec;
  uint64_t size = std::filesystem::file_size(InFile, ec);
  if (ec) throw ECompressError(kReadError);
  if (size >= kSizeLimit) throw ECompressError("Files of 4 GB or more cannot be compressed");

  CompressReport report{InFile, OutFile, 0, 0};
  try {
    OutputFile target(OutFile);
    FileByteOutput out(target.Stream());
    FileByteInput input(in.get());
    PutHeader(out, size);
    uint64_t header = out.Count();
    report.textsize = lzh::Encode(input, out);
    // The size in the header must be what was coded: a file that changed
    // while it was read would expand wrongly.
    if (report.textsize != size) throw ECompressError(kReadError);
    report.codesize = out.Count() - header;
    out.Flush();
    target.Commit();
  } catch (const ECompressError&) {
    throw;
  } catch (const std::runtime_error& e) {
    throw ECompressError(e.what());
  }
  return report;
}

void DeCompress(const std::string& InFile, const std::string& OutFile) {
  RefuseSameFile(InFile, OutFile, "A file cannot be expanded onto itself");
  FilePtr in = OpenInput(InFile);
  uint8_t start[kCompressHeaderOld.size()];
  std::size_t got = std::fread(start, 1, sizeof start, in.get());
  if (std::ferror(in.get())) throw ECompressError(kReadError);
  std::size_t header = HeaderLength(std::span<const uint8_t>(start, got));
  if (std::fseek(in.get(), static_cast<long>(header), SEEK_SET) != 0) throw ECompressError(kReadError);
  try {
    FileByteInput input(in.get());
    uint64_t size = GetSize(input);
    OutputFile target(OutFile);
    FileByteOutput out(target.Stream());
    lzh::Decode(input, out, size);
    out.Flush();
    target.Commit();
  } catch (const ECompressError&) {
    throw;
  } catch (const std::runtime_error& e) {
    throw ECompressError(e.what());
  }
}

std::vector<uint8_t> CompressBytes(std::span<const uint8_t> data) {
  if (data.size() >= kSizeLimit) throw ECompressError("Files of 4 GB or more cannot be compressed");
  MemoryByteInput in(data);
  VectorByteOutput out;
  PutHeader(out, data.size());
  lzh::Encode(in, out);
  return out.Take();
}

std::vector<uint8_t> DeCompressBytes(std::span<const uint8_t> file) {
  std::size_t header = HeaderLength(file);
  MemoryByteInput in(file.subspan(header));
  VectorByteOutput out;
  try {
    uint64_t size = GetSize(in);
    lzh::Decode(in, out, size);
  } catch (const lzh::DamagedStream& e) {
    throw ECompressError(e.what());
  }
  return out.Take();
}

}  // namespace nuvel
