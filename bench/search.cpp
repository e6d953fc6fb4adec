// The editor's search and replace over a 50 MB Hebrew document opened from
// a text of other programs, so that it is searched through each
// paragraph's reading order: a common 6-byte Hebrew word, a common English
// word (kept reversed in the document), a phrase of both and a rare word,
// every occurrence found one after another as Find Next does, forwards and
// backwards, exact and without regard to case, against `grep -c -F WORD
// FILE > OUT` (LC_ALL=C) over the text as a file, in interleaved rounds;
// grep's count of lines is checked against the lines the editor found the
// word in. Then the engine's Replace All of a common word, its result
// checked against `LC_ALL=C sed`. Targets: every search at least half of
// grep's speed (ratio >= 0.5), Replace All at least 50 MB/s.
//
//   bench_search [rounds]   (default 3)
#include <algorithm>
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
#include "bench/storage_order_text.h"
#include "editor/heb_text_editor.h"
#include "editor/search_options.h"
#include "tools/editor_hand_off.h"

namespace fs = std::filesystem;
using nuvel::THebTextEditor;
using namespace nuvel::bench;

namespace {

constexpr std::size_t kTextBytes = 50'000'000;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::string Word(std::mt19937& random, bool hebrew) {
  std::string word;
  const std::size_t length = 2 + random() % 6;
  for (std::size_t i = 0; i < length; ++i) word += hebrew ? char(0xE0 + random() % 27) : char('a' + random() % 26);
  return word;
}

// grep's count of the lines that hold the word, its output written to a
// file as a user gets it; answers grep's wall time.
double GrepSeconds(const ScratchFolder& scratch, const fs::path& file, const std::string& word, bool ignoreCase,
                   long& lines) {
  std::vector<std::string> argv = {"grep", "-c", "-F"};
  if (ignoreCase) argv.push_back("-i");
  argv.insert(argv.end(), {"-e", word, file.string()});
  const ProcessResult r = Run({argv, {"LC_ALL=C"}, {}, scratch / "grep.txt", {}, {}});
  if (!r.ok) throw std::runtime_error("grep failed or found nothing");
  lines = std::atol(ReadFile(scratch / "grep.txt").c_str());
  return r.wall;
}

struct Matches {
  int count = 0;  // every occurrence
  long lines = 0;  // the paragraphs that hold one
};

// Every occurrence found one after another, as Find Next runs.
Matches FindAll(THebTextEditor& e, const std::string& word, uint16_t options) {
  const bool backwards = (options & nuvel::kSearchBackwards) != 0;
  if (backwards) {
    e.MoveCaretToPara(e.ParaCount(), e.ParaLength(e.ParaCount()) + 1, false);
  } else {
    e.MoveCaretToPara(1, 1, false);
  }
  Matches m;
  int32_t lastPara = -1;
  while (e.FindText(word, options)) {
    ++m.count;
    if (e.SelBegin().Para != lastPara) ++m.lines;
    lastPara = e.SelBegin().Para;
  }
  return m;
}

int Main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
  if (rounds <= 0) {
    std::fprintf(stderr, "usage: %s [rounds]\n", argv[0]);
    return 2;
  }
  const ScratchFolder scratch("nuvel-bench-search");
  PrintLoad("at the start");
  std::mt19937 random(20261210);
  std::vector<std::string> english, hebrew;
  for (int i = 0; i < 1500; ++i) english.push_back(Word(random, false));
  for (int i = 0; i < 3000; ++i) hebrew.push_back(Word(random, true));
  // The common 6-byte word: about one word in 400.
  const std::string common = "\xF9\xEC\xE5\xED\xE9\xED";
  const std::string commonEnglish = "Search";
  const std::string rare = "\xE6\xF7\xF0\xE4\xF8\xE0";  // once, near the end
  // The common Hebrew word before the common English one: a match that is
  // no one stretch of the stored text.
  const std::string phrase = common + " " + commonEnglish;

