#include "app/print_pages.h"

#include <algorithm>

namespace nuvel {

int LinesPerPage(int linesThatFit) { return std::max(linesThatFit - 3, 1); }

std::vector<uint8_t> ExpandPrintLine(std::span<const uint8_t> line, int tabSize) {
  const size_t stop = static_cast<size_t>(std::max(tabSize, 1));
  std::vector<uint8_t> out;
  out.reserve(std::min(line.size(), kPrintLineMax));
  for (uint8_t b : line) {
    if (out.size() >= kPrintLineMax) break;
    if (b == 9) {
      const size_t next = std::min((out.size() / stop + 1) * stop, kPrintLineMax);
      out.resize(next, ' ');
    } else {
      out.push_back(b);
    }
  }
  return out;
}

std::vector<PrintPage> PaginateDocument(const PrintLineSource& line, int32_t lineCount, int linesPerPage,
                                        int tabSize) {
  linesPerPage = std::max(linesPerPage, 1);
  auto printed = [&line](int32_t n) {
    std::span<const uint8_t> text = line(n);
    if (!text.empty() && text.back() == kParagraphMark) text = text.first(text.size() - 1);
    return text;
  };
  // Empty lines at the end (the one after a last line end) would only fill
  // a sheet of their own.
  while (lineCount > 0 && printed(lineCount).empty()) --lineCount;
  std::vector<PrintPage> pages;
  for (int32_t n = 1; n <= lineCount; ++n) {
    if (pages.empty() || pages.back().Number) pages.emplace_back();
    std::vector<uint8_t> bytes{' '};
    const std::vector<uint8_t> expanded = ExpandPrintLine(printed(n), tabSize);
    bytes.insert(bytes.end(), expanded.begin(), expanded.end());
    pages.back().Lines.push_back(std::move(bytes));
    if (n % linesPerPage == 0) pages.back().Number = static_cast<int>(pages.size());
  }
  return pages;
}

std::vector<PrintPage> PaginateSelection(const PrintLineSource& line, int32_t firstLine, int32_t firstColumn,
                                         int32_t lastLine, int32_t endColumn, int linesPerPage, int tabSize) {
  linesPerPage = std::max(linesPerPage, 1);
  std::vector<PrintPage> pages;
  bool breakBefore = true;
  for (int32_t n = firstLine; n <= lastLine; ++n) {
    if (breakBefore) pages.emplace_back();
    std::span<const uint8_t> text = line(n);
    std::vector<uint8_t> bytes(text.begin(), text.end());
    // Cut first: the end column counts in the line as stored.
    if (n == lastLine && endColumn >= 1) bytes.resize(std::min(bytes.size(), static_cast<size_t>(endColumn - 1)));
    if (n == firstLine && firstColumn > 1) {
      // The characters before the selection become as many blanks as the
      // cells they take, so that the selected text keeps its place.
      const size_t count = std::min(bytes.size(), static_cast<size_t>(firstColumn - 1));
      const size_t cells =
          ExpandPrintLine(std::span<const uint8_t>(bytes.data(), count), tabSize).size();
      bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
      bytes.insert(bytes.begin(), cells, uint8_t{' '});
    }
    pages.back().Lines.push_back(ExpandPrintLine(bytes, tabSize));
    breakBefore = n % linesPerPage == 0;
  }
  return pages;
}

std::vector<PrintPage> PageRange(std::vector<PrintPage> pages, int from, int to) {
  if (from <= 0 && to <= 0) return pages;
  from = std::max(from, 1);
  if (to <= 0 || to > static_cast<int>(pages.size())) to = static_cast<int>(pages.size());
  if (from > to) return {};
  return std::vector<PrintPage>(std::make_move_iterator(pages.begin() + (from - 1)),
                                std::make_move_iterator(pages.begin() + to));
}

}  // namespace nuvel
