// Spell dictionary speed: look up every word of a 1 MB Hebrew text and of a
// 1 MB English text, and ask for suggestions for 1,000 misspellings.
// Targets: 1,000,000 look-ups a second or more; 200 suggestions a second or more.
//   bench_spell [program folder]   (default: ../program/ beside this program,
//                                   the build's program folder)
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/program_path.h"
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
  std::printf("%s\n", ok ? "targets met" : "TARGETS MISSED");
  return ok ? 0 : 1;
}
