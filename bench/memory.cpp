// Memory of the running program: the built program is started as its own
// process (offscreen, in a private program, settings, runtime and temporary
// folder) and driven by an input script; its peak resident memory is read
// from the system when it ends. Three runs:
//   - the empty program, started and closed: the baseline;
//   - a 50 MB document opened, then the program closed;
//   - a 200 MB document opened and saved, then the program closed.
// The text is mixed Hebrew and English paragraphs in Windows-1255 with CR LF
// line ends (20,000 paragraphs a megabyte). Each ratio is the peak beyond
// the empty program over the text's size, printed against its target.
//   bench_memory [program-folder] [open-MB] [save-MB]
// The program folder is the build's "program" folder (found beside the
// benchmark's own folder when not given); the sizes default to 50 and 200.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/mixed_text.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The storage benchmark's paragraphs, each ended by CR LF.
std::string MakeText(double megabytes) {
  return nuvel::bench::MakeMixedText(static_cast<uint32_t>(megabytes * 20000)) + "\r\n";
}

void Write(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

struct RunResult {
  bool ok = false;
  double peakMiB = 0;
  double seconds = 0;
};

// A private copy of the program folder and folders of its own, so that no
// other running copy of the program answers it and nothing of the user's is
// touched.
class Sandbox {
 public:
  Sandbox(const fs::path& programFolder) {
    const fs::path base = fs::temp_directory_path();
    std::string name = (base / "nuvel-bench-memory-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr) {
      std::perror("mkdtemp");
      std::exit(2);
    }
    root = name;
    program = root / "program";
    documents = root / "documents";
    fs::copy(programFolder, program, fs::copy_options::recursive);
    for (const char* sub : {"documents", "config", "home", "runtime", "tmp"}) fs::create_directories(root / sub);
    fs::permissions(root / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    Write(program / "NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n");
  }
  ~Sandbox() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }

  // Runs the program with `script` and `file` (none when empty).
  RunResult Run(const std::string& script, const fs::path& file) const {
    const fs::path scriptFile = root / "input.script";
    Write(scriptFile, script);
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string entry = *e;
      for (const char* drop : {"QT_QPA_PLATFORM=", "NUVEL_INPUT_SCRIPT=", "XDG_CONFIG_HOME=", "HOME=",
                               "XDG_RUNTIME_DIR=", "TMPDIR=", "DISPLAY=", "WAYLAND_DISPLAY="})
        if (entry.rfind(drop, 0) == 0) goto skip;
      env.push_back(entry);
    skip:;
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("NUVEL_INPUT_SCRIPT=" + scriptFile.string());
    env.push_back("XDG_CONFIG_HOME=" + (root / "config").string());
    env.push_back("HOME=" + (root / "home").string());
    env.push_back("XDG_RUNTIME_DIR=" + (root / "runtime").string());
    env.push_back("TMPDIR=" + (root / "tmp").string());
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string exe = (program / "nuvel").string();
    std::string arg = file.string();
    std::vector<char*> argv{exe.data()};
    if (!file.empty()) argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const std::string errors = (root / "errors.txt").string();
    posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    // The program's working folder is the documents folder.
    const std::string cwd = documents.string();
    posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    pid_t pid = 0;
    const auto t0 = Clock::now();
    const int spawned = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    RunResult result;
    if (spawned != 0) {
      std::fprintf(stderr, "cannot start %s: %s\n", exe.c_str(), std::strerror(spawned));
      return result;
    }
    int status = 0;
    struct rusage usage {};
    if (::wait4(pid, &status, 0, &usage) != pid) return result;
    result.seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    result.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!result.ok) {
      std::fprintf(stderr, "the program ended with status %d; its errors:\n", status);
      std::ifstream in(errors);
      std::string line;
      while (std::getline(in, line)) std::fprintf(stderr, "  %s\n", line.c_str());
    }
    return result;
  }

  fs::path root, program, documents;
};

