#include "tools/spell_engine.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

#include "core/charset.h"
#include "core/ini_location.h"
#include "core/settings.h"
#include "platform/ascii_case.h"
#include "platform/message_sink.h"
#include "platform/program_path.h"
#include "tools/spell_dictionary_check.h"
#include "tools/spell_slips.h"

namespace nuvel {

namespace {
constexpr uint8_t kHebFirst = 0xE0, kHebLast = 0xFA;

// Prefix letters ב ה ו כ ל מ ש in the Windows code.
constexpr uint8_t kPrefixLetters[] = {0xE1, 0xE4, 0xE5, 0xEB, 0xEC, 0xEE, 0xF9};

bool IsPrefixLetter(uint8_t b) { return std::find(std::begin(kPrefixLetters), std::end(kPrefixLetters), b) != std::end(kPrefixLetters); }
bool IsDigitOrDot(uint8_t b) { return (b >= '0' && b <= '9') || b == '.'; }

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(platform::AsciiLower(static_cast<uint8_t>(c)));
  return out;
}
std::string Capitalised(std::string_view s) {
  std::string out(s);
  if (!out.empty()) out[0] = static_cast<char>(platform::AsciiUpper(static_cast<uint8_t>(out[0])));
  return out;
}
std::string Reversed(std::string_view s) { return std::string(s.rbegin(), s.rend()); }

void Warn(std::string text) {
  platform::MessageRequest r;
  r.text = std::move(text);
  r.type = platform::MsgDlgType::Warning;
  r.buttons = platform::mbOK;
  platform::ShowMessageRequest(r);
}
void Inform(std::string text) {
  platform::MessageRequest r;
  r.text = std::move(text);
  r.type = platform::MsgDlgType::Information;
  r.buttons = platform::mbOK;
  platform::ShowMessageRequest(r);
}

std::string Setting(std::string_view key, std::string_view fallback) {
  std::string v = ReadIniString("SPELL", key);
  if (v == "NotFound" || v.empty()) v = std::string(fallback);
  return v;
}

bool IsAbsolute(std::string_view name) { return !name.empty() && name[0] == '/'; }
}  // namespace

bool IsEnglishWord(std::string_view word) {
  static const SpellAlphabet english = BuildEnglishAlphabet();
  for (char c : word) {
    const auto b = static_cast<uint8_t>(c);
    if (english.Code(b) == 0 && !IsDigitOrDot(b)) return false;
  }
  return true;
}

std::string WinToDic(std::string_view word) {
  std::string out(word);
  for (char& c : out) {
    const auto b = static_cast<uint8_t>(c);
    if (b >= kHebFirst && b <= kHebLast) c = static_cast<char>(b - kHebrewDicOffset);
  }
  return out;
}

std::string DicToWin(std::string_view word) {
  std::string out(word);
  for (char& c : out) {
    const auto b = static_cast<uint8_t>(c);
    if (b >= kHebFirst - kHebrewDicOffset && b <= kHebLast - kHebrewDicOffset) c = static_cast<char>(b + kHebrewDicOffset);
  }
  return out;
}

std::string WinToDicReversed(std::string_view word) { return Reversed(WinToDic(word)); }
std::string DicToWinReversed(std::string_view word) { return Reversed(DicToWin(word)); }

std::string WithoutPoints(std::string_view word) {
  std::string out;
  out.reserve(word.size());
  for (char c : word) {
    const auto b = static_cast<uint8_t>(c);
    if (IsPointedLetter(b)) {
      out += static_cast<char>(PointedLetterParts(b)[0]);
    } else if (b < 0xC0 || b > 0xD2) {
      out += c;
    }
  }
  return out;
}

