// The large-file viewer over a generated 2 GB text file and a 50 MB one:
// opening the file and counting all its lines beside `wc -l FILE > OUT`,
// and a search for a rare word through the whole file (found three quarters
// in, then searched on to the end) beside `grep -c -F WORD FILE > OUT`, in
// interleaved rounds; the peers' counts are checked against the viewer's.
// Then 1,000 random jumps to a line and to a byte offset, and the viewer's
// peak memory beyond the program. Each cache size runs in a process of its
// own, so no run's freed memory serves the next. Last, the same as a user
// runs it in the program: the file manager's View command (which opens the
// file and counts its lines) and the view window's Find, its dialog's Find
// Next clicked twice (the match, then on to the end). Targets: counting
// takes at most 1.5 times wc's time; the search at least half grep's speed;
// a jump under 50 ms on average; the viewer's memory within its cache's
// size plus 64 KB; the largest cache not slower than the smallest, the two
// searching in turn in one process.
//
//   bench_viewer [megabytes] [rounds]   (default 2048 MB, 3 rounds)
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "bench/process_run.h"
#include "bench/scratch_folder.h"
#include "bench/program_session_qt.h"
#include "filemanager/file_viewer.h"
#include "filemanager/file_viewers_qt.h"
#include "tools/search_dlgs_qt.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace nuvel::bench;

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
  int64_t plainCount = 0, rareCount = 0;
  for (char c : plain) plainCount += c == '\n';
  for (char c : rare) rareCount += c == '\n';
  std::ofstream out(path, std::ios::binary);
  int64_t total = 0;
  for (int i = 0; i < megabytes; ++i) {
    const bool isRare = i == megabytes * 3 / 4;
    out.write((isRare ? rare : plain).data(), static_cast<std::streamsize>((isRare ? rare : plain).size()));
    total += isRare ? rareCount : plainCount;
  }
  if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
  return total;
}

// A peer's run, its output written to a file; answers its wall time and the
// number it printed.
double TimePeer(const std::vector<std::string>& argv, const fs::path& out, long long& printed) {
  const ProcessResult r = Run({argv, {"LC_ALL=C"}, {}, out, {}, {}});
  // grep -c answers 1 (no line matched) with a count of 0; that count is checked below.
  if (!r.ok && !(argv[0] == "grep" && WEXITSTATUS(r.status) == 1)) throw std::runtime_error(argv[0] + " failed");
  printed = std::atoll(ReadFile(out).c_str());
  return r.wall;
}

struct Figures {
  double countRatio = 0, searchRatio = 0, searchSeconds = 0, lineJumpMs = 0, offsetJumpMs = 0;
  long beyondKB = 0;
  bool right = true;
};

