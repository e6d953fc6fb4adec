// The spell checker against Hunspell with the same Debian dictionaries
// (hunspell-he, hunspell-en-us), run here in the test's set-up on samples:
//   - words drawn at random from the dictionaries with their affixes
//     expanded (unmunch; Hebrew words with their prefix chains),
//   - running text that did not make the dictionaries (fixtures),
//   - the same words with one random slip, a prefix letter added or
//     doubled at the start among them;
// the words we accept and flag must agree with `hunspell -l` on 99% of each
// set. And for misspellings made by one slip of a correct word, the word
// meant must be among our first three suggestions at least as often as
// among Hunspell's first three.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"
#include "tools/spell_engine.h"
#include "tools/spell_word_sources.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;

const std::string kHunspellFolder = "/usr/share/hunspell/";

std::string Slurp(const fs::path& p) { return test::ReadWholeFile(p); }

void Spill(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(line);
  }
  return out;
}

int Run(const std::string& command) { return std::system(command.c_str()); }

// Hebrew: UTF-8 and the Windows code the editor holds.
std::string Utf8ToWin(const std::string& utf8) { return DicToWin(HebrewUtf8ToDicCode(utf8)); }
std::string WinToUtf8(const std::string& win) {
  std::string out;
  for (char ch : win) {
    const auto b = static_cast<unsigned char>(ch);
    if (b >= 0xE0 && b <= 0xFA) {
      const unsigned cp = 0x5D0 + (b - 0xE0);
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += ch;
    }
  }
  return out;
}

struct Language {
  const char* name;
  const char* dictionary;  // Hunspell's name
  bool hebrew;
  const char* runningText;  // fixture
  std::string letters;      // in the Windows code
  std::string prefixLetters;
};

const Language kHebrew{"Hebrew", "he_IL", true, "spell/hebrew_running_text.txt",
                       "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA",
                       "\xE5\xE4\xF9\xE1\xEB\xEC\xEE"};
const Language kEnglish{"English", "en_US", false, "spell/english_running_text.txt", "abcdefghijklmnopqrstuvwxyz",
                        "abcdefghijklmnopqrstuvwxyz"};

// A scratch folder for the samples and Hunspell's answers.
struct Scratch {
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "nuvel-hunspell-XXXXXX").string();
    path = mkdtemp(pattern.data());
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  fs::path path;
};

// The word of a line of the language, in the Windows code, or "".
std::string FromUtf8(const Language& l, const std::string& utf8) {
  if (!l.hebrew) {
    for (char c : utf8) {
      const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\'';
      if (!ok) return {};
    }
    return utf8;
  }
  return Utf8ToWin(utf8);
}
std::string ToUtf8(const Language& l, const std::string& win) { return l.hebrew ? WinToUtf8(win) : win; }

// `count` forms drawn at random from the dictionary with its affixes
// expanded: entries drawn at random, expanded by unmunch, and forms drawn
// from those.
std::vector<std::string> DrawForms(const Language& l, const fs::path& scratch, std::size_t count, std::mt19937& rng) {
  const std::string dicName = kHunspellFolder + l.dictionary + ".dic";
  std::vector<std::string> entries = Lines(Slurp(dicName));
  if (!entries.empty()) entries.erase(entries.begin());  // the count
  std::shuffle(entries.begin(), entries.end(), rng);
  entries.resize(std::min(entries.size(), count));
  std::string small = std::to_string(entries.size()) + "\n";
  for (const std::string& e : entries) small += e + "\n";
  Spill(scratch / "sample.dic", small);
  const std::string command = "unmunch '" + (scratch / "sample.dic").string() + "' '" + kHunspellFolder +
                              l.dictionary + ".aff' > '" + (scratch / "forms.txt").string() + "' 2>/dev/null";
  EXPECT_EQ(Run(command), 0) << command;
  std::vector<std::string> forms;
  for (const std::string& f : Lines(Slurp(scratch / "forms.txt"))) {
    std::string w = FromUtf8(l, f);
    if (w.size() > 1) forms.push_back(std::move(w));
  }
  std::shuffle(forms.begin(), forms.end(), rng);
  forms.resize(std::min(forms.size(), count));
  return forms;
}

