#pragma once
// Compressed files of the file manager: a readable header line ending in the
// byte 0x1A, the original size (4 bytes, little-endian) and the LZHUF bit
// stream. Errors never end the program: they are thrown as ECompressError,
// and the output file is written through a temporary file, so a failed run
// leaves no partial output behind.
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

class ECompressError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The header this program writes, and the older one it also reads.
inline constexpr std::string_view kCompressHeader = "This file compressed by Nuvel.\x1A";
inline constexpr std::string_view kCompressHeaderOld = "This file compressed by Dorsameklint.\x1A";

// What a compression run did, for the window to show.
struct CompressReport {
  std::string InFile;
  std::string OutFile;
  uint64_t textsize = 0;  // bytes of input coded
  uint64_t codesize = 0;  // bytes of bit stream written (header and size not counted)
};

// The five report lines, separated by carriage returns.
std::string CompressReportText(const CompressReport& report);

// Writes the compressed form of InFile to OutFile (created or replaced).
// Refuses a file onto itself and inputs of 4 GiB or more.
CompressReport Compress(const std::string& InFile, const std::string& OutFile);

// Checks the header of InFile and writes the expanded data to OutFile.
// A file without either header gives "Missing Compress Header!"; a stream
// that ends before the stored size is reached is reported as damaged.
void DeCompress(const std::string& InFile, const std::string& OutFile);

// The same two coders on buffers: a whole compressed file in or out.
std::vector<uint8_t> CompressBytes(std::span<const uint8_t> data);
std::vector<uint8_t> DeCompressBytes(std::span<const uint8_t> file);

}  // namespace nuvel
