#pragma once
// A bookmark of a Doc e-book and the line-end conversions that keep
// bookmarks in step: the file's text has LF line ends, the editor's CR LF.
// Both conversions work piece by piece, so a whole book is never copied.
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

// Appends the file's text, given in pieces, to `out` with every line feed,
// and every carriage return without one, made CR LF. Each bookmark's
// Position becomes its FilePosition moved past the bytes added before it.
class CrLfAppender {
 public:
  CrLfAppender(std::string& out, std::vector<TBookmark>& bookmarks);
  void Append(std::string_view piece);
  // Ends the text: a carriage return at its very end gets its line feed.
  void Finish();

 private:
  void Settle(int64_t up_to);
  void AddLineFeedAfterCr();
  std::string& out_;
  std::vector<TBookmark>& bookmarks_;
  std::vector<std::size_t> order_;  // bookmarks by FilePosition
  std::size_t next_ = 0;
  int64_t offset_ = 0;  // file offset of the next byte
  int64_t added_ = 0;
  bool pending_cr_ = false;
};

// Reads the editor's text in pieces for the file: CR LF becomes LF and a
// lone CR becomes LF.
class LfPieces {
 public:
  explicit LfPieces(std::string_view text);
  // The length of the whole converted text.
  uint64_t Length() const { return length_; }
  // The next at most `max` converted bytes; empty at the end.
  std::string_view Next(std::size_t max);

 private:
  std::string_view text_;
  std::size_t at_ = 0;
  uint64_t length_ = 0;
  std::string buffer_;
};

// Sets each bookmark's FilePosition: its Position less the carriage returns
// that LfPieces drops before it.
void BookmarksToFile(std::string_view text, std::vector<TBookmark>& bookmarks);

// The two conversions on whole texts.
std::string DocTextToCrLf(std::string_view text, std::vector<TBookmark>& bookmarks);
std::string DocTextToLf(std::string_view text, std::vector<TBookmark>& bookmarks);

}  // namespace nuvel
