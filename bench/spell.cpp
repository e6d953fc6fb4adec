// Spell checking speed, on words as a writer has them: Hebrew words with
// their prefix chains and English words with their endings (Hunspell's
// dictionaries with the affixes expanded by unmunch), one in twenty with a
// typing slip.
//   - the dictionaries: files, sizes, words and time to open;
//   - look-ups of 1 MB of Hebrew and of English words (target: 1,000,000 a
//     second or more);
//   - suggestions for 200 misspelled Hebrew and 200 English words, beside
//     `hunspell -a` making its suggestions for the same words (ratio 1 or
//     more);
//   - the whole-document check over a 2 MB document of both languages
//     (each word of the document looked up as the spelling run reads it),
//     beside `LC_ALL=C.UTF-8 hunspell -d he_IL,en_US -l < text > out` over
//     the same text (ratio 1 or more), and the words each flags compared;
//     and the spelling driver's run over it without dialogs, which also
//     makes the suggestions for every flagged word.
// Needs hunspell and unmunch (hunspell, hunspell-tools). Its files go in a
// scratch folder of its own under TMPDIR.
//   bench_spell [program folder]   (default: ../program/ beside this program,
//                                   the build's program folder)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "bench/scratch_folder.h"
#include "core/charset.h"
#include "editor/heb_text_editor.h"
#include "platform/program_path.h"
#include "tools/spell_driver.h"
#include "tools/spell_engine.h"
#include "tools/spell_word_sources.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// UTF-8 of text in the system's set (Hebrew letters through the Unicode table).
std::string ToUtf8(const std::string& text) {
  std::string out;
  for (char c : text) {
    const char16_t u = nuvel::HebUnicodeTable[static_cast<std::uint8_t>(c)];
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xC0 | (u >> 6));
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (u >> 12));
      out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}

// Words of a Hunspell dictionary with the affixes expanded: `entries`
// entries drawn at random (all when 0), expanded by unmunch; in the
// Windows code, words outside the checker's alphabets left out.
std::vector<std::string> ExpandedForms(const fs::path& scratch, const char* name, bool hebrew, std::size_t entries,
                                       std::mt19937& rng) {
  const std::string base = std::string("/usr/share/hunspell/") + name;
  fs::path dic = base + ".dic";
  if (entries > 0) {
    std::vector<std::string> lines = Lines(Slurp(dic));
    lines.erase(lines.begin());
    std::shuffle(lines.begin(), lines.end(), rng);
    lines.resize(std::min(entries, lines.size()));
    dic = scratch / (std::string(name) + ".dic");
    std::ofstream out(dic);
    out << lines.size() << "\n";
    for (const std::string& l : lines) out << l << "\n";
  }
  const fs::path forms = scratch / (std::string(name) + ".forms");
  const std::string command =
      "unmunch '" + dic.string() + "' '" + base + ".aff' > '" + forms.string() + "' 2>/dev/null";
  if (std::system(command.c_str()) != 0) return {};
  std::vector<std::string> out;
  if (hebrew) {
    for (const std::string& w : nuvel::ParseHunspellHebrewWordList("0\n" + Slurp(forms))) out.push_back(nuvel::DicToWin(w));
  } else {
    out = nuvel::ParseEnglishWordList(Slurp(forms));
  }
  std::erase_if(out, [](const std::string& w) { return w.size() < 2; });
  return out;
}

// A typing slip: a letter left out, doubled, swapped or replaced.
std::string Slip(std::string w, const std::string& letters, std::mt19937& rng) {
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
  const std::size_t at = pick(w.size() - 1);
  switch (pick(4)) {
    case 0: w.erase(at, 1); break;
    case 1: w.insert(w.begin() + static_cast<std::ptrdiff_t>(at), w[at]); break;
    case 2: std::swap(w[at], w[at + 1]); break;
    default: w[at + 1] = letters[pick(letters.size())]; break;
  }
  return w;
}

