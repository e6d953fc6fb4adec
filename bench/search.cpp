// The editor's search and replace over a 50 MB Hebrew document: a common
// 6-byte word (every occurrence found one after another, as Find Next does)
// and a rare word, forwards and backwards, exact and without regard to case,
// against `grep -c` (fixed string, LC_ALL=C) over the same text as a file in
// the same run; then Replace All of a common word. Targets: every search at
// least half of grep's speed (ratio >= 0.5), Replace All at least 50 MB/s.
// Usage: bench_search [folder].
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "editor/heb_text_editor.h"
#include "editor/search_options.h"

namespace fs = std::filesystem;
using nuvel::THebTextEditor;

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

// Best of three runs of `run`, in seconds.
template <typename Run>
double Best(Run run) {
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    best = std::min(best, Seconds(start));
  }
  return best;
}

double GrepSeconds(const fs::path& file, const std::string& word, bool ignoreCase) {
  const std::string command = std::string("LC_ALL=C grep -c -F ") + (ignoreCase ? "-i " : "") + "-e '" + word +
                              "' '" + file.string() + "' >/dev/null";
  return Best([&] {
    if (std::system(command.c_str()) == -1) std::perror("grep");
  });
}

// Every occurrence found one after another, as Find Next runs.
int CountMatches(THebTextEditor& e, const std::string& word, uint16_t options) {
  const bool backwards = (options & nuvel::kSearchBackwards) != 0;
  if (backwards) {
    e.MoveCaretToPara(e.ParaCount(), e.ParaLength(e.ParaCount()) + 1, false);
  } else {
    e.MoveCaretToPara(1, 1, false);
  }
  int count = 0;
  while (e.FindText(word, options)) ++count;
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path folder = fs::path(argc > 1 ? argv[1] : fs::temp_directory_path().string()) / "nuvel_bench_search";
  fs::create_directories(folder);
  std::mt19937 random(20261210);
  std::vector<std::string> english, hebrew;
  for (int i = 0; i < 1500; ++i) english.push_back(Word(random, false));
  for (int i = 0; i < 3000; ++i) hebrew.push_back(Word(random, true));
  // The common 6-byte word: about one word in 400.
  const std::string common = "\xF9\xEC\xE5\xED\xE9\xED";
  const std::string commonEnglish = "Search";
  const std::string rare = "\xE6\xF7\xF0\xE4\xF8\xE0";  // once, near the end

  std::string text;
  text.reserve(kTextBytes + 100);
  std::size_t lineLength = 0;
  while (text.size() < kTextBytes) {
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
    text += ' ';
    if ((lineLength += 6) > 70) {
      text += "\r\n";
      lineLength = 0;
    }
  }
  text += rare + "\r\n";
  const fs::path file = folder / "text.txt";
  std::ofstream(file, std::ios::binary).write(text.data(), std::streamsize(text.size()));
  const double mb = double(text.size()) / 1e6;

  THebTextEditor e;
  e.SetEngm(false);
  e.LoadText(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
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
  };
  bool allPass = true;
  for (const Case& c : cases) {
    int count = 0;
    const double ours = Best([&] { count = CountMatches(e, c.word, c.options); });
    const double grep = GrepSeconds(file, c.word, (c.options & nuvel::kSearchMatchCase) == 0);
    const double ratio = grep / ours;  // our speed over grep's
    const bool pass = ratio >= 0.5;
    allPass = allPass && pass;
    std::printf("%-42s %7d found  %8.1f MB/s  grep -c %8.1f MB/s  ratio %.2f  %s\n", c.name, count, mb / ours,
                mb / grep, ratio, pass ? "PASS" : "BELOW TARGET");
  }

  // Replace All of the common word over the whole document, one undo step.
  int replaced = 0;
  const auto start = std::chrono::steady_clock::now();
  replaced = e.ReplaceText(common, "\xEE\xEC\xE4", nuvel::kSearchReplaceAll | nuvel::kSearchFromStart |
                                                       nuvel::kSearchMatchCase);
  const double replaceSeconds = Seconds(start);
  const bool replacePass = mb / replaceSeconds >= 50.0;
  allPass = allPass && replacePass;
  std::printf("%-42s %7d made   %8.1f MB/s  target 50 MB/s            %s\n", "Replace All of the common word",
              replaced, mb / replaceSeconds, replacePass ? "PASS" : "BELOW TARGET");
  fs::remove_all(folder);
  return allPass ? 0 : 1;
}
