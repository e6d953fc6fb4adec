// Speed and memory of the file compressors on 10 MB of Hebrew and English
// text: LZH compression and expansion file to file, and the same text saved
// as a compressed Doc e-book and read back. Prints MB/s against the targets
// and the peak memory each run added.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "bench/process_run.h"
#include "bench/scratch_folder.h"
#include "formats/doc_file.h"
#include "formats/lzh_file.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kTextSize = 10 * 1024 * 1024;
constexpr double kMB = 1024.0 * 1024.0;

// The process's peak resident memory (VmHWM), and its reset, so each run's
// own peak is seen.
long PeakKB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

long CurrentKB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

// Prose-like text of both languages (Hebrew in the system's 8-bit letters):
// a vocabulary of 4000 words whose use follows Zipf's law, with punctuation
// and CR LF line ends, written in pieces so the text is never held whole.
void WriteSampleText(const std::filesystem::path& path) {
  std::mt19937 rng(1);
  const char* english[] = {"th", "e", "an", "d", "in", "g", "to", "of", "re", "s", "a", "ed", "er", "on", "is", "t"};
  const char* hebrew[] = {"\xE4", "\xE5", "\xE9", "\xEC", "\xEE", "\xF9", "\xE1", "\xF8", "\xE0", "\xFA",
                          "\xEB", "\xF2", "\xE3", "\xF4", "\xED", "\xEF"};
  std::vector<std::string> vocabulary;
  for (int i = 0; i < 4000; ++i) {
    bool is_hebrew = i % 2 == 0;
    std::string word;
    for (unsigned k = 0, n = 1 + rng() % 4; k < n; ++k) word += (is_hebrew ? hebrew : english)[rng() % 16];
    vocabulary.push_back(word);
  }
  // Zipf: word i is used in proportion to 1 / (i + 1).
  std::vector<double> weights(vocabulary.size());
  for (std::size_t i = 0; i < weights.size(); ++i) weights[i] = 1.0 / static_cast<double>(i + 1);
  std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());

  std::ofstream out(path, std::ios::binary);
  std::string piece;
  std::size_t written = 0;
  std::size_t line = 0;
  while (written < kTextSize) {
    piece.clear();
    while (piece.size() < 65536) {
      piece += vocabulary[pick(rng)];
      line += 1;
      if (rng() % 12 == 0) piece += rng() % 2 ? "." : ",";
      if (line > 10 + rng() % 6) {
        piece += "\r\n";
        line = 0;
      } else {
        piece += ' ';
      }
    }
    std::size_t take = std::min(piece.size(), kTextSize - written);
    out.write(piece.data(), static_cast<std::streamsize>(take));
    written += take;
  }
}

bool SameFiles(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
  std::string ba(1 << 16, '\0'), bb(1 << 16, '\0');
  while (true) {
    fa.read(ba.data(), static_cast<std::streamsize>(ba.size()));
    fb.read(bb.data(), static_cast<std::streamsize>(bb.size()));
    if (fa.gcount() != fb.gcount()) return false;
    if (fa.gcount() == 0) return true;
    if (ba.compare(0, fa.gcount(), bb, 0, fb.gcount()) != 0) return false;
  }
}

void Report(const char* what, double mb, double seconds, double target) {
  double rate = mb / seconds;
  std::printf("%-28s %7.2f s  %8.1f MB/s  target %5.1f MB/s  ratio %5.2f  %s\n", what, seconds, rate, target,
              rate / target, rate >= target ? "PASS" : "BELOW TARGET");
}

