// The large-file viewer over a generated 2 GB text file and a 50 MB one:
// the time to open the file and count all its lines (against wc -l on the
// same file in the same run), 1,000 random jumps to a line and to a byte
// offset, a search for a rare word from the start, and the memory the
// viewer takes beyond the program. Targets: counting at least half as fast
// as wc -l; a jump under 50 ms on average; at most 2.1 MB beyond the
// program with the largest cache (512 pages). Usage: bench_viewer [folder]
// (default: the system's temporary folder).
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "filemanager/file_viewer.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kMB = 1024.0 * 1024.0;
constexpr const char* kRare = "Zanzibarquux";

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

long StatusKB(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(status, line)) {
    if (line.rfind(prefix, 0) == 0) return std::atol(line.c_str() + prefix.size());
  }
  return -1;
}
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// A block of 1 MB of lines of words ended by LF; the rare word goes into one
// block only, three quarters into the file.
std::string Block(std::mt19937& rng, bool rare) {
  static const char* const words[] = {"alpha", "beta", "gamma", "delta", "shalom", "text", "viewer", "line",
                                      "\xF9\xEC\xE5\xED", "\xF1\xF4\xF8", "page", "cache"};
  std::string block;
  block.reserve(1 << 20);
  while (block.size() < (1u << 20) - 200) {
    const int n = std::uniform_int_distribution<int>(3, 14)(rng);
    for (int i = 0; i < n; ++i) {
      if (i) block += ' ';
      block += words[std::uniform_int_distribution<int>(0, 11)(rng)];
    }
    block += '\n';
  }
  if (rare) block += std::string("the ") + kRare + " word\n";
  return block;
}

// Writes `megabytes` MB and returns the number of line feeds.
int64_t Generate(const fs::path& path, int megabytes) {
  std::mt19937 rng(104);
  const std::string plain = Block(rng, false);
  const std::string rare = Block(rng, true);
  int64_t count = 0;
  for (char c : plain) count += c == '\n';
  const int64_t plainCount = count;
  int64_t rareCount = 0;
  for (char c : rare) rareCount += c == '\n';
  std::ofstream out(path, std::ios::binary);
  int64_t total = 0;
  for (int i = 0; i < megabytes; ++i) {
    const bool isRare = i == megabytes * 3 / 4;
    out.write((isRare ? rare : plain).data(), static_cast<std::streamsize>((isRare ? rare : plain).size()));
    total += isRare ? rareCount : plainCount;
  }
  return total;
}

// Seconds wc -l takes over the file, and the count it printed.
double TimeWc(const fs::path& path, int64_t& lines) {
  const std::string command = "LC_ALL=C wc -l < '" + path.string() + "'";
  const auto start = Clock::now();
  FILE* p = popen(command.c_str(), "r");
  long long n = -1;
  if (p != nullptr) {
    if (std::fscanf(p, "%lld", &n) != 1) n = -1;
    pclose(p);
  }
  lines = n;
  return Seconds(start);
}

void Run(const fs::path& path, int megabytes, int pages) {
  std::printf("== %d MB file, %d cache pages\n", megabytes, pages);
  const int64_t feeds = Generate(path, megabytes);
  const double mb = static_cast<double>(fs::file_size(path)) / kMB;
  int64_t wcLines = 0;
  TimeWc(path, wcLines);  // both runs read from the page cache
  double wc = TimeWc(path, wcLines);
  wc = std::min(wc, TimeWc(path, wcLines));

  // The program as it is before the viewer: the peak after is the viewer's.
  ResetPeak();
  const long programKB = StatusKB("VmRSS");
  nuvel::THebFileViewer viewer;
  viewer.SetBufferPageCount(pages);
  viewer.SetFileName(path.string());
  auto start = Clock::now();
  viewer.Open();
  viewer.SetMetrics(16 + 80 * 8, 40 * 16, 8, 16);
  const int64_t last = viewer.CheckLine(nuvel::kUnknownLineCount);
  const double count = Seconds(start);
  // The file ends with a line feed: the empty line after it is the last.
  const bool right = last == feeds && wcLines == feeds;
  const double ratio = wc / count;
  std::printf("open and count %lld lines: %.3f s (%.0f MB/s); wc -l %.3f s; speed ratio %.2f  target: at least 0.50  %s%s\n",
              static_cast<long long>(last + 1), count, mb / count, wc, ratio, ratio >= 0.5 ? "PASS" : "BELOW TARGET",
              right ? "" : "  (COUNT MISMATCH)");

  std::mt19937_64 rng(27);
  start = Clock::now();
  size_t sink = 0;
  for (int i = 0; i < 1000; ++i) {
    viewer.GotoPosition(std::uniform_int_distribution<int64_t>(0, last)(rng));
    sink += viewer.GetLine(viewer.CaretPos().line).size();
  }
  const double lineJump = Seconds(start) * 1000.0 / 1000;
  std::printf("1000 random jumps to a line: %.3f ms each  target: under 50 ms  %s\n", lineJump,
              lineJump < 50 ? "PASS" : "BELOW TARGET");
  const int64_t size = viewer.FileSize();
  start = Clock::now();
  for (int i = 0; i < 1000; ++i) {
    const auto a = viewer.Lines().LineAtOffset(std::uniform_int_distribution<int64_t>(0, size - 1)(rng));
    sink += static_cast<size_t>(a.line & 1);
  }
  const double offsetJump = Seconds(start) * 1000.0 / 1000;
  std::printf("1000 random jumps to a byte offset: %.3f ms each  target: under 50 ms  %s\n", offsetJump,
              offsetJump < 50 ? "PASS" : "BELOW TARGET");

  const std::string rare = kRare;
  start = Clock::now();
  const bool found = viewer.FindText({reinterpret_cast<const uint8_t*>(rare.data()), rare.size()}, 8);
  const double search = Seconds(start);
  std::printf("search for a rare word from the start: %.3f s (%.0f MB/s), %s at line %lld\n", search,
              mb * 0.75 / search, found ? "found" : "NOT FOUND", static_cast<long long>(viewer.SelStart().line + 1));

  const long beyond = StatusKB("VmHWM") - programKB;
  std::printf("peak memory beyond the program: %.2f MB  target: at most 2.10 MB  %s\n", beyond / 1024.0,
              beyond <= 2150 ? "PASS" : "BELOW TARGET");
  if (sink == 42) std::printf(" ");
  viewer.Close();
  fs::remove(path);
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
  const fs::path path = folder / "nuvel-bench-viewer.txt";
  // Each run in a process of its own, so no run's freed memory serves the next.
  const std::pair<int, int> runs[] = {{50, 16}, {2048, 16}, {2048, 512}};
  for (const auto& [megabytes, pages] : runs) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
      Run(path, megabytes, pages);
      std::fflush(stdout);
      _exit(0);
    }
    int status = 0;
    if (child > 0) waitpid(child, &status, 0);
  }
  return 0;
}
