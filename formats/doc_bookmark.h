#pragma once
// A bookmark of a Doc e-book and the line-end conversions that keep
// bookmarks in step: the file's text has LF line ends, the editor's CR LF.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

struct TBookmark {
  std::string Name;           // at most 16 bytes in the file
  int64_t Position = 0;       // offset in the text as the editor holds it (CR LF)
  int32_t Line = -1;          // the editor's line and column; -1 when not known
  int32_t Col = -1;
  int64_t FilePosition = 0;   // offset in the file's text (LF)
};

// The file's text with every line feed, and every carriage return without one,
// made CR LF. Each bookmark's Position becomes its FilePosition moved past the
// bytes added before it.
std::string DocTextToCrLf(std::string_view text, std::vector<TBookmark>& bookmarks);

// The editor's text for the file: CR LF becomes LF and a lone CR becomes LF.
// Each bookmark's FilePosition becomes its Position less the bytes removed
// before it.
std::string DocTextToLf(std::string_view text, std::vector<TBookmark>& bookmarks);

}  // namespace nuvel