const char* Verdict(double ratio, double target) { return ratio <= target ? "PASS" : "BELOW TARGET"; }

fs::path DefaultProgramFolder(const char* argv0) {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) self = fs::absolute(argv0);
  return self.parent_path().parent_path() / "program";
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path programFolder = argc > 1 ? fs::path(argv[1]) : DefaultProgramFolder(argv[0]);
  const double openMB = argc > 2 ? std::atof(argv[2]) : 50;
  const double saveMB = argc > 3 ? std::atof(argv[3]) : 200;
  if (!fs::exists(programFolder / "nuvel") || openMB <= 0 || saveMB <= 0) {
    std::fprintf(stderr, "usage: %s [program-folder] [open-MB] [save-MB]\n(no program at %s)\n", argv[0],
                 (programFolder / "nuvel").c_str());
    return 2;
  }
  const Sandbox box(programFolder);
  const double MiB = 1024.0 * 1024.0;

  // The empty program; the best of two, as a run may meet a busy machine.
  RunResult empty = box.Run("wait 500\nmenu Exit1\n", {});
  const RunResult again = box.Run("wait 500\nmenu Exit1\n", {});
  if (again.ok && (!empty.ok || again.peakMiB < empty.peakMiB)) empty = again;
  if (!empty.ok) return 1;
  std::printf("empty program: peak %.1f MiB\n", empty.peakMiB);

  // A document opened, the program closed.
  double openRatio = 0;
  bool openOk = false;
  {
    const fs::path file = box.documents / "open.txt";
    const std::string text = MakeText(openMB);
    Write(file, text);
    const double size = static_cast<double>(text.size());
    const RunResult r = box.Run("wait 300\nmenu Exit1\nwait 300\nkey N\n", file);
    openOk = r.ok;
    openRatio = (r.peakMiB - empty.peakMiB) * MiB / size;
    std::printf("%.0f MB document open: text %.1f MiB, peak %.1f MiB (%.1f s)%s\n", openMB, size / MiB, r.peakMiB,
                r.seconds, r.ok ? "" : " FAILED");
    fs::remove(file);
  }

  // A document opened and saved, the program closed.
  double saveRatio = 0;
  bool saveOk = false;
  {
    const fs::path file = box.documents / "save.txt";
    std::string text = MakeText(saveMB);
    Write(file, text);
    const double size = static_cast<double>(text.size());
    const auto before = fs::last_write_time(file);
    // The text is not needed while the program runs; its memory is given back.
    const std::string copy = text;
    std::string().swap(text);
    const RunResult r = box.Run("wait 300\nmenu Save1\nwait 300\nmenu Exit1\nwait 300\nkey N\n", file);
    std::string saved;
    {
      std::ifstream in(file, std::ios::binary);
      saved.assign(std::istreambuf_iterator<char>(in), {});
    }
    const bool written = fs::last_write_time(file) != before;
    saveOk = r.ok && written;
    saveRatio = (r.peakMiB - empty.peakMiB) * MiB / size;
    std::printf("%.0f MB document opened and saved: text %.1f MiB, peak %.1f MiB (%.1f s)%s; saved file %s\n",
                saveMB, size / MiB, r.peakMiB, r.seconds, r.ok ? "" : " FAILED",
                !written ? "NOT WRITTEN" : saved == copy ? "the same bytes" : "DIFFERENT BYTES");
    fs::remove(file);
  }

  std::printf("\nratios: peak beyond the empty program / text size (target)\n");
  std::printf("  %.0f MB document open        %.2f (<= 2.5)  %s\n", openMB, openRatio,
              openOk ? Verdict(openRatio, 2.5) : "FAILED");
  std::printf("  %.0f MB document open + save %.2f (<= 3)    %s\n", saveMB, saveRatio,
              saveOk ? Verdict(saveRatio, 3) : "FAILED");
  return 0;
}
