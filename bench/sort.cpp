// Sorts 2,000,000 records of 64 bytes on disk with TFixRecSort and, in the
// same run, with GNU sort (LC_ALL=C sort -s) on the same file, and prints the
// times and their ratio. Then the sort command's whole path over a 20 MB
// Hebrew document in an editor (its lines made records, sorted, read back)
// against the sort of those records alone; target: the path costs at most
// twice the engine. Its files go into a scratch folder of its own under
// TMPDIR. Usage: bench_sort.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "bench/process_run.h"
#include "bench/scratch_folder.h"
#include "editor/heb_text_editor.h"
#include "tools/editor_hand_off.h"
#include "tools/fix_rec_sort.h"
#include "tools/sort_command.h"
#include "tools/record_compare.h"

namespace fs = std::filesystem;
using nuvel::tools::SortMethod;

namespace {

constexpr std::size_t kRecords = 2'000'000;
constexpr std::size_t kLength = 64;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Lines of 62 letters (English and Hebrew, some pointed) ended by CR LF.
void WriteRecords(const fs::path& path) {
  static const std::string letters =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789"
      "\xe0\xe1\xe2\xe3\xe4\xe5\xe6\xe7\xe8\xe9\xea\xeb\xec\xed\xee\xef\xf0\xf1\xf2\xf3\xf4\xf5\xf6\xf7\xf8\xf9\xfa"
      "\x81\x85\x8e\x95";
  std::mt19937_64 random(20261210);
  std::vector<char> bytes(kRecords * kLength);
  for (std::size_t r = 0; r < kRecords; ++r) {
    char* record = bytes.data() + r * kLength;
    // A share of records repeat a common prefix, so comparisons go deeper.
    const std::size_t shared = (r % 4 == 0) ? 20 : 0;
    for (std::size_t i = 0; i < kLength - 2; ++i) {
      record[i] = i < shared ? letters[i % 7] : letters[random() % letters.size()];
    }
    record[kLength - 2] = '\r';
    record[kLength - 1] = '\n';
  }
  std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

std::string ReadAll(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

double TimeOurs(const fs::path& in, const fs::path& out, SortMethod method, std::size_t& runs) {
  nuvel::tools::TFixRecSort sorter(kLength);
  sorter.SetMethod(method);
  const auto start = std::chrono::steady_clock::now();
  sorter.Sort(in.string(), out.string(), [](const uint8_t* a, const uint8_t* b) {
    return nuvel::tools::CompareBytesFrom({a, kLength}, {b, kLength}, 1, kLength);
  });
  runs = sorter.RunCount();
  return Seconds(start);
}

double TimeGnu(const fs::path& in, const fs::path& out) {
  const nuvel::bench::ProcessResult r =
      nuvel::bench::Run({{"sort", "-s", in.string()}, {"LC_ALL=C"}, {}, out, {}, {}});
  if (!r.ok) throw std::runtime_error("GNU sort failed");
  return r.wall;
}

// A Hebrew document of about 20 MB: lines of Hebrew words (some pointed
// letters and vowel points among them), a few Latin words and numbers.
std::string HebrewDocument() {
  std::mt19937 random(20261211);
  std::string text;
  text.reserve(20'100'000);
  while (text.size() < 20'000'000) {
    std::string line;
    const std::size_t words = 3 + random() % 10;
    for (std::size_t w = 0; w < words; ++w) {
      if (w > 0) line += ' ';
      const unsigned pick = random() % 20;
      if (pick == 0) {
        line += std::to_string(random() % 1000);
        continue;
      }
      const std::size_t length = 2 + random() % 6;
      for (std::size_t i = 0; i < length; ++i) {
        if (pick == 1) {
          line += char('a' + random() % 26);
        } else if (random() % 15 == 0) {
          line += char(0x81 + random() % 27);  // a pointed letter
        } else {
          line += char(0xE0 + random() % 27);
          if (random() % 12 == 0) line += char(0xC0 + random() % 9);  // a vowel point
        }
      }
    }
    text += line + "\r\n";
  }
  return text;
}

// False when the results differ.
bool WholePath(const fs::path& folder) {
  const std::string text = HebrewDocument();
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  nuvel::THebTextEditor document;
  document.SetEngm(false);
  document.SetWordWrap(false);
  document.LoadText(bytes);
  const nuvel::tools::TSortRecords records = nuvel::tools::SortRecords(document, true);
  const std::size_t length = records.length;
  const double mb = double(records.bytes.size()) / 1e6;
  std::printf("document: %.1f MB in %zu lines, records of %zu bytes (%.1f MB)\n", double(text.size()) / 1e6,
              records.count, length, mb);

  const fs::path in = folder / "records_in.txt";
  const fs::path out = folder / "records_out.txt";
  std::ofstream(in, std::ios::binary)
      .write(reinterpret_cast<const char*>(records.bytes.data()), std::streamsize(records.bytes.size()));
  double engine = 1e9;
  double wholePath = 1e9;
  std::vector<uint8_t> sorted;
  for (int round = 0; round < 3; ++round) {
    nuvel::tools::TFixRecSort sorter(length);
    sorter.SetMethod(SortMethod::ThreeWayMerge);
    auto start = std::chrono::steady_clock::now();
    sorter.Sort(in.string(), out.string(), [length](const uint8_t* a, const uint8_t* b) {
      return nuvel::tools::CompareSortRecords(a, b, length, false);
    });
    engine = std::min(engine, Seconds(start));

    document.LoadText(bytes);
    start = std::chrono::steady_clock::now();
    nuvel::tools::SortText(document, {true, false});
    wholePath = std::min(wholePath, Seconds(start));
    sorted = nuvel::tools::EditorLines(document);
  }
  const std::string expected = ReadAll(out);
  const bool same = std::string(sorted.begin(), sorted.end()) == expected;
  const double ratio = wholePath / engine;
  std::printf("TFixRecSort over the records (best): %.3f s  %.1f MB/s\n", engine, mb / engine);
  std::printf("whole path, editor to editor (best): %.3f s  %.1f MB/s  (result %s)\n", wholePath, mb / wholePath,
              same ? "the same" : "DIFFERENT");
  std::printf("whole path / engine: %.2f  target: at most 2.00  %s\n", ratio, ratio <= 2.0 ? "PASS" : "BELOW TARGET");
  return same;
}

int Main() {
  const nuvel::bench::ScratchFolder scratch("nuvel-bench-sort");
  const fs::path& folder = scratch.Path();
  nuvel::bench::PrintLoad("at the start");
  const fs::path in = folder / "records.txt";
  WriteRecords(in);
  std::printf("%zu records of %zu bytes (%.0f MB)\n", kRecords, kLength, double(kRecords * kLength) / 1e6);

  std::size_t runs = 0;
  const double gnu = TimeGnu(in, folder / "gnu.txt");
  const double merge = TimeOurs(in, folder / "ours_merge.txt", SortMethod::ThreeWayMerge, runs);
  const double quick = TimeOurs(in, folder / "ours_quick.txt", SortMethod::QuickSort, runs);
  const double gnuAgain = TimeGnu(in, folder / "gnu.txt");
  const double gnuBest = std::min(gnu, gnuAgain);

  const std::string expected = ReadAll(folder / "gnu.txt");
  const bool mergeSame = ReadAll(folder / "ours_merge.txt") == expected;
  const bool quickSame = ReadAll(folder / "ours_quick.txt") == expected;

  std::printf("runs on disk: %zu\n", runs);
  std::printf("GNU sort (LC_ALL=C sort -s):     %.3f s (best of two)\n", gnuBest);
  std::printf("TFixRecSort, three-way merge:     %.3f s  ratio %.2f  output %s\n", merge, merge / gnuBest,
              mergeSame ? "equal" : "DIFFERENT");
  std::printf("TFixRecSort, quicksort:           %.3f s  ratio %.2f  output %s\n", quick, quick / gnuBest,
              quickSame ? "equal" : "DIFFERENT");
  std::printf("target: ratio at most 1.50  %s\n", merge / gnuBest <= 1.5 ? "PASS" : "BELOW TARGET");
  const bool pathSame = WholePath(folder);
  return mergeSame && quickSame && pathSame ? 0 : 2;
}

}  // namespace

int main() { return nuvel::bench::GuardedMain(Main); }
