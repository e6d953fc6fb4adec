// Replace All from the replace dialog, as a user runs it: the program opens
// a Windows-1255 file, the Replace command's dialog gets the word and its
// replacement (case sensitive, not whole words) and its Replace All button
// is clicked; the time is that of the click, repainting included. The file
// opens as a Hebrew document kept in reading order, so the dialog's word is
// found and replaced through each paragraph's logical view. Beside it
// `LC_ALL=C sed 's/WORD/NEW/g' FILE > OUT` in interleaved rounds, and the
// engine alone (the editor's ReplaceText over the same text, held in
// storage order as opening makes it). The program's
// result, saved, is checked against sed's. Three texts: 50 MB with the word
// about once in 50 words, 50 MB with it about once in 12, and 200 MB as the
// first. Targets: Replace All takes at most sed's time; the memory it takes
// beyond the open document is at most the size of the paragraphs it changed.
//
//   bench_replace [rounds] [scale]   (default 3 rounds; scale 1 = 50 and 200 MB)
#include <QApplication>
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
#include "bench/program_session_qt.h"
#include "bench/scratch_folder.h"
#include "bench/storage_order_text.h"
#include "editor/search_options.h"
#include "tools/search_dlgs_qt.h"

namespace fs = std::filesystem;
using namespace nuvel::bench;
using Clock = std::chrono::steady_clock;

namespace {

// The word replaced (shalom with a final mem doubled: no random word holds
// it) and its replacement, in Windows-1255, which is the system's set for
// unpointed letters.
const std::string kWord = "\xF9\xEC\xE5\xED\xE9\xED";
const std::string kNew = "\xEE\xEC\xE4";

// Lines of Hebrew and English words, CR LF ends, `kWord` once in about
// `every` words.
std::string MakeText(std::size_t bytes, double every, std::size_t& replacedParagraphBytes) {
  std::mt19937 random(4711);
  std::vector<std::string> hebrew, english;
  for (int i = 0; i < 3000; ++i) {
    std::string w;
    for (unsigned k = 0, n = 2 + random() % 6; k < n; ++k) w += static_cast<char>(0xE0 + random() % 27);
    hebrew.push_back(w);
  }
  for (int i = 0; i < 1000; ++i) {
    std::string w;
    for (unsigned k = 0, n = 2 + random() % 7; k < n; ++k) w += static_cast<char>('a' + random() % 26);
    english.push_back(w);
  }
  std::uniform_real_distribution<double> chance(0, 1);
  std::string text;
  text.reserve(bytes + 256);
  replacedParagraphBytes = 0;
  while (text.size() < bytes) {
    const std::size_t start = text.size();
    const std::size_t length = 40 + random() % 81;
    bool holds = false;
    while (text.size() - start < length) {
      if (text.size() > start) text += ' ';
      if (chance(random) * every < 1) {
        text += kWord;
        holds = true;
      } else if (random() % 3 == 0) {
        text += english[random() % english.size()];
      } else {
        text += hebrew[random() % hebrew.size()];
      }
    }
    if (holds) replacedParagraphBytes += text.size() - start;
    text += "\r\n";
  }
  return text;
}

long StatusKB(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(status, line))
    if (line.rfind(prefix, 0) == 0) return std::atol(line.c_str() + prefix.size());
  return -1;
}

void SetText(nuvel::THebEditWin* edit, const std::string& text) {
  edit->Line().Text = text;
  edit->RefreshText();
}

struct Case {
  const char* name;
  std::size_t megabytes;
  double every;
};

