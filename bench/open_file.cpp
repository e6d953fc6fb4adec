// Opening a 50 MB Windows-1255 text file in the built program, as a user
// does from the command line: start, load with the Windows-1255 conversion,
// first paint, quit. The program runs as its own process on the offscreen
// platform with a private program, settings, runtime and temporary folder,
// driven by an input script that quits once the window is shown.
//
// Timed beside `cat FILE > OUT` on the same file, in interleaved
// rounds; the medians are compared. Targets: opening takes at most 25 times
// cat's time, and a file with points at most 1.3 times the same text
// without points.
//
// Usage: bench_open_file [rounds] [program folder holding nuvel]
// (default 5 rounds; the build tree's program folder, ../program beside bench/).
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/program_path.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileSize = 50u * 1024 * 1024;
constexpr double kCatTarget = 25.0;
constexpr double kPointsTarget = 1.3;

// Windows-1255 text of the same words with or without points: Hebrew words,
// English words, digits, CR LF line ends, lines of 40 to 120 bytes.
std::string MakeFile(bool points) {
  std::mt19937 random(5786);
  const char* english[] = {"the", "editor", "opens", "text", "files", "of", "Hebrew", "and", "English"};
  // Words as letters, each letter with its points (empty without points) in
  // Unicode's canonical order, as saving writes them: the file comes back
  // unchanged and the document is not marked modified.
  struct Letter {
    uint8_t letter;
    std::vector<uint8_t> points;
  };
  const std::vector<std::vector<Letter>> hebrew = {
      {{0xF9, {0xC8, 0xD1}}, {0xEC, {}}, {0xE5, {0xC9}}, {0xED, {}}},
      {{0xE1, {0xC0, 0xCC}}, {0xF8, {0xC5}}, {0xE0, {}}, {0xF9, {0xC4, 0xD1}}, {0xE9, {}}, {0xFA, {}}},
      {{0xF1, {0xC5}}, {0xF4, {0xC6}}, {0xF8, {}}},
      {{0xF9, {0xC8, 0xCC, 0xD1}}, {0xEE, {0xC7}}, {0xE9, {}}, {0xED, {}}},
      {{0xE3, {0xC8}}, {0xE1, {0xC8}}, {0xF8, {}}},
      {{0xF9, {0xC8, 0xD2}}, {0xF0, {0xC8}}, {0xE4, {}}},
      {{0xEB, {0xC0, 0xCC}}, {0xFA, {0xC8}}, {0xE1, {0xC4, 0xCC}}, {0xE9, {}}, {0xED, {}}},
      {{0xEC, {0xC9}}, {0xE0, {}}},
  };
  std::string text;
  text.reserve(kFileSize + 256);
  std::size_t lineStart = 0;
  std::size_t lineLength = 40 + random() % 81;
  while (text.size() < kFileSize) {
    if (random() % 3 == 0) {
      text += english[random() % std::size(english)];
    } else {
      for (const Letter& l : hebrew[random() % hebrew.size()]) {
        text += static_cast<char>(l.letter);
        if (points) {
          for (uint8_t p : l.points) text += static_cast<char>(p);
        }
      }
    }
    if (text.size() - lineStart >= lineLength) {
      text += "\r\n";
      lineStart = text.size();
      lineLength = 40 + random() % 81;
    } else {
      text += ' ';
    }
  }
  return text;
}

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Runs `argv` with `env` added to this process's environment, its output
// to /dev/null (or to the file `out` when given, created or emptied);
// answers its wall time, or a negative time when it failed or did not end
// within two minutes (a question on quitting would hold it).
double RunTimed(const std::vector<std::string>& argv, const std::vector<std::string>& env, const char* out = nullptr) {
  const double start = Now();
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
    const int devnull = out ? open(out, O_WRONLY | O_CREAT | O_TRUNC, 0644) : open("/dev/null", O_WRONLY);
    if (devnull >= 0) {
      dup2(devnull, 1);
      dup2(devnull, 2);
    }
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (Now() - start > 120) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    usleep(1000);
  }
  const double seconds = Now() - start;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