const std::string kHebrewLetters = "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEB\xEC\xEE\xF0\xF1\xF2\xF4\xF6\xF7\xF8\xF9\xFA";
const std::string kEnglishLetters = "abcdefghijklmnopqrstuvwxyz";

// Speller answers that leave every word as it is, and note the words.
class TNoDialogs : public nuvel::TSpellerUi {
 public:
  nuvel::TSpellerAnswer AskSpeller(const nuvel::TSpellerRequest& request) override {
    flagged.insert(request.Word);
    return {};
  }
  bool AskCorrectContinue() override { return false; }
  std::set<std::string> flagged;
};

struct Words {
  std::vector<std::string> hebrew, english;
};

bool Dictionaries(const std::string& folder, nuvel::TSpellEngine& engine) {
  std::uintmax_t hebrewBytes = 0, englishBytes = 0;
  int hebrewFiles = 0;
  for (const auto& e : fs::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    if (name.starts_with("NUVHSPH")) {
      hebrewBytes += e.file_size();
      ++hebrewFiles;
    }
    if (name == "NUVHSPE.DIC") englishBytes = e.file_size();
  }
  const nuvel::TSpellFiles files{folder + "NUVHSPE.DIC", folder + "NUVHSPH.DIC", "/nonexistent/user-en.tmp",
                                 "/nonexistent/user-he.tmp"};
  const auto start = Clock::now();
  if (!engine.OpenDictionaries(files)) return false;
  const double ms = 1000 * Since(start);
  const nuvel::THebrewDictionary hebrew(files.HebrewDic, nuvel::BuildHebrewAlphabet());
  const nuvel::TSpDic english(files.EnglishDic, nuvel::BuildEnglishAlphabet());
  std::printf("Dictionaries: Hebrew %d files, %.2f MB, %zu words in %zu classes; English %.2f MB, %zu words; "
              "both opened in %.0f ms\n",
              hebrewFiles, static_cast<double>(hebrewBytes) / 1e6, hebrew.WordCount(), hebrew.Classes().size(),
              static_cast<double>(englishBytes) / 1e6, english.WordCount(), ms);
  return true;
}

// The dictionaries' own look-ups (Hebrew with its prefix chains), against the
// target, and the checker's look-up of the same words as a document has them.
bool LookUps(const std::string& folder, nuvel::TSpellEngine& engine, const Words& words, std::mt19937& rng) {
  const nuvel::THebrewDictionary hebrewDic(folder + "NUVHSPH.DIC", nuvel::BuildHebrewAlphabet());
  const nuvel::TSpDic englishDic(folder + "NUVHSPE.DIC", nuvel::BuildEnglishAlphabet());
  bool ok = true;
  for (const bool hebrew : {true, false}) {
    const std::vector<std::string>& pool = hebrew ? words.hebrew : words.english;
    std::vector<std::string> text, coded;
    std::size_t bytes = 0;
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    while (bytes < (1u << 20)) {
      text.push_back(pool[pick(rng)]);
      coded.push_back(hebrew ? nuvel::WinToDic(text.back()) : text.back());
      bytes += text.back().size() + 1;
    }
    double best = 0, bestChecks = 0;
    std::size_t found = 0, checked = 0;
    for (int run = 0; run < 3; ++run) {
      found = 0;
      auto start = Clock::now();
      for (const std::string& w : coded) found += hebrew ? hebrewDic.LookUp(w) : englishDic.LookUp(w);
      best = std::max(best, static_cast<double>(text.size()) / Since(start));
      checked = 0;
      start = Clock::now();
      for (const std::string& w : text) checked += engine.CheckWord(w, !hebrew, false, 255, false).Found;
      bestChecks = std::max(bestChecks, static_cast<double>(text.size()) / Since(start));
    }
    std::printf("%s look-ups: %zu words (%zu found), %.0f a second (target 1000000, ratio %.2f): %s; the checker: "
                "%zu found, %.0f a second\n",
                hebrew ? "Hebrew" : "English", text.size(), found, best, best / 1e6,
                best >= 1e6 ? "PASS" : "BELOW TARGET", checked, bestChecks);
    ok = ok && best >= 1e6;
  }
  return ok;
}

