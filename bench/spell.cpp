// Spell dictionary speed: look up every word of a 1 MB Hebrew text and of a
// 1 MB English text, and ask for suggestions for 1,000 misspellings.
// Targets: 1,000,000 look-ups a second or more; 200 suggestions a second or more.
// Then the whole-document run of the spelling driver without dialogs over a
// 5 MB Hebrew and English document (every word checked, suggestions made for
// the misspelled ones), against `hunspell -l` with Debian's en_US and he_IL
// dictionaries over the same text: at least as many words a second (ratio 1
// or more). Without hunspell the comparison is left out.
//   bench_spell [program folder]   (default: ../program/ beside this program,
//                                   the build's program folder)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/charset.h"
#include "editor/heb_text_editor.h"
#include "platform/program_path.h"
#include "tools/spell_driver.h"
#include "tools/spell_engine.h"
#include "tools/spell_alphabet.h"
#include "tools/spell_dic.h"

namespace {

using Clock = std::chrono::steady_clock;

// Draws a text of about `bytes` bytes: words of the dictionary (its group
// listing) mixed with one misspelled word in ten, separated by spaces.
std::vector<std::string> MakeText(const nuvel::TSpDic& dic, const nuvel::SpellAlphabet& a, std::size_t bytes,
                                  std::mt19937& rng) {
  std::vector<std::string> pool;
  for (int c1 = 1; c1 <= a.n; ++c1)
    for (int c2 = 1; c2 <= a.n; ++c2)
      for (std::string& w : dic.GroupWords(c1, c2)) pool.push_back(std::move(w));
  std::vector<std::string> text;
  if (pool.empty()) return text;
  std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
  std::uniform_int_distribution<int> letter(1, a.n);
  std::size_t total = 0;
  while (total < bytes) {
    std::string w = pool[pick(rng)];
    if (text.size() % 10 == 9 && w.size() > 2) w[w.size() / 2] = static_cast<char>(a.chars[letter(rng)]);
    total += w.size() + 1;
    text.push_back(std::move(w));
  }
  return text;
}

double LookUpsPerSecond(const nuvel::TSpDic& dic, const std::vector<std::string>& words, std::size_t& found) {
  found = 0;
  const auto start = Clock::now();
  for (const std::string& w : words) found += dic.LookUp(w) ? 1 : 0;
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return static_cast<double>(words.size()) / seconds;
}

double SuggestionsPerSecond(const nuvel::TSpDic& dic, const std::vector<std::string>& words, std::size_t& offered) {
  // The checker's range for a word of length L is L-1..L+1.
  offered = 0;
  const auto start = Clock::now();
  for (const std::string& w : words) {
    nuvel::SpellSuggestionList list;
    const int len = static_cast<int>(w.size());
    dic.Suggest(w, len - 1, false, len + 1, list);
    offered += list.Count();
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return static_cast<double>(words.size()) / seconds;
}

// Speller answers that leave every word as it is.
class TNoDialogs : public nuvel::TSpellerUi {
 public:
  nuvel::TSpellerAnswer AskSpeller(const nuvel::TSpellerRequest&) override {
    ++misspelled;
    return {};
  }
  bool AskCorrectContinue() override { return false; }
  std::size_t misspelled = 0;
};

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

// The whole-document run over 5 MB of English and Hebrew words in an English
// document (Hebrew words stored reversed, as typed against the direction),
// and hunspell over the same text in logical order. True when at least as fast.
bool WholeDocumentRun(const std::string& folder, std::mt19937& rng) {
  const nuvel::SpellAlphabet en = nuvel::BuildEnglishAlphabet();
  const nuvel::SpellAlphabet he = nuvel::BuildHebrewAlphabet();
  const nuvel::TSpDic enDic(folder + "NUVHSPE.DIC", en);
  const nuvel::TSpDic heDic(folder + "NUVHSPH.DIC", he);
  std::vector<std::string> enWords = MakeText(enDic, en, 2'500'000, rng);
  std::vector<std::string> heWords = MakeText(heDic, he, 2'500'000, rng);
  std::string stored, logical;
  std::size_t words = 0, column = 0;
  auto add = [&](const std::string& w, bool hebrew) {
    const std::string win = hebrew ? nuvel::DicToWin(w) : w;
    stored += hebrew ? std::string(win.rbegin(), win.rend()) : win;
    logical += win;
    column += w.size() + 1;
    ++words;
    const char* sep = column > 70 ? "\r\n" : " ";
    if (column > 70) column = 0;
    stored += sep;
    logical += sep;
  };
  for (std::size_t i = 0; i < std::max(enWords.size(), heWords.size()); ++i) {
    if (i < enWords.size()) add(enWords[i], false);
    if (i < heWords.size()) add(heWords[i], true);
  }

  nuvel::THebTextEditor editor;
  editor.LoadString(stored);
  editor.SetCaretPosition(1, 1);
  TNoDialogs ui;
  nuvel::TSpellEngine engine;
  nuvel::TSpellFiles files{folder + "NUVHSPE.DIC", folder + "NUVHSPH.DIC", "/nonexistent/user-en.tmp",
                           "/nonexistent/user-he.tmp"};
  if (!engine.OpenDictionaries(files)) return false;
  const auto start = Clock::now();
  nuvel::TSpellDriver(editor, engine, ui).SpellNextWords();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const double ours = static_cast<double>(words) / seconds;
  std::printf("Whole-document run: %zu words in %.1f MB, %zu misspelled, %.2f s, %.0f words per second\n", words,
              static_cast<double>(stored.size()) / 1e6, ui.misspelled, seconds, ours);

  const std::filesystem::path text = std::filesystem::temp_directory_path() / "nuvel_bench_spell.txt";
  std::ofstream(text, std::ios::binary) << ToUtf8(logical);
  const std::string command = "hunspell -d en_US,he_IL -l < '" + text.string() + "' > /dev/null 2>&1";
  if (std::system("command -v hunspell > /dev/null 2>&1") != 0) {
    std::printf("  hunspell not installed: no comparison\n");
    std::filesystem::remove(text);
    return true;
  }
  const auto hStart = Clock::now();
  const int rc = std::system(command.c_str());
  const double hSeconds = std::chrono::duration<double>(Clock::now() - hStart).count();
  std::filesystem::remove(text);
  if (rc != 0) {
    std::printf("  hunspell failed (%d): no comparison\n", rc);
    return true;
  }
  const double theirs = static_cast<double>(words) / hSeconds;
  const double ratio = ours / theirs;
  std::printf("  hunspell -l (en_US, he_IL): %.2f s, %.0f words per second; ratio %.2f (target 1): %s\n", hSeconds,
              theirs, ratio, ratio >= 1 ? "PASS" : "BELOW TARGET");
  return ratio >= 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : nuvel::platform::ProgramFolder() + "../program/";
  if (!folder.empty() && folder.back() != '/') folder += '/';
  struct Language {
    const char* name;
    const char* file;
    nuvel::SpellAlphabet alphabet;
  };
  const Language languages[] = {{"Hebrew", "NUVHSPH.DIC", nuvel::BuildHebrewAlphabet()},
                                {"English", "NUVHSPE.DIC", nuvel::BuildEnglishAlphabet()}};
  bool ok = true;
  std::mt19937 rng(42);
  for (const Language& l : languages) {
    const auto openStart = Clock::now();
    const nuvel::TSpDic dic(folder + l.file, l.alphabet);
    const double openMs = std::chrono::duration<double, std::milli>(Clock::now() - openStart).count();
    if (!dic.IsOpen()) {
      std::printf("%s: %s\n", l.name, dic.FailureText().c_str());
      return 1;
    }
    const std::vector<std::string> text = MakeText(dic, l.alphabet, 1 << 20, rng);
    std::size_t found = 0;
    double lookUps = 0;
    for (int run = 0; run < 3; ++run) lookUps = std::max(lookUps, LookUpsPerSecond(dic, text, found));

    std::vector<std::string> misspelled;
    for (const std::string& w : text) {
      if (misspelled.size() == 1000) break;
      if (w.size() > 2 && !dic.LookUp(w)) misspelled.push_back(w);
    }
    std::size_t offered = 0;
    const double suggestions = SuggestionsPerSecond(dic, misspelled, offered);

    std::printf("%s: %zu words, opened in %.1f ms\n", l.name, dic.WordCount(), openMs);
    std::printf("  look-ups: %zu words (%zu found), %.0f per second (target 1000000, ratio %.1f)\n", text.size(),
                found, lookUps, lookUps / 1e6);
    std::printf("  suggestions: %zu misspellings (%zu offered), %.0f words per second (target 200, ratio %.1f)\n",
                misspelled.size(), offered, suggestions, suggestions / 200.0);
    ok = ok && lookUps >= 1e6 && suggestions >= 200;
  }
  ok = WholeDocumentRun(folder, rng) && ok;
  std::printf("%s\n", ok ? "targets met" : "TARGETS MISSED");
  return ok ? 0 : 1;
}
