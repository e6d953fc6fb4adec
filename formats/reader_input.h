#pragma once
// The bytes of one file as the document readers walk through them, and what
// they note on the way: the line-end byte, whether zero bytes were dropped,
// and which line ends the file used.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/charset.h"

namespace nuvel {

inline constexpr uint8_t kEinsteinLineEnd = 0xDB;
// Room of the line buffer into which a reader collects one paragraph.
inline constexpr std::size_t kLineBufferSize = 32768;
// How far a reader gets between two offers of the bytes it is done with.
inline constexpr std::size_t kReleaseStep = std::size_t{1} << 20;

struct TReaderInput {
  // Takes the whole file. The text readers see it less its trailing 0x00,
  // 0x1A and 0xFF bytes (down to one byte); the Unicode reader sees it whole.
  explicit TReaderInput(std::span<const uint8_t> file);

  std::span<const uint8_t> file;  // as stored
  std::span<const uint8_t> data;  // as the text readers see it
  std::size_t pos = 0;
  uint8_t lineEndChar = 13;
  bool nulSeen = false;           // a zero byte was dropped
  uint64_t nulBytes = 0;          // how many
  uint64_t trailingNulBytes = 0;  // zero bytes among those trimmed from the end
  uint64_t splitLines = 0;        // lines longer than a paragraph may be, split
  uint64_t crLineEnds = 0;        // lines ended by CR or CR LF
  uint64_t lfLineEnds = 0;        // lines ended by a lone LF

  // Where the bytes are a file read for this load: gives back the memory of
  // the bytes before the offset it is given (see Done).
  std::function<void(std::size_t)> release;
  std::size_t nextRelease = kReleaseStep;

  bool AtEnd() const { return pos >= data.size(); }
  // A reader calls this where it will read no byte before `pos` again; every
  // megabyte or so the bytes behind are offered to `release`.
  void Done() { DoneBefore(pos); }
  // The same for a reader that keeps its own place: no byte before `offset`
  // will be read again.
  void DoneBefore(std::size_t offset) {
    if (offset < nextRelease) return;
    nextRelease = offset + kReleaseStep;
    if (release) release(offset);
  }
  // True when every line end the file used was a lone LF (and there was one).
  bool LfLineEnds() const { return lfLineEnds > 0 && crLineEnds == 0; }
};

struct TLineResult {
  std::size_t length = 0;  // bytes added to the line buffer
  bool cut = false;        // stopped at the room limit, not at a line end
};

// Collects one line at the end of `line` with room `max`: bytes up to CR,
// a lone LF, the line-end byte, the end of the data, or max - 2 bytes (a room
// of 2 or less gives an empty line and consumes nothing). Zero bytes are
// dropped and noted. With a line-end byte other than CR, a line stopped by a
// CR or LF gets the paragraph mark. The line end is then consumed: the
// line-end byte or CR, then an LF after it.
TLineResult ReadLine(TReaderInput& in, std::vector<uint8_t>& line, std::size_t max);

}  // namespace nuvel