bool Suggestions(nuvel::TSpellEngine& engine, const Words& words, const fs::path& scratch, std::mt19937& rng) {
  bool ok = true;
  for (const bool hebrew : {true, false}) {
    const std::vector<std::string>& pool = hebrew ? words.hebrew : words.english;
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    std::vector<std::string> misspelled;
    while (misspelled.size() < 200) {
      const std::string w = Slip(pool[pick(rng)], hebrew ? kHebrewLetters : kEnglishLetters, rng);
      if (w.size() > 2 && !engine.CheckWord(w, !hebrew, false, 255, false).Found) misspelled.push_back(w);
    }
    std::size_t offered = 0;
    const auto start = Clock::now();
    for (const std::string& w : misspelled) {
      engine.CheckWord(w, !hebrew, false);
      offered += engine.SuggestionWords(false).size();
      engine.FreeSuggestions();
    }
    const double ours = Since(start);
    const fs::path in = scratch / "suggest.txt";
    {
      std::ofstream out(in, std::ios::binary);
      for (const std::string& w : misspelled) out << "^" << ToUtf8(w) << "\n";
    }
    const std::string command = std::string("LC_ALL=C.UTF-8 hunspell -d ") + (hebrew ? "he_IL" : "en_US") + " -a < '" +
                                in.string() + "' > '" + (scratch / "suggest.out").string() + "'";
    const auto hStart = Clock::now();
    if (std::system(command.c_str()) != 0) return false;
    const double theirs = Since(hStart);
    const double ratio = theirs / ours;
    std::printf("%s suggestions for 200 misspellings: %.3f s (%zu offered); hunspell -a %.2f s; ratio %.1f "
                "(target 1): %s\n",
                hebrew ? "Hebrew" : "English", ours, offered, theirs, ratio, ratio >= 1 ? "PASS" : "BELOW TARGET");
    ok = ok && ratio >= 1;
  }
  return ok;
}

