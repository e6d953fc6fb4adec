// Opening a 50 MB Windows-1255 text file in the built program, as a user
// does from the command line: start, load with the Windows-1255 conversion,
// first paint, quit. The program runs as its own process on the offscreen
// platform with a private program, settings, runtime and temporary folder,
// driven by an input script that quits once the window is shown.
//
// Timed beside `cat FILE > OUT` on the same file, in interleaved
// rounds; the medians are compared. Targets: opening takes at most 25 times
// cat's time and at most 0.225 s, and a file with points at most 1.3 times
// the processor time of the same text without points.
//
// Usage: bench_open_file [rounds] [program folder holding nuvel]
// (default 7 rounds; the build tree's program folder, ../program beside bench/).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "bench/process_run.h"
#include "bench/scratch_folder.h"
#include "bench/windows1255_text.h"
#include "platform/program_path.h"

namespace {

namespace fs = std::filesystem;
using namespace nuvel::bench;

constexpr std::size_t kFileSize = 50u * 1024 * 1024;
constexpr double kCatTarget = 25.0;
constexpr double kPointsTarget = 1.3;
constexpr double kWallTarget = 0.225;

int Main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const fs::path built = argc > 2 ? fs::path(argv[2])
                                   : fs::path(nuvel::platform::ProgramFile()).parent_path().parent_path() / "program";
  if (!fs::exists(built / "nuvel")) {
    std::fprintf(stderr, "No program at %s\n", (built / "nuvel").c_str());
    return 2;
  }

  // A private folder for everything the program and the files need.
  const ScratchFolder scratch("nuvel-bench-open");
  const fs::path& root = scratch.Path();
  const fs::path program = root / "program";
  fs::copy(built, program, fs::copy_options::recursive);
  WriteFile(program / "NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nConversion=2\r\n");
  for (const char* d : {"config", "home", "runtime", "tmp"}) fs::create_directories(root / d);
  fs::permissions(root / "runtime", fs::perms::owner_all, fs::perm_options::replace);
  // Quit as soon as the window has been shown and painted.
  WriteFile(root / "open.script", "menu Exit1\n");
  const fs::path plainFile = root / "plain.txt";
  const fs::path pointedFile = root / "pointed.txt";
  WriteFile(plainFile, MakeWindows1255Text(kFileSize, false));
  WriteFile(pointedFile, MakeWindows1255Text(kFileSize, true));
  PrintLoad("at the start");

  const std::vector<std::string> env = {
      "QT_QPA_PLATFORM=offscreen",
      "NUVEL_INPUT_SCRIPT=" + (root / "open.script").string(),
      "XDG_CONFIG_HOME=" + (root / "config").string(),
      "HOME=" + (root / "home").string(),
      "XDG_RUNTIME_DIR=" + (root / "runtime").string(),
      "TMPDIR=" + (root / "tmp").string(),
  };
  const std::string nuvel = (program / "nuvel").string();
  // The program's output and errors go to a file; a run that fails, or
  // waits (a question on quitting), ends the benchmark.
  auto open = [&](const fs::path& file) {
    std::vector<std::string> argv = {nuvel};
    if (!file.empty()) argv.push_back(file.string());
    const ProcessResult r = Run({argv, env, {}, root / "program-output.txt", root / "program-errors.txt", {}, 120});
    if (!r.ok) throw std::runtime_error("the program failed: " + ReadFile(root / "program-errors.txt"));
    return r;
  };
  // cat writes the file's bytes to a file of its own, as a user keeps them.
  const fs::path catOut = root / "cat.out";
  auto cat = [&](const fs::path& file) {
    const ProcessResult r = Run({{"cat", file.string()}, {}, {}, catOut, {}, {}});
    if (!r.ok || ReadFile(catOut) != ReadFile(file)) throw std::runtime_error("cat failed");
    return r.wall;
  };

  // One run of each first, so that the files and the program are cached.
  open(plainFile);
  open(pointedFile);
  cat(plainFile);
  std::vector<double> catPlain, catPointed, openPlain, openPointed, cpuPlain, cpuPointed, startAlone;
  for (int r = 0; r < rounds; ++r) {
    catPlain.push_back(cat(plainFile));
    ProcessResult o = open(plainFile);
    openPlain.push_back(o.wall);
    cpuPlain.push_back(o.user + o.system);
    catPointed.push_back(cat(pointedFile));
    o = open(pointedFile);
    openPointed.push_back(o.wall);
    cpuPointed.push_back(o.user + o.system);
    startAlone.push_back(open({}).wall);
  }
  const double cp = Median(catPlain), cq = Median(catPointed);
  const double op = Median(openPlain), oq = Median(openPointed);
  std::printf("files: %.1f MB without points, %.1f MB with points; medians of %d interleaved rounds\n",
              fs::file_size(plainFile) / 1048576.0, fs::file_size(pointedFile) / 1048576.0, rounds);
  std::printf("cat without points:  %7.3f s   open: %7.3f s wall, %7.3f s CPU\n", cp, op, Median(cpuPlain));
  std::printf("cat with points:     %7.3f s   open: %7.3f s wall, %7.3f s CPU\n", cq, oq, Median(cpuPointed));
  // What the program's start and first paint alone take, without a file.
  const double alone = Median(startAlone);
  std::printf("(start and quit without a file: %.3f s = %.1f x cat; the load itself: %.1f x cat)\n", alone,
              alone / cp, (op - alone) / cp);
  std::printf("(open with points / cat: %.1f)\n", oq / cq);
  Targets targets;
  targets.AtMost("open / cat (without points)", op / cp, kCatTarget);
  targets.AtMost("open without points, wall seconds", op, kWallTarget);
  targets.AtMost("open with points / without points (CPU)", Median(cpuPointed) / Median(cpuPlain), kPointsTarget);
  PrintLoad("at the end");
  return targets.ExitStatus();
}

}  // namespace

int main(int argc, char** argv) {
  return GuardedMain([&] { return Main(argc, argv); });
}