// The words of a running-text fixture, as a writer's document holds them:
// runs of the language's letters and quotes, without quotes around them.
std::vector<std::string> RunningWords(const Language& l) {
  std::vector<std::string> words;
  for (const std::string& line : Lines(Slurp(test::FixturePath(l.runningText)))) {
    if (line.empty() || line[0] == '#') continue;
    std::string text;  // the language's letters and quotes; a blank for anything else
    for (std::size_t i = 0; i < line.size();) {
      const auto b = static_cast<unsigned char>(line[i]);
      const std::size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : 4;
      const std::string one = line.substr(i, len);
      i += len;
      const std::string win = l.hebrew ? Utf8ToWin(one) : FromUtf8(l, one);  // geresh and gershayim become quotes
      const bool quote = one == "\"" || one == "'" || win == "\"" || win == "'";
      const bool letter = !win.empty() && (l.hebrew ? static_cast<unsigned char>(win[0]) >= 0xE0 : len == 1 && !quote);
      text += quote ? (win.empty() ? one : win) : letter ? win : std::string(" ");
    }
    std::istringstream in(text);
    for (std::string w; in >> w;) {
      while (!w.empty() && (w.front() == '"' || w.front() == '\'')) w.erase(w.begin());
      while (!w.empty() && (w.back() == '"' || w.back() == '\'')) w.pop_back();
      if (w.size() > 1) words.push_back(w);
    }
  }
  return words;
}

// One random slip: a letter left out, put in, replaced or swapped with the
// next, or a prefix letter put in front or the first letter doubled.
std::string OneSlip(const Language& l, const std::string& word, std::mt19937& rng) {
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
  std::string w = word;
  switch (pick(6)) {
    case 0: w.erase(pick(w.size()), 1); break;
    case 1: w.insert(w.begin() + static_cast<std::ptrdiff_t>(pick(w.size() + 1)), l.letters[pick(l.letters.size())]); break;
    case 2: w[pick(w.size())] = l.letters[pick(l.letters.size())]; break;
    case 3: {
      const std::size_t i = pick(w.size() - 1);
      std::swap(w[i], w[i + 1]);
      break;
    }
    case 4: w.insert(w.begin(), l.prefixLetters[pick(l.prefixLetters.size())]); break;
    default: w.insert(w.begin(), w[0]); break;
  }
  return w;
}

// Hunspell's verdicts: the words it flags.
std::set<std::string> HunspellFlags(const Language& l, const fs::path& scratch, const std::vector<std::string>& words) {
  std::string in;
  for (const std::string& w : words) in += ToUtf8(l, w) + "\n";
  Spill(scratch / "check.txt", in);
  const std::string command = std::string("LC_ALL=C.UTF-8 hunspell -i UTF-8 -d ") + l.dictionary + " -L < '" +
                              (scratch / "check.txt").string() + "' > '" + (scratch / "flagged.txt").string() + "'";
  EXPECT_EQ(Run(command), 0) << command;
  std::set<std::string> flagged;
  for (const std::string& line : Lines(Slurp(scratch / "flagged.txt"))) flagged.insert(FromUtf8(l, line));
  return flagged;
}

// Hunspell's suggestions for each word, a few processes at once.
std::vector<std::vector<std::string>> HunspellSuggestions(const Language& l, const fs::path& scratch,
                                                          const std::vector<std::string>& words) {
  constexpr std::size_t kParts = 4;
  std::string command = "(";
  for (std::size_t p = 0; p < kParts; ++p) {
    std::string in;
    // "^" makes Hunspell's pipe mode check the rest of the line.
    for (std::size_t i = p; i < words.size(); i += kParts) in += "^" + ToUtf8(l, words[i]) + "\n";
    const fs::path input = scratch / ("suggest" + std::to_string(p) + ".txt");
    Spill(input, in);
    command += std::string("LC_ALL=C.UTF-8 hunspell -i UTF-8 -d ") + l.dictionary + " -a < '" + input.string() +
               "' > '" + input.string() + ".out' & ";
  }
  command += "wait)";
  EXPECT_EQ(Run(command), 0) << command;
  std::vector<std::vector<std::string>> out(words.size());
  for (std::size_t p = 0; p < kParts; ++p) {
    std::size_t i = p;
    for (const std::string& line : Lines(Slurp(scratch / ("suggest" + std::to_string(p) + ".txt.out")))) {
      if (line.empty()) {
        i += kParts;
        continue;
      }
      if (line[0] != '&' || i >= words.size()) continue;
      // "& word count offset: one, two, ..."
      std::string list = line.substr(line.find(": ") + 2);
      for (std::size_t at = 0; at <= list.size();) {
        const std::size_t end = std::min(list.find(", ", at), list.size());
        out[i].push_back(FromUtf8(l, list.substr(at, end - at)));
        at = end + 2;
      }
    }
  }
  return out;
}

std::string HunspellVersion() {
  Scratch s;
  Run("hunspell -v > '" + (s.path / "v").string() + "' 2>&1");
  const std::vector<std::string> lines = Lines(Slurp(s.path / "v"));
  return lines.empty() ? std::string() : lines[0];
}

