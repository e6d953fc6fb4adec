#pragma once
// Runs a program as its own process the way a user runs it from a shell:
// its standard output written to a file (never /dev/null, where some tools
// stop early), its input read from a file when given, and the system's own
// accounting of the finished run (wall, user and system time, peak memory).
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace nuvel::bench {

struct ProcessRun {
  std::vector<std::string> argv;    // argv[0] is looked up on PATH when it has no "/"
  std::vector<std::string> env;     // NAME=value entries that replace or add to this process's
  std::filesystem::path input;      // standard input; /dev/null when empty
  std::filesystem::path output;     // standard output, created or truncated; required
  std::filesystem::path errors;     // standard error; /dev/null when empty
  std::filesystem::path folder;     // working folder; this process's when empty
  double timeoutSeconds = 0;        // killed after this long (0: waited for however long)
};

struct ProcessResult {
  bool ok = false;  // exited with status 0
  int status = 0;   // as waitpid gives it
  double wall = 0, user = 0, system = 0;
  double peakMiB = 0;  // the process's peak resident memory
};

// Starts the program, waits for it and answers its figures; throws when it
// cannot be started. A run that ends with a non-zero status is answered with
// ok false: the caller says what failed.
inline ProcessResult Run(const ProcessRun& run) {
  if (run.output.empty()) throw std::logic_error("a benchmark's process needs an output file");
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    const std::string name = entry.substr(0, entry.find('=') + 1);
    bool replaced = false;
    for (const std::string& mine : run.env) replaced = replaced || mine.rfind(name, 0) == 0;
    if (!replaced) env.push_back(entry);
  }
  env.insert(env.end(), run.env.begin(), run.env.end());
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = run.argv;
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const std::string in = run.input.empty() ? "/dev/null" : run.input.string();
  const std::string out = run.output.string();
  const std::string err = run.errors.empty() ? "/dev/null" : run.errors.string();
  const std::string folder = run.folder.string();
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, args[0].c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(spawned));
  ProcessResult result;
  struct rusage usage {};
  const auto seconds = [&start] {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  for (;;) {
    const pid_t got = ::wait4(pid, &result.status, run.timeoutSeconds > 0 ? WNOHANG : 0, &usage);
    if (got == pid) break;
    if (got < 0) throw std::runtime_error("lost the process of " + args[0]);
    if (seconds() > run.timeoutSeconds) {
      ::kill(pid, SIGKILL);
      ::wait4(pid, &result.status, 0, &usage);
      throw std::runtime_error(args[0] + " did not end within " + std::to_string(run.timeoutSeconds) + " s");
    }
    ::usleep(200);
  }
  result.wall = seconds();
  result.user = static_cast<double>(usage.ru_utime.tv_sec) + usage.ru_utime.tv_usec / 1e6;
  result.system = static_cast<double>(usage.ru_stime.tv_sec) + usage.ru_stime.tv_usec / 1e6;
  result.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
  result.ok = WIFEXITED(result.status) && WEXITSTATUS(result.status) == 0;
  return result;
}

// Runs a shell command line (for a peer that is a pipeline); the line's own
// redirections say where its output goes.
inline ProcessResult RunShell(const std::string& line, const std::filesystem::path& output) {
  return Run({{"/bin/sh", "-c", line}, {}, {}, output, {}, {}});
}

// A path quoted for the shell.
inline std::string Quoted(const std::filesystem::path& path) {
  std::string q = "'";
  for (char c : path.string()) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes(std::filesystem::file_size(path), '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
    throw std::runtime_error("cannot read " + path.string());
  return bytes;
}

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace nuvel::bench