// One cache size in this process: the figures, printed, and the verdicts.
int RunPages(const fs::path& path, const ScratchFolder& scratch, int64_t feeds, int pages, int rounds) {
  Generate(scratch / "warm.txt", 1);
  const double mb = static_cast<double>(fs::file_size(path)) / kMB;
  std::printf("== %.0f MB file, %d cache pages (%d KB)\n", mb, pages, pages * 4);
  const fs::path wcOut = scratch / "wc.txt", grepOut = scratch / "grep.txt";
  const std::string rare = kRare;
  const std::span<const uint8_t> pattern(reinterpret_cast<const uint8_t*>(rare.data()), rare.size());

  // The program as it is before the viewer has a file: its code used once
  // on a small file, by a viewer that is gone. The peak after is what the
  // viewer takes for the file: one pass of counting, searching and jumping,
  // before any peer runs (starting one takes memory of this process's).
  {
    nuvel::THebFileViewer warm;
    warm.SetBufferPageCount(2);
    warm.SetFileName((scratch / "warm.txt").string());
    warm.Open();
    warm.SetMetrics(16 + 80 * 8, 40 * 16, 8, 16);
    warm.CheckLine(nuvel::kUnknownLineCount);
    warm.FindText(pattern, 8);
    warm.GotoPosition(10);
  }
  ResetPeak();
  const long programKB = StatusKB("VmRSS");
  nuvel::THebFileViewer viewer;
  viewer.SetBufferPageCount(pages);
  viewer.SetFileName(path.string());
  viewer.Open();
  viewer.SetMetrics(16 + 80 * 8, 40 * 16, 8, 16);
  viewer.CheckLine(nuvel::kUnknownLineCount);
  while (viewer.FindText(pattern, 0)) {
  }
  {
    std::mt19937_64 rng(5);
    for (int i = 0; i < 100; ++i)
      viewer.GotoPosition(std::uniform_int_distribution<int64_t>(0, viewer.LineCount() - 1)(rng));
  }
  const long beyond = StatusKB("VmHWM") - programKB;
  std::vector<double> count, wc, countRatio, search, grep, searchRatio;
  int64_t last = 0;
  bool right = true;
  for (int round = 0; round < rounds; ++round) {
    long long printed = 0;
    wc.push_back(TimePeer({"wc", "-l", path.string()}, wcOut, printed));
    right = right && printed == feeds;
    auto start = Clock::now();
    viewer.Open();
    viewer.SetMetrics(16 + 80 * 8, 40 * 16, 8, 16);
    last = viewer.CheckLine(nuvel::kUnknownLineCount);
    count.push_back(Seconds(start));
    countRatio.push_back(count.back() / wc.back());
    // The file ends with a line feed: the empty line after it is the last.
    right = right && last == feeds;

    grep.push_back(TimePeer({"grep", "-c", "-F", rare, path.string()}, grepOut, printed));
    // The whole file: the match, then on to the end, where there is none.
    start = Clock::now();
    int found = 0;
    if (viewer.FindText(pattern, 8)) ++found;
    while (viewer.FindText(pattern, 0)) ++found;
    search.push_back(Seconds(start));
    searchRatio.push_back(grep.back() / search.back());
    right = right && found == 1 && printed == 1;
  }
  if (!right) {
    std::printf("the viewer, wc -l or grep -c counted differently (%lld lines expected)\n",
                static_cast<long long>(feeds));
    return 2;
  }
  std::printf("count %lld lines: %.3f s (%.0f MB/s); wc -l %.3f s\n", static_cast<long long>(last + 1),
              Median(count), mb / Median(count), Median(wc));
  std::printf("search the whole file: %.3f s (%.0f MB/s); grep -c -F %.3f s (%.0f MB/s)\n", Median(search),
              mb / Median(search), Median(grep), mb / Median(grep));

  std::mt19937_64 rng(27);
  auto start = Clock::now();
  size_t sink = 0;
  for (int i = 0; i < 1000; ++i) {
    viewer.GotoPosition(std::uniform_int_distribution<int64_t>(0, last)(rng));
    sink += viewer.GetLine(viewer.CaretPos().line).size();
  }
  const double lineJump = Seconds(start);
  const int64_t size = viewer.FileSize();
  start = Clock::now();
  for (int i = 0; i < 1000; ++i) {
    const auto a = viewer.Lines().LineAtOffset(std::uniform_int_distribution<int64_t>(0, size - 1)(rng));
    sink += static_cast<size_t>(a.line & 1);
  }
  const double offsetJump = Seconds(start);
  if (sink == 42) std::printf(" ");
  viewer.Close();

  Targets targets;
  targets.AtMost("count time / wc -l time", Median(countRatio), 1.5);
  targets.AtLeast("search speed / grep -c -F speed", Median(searchRatio), 0.5);
  targets.AtMost("random jump to a line, ms", lineJump, 50);
  targets.AtMost("random jump to a byte offset, ms", offsetJump, 50);
  const long limitKB = pages * 4 + 64;
  std::printf("peak memory beyond the program: %ld KB (cache %d KB + 64 KB = %ld KB)\n", beyond, pages * 4, limitKB);
  targets.AtMost("memory beyond the program / (cache + 64 KB)", double(beyond) / double(limitKB), 1.0);
  return targets.ExitStatus();
}

// The smallest and the largest cache side by side in one process: a viewer
// of each over the same file, their searches through the whole file in
// turn, so that the machine's other work weighs on both alike. Target: the
// larger cache takes at most the smaller one's time (5% for noise).
int RunCacheSizes(const fs::path& path, int64_t feeds, int rounds) {
  constexpr int kSmall = 16, kLarge = 512;
  std::printf("== search with %d and %d cache pages in turn\n", kSmall, kLarge);
  const std::string rare = kRare;
  const std::span<const uint8_t> pattern(reinterpret_cast<const uint8_t*>(rare.data()), rare.size());
  nuvel::THebFileViewer viewers[2];
  const int pages[2] = {kSmall, kLarge};
  for (int v = 0; v < 2; ++v) {
    viewers[v].SetBufferPageCount(pages[v]);
    viewers[v].SetFileName(path.string());
    viewers[v].Open();
    viewers[v].SetMetrics(16 + 80 * 8, 40 * 16, 8, 16);
    if (viewers[v].CheckLine(nuvel::kUnknownLineCount) != feeds) throw std::runtime_error("a viewer counted wrong");
  }
  std::vector<double> seconds[2], ratios;
  for (int round = 0; round < std::max(rounds, 5); ++round) {
    for (int v = 0; v < 2; ++v) {
      nuvel::THebFileViewer& viewer = viewers[v];
      const auto start = Clock::now();
      int found = 0;
      if (viewer.FindText(pattern, 8)) ++found;
      while (viewer.FindText(pattern, 0)) ++found;
      seconds[v].push_back(Seconds(start));
      if (found != 1) throw std::runtime_error("a viewer found the word " + std::to_string(found) + " times");
    }
    ratios.push_back(seconds[1].back() / seconds[0].back());
  }
  std::printf("search the whole file: %.3f s with %d pages, %.3f s with %d pages\n", Median(seconds[0]), kSmall,
              Median(seconds[1]), kLarge);
  Targets targets;
  targets.AtMost("search time, 512 pages / 16 pages (median of pairs)", Median(ratios), 1.05);
  return targets.ExitStatus();
}

