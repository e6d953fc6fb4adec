#include "formats/ebook_tag_scan.h"

#include <string_view>

namespace nuvel {

namespace {

struct Line {
  std::size_t start;   // offset in the text
  std::size_t length;  // without its line end
};

std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t lf = text.find('\n', start);
    if (lf == std::string::npos) {
      lines.push_back({start, text.size() - start});
      return lines;
    }
    std::size_t end = lf;
    if (end > start && text[end - 1] == '\r') --end;
    lines.push_back({start, end - start});
    start = lf + 1;
  }
}

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && Blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

std::vector<TBookmark> ScanBookmarkTags(std::string& text) {
  std::vector<TBookmark> bookmarks;
  const std::vector<Line> lines = SplitLines(text);
  std::size_t tagLine = lines.size();
  while (tagLine > 0 && Trimmed(std::string_view(text).substr(lines[tagLine - 1].start, lines[tagLine - 1].length)).empty())
    --tagLine;
  if (tagLine == 0) return bookmarks;
  --tagLine;
  const std::string_view last = Trimmed(std::string_view(text).substr(lines[tagLine].start, lines[tagLine].length));
  if (last.size() < 3 || last.front() != '<' || last.back() != '>') return bookmarks;
  const std::string tag(last.substr(1, last.size() - 2));

  std::string out;
  out.reserve(text.size());
  int64_t total = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string line = text.substr(lines[i].start, lines[i].length);
    if (i < tagLine) {
      const std::size_t at = line.find(tag);
      if (at != std::string::npos) {
        line.erase(at, tag.size());
        TBookmark b;
        b.Name = line.substr(at, kBookmarkNameMax);
        b.Position = b.FilePosition = total + static_cast<int64_t>(at);
        bookmarks.push_back(std::move(b));
      }
    }
    total += static_cast<int64_t>(line.size()) + 2;
    out += line;
    // Each line keeps the end it had.
    const std::size_t endStart = lines[i].start + lines[i].length;
    const std::size_t endStop = i + 1 < lines.size() ? lines[i + 1].start : text.size();
    out.append(text, endStart, endStop - endStart);
  }
  text = std::move(out);
  return bookmarks;
}

}  // namespace nuvel
