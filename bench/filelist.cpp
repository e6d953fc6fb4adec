// File manager figures: listing and sorting a folder of 100,000 files
// against `ls -f | wc -l` on the same folder, and copying a 1 GB file
// against `cp` in the same run (target: the copy takes at most 1.5 times
// as long as cp).
//
//   bench_filelist [folder-for-the-test-files] [copy-megabytes]
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "filemanager/file_sort.h"
#include "filemanager/file_utils.h"
#include "filemanager/folder_listing.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Wall time of a shell command; negative when it failed.
double TimeShell(const std::string& command) {
  const auto start = Clock::now();
  const int rc = std::system(command.c_str());
  const double t = Since(start);
  return rc == 0 ? t : -1;
}

std::string Quoted(const std::string& path) {
  std::string q = "'";
  for (char c : path) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

void MakeFiles(const std::string& folder, int count) {
  fs::create_directories(folder);
  for (int i = 0; i < count; ++i) {
    const std::string name = folder + "/file" + std::to_string((i * 7919) % count) + (i % 3 ? ".txt" : ".DAT");
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
      std::perror(name.c_str());
      std::exit(1);
    }
    // Sparse sizes up to 8 GiB, so sizes over 4 GiB are sorted too.
    if (::ftruncate(fd, static_cast<off_t>((uint64_t(i) * 2654435761u) % (uint64_t{8} << 30))) != 0) std::perror("ftruncate");
    ::close(fd);
  }
}

void MakeBigFile(const std::string& path, size_t megabytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char> block(size_t{1} << 20);
  uint64_t x = 88172645463325252ull;
  for (size_t m = 0; m < megabytes; ++m) {
    for (size_t i = 0; i < block.size(); i += 8) {
      x ^= x << 13;
      x ^= x >> 7;
      x ^= x << 17;
      std::memcpy(&block[i], &x, 8);
    }
    if (::write(fd, block.data(), block.size()) != static_cast<ssize_t>(block.size())) {
      std::perror("write");
      std::exit(1);
    }
  }
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string base = argc > 1 ? argv[1] : (fs::temp_directory_path() / ("nuvel-bench-filelist-" + std::to_string(::getpid()))).string();
  const size_t megabytes = argc > 2 ? static_cast<size_t>(std::atol(argv[2])) : 1024;
  constexpr int kFiles = 100000;
  const std::string folder = base + "/many";
  fs::create_directories(base);

  std::printf("making %d files in %s\n", kFiles, folder.c_str());
  MakeFiles(folder, kFiles);

  // Listing: both warm, best of three.
  double list = 1e9, sortName = 1e9, sortSize = 1e9, ls = 1e9;
  size_t listed = 0;
  for (int round = 0; round < 3; ++round) {
    auto start = Clock::now();
    nuvel::FolderListing l = nuvel::ListFiles(folder, "*.*");
    list = std::min(list, Since(start));
    listed = l.files.size();
    auto files = l.files;
    start = Clock::now();
    nuvel::SortFiles(files, {nuvel::kColName, true});
    sortName = std::min(sortName, Since(start));
    start = Clock::now();
    nuvel::SortFiles(files, {nuvel::kColSize, false});
    sortSize = std::min(sortSize, Since(start));
    const double t = TimeShell("ls -f " + Quoted(folder) + " | wc -l > /dev/null");
    if (t > 0) ls = std::min(ls, t);
  }
  std::printf("listed %zu files (every one looked up for size, date and kind)\n", listed);
  std::printf("%-28s %7.3f s\n", "list", list);
  std::printf("%-28s %7.3f s\n", "sort by name", sortName);
  std::printf("%-28s %7.3f s\n", "sort by size", sortSize);
  std::printf("%-28s %7.3f s\n", "ls -f | wc -l", ls);
  std::printf("%-28s %7.2f  (list and sort by name / ls -f, which reads names only)\n", "ratio to ls -f",
              (list + sortName) / ls);
  fs::remove_all(folder);

  // Copy: ours and cp, alternating, best of two each.
  const std::string big = base + "/big.bin";
  std::printf("making a %zu MB file\n", megabytes);
  MakeBigFile(big, megabytes);
  double ours = 1e9, cp = 1e9;
  for (int round = 0; round < 2; ++round) {
    fs::remove(base + "/copy-ours.bin");
    auto start = Clock::now();
    nuvel::CopyFile(big, base + "/copy-ours.bin");
    ours = std::min(ours, Since(start));
    fs::remove(base + "/copy-cp.bin");
    const double t = TimeShell("cp " + Quoted(big) + " " + Quoted(base + "/copy-cp.bin"));
    if (t > 0) cp = std::min(cp, t);
  }
  const double mb = static_cast<double>(megabytes);
  std::printf("%-28s %7.3f s  %8.1f MB/s\n", "copy (file manager)", ours, mb / ours);
  std::printf("%-28s %7.3f s  %8.1f MB/s\n", "cp", cp, mb / cp);
  const double ratio = ours / cp;
  std::printf("%-28s %7.2f  target <= 1.50  %s\n", "copy time / cp time", ratio, ratio <= 1.5 ? "PASS" : "BELOW TARGET");
  fs::remove_all(base);
  return 0;
}