// The whole-document run over an English document with Hebrew words typed
// against its direction (stored reversed), and hunspell over the same text
// in logical order.
bool WholeDocumentRun(const std::string& folder, const Words& words, const fs::path& scratch, std::mt19937& rng) {
  std::string stored, logical;
  std::size_t count = 0, column = 0, slips = 0;
  std::uniform_int_distribution<std::size_t> pickHe(0, words.hebrew.size() - 1), pickEn(0, words.english.size() - 1);
  while (stored.size() < 2'000'000) {
    const bool hebrew = count % 2 == 1;
    std::string w = hebrew ? words.hebrew[pickHe(rng)] : words.english[pickEn(rng)];
    if (count % 20 == 19 && w.size() > 2) {
      w = Slip(w, hebrew ? kHebrewLetters : kEnglishLetters, rng);
      ++slips;
    }
    stored += hebrew ? std::string(w.rbegin(), w.rend()) : w;
    logical += w;
    column += w.size() + 1;
    ++count;
    const char* sep = column > 70 ? "\n" : " ";
    if (column > 70) column = 0;
    stored += sep;
    logical += sep;
  }

  nuvel::TSpellEngine engine;
  const nuvel::TSpellFiles files{folder + "NUVHSPE.DIC", folder + "NUVHSPH.DIC", "/nonexistent/user-en.tmp",
                                 "/nonexistent/user-he.tmp"};
  if (!engine.OpenDictionaries(files)) return false;
  // The check: every word of the document, as the run reads them, looked up.
  std::set<std::string> flagged;
  double checkSeconds = 0;
  {
    nuvel::THebTextEditor editor;
    editor.LoadString(stored);
    const auto start = Clock::now();
    int32_t para = 1, pos = 0, wordStart = 0;
    std::string word;
    while (editor.GetNextWord(para, pos, word, &wordStart)) {
      const nuvel::TWordCheck r = engine.CheckWord(word, true, false, 255, false);
      if (r.Checked && !r.Found) flagged.insert(r.Word);
      pos = wordStart - 1 + static_cast<int32_t>(word.size());
    }
    checkSeconds = Since(start);
  }
  // The run: the spelling driver, with the suggestions for each flagged word.
  nuvel::THebTextEditor editor;
  editor.LoadString(stored);
  editor.SetCaretPosition(1, 1);
  TNoDialogs ui;
  const auto start = Clock::now();
  nuvel::TSpellDriver(editor, engine, ui).SpellNextWords();
  const double runSeconds = Since(start);
  const double ours = static_cast<double>(count) / checkSeconds;
  std::printf("Whole document: %zu words (%zu with a slip) in %.1f MB; the check: %zu flagged, %.2f s, %.0f words a "
              "second; the run with suggestions: %zu flagged, %.2f s, %.0f words a second\n",
              count, slips, static_cast<double>(stored.size()) / 1e6, flagged.size(), checkSeconds, ours,
              ui.flagged.size(), runSeconds, static_cast<double>(count) / runSeconds);

  const fs::path text = scratch / "text.txt";
  const fs::path out = scratch / "hunspell.out";
  std::ofstream(text, std::ios::binary) << ToUtf8(logical);
  const std::string command =
      "LC_ALL=C.UTF-8 hunspell -d he_IL,en_US -l < '" + text.string() + "' > '" + out.string() + "'";
  const auto hStart = Clock::now();
  const int rc = std::system(command.c_str());
  const double hSeconds = Since(hStart);
  if (rc != 0) {
    std::printf("  hunspell failed (%d)\n", rc);
    return false;
  }
  std::set<std::string> theirs;
  for (const std::string& w : Lines(Slurp(out))) theirs.insert(w);
  std::set<std::string> oursUtf8;
  for (const std::string& w : flagged) oursUtf8.insert(ToUtf8(w));
  std::size_t both = 0;
  for (const std::string& w : oursUtf8) both += theirs.count(w);
  const std::size_t either = oursUtf8.size() + theirs.size() - both;
  const double rate = static_cast<double>(count) / hSeconds;
  const double ratio = ours / rate;
  std::printf("  %s: %.2f s, %.0f words a second; the check's ratio %.2f (target 1): %s; the run's %.2f\n",
              command.c_str(), hSeconds, rate, ratio, ratio >= 1 ? "PASS" : "BELOW TARGET",
              hSeconds / runSeconds);
  std::printf("  flagged words: ours %zu, hunspell's %zu, both %zu (%.1f%% of either)\n", oursUtf8.size(),
              theirs.size(), both, either ? 100.0 * static_cast<double>(both) / static_cast<double>(either) : 100.0);
  return ratio >= 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : nuvel::platform::ProgramFolder() + "../program/";
  if (!folder.empty() && folder.back() != '/') folder += '/';
  if (std::system("command -v hunspell > /dev/null && command -v unmunch > /dev/null") != 0) {
    std::printf("hunspell and unmunch are needed (packages hunspell, hunspell-tools)\n");
    return 1;
  }
  const nuvel::bench::ScratchFolder folderOfOwn("nuvel-bench-spell");
  const fs::path& scratch = folderOfOwn.Path();

  std::mt19937 rng(42);
  nuvel::TSpellEngine engine;
  bool ok = Dictionaries(folder, engine);
  Words words;
  if (ok) {
    words.hebrew = ExpandedForms(scratch, "he_IL", true, 3000, rng);
    words.english = ExpandedForms(scratch, "en_US", false, 0, rng);
    ok = !words.hebrew.empty() && !words.english.empty();
  }
  if (ok) {
    ok = LookUps(folder, engine, words, rng) && ok;
    ok = Suggestions(engine, words, scratch, rng) && ok;
    ok = WholeDocumentRun(folder, words, scratch, rng) && ok;
  }
  std::printf("%s\n", ok ? "targets met" : "TARGETS MISSED");
  return ok ? 0 : 1;
}
