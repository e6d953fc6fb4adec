// File manager figures: listing and sorting a folder of 100,000 files
// beside `ls -f FOLDER | wc -l > FILE` on the same folder, and copying a
// 1 GB file beside `cp` in the same run (target: the copy takes at most 1.5
// times as long as cp). Both sides' results are checked: the count ls gives
// against the files listed, both copies against the source. Everything goes
// into a scratch folder of the benchmark's own under TMPDIR.
//
//   bench_filelist [copy-megabytes] [rounds]   (default 1024 MB, 3 rounds)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "bench/bench_report.h"
#include "bench/process_run.h"
#include "bench/scratch_folder.h"
#include "filemanager/file_sort.h"
#include "filemanager/file_utils.h"
#include "filemanager/folder_listing.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace nuvel::bench;

namespace {

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

[[noreturn]] void Fail(const std::string& what) { throw std::system_error(errno, std::generic_category(), what); }

void MakeFiles(const fs::path& folder, int count) {
  fs::create_directories(folder);
  for (int i = 0; i < count; ++i) {
    const fs::path name = folder / ("file" + std::to_string((i * 7919) % count) + (i % 3 ? ".txt" : ".DAT"));
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) Fail(name.string());
    // Sparse sizes up to 8 GiB, so sizes over 4 GiB are sorted too.
    const int rc = ::ftruncate(fd, static_cast<off_t>((uint64_t(i) * 2654435761u) % (uint64_t{8} << 30)));
    ::close(fd);
    if (rc != 0) Fail("ftruncate " + name.string());
  }
}

void MakeBigFile(const fs::path& path, size_t megabytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) Fail(path.string());
  std::vector<char> block(size_t{1} << 20);
  uint64_t x = 88172645463325252ull;
  for (size_t m = 0; m < megabytes; ++m) {
    for (size_t i = 0; i < block.size(); i += 8) {
      x ^= x << 13;
      x ^= x >> 7;
      x ^= x << 17;
      std::memcpy(&block[i], &x, 8);
    }
    if (::write(fd, block.data(), block.size()) != static_cast<ssize_t>(block.size())) Fail("write " + path.string());
  }
  ::fsync(fd);
  ::close(fd);
}

// True when the two files hold the same bytes.
bool SameBytes(const fs::path& a, const fs::path& b) {
  if (fs::file_size(a) != fs::file_size(b)) return false;
  const int fa = ::open(a.c_str(), O_RDONLY), fb = ::open(b.c_str(), O_RDONLY);
  bool same = fa >= 0 && fb >= 0;
  constexpr size_t kBlock = size_t{1} << 20;
  std::unique_ptr<char[]> ba(new char[kBlock]), bb(new char[kBlock]);
  while (same) {
    const ssize_t na = ::read(fa, ba.get(), kBlock), nb = ::read(fb, bb.get(), kBlock);
    same = na == nb && na >= 0 && std::memcmp(ba.get(), bb.get(), static_cast<size_t>(na)) == 0;
    if (na <= 0) break;
  }
  if (fa >= 0) ::close(fa);
  if (fb >= 0) ::close(fb);
  return same;
}

int Main(int argc, char** argv) {
  const long megabytesArg = argc > 1 ? std::atol(argv[1]) : 1024;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  if (megabytesArg <= 0 || rounds <= 0) {
    std::fprintf(stderr, "usage: %s [copy-megabytes] [rounds]\n", argv[0]);
    return 2;
  }
  const auto megabytes = static_cast<size_t>(megabytesArg);
  const ScratchFolder scratch("nuvel-bench-filelist");
  constexpr int kFiles = 100000;
  const fs::path folder = scratch / "many";
  Targets targets;
  PrintLoad("at the start");

  std::printf("making %d files in %s\n", kFiles, folder.c_str());
  MakeFiles(folder, kFiles);

  // Listing, warm, in interleaved rounds; ls's count of names checked
  // against ours (it names "." and ".." too).
  std::vector<double> list, sortName, sortSize, ls;
  size_t listed = 0;
  const fs::path count = scratch / "ls-count.txt";
  for (int round = 0; round < rounds; ++round) {
    auto start = Clock::now();
    nuvel::FolderListing l = nuvel::ListFiles(folder.string(), "*.*");
    list.push_back(Since(start));
    if (l.error != 0) Fail("listing " + folder.string());
    listed = l.files.size();
    auto files = l.files;
    start = Clock::now();
    nuvel::SortFiles(files, {nuvel::kColName, true});
    sortName.push_back(Since(start));
    start = Clock::now();
    nuvel::SortFiles(files, {nuvel::kColSize, false});
    sortSize.push_back(Since(start));
    const ProcessResult r = RunShell("ls -f " + Quoted(folder) + " | wc -l > " + Quoted(count), scratch / "sh.txt");
    if (!r.ok) throw std::runtime_error("ls -f | wc -l failed");
    ls.push_back(r.wall);
    if (std::atol(ReadFile(count).c_str()) != static_cast<long>(listed) + 2)
      throw std::runtime_error("ls counted " + ReadFile(count) + " names, the listing " + std::to_string(listed));
  }
  std::printf("listed %zu files (every one looked up for size, date and kind); medians of %d rounds\n", listed,
              rounds);
  std::printf("%-28s %7.3f s\n", "list", Median(list));
  std::printf("%-28s %7.3f s\n", "sort by name", Median(sortName));
  std::printf("%-28s %7.3f s\n", "sort by size", Median(sortSize));
  std::printf("%-28s %7.3f s\n", "ls -f | wc -l > file", Median(ls));
  std::printf("%-28s %7.2f  (list and sort by name / ls -f, which reads names only)\n", "ratio to ls -f",
              (Median(list) + Median(sortName)) / Median(ls));
  fs::remove_all(folder);

  // Copy: ours and cp in interleaved rounds; each copy checked.
  const fs::path big = scratch / "big.bin";
  const fs::path ours = scratch / "copy-ours.bin", theirs = scratch / "copy-cp.bin";
  std::printf("making a %zu MB file\n", megabytes);
  MakeBigFile(big, megabytes);
  std::vector<double> copyOurs, copyCp, ratios;
  for (int round = 0; round < rounds; ++round) {
    fs::remove(ours);
    const auto start = Clock::now();
    nuvel::CopyFile(big.string(), ours.string());
    copyOurs.push_back(Since(start));
    fs::remove(theirs);
    const ProcessResult r = Run({{"cp", big.string(), theirs.string()}, {}, {}, scratch / "cp-out.txt", {}, {}});
    if (!r.ok) throw std::runtime_error("cp failed");
    copyCp.push_back(r.wall);
    ratios.push_back(copyOurs.back() / r.wall);
  }
  if (!SameBytes(big, ours)) targets.Failed("copy (file manager)", "the copy differs from the source");
  if (!SameBytes(big, theirs)) targets.Failed("cp", "cp's copy differs from the source");
  const double mb = static_cast<double>(megabytes);
  std::printf("%-28s %7.3f s  %8.1f MB/s\n", "copy (file manager)", Median(copyOurs), mb / Median(copyOurs));
  std::printf("%-28s %7.3f s  %8.1f MB/s\n", "cp", Median(copyCp), mb / Median(copyCp));
  targets.AtMost("copy time / cp time (median of pairs)", Median(ratios), 1.5);
  PrintLoad("at the end");
  return targets.ExitStatus();
}

}  // namespace

int main(int argc, char** argv) {
  return GuardedMain([&] { return Main(argc, argv); });
}