TSpellFiles SpellFilesFromSettings() {
  auto dic = [](std::string_view key, std::string_view fallback) {
    std::string name = Setting(key, fallback);
    return IsAbsolute(name) ? name : platform::ProgramDataFile(name);
  };
  auto user = [](std::string_view key, std::string_view fallback) {
    std::string name = Setting(key, fallback);
    if (IsAbsolute(name)) return name;
    const std::string own = UserDataFolder() + name, earlier = SettingsFolder() + name;
    std::error_code ec;
    if (!std::filesystem::exists(own, ec) && std::filesystem::is_regular_file(earlier, ec)) return earlier;
    return own;
  };
  return {dic("MainEngDic", "NUVHSPE.DIC"), dic("MainHebDic", "NUVHSPH.DIC"), user("TempEngDic", "NuvSpelE.tmp"),
          user("TempHebDic", "NuvSpelH.tmp")};
}

TSpellEngine::TSpellEngine() = default;
TSpellEngine::~TSpellEngine() = default;

bool TSpellEngine::OpenDictionaries() { return open_ || OpenDictionaries(SpellFilesFromSettings()); }

bool TSpellEngine::OpenDictionaries(const TSpellFiles& files) {
  if (open_) return true;
  engAlphabet_ = BuildEnglishAlphabet();
  hebAlphabet_ = BuildHebrewAlphabet();
  engDic_ = std::make_unique<TSpDic>(files.EnglishDic, engAlphabet_);
  if (!engDic_->IsOpen()) {
    Inform(engDic_->FailureText());
    engDic_.reset();
    return false;
  }
  hebDic_ = std::make_unique<THebrewDictionary>(files.HebrewDic, hebAlphabet_);
  if (!hebDic_->IsOpen()) {
    Inform(hebDic_->FailureText());
    engDic_.reset();
    hebDic_.reset();
    return false;
  }
  // Damage that leaves a dictionary open is told once: it may take correct
  // words for misspelt ones.
  std::vector<const TSpDic*> opened{engDic_.get()};
  for (const auto& c : hebDic_->Classes()) opened.push_back(c.get());
  for (const TSpDic* d : opened) {
    if (!d->Damage().empty() && FirstTellingOfSpellDamage(d->FileName())) {
      Warn(SpellDamageLine(d->FileName(), d->Damage()));
    }
  }
  files_ = files;
  engUser_.Clear();
  hebUser_.Clear();
  for (auto [name, list] : {std::pair{&files.EnglishUser, &engUser_}, std::pair{&files.HebrewUser, &hebUser_}}) {
    const UserListStatus s = LoadUserList(*name, *list);
    if (s != UserListStatus::kOk) Warn(UserListStatusText(s));
  }
  open_ = true;
  return true;
}

void TSpellEngine::FinishSpelling() {
  if (!open_) return;
  suggestions_.reset();
  engDic_.reset();
  hebDic_.reset();
  for (auto [name, list] : {std::pair{&files_.EnglishUser, &engUser_}, std::pair{&files_.HebrewUser, &hebUser_}}) {
    const std::string folder = name->substr(0, name->rfind('/') + 1);
    if (!folder.empty()) {
      std::error_code ec;
      std::filesystem::create_directories(folder, ec);
    }
    const UserListStatus s = SaveUserList(*name, *list);
    if (s != UserListStatus::kOk && s != UserListStatus::kNotWrittenAfterFailedLoad) Warn(UserListStatusText(s));
    list->Clear();
  }
  open_ = false;
}

const TInDic::Entry* TSpellEngine::UserEntry(bool english, std::string_view w) const {
  const TInDic& list = english ? engUser_ : hebUser_;
  std::size_t index = 0;
  return FindUserWord(list, w, index) ? &list[index] : nullptr;
}

