#pragma once
// The spelling driver: the dialogue about one word (the speller dialog, the
// repeated-word question, the answer that a correct word was found), the
// Spell command on the word at the caret and the run over the document from
// the caret. The dialogs are behind an interface, so the driver runs the
// same with the program's windows and with a test's scripted answers.
#include <string>
#include <vector>

namespace nuvel {

class THebTextEditor;
class TSpellEngine;

// The speller dialog's buttons, by what they do.
enum class TSpellerAction {
  Replace,     // OK: the word becomes the replacement text
  Cancel,      // leave the word
  Add,         // add the word to the user list for good
  Ignore,      // ignore it for the rest of this run
  AutoChange,  // add it with the replacement text, and replace
  Mark,        // put a backslash before it
  LookUp,      // new suggestions: the words that begin with the replacement text
  Stop,        // Continue: switch modes (single word: go on over the document; run: stop)
};

struct TSpellerRequest {
  std::string Word;                      // the word as it reads (Windows code)
  std::vector<std::string> Suggestions;  // closer ones first
  std::string Replacement;               // the first suggestion, or the word
  bool Run = false;                      // a whole-document run (the Continue button stops it)
  int Left = 217, Top = 277;             // where the dialog stands
};

struct TSpellerAnswer {
  TSpellerAction Action = TSpellerAction::Cancel;
  std::string Replacement;  // the replacement text as the user left it
  int Left = 217, Top = 277;
};

class TSpellerUi {
 public:
  virtual ~TSpellerUi() = default;
  virtual TSpellerAnswer AskSpeller(const TSpellerRequest& request) = 0;
  // The word at the caret is correct: true when the user chose Continue.
  virtual bool AskCorrectContinue() = 0;
};

class TSpellDriver {
 public:
  TSpellDriver(THebTextEditor& editor, TSpellEngine& engine, TSpellerUi& ui);

  // The Spell command: checks the word at the caret; when it is correct and
  // the user chooses Continue (or the caret stands on no word), checks the
  // document from the caret to its end. The user lists are written back at
  // the end.
  void Spell();
  // The run over the document from the caret, with the repeated-word
  // question; the caret comes back to where it was.
  void SpellNextWords();

 private:
  // True when the speller answered with the mode switch.
  bool SpellOneWord(const std::string& word, int32_t para, int32_t start, int32_t& scanPos, bool askRepeats,
                    bool singleWord);
  void ReplaceWord(const std::string& reading, int32_t para, int32_t start, int32_t oldLength, bool wasUpper,
                   bool english, int32_t& scanPos);

  THebTextEditor& editor_;
  TSpellEngine& engine_;
  TSpellerUi& ui_;
  std::string previousWord_;
  int left_ = 217, top_ = 277;
};

}  // namespace nuvel
