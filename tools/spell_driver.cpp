#include "tools/spell_driver.h"

#include <algorithm>

#include "core/charset.h"
#include "core/message_texts.h"
#include "editor/heb_text_editor.h"
#include "platform/ascii_case.h"
#include "platform/message_sink.h"
#include "tools/spell_engine.h"

namespace nuvel {

namespace {

std::string Reversed(std::string_view s) { return std::string(s.rbegin(), s.rend()); }

std::span<const uint8_t> Bytes(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

// The repeated-word question: Yes deletes the second one.
bool AskDeleteRepeat(const std::string& word) {
  std::string text = GetMessageText(38454, 41154);
  if (const size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, word);
  text += '\r';
  text += GetMessageText(38455, 41155);
  return MessageDlg(text, platform::MsgDlgType::Confirmation, platform::mbYes | platform::mbNo) == platform::mrYes;
}
}  // namespace

TSpellDriver::TSpellDriver(THebTextEditor& editor, TSpellEngine& engine, TSpellerUi& ui)
    : editor_(editor), engine_(engine), ui_(ui) {}

void TSpellDriver::Spell() {
  int32_t para = 0, start = 0, end = 0;
  const std::string word = editor_.GetCaretWord(para, start, end);
  if (!word.empty()) {
    int32_t scan = end - 1;
    if (!SpellOneWord(word, para, start, scan, false, true)) {
      engine_.FinishSpelling();
      return;
    }
  }
  SpellNextWords();
}

void TSpellDriver::SpellNextWords() {
  int32_t col = 0;
  const int32_t line = editor_.GetCaretPosition(col);
  int32_t para = editor_.CaretPara();
  // Words are read in reading order, from the byte at the caret on.
  int32_t pos = editor_.ReadingPos(para, editor_.CaretPos()) - 1;
  previousWord_.clear();
  std::string word;
  int32_t start = 0;
  if (engine_.OpenDictionaries()) {
    while (editor_.GetNextWord(para, pos, word, &start)) {
      editor_.SelectReading(para, start, start + static_cast<int32_t>(word.size()));
      // The scan goes on from the byte after the word.
      int32_t scan = start - 1 + static_cast<int32_t>(word.size());
      const bool stop = SpellOneWord(word, para, start, scan, true, false);
      pos = scan;
      if (stop) break;
    }
  }
  engine_.FinishSpelling();
  editor_.SetCaretPosition(std::min(line, editor_.LineCount()), col);
}

bool TSpellDriver::SpellOneWord(const std::string& word, int32_t para, int32_t start, int32_t& scanPos,
                                bool askRepeats, bool singleWord) {
  if (!engine_.OpenDictionaries()) return false;
  const bool english = IsEnglishWord(word);
  // A word read in reading order reads as written; one of a visual form is
  // stored reversed when it is of the other direction.
  const bool docEnglish = editor_.LogicalOrder() ? english : editor_.Engm();
  // The paragraph mark at a word's end is not part of it.
  int32_t length = static_cast<int32_t>(word.size());
  if (length > 0 && static_cast<uint8_t>(word.back()) == kParagraphMark) --length;
  const TWordCheck check = engine_.CheckWord(word, docEnglish, false);
  bool stop = false;
  const auto done = [&] {
    engine_.FreeSuggestions();
    previousWord_ = askRepeats ? word : std::string();
    return stop;
  };
  if (check.Replaced) {
    ReplaceWord(check.Word, para, start, length, check.IsUpper, english, scanPos);
    return done();
  }
  if (askRepeats && word == previousWord_) {
    if (AskDeleteRepeat(word)) {
      // The word goes with one blank: the one after it, else the one before.
      const auto text = editor_.ReadingPara(para).Text();
      int32_t from = start, to = start + length;
      if (to <= static_cast<int32_t>(text.size()) && text[static_cast<size_t>(to - 1)] == ' ') {
        ++to;
      } else if (from > 1 && text[static_cast<size_t>(from - 2)] == ' ') {
        --from;
      }
      editor_.ReplaceReading(para, from, to, {});
      scanPos = from - 1;
      engine_.FreeSuggestions();
      previousWord_.clear();
      return false;
    }
    previousWord_ = word;
  }
  if (check.Found || engine_.Suggestions() == nullptr) {
    if (singleWord && check.Checked && ui_.AskCorrectContinue()) stop = true;
    return done();
  }
  TSpellerRequest request;
  request.Word = check.Word;
  request.Run = askRepeats;
  request.Suggestions = engine_.SuggestionWords(check.IsUpper);
  request.Replacement = request.Suggestions.empty() ? check.Word : request.Suggestions.front();
  for (;;) {
    request.Left = left_;
    request.Top = top_;
    const TSpellerAnswer answer = ui_.AskSpeller(request);
    left_ = answer.Left;
    top_ = answer.Top;
    TInDic& list = engine_.UserList(english);
    const std::string plain = english ? check.Word : WithoutPoints(check.Word);
    bool replace = false;
    std::string with = answer.Replacement;
    switch (answer.Action) {
      case TSpellerAction::Replace: replace = true; break;
      case TSpellerAction::Cancel: break;
      case TSpellerAction::Add: list.Add(plain, Trec{"", kUserWordAdded}); break;
      case TSpellerAction::Ignore: list.Add(plain, Trec{plain, kUserWordIgnored}); break;
      case TSpellerAction::AutoChange:
        list.Add(plain, Trec{answer.Replacement, kUserWordReplaced});
        replace = true;
        break;
      case TSpellerAction::Mark:
        with = "\\" + check.Word;
        replace = true;
        break;
      case TSpellerAction::LookUp: {
        engine_.CheckWord(english == docEnglish ? answer.Replacement : Reversed(answer.Replacement), docEnglish,
                          true);
        request.Suggestions = engine_.SuggestionWords(check.IsUpper);
        request.Replacement = answer.Replacement;
        continue;
      }
      case TSpellerAction::Stop: stop = true; break;
    }
    if (replace) ReplaceWord(with, para, start, length, check.IsUpper, english, scanPos);
    break;
  }
  return done();
}

void TSpellDriver::ReplaceWord(const std::string& reading, int32_t para, int32_t start, int32_t oldLength,
                               bool wasUpper, bool english, int32_t& scanPos) {
  std::string text = reading;
  if (english && wasUpper && !text.empty()) {
    text[0] = static_cast<char>(platform::AsciiUpper(static_cast<uint8_t>(text[0])));
  }
  // In a visual form, back into the order the document stores the word in; a marking
  // backslash stays in front.
  if (!editor_.LogicalOrder() && english != editor_.Engm()) {
    const bool marked = !text.empty() && text[0] == '\\';
    text = marked ? "\\" + Reversed(std::string_view(text).substr(1)) : Reversed(text);
  }
  editor_.ReplaceReading(para, start, start + oldLength, Bytes(text));
  scanPos += static_cast<int32_t>(text.size()) - oldLength;
}

}  // namespace nuvel