TWordCheck TSpellEngine::CheckWord(std::string_view stored, bool docEnglish, bool suggestOnly, std::size_t maxLen,
                                   bool suggest) {
  TWordCheck r;
  if (!open_) return r;
  suggestions_.reset();
  std::string word(stored);
  r.IsUpper = !word.empty() && platform::AsciiUpper(static_cast<uint8_t>(word[0])) == static_cast<uint8_t>(word[0]) &&
              platform::AsciiLower(static_cast<uint8_t>(word[0])) != static_cast<uint8_t>(word[0]);
  if (!word.empty() && static_cast<uint8_t>(word.back()) == kParagraphMark) word.pop_back();
  r.Word = word;
  if (word.size() <= 1) return r;
  if (IsDigitOrDot(static_cast<uint8_t>(word[0])) || IsDigitOrDot(static_cast<uint8_t>(word[1]))) return r;
  const bool english = IsEnglishWord(word);
  // The reading form: a word of the other direction is stored reversed.
  const std::string reading = english == docEnglish ? word : Reversed(word);
  r.Word = reading;
  std::string dic;
  if (!english) {
    dic = WinToDic(WithoutPoints(reading));
    for (char c : dic) {
      if (hebAlphabet_.Code(static_cast<uint8_t>(c)) == 0) {
        Warn("Unexpected non-English char: " + std::string(1, static_cast<char>(DicToWin(std::string(1, c))[0])));
        return r;
      }
    }
  }
  r.Checked = true;
  const std::string plain = english ? reading : WithoutPoints(reading);
  if (!suggestOnly) {
    // The user list first.
    std::vector<std::string> forms{plain};
    if (english) {
      forms.push_back(Lower(plain));
      forms.push_back(Capitalised(plain));
    }
    for (const std::string& f : forms) {
      const TInDic::Entry* e = UserEntry(english, f);
      if (!e) continue;
      const Trec& rec = e->rec;
      if (rec.kind == kUserWordReplaced && !rec.text.empty() && rec.text != " " && rec.text != plain) {
        r.Word = rec.text.substr(0, maxLen);
        r.Replaced = true;
      } else {
        r.Found = true;
      }
      return r;
    }
    if (english) {
      const std::string lower = Lower(plain);
      bool hit = engDic_->LookUp(plain) || engDic_->LookUp(lower);
      if (!hit && lower.size() > 2 && lower.ends_with("'s")) {
        hit = engDic_->LookUp(lower.substr(0, lower.size() - 2)) ||
              UserEntry(true, plain.substr(0, plain.size() - 2)) != nullptr;
      }
      if (!hit) hit = engDic_->LookUp(Capitalised(plain));
      // An apostrophe at the end closes a quotation or marks a plural's
      // possessive ("the dogs' bowls"): the word is the one before it.
      if (!hit && plain.size() > 2 && plain.back() == '\'') {
        hit = CheckWord(plain.substr(0, plain.size() - 1), true, false, maxLen, false).Found;
      }
      if (hit) {
        r.Found = true;
        return r;
      }
    } else if (HebrewAccepts(dic) ||
               (IsPrefixLetter(static_cast<uint8_t>(plain[0])) && UserEntry(false, plain.substr(1)) != nullptr)) {
      r.Found = true;
      return r;
    }
  }
  if (!suggest) return r;
  suggestions_.emplace();
  GetSuggestions(&UserList(english), false, plain, english, suggestOnly);
  GetSuggestions(nullptr, true, english ? plain : dic, english, suggestOnly);
  return r;
}

bool TSpellEngine::HebrewAccepts(std::string_view dic) const {
  if (hebDic_->LookUp(dic)) return true;
  // Quotes around a word are not part of it: a leading double quote or
  // apostrophe, and a trailing double quote.
  if (dic.size() > 1 && (dic.front() == '"' || dic.front() == '\'')) return HebrewAccepts(dic.substr(1));
  if (dic.size() > 1 && dic.back() == '"') return HebrewAccepts(dic.substr(0, dic.size() - 1));
  return false;
}

bool TSpellEngine::Accepts(std::string_view w, bool english) const {
  if (english) {
    return engDic_->LookUp(w) || engDic_->LookUp(Lower(w)) || engDic_->LookUp(Capitalised(w)) ||
           UserEntry(true, w) != nullptr;
  }
  return hebDic_->LookUp(w) || UserEntry(false, DicToWin(w)) != nullptr;
}

