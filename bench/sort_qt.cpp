// The sort, three ways:
// - the Sort command as a user runs it: the program opens a Windows-1255
//   file of 2,000,000 lines of Hebrew and English words, the Sort command's
//   dialog is answered (line sort, not case sensitive) and the command sorts
//   the document (its lines handed to the external sort and read back);
//   beside `LC_ALL=C sort -s -f --parallel=N FILE > OUT`, N the threads our
//   sort uses, in interleaved rounds; the program's result, saved, is
//   checked against sort's. Target: at most sort's time.
// - the engine: 2,000,000 records of 64 bytes on disk with TFixRecSort,
//   beside `LC_ALL=C sort -s` on the same file (target: at most 1.5 times
//   its time);
// - the command's path without the program around it, over a 20 MB Hebrew
//   document in an editor (its lines made records, sorted, read back),
//   against the sort of those records alone (target: at most twice).
// Its files go into a scratch folder of its own under TMPDIR.
//
//   bench_sort [rounds] [lines]   (default 3 rounds, 2,000,000 lines)
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "bench/process_run.h"
#include "bench/program_session_qt.h"
#include "bench/scratch_folder.h"
#include "editor/heb_text_editor.h"
#include "tools/editor_hand_off.h"
#include "tools/fix_rec_sort.h"
#include "tools/sort_command.h"
#include "tools/record_compare.h"
#include "tools/sort_form_qt.h"

namespace fs = std::filesystem;
using nuvel::tools::SortMethod;
using namespace nuvel::bench;

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
  const ProcessResult r = Run({{"sort", "-s", in.string()}, {"LC_ALL=C"}, {}, out, {}, {}});
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

void WholePath(const fs::path& folder, Targets& targets) {
  const std::string text = HebrewDocument();
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  nuvel::THebTextEditor document;
  document.SetEngm(false);
  document.SetWordWrap(false);
  document.LoadText(bytes);
  const nuvel::tools::TSortRecords records = nuvel::tools::SortRecords(document, true);
  constexpr std::size_t length = nuvel::tools::kSortRecordLength;
  const double mb = double(text.size()) / 1e6;
  std::printf("document: %.1f MB in %zu lines, records of %zu bytes (%.1f MB)\n", mb, records.count, length,
              double(records.bytes.size()) / 1e6);

  const fs::path in = folder / "records_in.txt";
  const fs::path out = folder / "records_out.txt";
  std::ofstream(in, std::ios::binary)
      .write(reinterpret_cast<const char*>(records.bytes.data()), std::streamsize(records.bytes.size()));
  double engine = 1e9;
  double wholePath = 1e9;
  bool same = true;
  for (int round = 0; round < 3; ++round) {
    nuvel::tools::TFixRecSort sorter(length);
    sorter.SetMethod(SortMethod::ThreeWayMerge);
    auto start = std::chrono::steady_clock::now();
    sorter.Sort(in.string(), out.string(), [](const uint8_t* a, const uint8_t* b) {
      return std::memcmp(a, b, nuvel::tools::kSortKeyLength);
    });
    engine = std::min(engine, Seconds(start));

    document.LoadText(bytes);
    start = std::chrono::steady_clock::now();
    nuvel::tools::SortText(document, {true, false});
    wholePath = std::min(wholePath, Seconds(start));
    // The result holds every line, their keys in order, the same keys the
    // engine's sorted records hold.
    const nuvel::tools::TSortRecords result = nuvel::tools::SortRecords(document, true);
    const std::string sortedKeys = ReadAll(out);
    same = same && result.count == records.count;
    for (std::size_t r = 0; same && r < result.count; ++r) {
      same = std::memcmp(result.bytes.data() + r * length, sortedKeys.data() + r * length,
                         nuvel::tools::kSortKeyLength) == 0;
    }
  }
  const double ratio = wholePath / engine;
  std::printf("TFixRecSort over the records (best): %.3f s  %.1f MB/s\n", engine, mb / engine);
  std::printf("whole path, editor to editor (best): %.3f s  %.1f MB/s  (result %s)\n", wholePath, mb / wholePath,
              same ? "the same" : "DIFFERENT");
  if (!same) targets.Failed("command path", "its result differs from the engine's");
  targets.AtMost("command path / engine (best of 3)", ratio, 2.0);
}

// The threads the program's sort uses: `sort --parallel` is given as many.
constexpr int kOurThreads = 1;

// Lines of Hebrew words and English words of mixed case, Windows-1255 with
// CR LF ends, as another program writes them (none with the same first 50
// characters, so that sorting on the key alone and on the whole line agree).
std::string SortText(std::size_t lines) {
  std::mt19937 random(1207);
  std::string text;
  text.reserve(lines * 86);
  for (std::size_t l = 0; l < lines; ++l) {
    const std::size_t start = text.size();
    const std::size_t length = 30 + random() % 111;
    while (text.size() - start < length) {
      if (text.size() > start) text += ' ';
      const std::size_t n = 2 + random() % 6;
      if (random() % 3 == 0) {
        for (std::size_t i = 0; i < n; ++i) text += static_cast<char>((random() % 4 ? 'a' : 'A') + random() % 26);
      } else {
        for (std::size_t i = 0; i < n; ++i) text += static_cast<char>(0xE0 + random() % 27);
      }
    }
    text += "\r\n";
  }
  return text;
}

