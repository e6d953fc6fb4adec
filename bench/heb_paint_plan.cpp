// Planning the rows of the bilingual editor's paint: an unwrapped pointed
// Hebrew line of 32,767 bytes cut at horizontal offsets along its whole
// length. Each cut is one pass over the line, so a row far to the left
// costs no more than the first one.
#include <chrono>
#include <cstdio>
#include <vector>

#include "editor/heb_paint_plan.h"

int main() {
  using Clock = std::chrono::steady_clock;
  std::vector<uint8_t> line;
  for (int i = 0; i < 32767; ++i) line.push_back(i % 3 == 2 ? 0xC8 : static_cast<uint8_t>(0xE0 + i % 20));
  const int rounds = 200;
  double first = 0;
  std::printf("%10s %14s\n", "offset", "us per row");
  for (int offset : {0, 5000, 10000, 15000, 20000, 21800}) {
    size_t cells = 0;
    const auto t0 = Clock::now();
    for (int r = 0; r < rounds; ++r) cells += nuvel::CutRowCells(line, 8, false, offset, 80).Cells();
    const double us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / rounds;
    if (offset == 0) first = us;
    std::printf("%10d %14.1f  (ratio to offset 0: %.2f, %zu cells)\n", offset, us, us / first, cells / rounds);
  }
  return 0;
}