int Main() {
  namespace fs = std::filesystem;
  const nuvel::bench::ScratchFolder scratch("nuvel-bench-compress");
  const fs::path& dir = scratch.Path();
  nuvel::bench::PrintLoad("at the start");
  fs::path text = dir / "text.txt", packed = dir / "text.lzh", unpacked = dir / "text.out", book = dir / "text.pdb";
  WriteSampleText(text);
  double mb = static_cast<double>(fs::file_size(text)) / kMB;
  std::printf("input: %.1f MB of Hebrew/English text\n", mb);
  bool ok = true;

  ResetPeak();
  long base = CurrentKB();
  auto t0 = Clock::now();
  nuvel::CompressReport report = nuvel::Compress(text.string(), packed.string());
  Report("LZH compress", mb, Seconds(t0), 5.0);
  t0 = Clock::now();
  nuvel::DeCompress(packed.string(), unpacked.string());
  Report("LZH expand", mb, Seconds(t0), 20.0);
  long lzh_peak = PeakKB() - base;
  std::printf("LZH compressed size: %llu bytes (%llu%%); round trip %s\n",
              static_cast<unsigned long long>(fs::file_size(packed)),
              static_cast<unsigned long long>(report.codesize * 100 / report.textsize),
              SameFiles(text, unpacked) ? "identical" : "DIFFERENT");
  ok = ok && SameFiles(text, unpacked);
  std::printf("LZH memory added at peak: %ld KB (files streamed)\n", lzh_peak);

  std::string whole(fs::file_size(text), '\0');
  std::ifstream(text, std::ios::binary).read(whole.data(), static_cast<std::streamsize>(whole.size()));
  ResetPeak();
  base = CurrentKB();
  auto doc = nuvel::TDocFile::CreateNew(book.string(), true, "Benchmark");
  t0 = Clock::now();
  doc.Save(whole);
  Report("Doc compress (save)", mb, Seconds(t0), 10.0);
  t0 = Clock::now();
  nuvel::TDocFile back(book.string());
  std::string read = back.GetText();
  Report("Doc expand (open, read)", mb, Seconds(t0), 10.0);
  std::printf("Doc file size: %llu bytes (%llu%%); round trip %s\n",
              static_cast<unsigned long long>(fs::file_size(book)),
              static_cast<unsigned long long>(fs::file_size(book) * 100 / whole.size()),
              read == whole ? "identical" : "DIFFERENT");
  ok = ok && read == whole;
  // The whole is measured from the resident set; the text read back is the
  // bytes it holds, so the working memory is what remains of the whole.
  const long added = std::max(PeakKB() - base, 0L);
  const long textKB = static_cast<long>(read.size() / 1024);
  std::printf("Doc memory added at peak: %ld KB = the text read back %ld KB + working memory %ld KB\n",
              std::max(added, textKB), textKB, std::max(added - textKB, 0L));

  // Reading against txt2pdbdoc -d on the same book, best of three
  // interleaved runs each; its text checked against ours.
  {
    const fs::path theirs = dir / "txt2pdbdoc.txt";
    double ours = 1e9, other = 1e9;
    bool ran = true;
    for (int round = 0; round < 3 && ran; ++round) {
      auto s = Clock::now();
      nuvel::TDocFile again(book.string());
      const std::string text = again.GetText();
      ours = std::min(ours, Seconds(s));
      const nuvel::bench::ProcessResult r =
          nuvel::bench::Run({{"txt2pdbdoc", "-d", book.string(), theirs.string()}, {}, {}, dir / "messages.txt", {}, {}});
      ran = r.ok;
      other = std::min(other, r.wall);
    }
    // txt2pdbdoc writes the text with LF line ends where the book has CR LF.
    std::string expected = read;
    std::erase(expected, '\r');
    if (ran && nuvel::bench::ReadFile(theirs) != expected) {
      std::printf("txt2pdbdoc -d read a different text from the book\n");
      return 2;
    }
    if (ran) {
      std::printf("Doc read %.3f s, txt2pdbdoc -d %.3f s: time ratio %.2f (target <= 1)  %s\n", ours, other,
                  ours / other, ours <= other ? "PASS" : "BELOW TARGET");
      ok = ok && ours <= other;
    } else {
      std::printf("Doc read %.3f s; txt2pdbdoc -d did not run (not installed?)\n", ours);
    }
  }
  return ok ? 0 : 1;
}

}  // namespace

int main() {
  return nuvel::bench::GuardedMain(Main);
}