class HunspellAgreement : public ::testing::TestWithParam<Language> {
 protected:
  static void SetUpTestSuite() {
    version_ = HunspellVersion();
    std::printf("Hunspell: %s\n", version_.c_str());
  }
  void SetUp() override {
    ASSERT_NE(version_.find("Hunspell"), std::string::npos) << "hunspell is not installed: " << version_;
    RecordProperty("hunspell", version_);
    files_.EnglishDic = std::string(NUVEL_PROGRAM_DIR) + "/NUVHSPE.DIC";
    files_.HebrewDic = std::string(NUVEL_PROGRAM_DIR) + "/NUVHSPH.DIC";
    files_.EnglishUser = (scratch_.path / "user-en.tmp").string();
    files_.HebrewUser = (scratch_.path / "user-he.tmp").string();
    ASSERT_TRUE(engine_.OpenDictionaries(files_));
  }
  bool WeAccept(const Language& l, const std::string& word) {
    const TWordCheck r = engine_.CheckWord(word, !l.hebrew, false, 255, false);
    return r.Found || !r.Checked;
  }

  static std::string version_;
  Scratch scratch_;
  TSpellFiles files_;
  TSpellEngine engine_;
  test::RecordingMessageSink sink_;
};
std::string HunspellAgreement::version_;

TEST_P(HunspellAgreement, AcceptsAndFlagsAsHunspellDoes) {
  const Language& l = GetParam();
  std::mt19937 rng(20240611);
  struct Set {
    std::string name;
    std::vector<std::string> words;
  };
  std::vector<Set> sets;
  sets.push_back({"dictionary forms", DrawForms(l, scratch_.path, 2000, rng)});
  sets.push_back({"running text", RunningWords(l)});
  Set slips{"one slip", {}};
  for (const Set& s : sets) {
    for (const std::string& w : s.words) slips.words.push_back(OneSlip(l, w, rng));
  }
  sets.push_back(std::move(slips));
  ASSERT_GE(sets[0].words.size(), 2000u);
  ASSERT_GE(sets[1].words.size(), 500u);

  std::vector<std::string> all;
  for (const Set& s : sets) all.insert(all.end(), s.words.begin(), s.words.end());
  const std::set<std::string> flagged = HunspellFlags(l, scratch_.path, all);
  for (const Set& s : sets) {
    std::size_t agree = 0, theyFlag = 0, weFlag = 0;
    std::vector<std::string> differ;
    for (const std::string& w : s.words) {
      const bool ours = !WeAccept(l, w);
      const bool theirs = flagged.count(w) != 0;
      theyFlag += theirs;
      weFlag += ours;
      if (ours == theirs) {
        ++agree;
      } else if (differ.size() < 12) {
        differ.push_back(ToUtf8(l, w) + (ours ? " (we flag)" : " (Hunspell flags)"));
      }
    }
    const double share = static_cast<double>(agree) / static_cast<double>(s.words.size());
    std::printf("%s, %s: %zu words, Hunspell flags %zu, we flag %zu, agreement %.2f%%\n", l.name, s.name.c_str(),
                s.words.size(), theyFlag, weFlag, 100 * share);
    std::string list;
    for (const std::string& d : differ) list += "  " + d + "\n";
    EXPECT_GE(share, 0.99) << l.name << ", " << s.name << "; some that differ:\n" << list;
  }
}