const char* AtMost(double ratio, double target) { return ratio <= target ? "PASS" : "BELOW TARGET"; }

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const fs::path built = argc > 2 ? fs::path(argv[2])
                                   : fs::path(nuvel::platform::ProgramFile()).parent_path().parent_path() / "program";
  if (!fs::exists(built / "nuvel")) {
    std::fprintf(stderr, "No program at %s\n", (built / "nuvel").c_str());
    return 2;
  }

  // A private folder for everything the program and the files need.
  std::string pattern = (fs::temp_directory_path() / "nuvel-open-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return 2;
  const fs::path root = pattern;
  const fs::path program = root / "program";
  fs::copy(built, program, fs::copy_options::recursive);
  std::ofstream(program / "NuvelW.INI", std::ios::binary)
      << "[StartUp]\r\nEng_Prompts=English\r\n[GENPREFS]\r\nConversion=2\r\n";
  for (const char* d : {"config", "home", "runtime", "tmp"}) fs::create_directories(root / d);
  fs::permissions(root / "runtime", fs::perms::owner_all, fs::perm_options::replace);
  // Quit as soon as the window has been shown and painted.
  std::ofstream(root / "open.script") << "menu Exit1\n";
  const fs::path plainFile = root / "plain.txt";
  const fs::path pointedFile = root / "pointed.txt";
  std::ofstream(plainFile, std::ios::binary) << MakeFile(false);
  std::ofstream(pointedFile, std::ios::binary) << MakeFile(true);

  const std::vector<std::string> env = {
      "QT_QPA_PLATFORM=offscreen",
      "NUVEL_INPUT_SCRIPT=" + (root / "open.script").string(),
      "XDG_CONFIG_HOME=" + (root / "config").string(),
      "HOME=" + (root / "home").string(),
      "XDG_RUNTIME_DIR=" + (root / "runtime").string(),
      "TMPDIR=" + (root / "tmp").string(),
  };
  const std::string nuvel = (program / "nuvel").string();
  auto open = [&](const fs::path& file) { return RunTimed({nuvel, file.string()}, env); };
  // cat writes the file's bytes to a file of its own, as a user keeps them.
  const fs::path catOut = root / "cat.out";
  auto cat = [&](const fs::path& file) {
    const double t = RunTimed({"/bin/cat", file.string()}, {}, catOut.c_str());
    return fs::file_size(catOut) == fs::file_size(file) ? t : -1;
  };

  // One run of each first, so that the files and the program are cached.
  if (open(plainFile) < 0 || open(pointedFile) < 0 || cat(plainFile) < 0) {
    std::fprintf(stderr, "The program or cat failed (did the program ask a question on quitting?).\n");
    return 2;
  }
  std::vector<double> catPlain, catPointed, openPlain, openPointed, startAlone;
  for (int r = 0; r < rounds; ++r) {
    catPlain.push_back(cat(plainFile));
    openPlain.push_back(open(plainFile));
    catPointed.push_back(cat(pointedFile));
    openPointed.push_back(open(pointedFile));
    startAlone.push_back(RunTimed({nuvel}, env));
  }
  const double cp = Median(catPlain), cq = Median(catPointed);
  const double op = Median(openPlain), oq = Median(openPointed);
  std::printf("files: %.1f MB without points, %.1f MB with points; medians of %d interleaved rounds\n",
              fs::file_size(plainFile) / 1048576.0, fs::file_size(pointedFile) / 1048576.0, rounds);
  std::printf("cat without points:  %7.3f s   open: %7.3f s\n", cp, op);
  std::printf("cat with points:     %7.3f s   open: %7.3f s\n", cq, oq);
  const double ratioCat = op / cp;
  const double ratioPoints = oq / op;
  std::printf("open / cat (without points):        %6.1f  target <= %.0f   %s\n", ratioCat, kCatTarget,
              AtMost(ratioCat, kCatTarget));
  std::printf("open with points / without points:  %6.2f  target <= %.1f  %s\n", ratioPoints, kPointsTarget,
              AtMost(ratioPoints, kPointsTarget));
  std::printf("(open with points / cat: %.1f)\n", oq / cq);
  // What the program's start and first paint alone take, without a file.
  const double alone = Median(startAlone);
  std::printf("(start and quit without a file: %.3f s = %.1f x cat; the load itself: %.1f x cat)\n", alone, alone / cp,
              (op - alone) / cp);
  std::error_code ignored;
  fs::remove_all(root, ignored);
  const bool all = ratioCat <= kCatTarget && ratioPoints <= kPointsTarget;
  std::printf("all targets: %s\n", all ? "PASS" : "BELOW TARGET");
  return all ? 0 : 1;
}