void TSpellEngine::AddSlipSuggestions(std::string_view w, bool english, SpellSuggestionList& found) const {
  static constexpr std::string_view kEnglishLetters = "abcdefghijklmnopqrstuvwxyz'";
  // Hebrew letters in the dictionary code, and the gershayim.
  static constexpr std::string_view kHebrewLetters =
      "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\"";
  const auto add = [&](std::string_view candidate, TSlipKind kind) {
    if (candidate.size() < 2 || !Accepts(candidate, english)) return;
    std::string item(1, SlipMarker(kind));
    item += candidate;
    found.Add(std::move(item));
  };
  if (!english) {
    // Every letter in its right form: final forms at the end only.
    std::string proper(w);
    for (std::size_t i = 0; i < proper.size(); ++i) {
      const auto c = static_cast<uint8_t>(proper[i]);
      const uint8_t other = OtherLetterForm(c);
      const bool isFinal = other != 0 && other > c;
      if (other != 0 && isFinal != (i + 1 == proper.size())) proper[i] = static_cast<char>(other);
    }
    if (proper != w) add(proper, TSlipKind::FinalForm);
  }
  ForEachOneSlip(w, english ? kEnglishLetters : kHebrewLetters, add);
}

void TSpellEngine::GetSuggestions(const TInDic* user, bool mainDic, std::string_view w, bool english,
                                  bool completion) {
  if (w.size() <= 2 || !suggestions_) return;
  const auto len = static_cast<int>(w.size());
  const int minLen = completion ? len : len - 1;
  const int maxLen = completion ? 255 : len + 1;
  SpellSuggestionList found;
  auto from = [&](std::string_view word, int lo, int hi) {
    if (user) {
      if (completion) {
        // Completion over the user list: every entry that begins with the word.
        for (const auto& e : user->Entries()) {
          if (e.rec.kind != kUserWordIgnored && e.word.starts_with(word)) found.Add(std::string(1, '\x60') + e.word);
        }
      } else {
        SuggestFromUserList(*user, word, lo, hi, found);
      }
    }
    if (mainDic) {
      if (english) {
        engDic_->Suggest(word, lo, completion, hi, found);
      } else {
        hebDic_->Suggest(word, lo, completion, hi, found);
      }
    }
  };
  from(w, minLen, maxLen);
  if (english) {
    const auto first = static_cast<uint8_t>(w[0]);
    if (platform::AsciiLower(first) != first) from(Lower(w), len - 1, len + 1);
  } else if (completion) {
    // The word without a leading prefix letter, as a word of its own.
    const auto first = static_cast<uint8_t>(w[0]);
    const uint8_t letter = mainDic ? static_cast<uint8_t>(first + kHebrewDicOffset) : first;
    if (IsPrefixLetter(letter)) {
      const std::string_view rest = w.substr(1);
      const bool there = mainDic ? hebDic_->HasRoot(rest) : UserEntry(false, rest) != nullptr;
      if (there) found.Add(std::string("\x01<") + std::string(w));
    }
  }
  if (mainDic && !completion) AddSlipSuggestions(w, english, found);
  // Main-dictionary words come back in the Windows code, like the list's.
  for (const std::string& item : found.Items()) {
    if (english || !mainDic) {
      suggestions_->Add(item);
    } else {
      const size_t marker = item[0] == '\x01' ? 2 : 1;
      suggestions_->Add(item.substr(0, marker) + DicToWin(item.substr(marker)));
    }
  }
}

std::vector<std::string> TSpellEngine::SuggestionWords(bool upper) const {
  std::vector<std::string> out;
  if (!suggestions_) return out;
  std::unordered_set<std::string> seen;
  for (const std::string& item : suggestions_->Items()) {
    std::string w = item.substr(item[0] == '\x01' ? 2 : 1);
    if (upper) w = Capitalised(w);
    if (seen.insert(w).second) out.push_back(std::move(w));
  }
  return out;
}

TSpellEngine& SharedSpellEngine() {
  static TSpellEngine engine;
  return engine;
}

}  // namespace nuvel