// How many lines of the program's result differ from the lines of GNU
// sort's, place by place; blanks at the ends of the lines are not compared.
std::size_t LinesOutOfPlace(const std::string& ours, const std::string& theirs) {
  std::size_t differing = 0, a = 0, b = 0;
  while (a < ours.size() || b < theirs.size()) {
    std::size_t ea = std::min(ours.find("\r\n", a), ours.size());
    const std::size_t eb = std::min(theirs.find("\r\n", b), theirs.size());
    const std::size_t nextA = std::min(ea + 2, ours.size()), nextB = std::min(eb + 2, theirs.size());
    while (ea > a && ours[ea - 1] == ' ') --ea;
    if (ours.compare(a, ea - a, theirs, b, eb - b) != 0) ++differing;
    a = nextA;
    b = nextB;
  }
  return differing;
}

// The Sort command from the main window, against GNU sort's.
void Command(const ScratchFolder& scratch, std::size_t lines, int rounds, Targets& targets) {
  const std::string text = SortText(lines);
  const fs::path file = scratch / "lines.txt", original = scratch / "original.txt", gnuOut = scratch / "sorted.txt";
  WriteFile(original, text);
  ProgramSession session(scratch, "[GENPREFS]\r\nConversion=2\r\n");
  std::vector<double> ours, gnu, ratios;
  std::size_t differing = 0;
  for (int round = 0; round < rounds; ++round) {
    WriteFile(file, text);
    session.Open(file);
    std::chrono::steady_clock::time_point clicked;
    session.WhenShown<nuvel::TSort_Form1>([&](nuvel::TSort_Form1& form) {
      // The dialog's choices as they come: line sort, not case sensitive.
      clicked = std::chrono::steady_clock::now();
      form.accept();
    });
    session.Run("Sort1");
    QApplication::processEvents();
    ours.push_back(Seconds(clicked));
    if (round == 0) {
      session.Run("Save1");
      WriteFile(scratch / "ours.txt", ReadFile(file));
    }
    session.CloseAll();
    const ProcessResult r = Run({{"sort", "-s", "-f", "--parallel=" + std::to_string(kOurThreads), original.string()},
                                 {"LC_ALL=C"}, {}, gnuOut, {}, {}});
    if (!r.ok) throw std::runtime_error("GNU sort failed");
    gnu.push_back(r.wall);
    ratios.push_back(ours.back() / r.wall);
    if (round == 0) differing = LinesOutOfPlace(ReadFile(scratch / "ours.txt"), ReadFile(gnuOut));
  }
  std::printf("Sort command over %zu lines (%.1f MB): %.3f s; sort -s -f --parallel=%d: %.3f s\n", lines,
              text.size() / 1048576.0, Median(ours), kOurThreads, Median(gnu));
  targets.AtMost("Sort command / sort -s -f (median of pairs)", Median(ratios), 1.0);
  if (differing != 0)
    targets.Failed("Sort command, result",
                   std::to_string(differing) + " lines stand elsewhere than in GNU sort's order");
}

int Main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
  const long lines = argc > 2 ? std::atol(argv[2]) : 2'000'000;
  if (rounds <= 0 || lines <= 0) {
    std::fprintf(stderr, "usage: %s [rounds] [lines]\n", argv[0]);
    return 2;
  }
  const ScratchFolder scratch("nuvel-bench-sort");
  const fs::path& folder = scratch.Path();
  PrintLoad("at the start");
  Targets targets;
  Command(scratch, static_cast<std::size_t>(lines), rounds, targets);
  PrintLoad("after the command");

  const fs::path in = folder / "records.txt";
  WriteRecords(in);
  std::printf("%zu records of %zu bytes (%.0f MB)\n", kRecords, kLength, double(kRecords * kLength) / 1e6);
  std::size_t runs = 0;
  std::vector<double> merge, quick, gnu, ratios;
  for (int round = 0; round < rounds; ++round) {
    merge.push_back(TimeOurs(in, folder / "ours_merge.txt", SortMethod::ThreeWayMerge, runs));
    gnu.push_back(TimeGnu(in, folder / "gnu.txt"));
    ratios.push_back(merge.back() / gnu.back());
    quick.push_back(TimeOurs(in, folder / "ours_quick.txt", SortMethod::QuickSort, runs));
  }
  const std::string expected = ReadAll(folder / "gnu.txt");
  if (ReadAll(folder / "ours_merge.txt") != expected) targets.Failed("TFixRecSort, merge", "output differs");
  if (ReadAll(folder / "ours_quick.txt") != expected) targets.Failed("TFixRecSort, quicksort", "output differs");
  std::printf("runs on disk: %zu; medians of %d rounds\n", runs, rounds);
  std::printf("GNU sort (LC_ALL=C sort -s):     %.3f s\n", Median(gnu));
  std::printf("TFixRecSort, three-way merge:     %.3f s\n", Median(merge));
  std::printf("TFixRecSort, quicksort:           %.3f s\n", Median(quick));
  targets.AtMost("TFixRecSort merge / sort -s (median of pairs)", Median(ratios), 1.5);
  WholePath(folder, targets);
  PrintLoad("at the end");
  return targets.ExitStatus();
}

}  // namespace

int main(int argc, char** argv) {
  return GuardedMain([&] { return Main(argc, argv); });
}