  std::string text;
  text.reserve(kTextBytes + 100);
  std::size_t lineLength = 0;
  while (text.size() < kTextBytes) {
    if (lineLength > 0) text += ' ';
    const unsigned pick = random() % 800;
    if (pick < 2) {
      text += common;
    } else if (pick < 4) {
      text += commonEnglish;
    } else if (pick < 200) {
      text += english[random() % english.size()];
    } else {
      text += hebrew[random() % hebrew.size()];
    }
    if ((lineLength += 6) > 70) {
      text += "\r\n";
      lineLength = 0;
    }
  }
  // Lines end without blanks, which opening would drop.
  if (lineLength > 0) text += "\r\n";
  text += rare + "\r\n";
  const fs::path file = scratch / "text.txt";
  WriteFile(file, text);
  const double mb = double(text.size()) / 1e6;

  // The document as opening the file makes it: Hebrew, in storage order.
  THebTextEditor e;
  e.SetEngm(false);
  {
    const std::string stored = StorageOrderText(false, text);
    e.LoadText(std::span(reinterpret_cast<const uint8_t*>(stored.data()), stored.size()));
  }
  std::printf("document: %.1f MB, %d paragraphs\n", mb, e.ParaCount());

  struct Case {
    const char* name;
    std::string word;
    uint16_t options;
  };
  const Case cases[] = {
      {"common Hebrew word, forwards, exact", common, nuvel::kSearchMatchCase},
      {"common Hebrew word, backwards, exact", common, nuvel::kSearchMatchCase | nuvel::kSearchBackwards},
      {"common English word, forwards, any case", "SEARCH", 0},
      {"common English word, backwards, any case", "SEARCH", nuvel::kSearchBackwards},
      {"rare word, forwards, exact", rare, nuvel::kSearchMatchCase},
      {"rare word, backwards, exact", rare, nuvel::kSearchMatchCase | nuvel::kSearchBackwards},
      {"rare word, forwards, any case", rare, 0},
      {"Hebrew and English phrase, forwards, exact", phrase, nuvel::kSearchMatchCase},
  };
  Targets targets;
  for (const Case& c : cases) {
    std::vector<double> ours, grep, ratios;
    Matches m;
    long grepLines = 0;
    bool same = true;
    for (int round = 0; round < rounds; ++round) {
      auto start = std::chrono::steady_clock::now();
      m = FindAll(e, c.word, c.options);
      ours.push_back(Seconds(start));
      grep.push_back(GrepSeconds(scratch, file, c.word, (c.options & nuvel::kSearchMatchCase) == 0, grepLines));
      ratios.push_back(grep.back() / ours.back());  // our speed over grep's
      same = same && grepLines == m.lines;
    }
    std::printf("%-42s %7d found in %ld lines  %8.1f MB/s  grep -c %8.1f MB/s\n", c.name, m.count, m.lines,
                mb / Median(ours), mb / Median(grep));
    if (!same) {
      targets.Failed(c.name, "grep counted " + std::to_string(grepLines) + " lines");
      continue;
    }
    targets.AtLeast(std::string(c.name) + ", speed / grep's", Median(ratios), 0.5);
  }

  // Replace All of the common word over the whole document, one undo step,
  // against sed over the file.
  const std::string replacement = "\xEE\xEC\xE4";
  int replaced = 0;
  const auto start = std::chrono::steady_clock::now();
  replaced = e.ReplaceText(common, replacement, nuvel::kSearchReplaceAll | nuvel::kSearchFromStart |
                                                    nuvel::kSearchMatchCase);
  const double replaceSeconds = Seconds(start);
  std::printf("Replace All of the common word (the engine alone): %d made\n", replaced);
  {
    std::string ours;
    nuvel::tools::EmitEditorLines(
        e, [&ours](std::span<const uint8_t> piece) { ours.append(piece.begin(), piece.end()); }, false);
    const ProcessResult r = Run({{"sed", "s/" + common + "/" + replacement + "/g", file.string()},
                                 {"LC_ALL=C"}, {}, scratch / "sed.txt", {}, {}});
    if (!r.ok) throw std::runtime_error("sed failed");
    if (ours != ReadFile(scratch / "sed.txt")) targets.Failed("Replace All, result", "differs from sed's");
  }
  targets.AtLeast("Replace All (the engine alone), MB/s", mb / replaceSeconds, 50.0);
  PrintLoad("at the end");
  return targets.ExitStatus();
}

}  // namespace

int main(int argc, char** argv) {
  return GuardedMain([&] { return Main(argc, argv); });
}