TEST_P(HunspellAgreement, TheWordMeantIsAmongTheFirstSuggestions) {
  const Language& l = GetParam();
  std::mt19937 rng(61120);
  std::vector<std::string> correct = DrawForms(l, scratch_.path, 600, rng);
  const std::vector<std::string> running = RunningWords(l);
  correct.insert(correct.end(), running.begin(), running.end());
  std::shuffle(correct.begin(), correct.end(), rng);
  // Words Hunspell takes for correct.
  const std::set<std::string> wrong = HunspellFlags(l, scratch_.path, correct);
  std::erase_if(correct, [&](const std::string& w) { return w.size() < 3 || wrong.count(w); });

  // Misspellings by one slip of each kind in turn: a final letter in its
  // middle form (Hebrew), two letters swapped, one left out, one doubled,
  // a neighbour key.
  // Neighbour keys: side by side, or touching in the next row (each row
  // starts half a key right of the one above).
  const std::vector<std::string> rows =
      l.hebrew ? std::vector<std::string>{"\x01\x02\xF7\xF8\xE0\xE8\xE5\xEF\xED\xF4",
                                          "\xF9\xE3\xE2\xEB\xF2\xE9\xE7\xEC\xEA\xF3",
                                          "\xE6\xF1\xE1\xE4\xF0\xEE\xF6\xFA\xF5"}
               : std::vector<std::string>{"qwertyuiop", "asdfghjkl", "zxcvbnm"};
  std::map<char, std::string> neighbours;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      std::string& n = neighbours[rows[r][c]];
      if (c > 0) n += rows[r][c - 1];
      if (c + 1 < rows[r].size()) n += rows[r][c + 1];
      if (r > 0) n += rows[r - 1].substr(c, 2);
      if (r + 1 < rows.size()) n += rows[r + 1].substr(c == 0 ? 0 : c - 1, c == 0 ? 1 : 2);
      std::erase_if(n, [](char k) { return static_cast<unsigned char>(k) < 0x20; });
    }
  }
  std::vector<std::string> meant, misspelled;
  std::set<std::string> seen;
  const int kinds = l.hebrew ? 5 : 4;
  for (std::size_t i = 0; i < correct.size() && meant.size() < 260; ++i) {
    const std::string& w = correct[i];
    std::string m = w;
    const int kind = static_cast<int>(meant.size() % kinds) + (l.hebrew ? 0 : 1);
    const std::size_t at = std::uniform_int_distribution<std::size_t>(0, w.size() - 2)(rng);
    if (kind == 0) {
      // ם ן ץ ף ך at the end, written in the middle form.
      const std::map<char, char> middle{{'\xED', '\xEE'}, {'\xEF', '\xF0'}, {'\xF5', '\xF6'}, {'\xF3', '\xF4'}, {'\xEA', '\xEB'}};
      const auto it = middle.find(w.back());
      if (it == middle.end()) continue;
      m.back() = it->second;
    } else if (kind == 1) {
      if (w[at] == w[at + 1]) continue;
      std::swap(m[at], m[at + 1]);
    } else if (kind == 2) {
      m.erase(at + 1, 1);
    } else if (kind == 3) {
      m.insert(m.begin() + static_cast<std::ptrdiff_t>(at + 1), m[at + 1]);
    } else {
      const auto it = neighbours.find(w[at + 1]);
      if (it == neighbours.end()) continue;
      m[at + 1] = it->second[std::uniform_int_distribution<std::size_t>(0, it->second.size() - 1)(rng)];
    }
    if (!seen.insert(m).second) continue;
    meant.push_back(w);
    misspelled.push_back(m);
  }
  // Only words Hunspell flags too are misspellings.
  const std::set<std::string> flagged = HunspellFlags(l, scratch_.path, misspelled);
  std::vector<std::string> meantKept, misspelledKept;
  for (std::size_t i = 0; i < misspelled.size() && misspelledKept.size() < 200; ++i) {
    if (!flagged.count(misspelled[i])) continue;
    meantKept.push_back(meant[i]);
    misspelledKept.push_back(misspelled[i]);
  }
  ASSERT_EQ(misspelledKept.size(), 200u);
  const std::vector<std::vector<std::string>> theirs = HunspellSuggestions(l, scratch_.path, misspelledKept);
  std::size_t ourHits = 0, theirHits = 0;
  std::vector<std::string> missed;
  for (std::size_t i = 0; i < misspelledKept.size(); ++i) {
    engine_.CheckWord(misspelledKept[i], !l.hebrew, false);
    const std::vector<std::string> ours = engine_.SuggestionWords(false);
    const auto top3 = [&](const std::vector<std::string>& list) {
      return std::find(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(3, list.size())),
                       meantKept[i]) != list.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(3, list.size()));
    };
    const bool we = top3(ours);
    ourHits += we;
    theirHits += top3(theirs[i]);
    if (!we && missed.size() < 12) {
      std::string line = ToUtf8(l, misspelledKept[i]) + " -> " + ToUtf8(l, meantKept[i]) + ": ";
      for (std::size_t k = 0; k < std::min<std::size_t>(3, ours.size()); ++k) line += ToUtf8(l, ours[k]) + " ";
      missed.push_back(line);
    }
    engine_.FreeSuggestions();
  }
  std::printf("%s suggestions: the word meant among the first three for %zu of 200 misspellings (Hunspell %zu)\n",
              l.name, ourHits, theirHits);
  std::string list;
  for (const std::string& m : missed) list += "  " + m + "\n";
  EXPECT_GE(ourHits, theirHits) << "some we missed:\n" << list;
}

void PrintTo(const Language& l, std::ostream* os) { *os << l.name; }

INSTANTIATE_TEST_SUITE_P(Spell, HunspellAgreement, ::testing::Values(kHebrew, kEnglish),
                         [](const ::testing::TestParamInfo<Language>& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace nuvel
