#pragma once
// The spell engine: the English and Hebrew main dictionaries and user word
// lists named in [SPELL], the check of one word, and the suggestions for a
// misspelled one.
//
// A word is English when every byte is in the English alphabet or is a digit
// or "."; Hebrew otherwise. Hebrew is looked up in the dictionary code (the
// letters 0xE0..0xFA less 0x60; geresh and gershayim, ' and ", stay), with
// the prefix chains its word's class takes (spell_hebrew_dictionary.h); user
// lists keep their words as the document has them (the Windows code).
// Suggestions for a misspelled word are the words one typing slip away
// (the likely slips first, spell_slips.h), then the words of its group
// within an edit distance of 3. Words are read in logical order: a
// word typed against the document's main direction is stored reversed and
// is turned round first.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/spell_alphabet.h"
#include "tools/spell_dic.h"
#include "tools/spell_hebrew_dictionary.h"
#include "tools/spell_suggestions.h"
#include "tools/spell_user_list.h"

namespace nuvel {

// The mode-switch word a speller answers with: in a single-word check it
// means "go on over the whole document", in a whole-document run "stop".
inline constexpr std::string_view kSpellStopWord = "9999999";

bool IsEnglishWord(std::string_view word);
// Between the Windows code and the Hebrew dictionary code: only the letters
// change (0xE0..0xFA and 0x80..0x9A); every other byte stays.
std::string WinToDic(std::string_view word);
std::string DicToWin(std::string_view word);
std::string WinToDicReversed(std::string_view word);
std::string DicToWinReversed(std::string_view word);
// A vocalised word as it is checked: each precomposed pointed letter as its
// plain letter, and the vowel points and marks (0xC0..0xD2) left out.
std::string WithoutPoints(std::string_view word);

// Where the engine's files are: a relative dictionary name is taken from
// the program folder, a relative user-list name from the user's data folder
// (UserDataFolder()), or from the settings folder where an earlier version
// kept the list and the data folder has none yet. An absolute name stays as
// it is.
struct TSpellFiles {
  std::string EnglishDic, HebrewDic, EnglishUser, HebrewUser;
};
TSpellFiles SpellFilesFromSettings();

struct TWordCheck {
  bool Found = false;     // the word is correct
  bool IsUpper = false;   // its first character is an upper-case letter
  bool Replaced = false;  // the user list replaced it: Word holds the replacement
  bool Checked = false;   // false: the word was not looked at (too short, a number, a bad character)
  std::string Word;       // the reading form, or the replacement
};

class TSpellEngine {
 public:
  TSpellEngine();
  ~TSpellEngine();

  // Opens the dictionaries and loads the user lists once; true when open.
  // A dictionary that cannot be opened is reported through the message sink.
  bool OpenDictionaries();
  bool OpenDictionaries(const TSpellFiles& files);
  bool IsOpen() const { return open_; }
  // Writes the user lists back (each through a temporary file, and never a
  // list whose file could not be read) and closes everything.
  void FinishSpelling();

  // Checks `word` as the document stores it; `docEnglish` is the
  // document's main direction. With `suggestOnly` nothing is looked up:
  // only suggestions are made, in completion mode (every word that begins
  // with it). With `suggest` off a misspelled word gets no suggestions
  // (and no suggestion list): Found alone tells whether it is correct.
  TWordCheck CheckWord(std::string_view word, bool docEnglish, bool suggestOnly, std::size_t maxLen = 255,
                       bool suggest = true);
  // The suggestions of the last check (each a marker and a word, closer
  // words first); none when the last check made none.
  const SpellSuggestionList* Suggestions() const { return suggestions_ ? &*suggestions_ : nullptr; }
  // The suggested words without their markers, in the Windows code and in
  // reading order; with `upper` each begins with an upper-case letter.
  std::vector<std::string> SuggestionWords(bool upper) const;
  void FreeSuggestions() { suggestions_.reset(); }

  // The user list of a language.
  TInDic& UserList(bool english) { return english ? engUser_ : hebUser_; }
  const TSpellFiles& Files() const { return files_; }

 private:
  void GetSuggestions(const TInDic* user, bool mainDic, std::string_view w, bool english, bool completion);
  // The words one slip from `w` that are correct, ranked by the slip.
  void AddSlipSuggestions(std::string_view w, bool english, SpellSuggestionList& found) const;
  // Whether `w` is correct in the main dictionary or the user list (Hebrew
  // in the dictionary code).
  bool Accepts(std::string_view w, bool english) const;
  bool HebrewAccepts(std::string_view dic) const;
  // The user list's entry for `w`, if any.
  const TInDic::Entry* UserEntry(bool english, std::string_view w) const;

  bool open_ = false;
  TSpellFiles files_;
  SpellAlphabet engAlphabet_, hebAlphabet_;
  std::unique_ptr<TSpDic> engDic_;
  std::unique_ptr<THebrewDictionary> hebDic_;
  TInDic engUser_, hebUser_;
  std::optional<SpellSuggestionList> suggestions_;
};

// The program's one engine, open from the first word checked until
// FinishSpelling.
TSpellEngine& SharedSpellEngine();

}  // namespace nuvel