// One text: its rows, against their targets.
void RunCase(const Case& c, int rounds, const ScratchFolder& scratch, ProgramSession& session, Targets& targets) {
  std::size_t paragraphBytes = 0;
  const std::string text = MakeText(c.megabytes << 20, c.every, paragraphBytes);
  const fs::path file = scratch / "text.txt", sedOut = scratch / "sed.txt";
  const double mb = text.size() / 1048576.0;
  WriteFile(scratch / "original.txt", text);
  const std::string stored = StorageOrderText(false, text);
  std::vector<double> ours, sed, ratios, engine;
  double beyondMB = 0;
  int replaced = 0;
  for (int round = 0; round < rounds; ++round) {
    WriteFile(file, text);
    session.Open(file);
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = StatusKB("VmRSS");
    double seconds = 0;
    session.WhenShown<nuvel::THebReplDlg>([&](nuvel::THebReplDlg& d) {
      SetText(d.FindEdit(), kWord);
      SetText(d.ReplEdit(), kNew);
      d.CheckBox1()->setChecked(true);
      d.CheckBox2()->setChecked(false);
      const auto start = Clock::now();
      d.ReplaceAllBtn()->click();
      QApplication::processEvents();
      seconds = std::chrono::duration<double>(Clock::now() - start).count();
    });
    session.Run("Replace1");
    beyondMB = std::max(beyondMB, (StatusKB("VmHWM") - before) / 1024.0);
    ours.push_back(seconds);
    if (round == 0) {
      // The result as the program saves it, for the check against sed's.
      session.Run("Save1");
      WriteFile(scratch / "ours.txt", ReadFile(file));
    }
    session.CloseAll();
    // The engine alone, over the same text in an editor of its own.
    {
      nuvel::THebTextEditor e;
      e.SetEngm(false);
      e.LoadText(std::span(reinterpret_cast<const uint8_t*>(stored.data()), stored.size()));
      const auto start = Clock::now();
      replaced = e.ReplaceText(kWord, kNew,
                               nuvel::kSearchReplaceAll | nuvel::kSearchFromStart | nuvel::kSearchMatchCase);
      engine.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    const ProcessResult r = Run({{"sed", "s/" + kWord + "/" + kNew + "/g", (scratch / "original.txt").string()},
                                 {"LC_ALL=C"}, {}, sedOut, {}, {}});
    if (!r.ok) throw std::runtime_error("sed failed");
    sed.push_back(r.wall);
    ratios.push_back(ours.back() / r.wall);
  }
  std::printf("%s: %.1f MB, %d replacements, changed paragraphs %.1f MB\n", c.name, mb, replaced,
              paragraphBytes / 1048576.0);
  std::printf("  Replace All from the dialog %.3f s; the engine alone %.3f s; sed %.3f s\n", Median(ours),
              Median(engine), Median(sed));
  if (ReadFile(scratch / "ours.txt") != ReadFile(sedOut)) {
    targets.Failed(std::string(c.name) + ", result", "the saved result differs from sed's");
    return;
  }
  targets.AtMost(std::string(c.name) + ": Replace All / sed", Median(ratios), 1.0);
  std::printf("  peak memory beyond the open document: %.1f MB\n", beyondMB);
  targets.AtMost(std::string(c.name) + ": memory / changed paragraphs", beyondMB * 1048576.0 / paragraphBytes, 1.0);
}

// Each text runs in a process of its own (this program again, with
// "--text N"), so that no text's freed memory serves the next one's peak.
int Main(int argc, char** argv) {
  const bool one = argc > 1 && std::string(argv[1]) == "--text";
  const int first = one ? 2 : 1;
  const int rounds = argc > first ? std::atoi(argv[first]) : 3;
  const double scale = argc > first + 1 ? std::atof(argv[first + 1]) : 1.0;
  const int text = one && argc > 4 ? std::atoi(argv[4]) : -1;
  const auto mb = [scale](double m) { return static_cast<std::size_t>(std::max(1.0, m * scale)); };
  const Case cases[] = {
      {"common word", mb(50), 50},
      {"denser word", mb(50), 12},
      {"common word, larger text", mb(200), 50},
  };
  if (rounds <= 0 || scale <= 0 || (one && (text < 0 || text >= 3))) {
    std::fprintf(stderr, "usage: %s [rounds] [scale]\n", argv[0]);
    return 2;
  }
  const ScratchFolder scratch("nuvel-bench-replace");
  Targets targets;
  if (one) {
    ProgramSession session(scratch, "[GENPREFS]\r\nConversion=2\r\n");
    RunCase(cases[text], rounds, scratch, session, targets);
    return targets.ExitStatus();
  }
  PrintLoad("at the start");
  int worst = 0;
  for (int k = 0; k < 3; ++k) {
    const fs::path out = scratch / "text-run.txt";
    const ProcessResult r = Run({{"/proc/self/exe", "--text", std::to_string(rounds), std::to_string(scale),
                                  std::to_string(k)},
                                 {}, {}, out, scratch / "text-errors.txt", {}});
    std::fputs(ReadFile(out).c_str(), stdout);
    if (!WIFEXITED(r.status)) throw std::runtime_error("the run of a text was lost");
    worst = std::max(worst, WEXITSTATUS(r.status));
    PrintLoad("after the text");
  }
  std::printf("all texts: %s\n", worst == 2 ? "ERROR" : worst == 1 ? "BELOW TARGET" : "PASS");
  return worst;
}

}  // namespace

int main(int argc, char** argv) {
  return GuardedMain([&] { return Main(argc, argv); });
}