// The View command and the view window's Find, in the program.
int RunRoad(const fs::path& path, const ScratchFolder& scratch, int64_t feeds, int rounds) {
  const double mb = static_cast<double>(fs::file_size(path)) / kMB;
  std::printf("== the program: View and Find over the %.0f MB file\n", mb);
  ProgramSession session(scratch, {});
  nuvel::TFileViewers* viewers = nuvel::ProgramFileViewers();
  if (viewers == nullptr) throw std::runtime_error("the program has no file viewers");
  const fs::path wcOut = scratch / "wc.txt", grepOut = scratch / "grep.txt";
  const std::string rare = kRare;
  std::vector<double> view, wc, viewRatio, find, grep, findRatio;
  bool right = true;
  for (int round = 0; round < rounds; ++round) {
    long long printed = 0;
    wc.push_back(TimePeer({"wc", "-l", path.string()}, wcOut, printed));
    right = right && printed == feeds;
    auto start = Clock::now();
    nuvel::TViewForm* form = viewers->View(path.string());
    QApplication::processEvents();
    view.push_back(Seconds(start));
    viewRatio.push_back(view.back() / wc.back());
    if (form == nullptr || form->Model().LineCount() != feeds + 1) throw std::runtime_error("View did not count");

    grep.push_back(TimePeer({"grep", "-c", "-F", rare, path.string()}, grepOut, printed));
    right = right && printed == 1;
    const int messages = session.messages.count;
    int found = 0;
    double seconds = 0;
    session.WhenShown<nuvel::THebFindDlg>([&](nuvel::THebFindDlg& d) {
      d.FindEdit()->Line().Text = rare;
      d.FindEdit()->RefreshText();
      const auto clicked = Clock::now();
      d.FindNxtBtn()->click();
      found += form->Model().HasSelection() ? 1 : 0;
      d.FindNxtBtn()->click();  // on to the end: not found again
      QApplication::processEvents();
      seconds = Seconds(clicked);
    });
    form->Item("Find1")->trigger();
    find.push_back(seconds);
    findRatio.push_back(grep.back() / seconds);
    right = right && found == 1 && session.messages.count == messages + 1;
    form->close();
    QApplication::processEvents();
  }
  if (!right) {
    std::printf("the program, wc -l or grep -c counted differently\n");
    return 2;
  }
  std::printf("View (open and count): %.3f s; wc -l %.3f s\n", Median(view), Median(wc));
  std::printf("Find through the whole file: %.3f s (%.0f MB/s); grep -c -F %.3f s (%.0f MB/s)\n", Median(find),
              mb / Median(find), Median(grep), mb / Median(grep));
  Targets targets;
  targets.AtMost("View command / wc -l time", Median(viewRatio), 1.5);
  targets.AtLeast("Find speed / grep -c -F speed", Median(findRatio), 0.5);
  return targets.ExitStatus();
}

// Each run is this program again, with "--run PAGES FILE LINE-FEEDS
// ROUNDS" (PAGES 0 for the program's run, -1 for the cache sizes side by
// side), so that it starts with a heap of its own: no memory of another run
// serves it.
int Main(int argc, char** argv) {
  if (argc == 6 && std::string(argv[1]) == "--run") {
    const int pages = std::atoi(argv[2]);
    const ScratchFolder own("nuvel-bench-viewer-run");
    const fs::path path = argv[3];
    const int64_t feeds = std::atoll(argv[4]);
    const int rounds = std::atoi(argv[5]);
    if (pages < 0) return RunCacheSizes(path, feeds, rounds);
    return pages > 0 ? RunPages(path, own, feeds, pages, rounds) : RunRoad(path, own, feeds, rounds);
  }
  const int megabytes = argc > 1 ? std::atoi(argv[1]) : 2048;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  if (megabytes <= 0 || rounds <= 0) {
    std::fprintf(stderr, "usage: %s [megabytes] [rounds]\n", argv[0]);
    return 2;
  }
  const ScratchFolder scratch("nuvel-bench-viewer");
  const fs::path path = scratch / "viewer.txt";
  PrintLoad("at the start");
  const int64_t feeds = Generate(path, megabytes);
  int worst = 0;
  // A cache size for each run in the engine, then the two side by side,
  // then 0 for the program's run.
  for (const int pages : {16, 512, -1, 0}) {
    const fs::path out = scratch / "run.txt";
    const ProcessResult r = Run({{"/proc/self/exe", "--run", std::to_string(pages), path.string(),
                                  std::to_string(feeds), std::to_string(rounds)},
                                 {}, {}, out, scratch / "run-errors.txt", {}});
    std::fputs(ReadFile(out).c_str(), stdout);
    if (!WIFEXITED(r.status)) throw std::runtime_error("a run was lost");
    if (WEXITSTATUS(r.status) == 2) std::fputs(ReadFile(scratch / "run-errors.txt").c_str(), stdout);
    worst = std::max(worst, WEXITSTATUS(r.status));
    PrintLoad("after the run");
  }
  std::printf("all runs: %s\n", worst == 2 ? "ERROR" : worst == 1 ? "BELOW TARGET" : "PASS");
  return worst;
}

}  // namespace

int main(int argc, char** argv) {
  return GuardedMain([&] { return Main(argc, argv); });
}
