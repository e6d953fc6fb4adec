#pragma once
// Lines of mixed Hebrew and English in logical order, Windows-1255 bytes, as
// other programs write them: English alone, English and numbers inside
// Hebrew, numbers with separators, brackets, and Hebrew with points.
#include <string>
#include <vector>

namespace nuvel::test {

inline const std::vector<std::string>& MixedLogicalLines() {
  static const std::vector<std::string> lines = {
      "The quick brown fox jumps over the lazy dog",
      "\xF9\xEC\xE5\xED \xF2\xE5\xEC\xED - Hello world 123",
      "\xF9\xE5\xF8\xE4 \xF9\xF0\xE9\xE9\xE4: \xE9\xF8\xE5\xF9\xEC\xE9\xED (2024)",
      "Price 1,234.50 \xF9\"\xE7 on 12/05/2024, quick",
      "\xE4\xE5\xE0 \xE0\xEE\xF8 (quick test) [\xF9\xED] {x} 3.5%",
      "\xF9\xC8\xD1\xEC\xE5\xC9\xED quick \xE1\xC8\xCC\xF8\xC8\xE0 the end",
      "",
      "quick quick, quickly",
  };
  return lines;
}

// The lines as a Windows-1255 file with CR LF line ends.
inline std::string MixedLogicalFile() {
  std::string file;
  for (const std::string& line : MixedLogicalLines()) file += line + "\r\n";
  return file;
}

}  // namespace nuvel::test
