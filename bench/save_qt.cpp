// Saving a 200 MB Windows-1255 document after one edit, as a user does: the
// program opens the file, a key is typed at the start of the text and the
// Save command runs from the main window's menu (the save converts the text,
// writes it to a temporary file, syncs it and renames it over the file).
// Timed beside `dd if=FILE of=COPY bs=1M conv=fsync`, which writes and syncs
// the same bytes, in interleaved rounds; both results are checked. Target:
// the save takes at most twice dd's time (median of the rounds' ratios).
//
//   bench_save [megabytes] [rounds]   (default 200 MB, 5 rounds)
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "bench/process_run.h"
#include "bench/program_session_qt.h"
#include "bench/scratch_folder.h"
#include "bench/windows1255_text.h"

namespace fs = std::filesystem;
using namespace nuvel::bench;

namespace {

int Main(int argc, char** argv) {
  const long megabytes = argc > 1 ? std::atol(argv[1]) : 200;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  if (megabytes <= 0 || rounds <= 0) {
    std::fprintf(stderr, "usage: %s [megabytes] [rounds]\n", argv[0]);
    return 2;
  }
  const ScratchFolder scratch("nuvel-bench-save");
  PrintLoad("at the start");
  const fs::path file = scratch / "document.txt", copy = scratch / "dd-copy.txt";
  const std::string original = MakeWindows1255Text(static_cast<std::size_t>(megabytes) << 20, false);
  WriteFile(file, original);
  const std::string& rest = original.substr(original.find("\r\n"));

  ProgramSession session(scratch, "[GENPREFS]\r\nConversion=2\r\n");
  nuvel::TMDIChild& window = session.Open(file);
  std::printf("document: %.1f MB, %d paragraphs\n", original.size() / 1048576.0, window.HebDoc().ParaCount());
  std::vector<double> ours, dd, ratios;
  for (int round = 0; round < rounds; ++round) {
    // One edit: a key typed at the start of the text.
    window.HebDoc().MoveCaretToPara(1, 1, false);
    ProgramSession::TypeKey(window.Editor(), Qt::Key_X, QStringLiteral("x"));
    if (!window.HebDoc().Modified()) throw std::runtime_error("the typed key did not change the document");
    ours.push_back(session.Run("Save1"));
    if (window.HebDoc().Modified()) throw std::runtime_error("the document was not saved");
    const ProcessResult r =
        Run({{"dd", "if=" + file.string(), "of=" + copy.string(), "bs=1M", "conv=fsync"}, {}, {}, scratch / "dd.txt",
             scratch / "dd-errors.txt", {}});
    if (!r.ok) throw std::runtime_error("dd failed");
    dd.push_back(r.wall);
    ratios.push_back(ours.back() / dd.back());
  }
  // The saved file: the original with one byte more a round in its first
  // line; dd's copy: the saved file.
  const std::string saved = ReadFile(file);
  Targets targets;
  if (saved.size() != original.size() + static_cast<std::size_t>(rounds) ||
      saved.compare(saved.size() - rest.size(), rest.size(), rest) != 0)
    targets.Failed("save", "the saved file is not the original with the typed keys");
  if (ReadFile(copy) != saved) targets.Failed("dd", "dd's copy differs from the file");
  const double mb = original.size() / 1048576.0;
  std::printf("Save command:  %.3f s (%.0f MB/s); %d messages\n", Median(ours), mb / Median(ours),
              session.messages.count);
  std::printf("dd conv=fsync: %.3f s (%.0f MB/s)\n", Median(dd), mb / Median(dd));
  targets.AtMost("save time / dd conv=fsync time (median of pairs)", Median(ratios), 2.0);
  PrintLoad("at the end");
  return targets.ExitStatus();
}

}  // namespace

int main(int argc, char** argv) {
  return GuardedMain([&] { return Main(argc, argv); });
}
