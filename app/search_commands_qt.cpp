#include "app/search_commands_qt.h"

#include <QPointer>
#include <charconv>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/mdi_child_qt.h"
#include "core/message_texts.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "editor/go_to_character.h"
#include "editor/heb_text_editor.h"
#include "editor/reading_order_search.h"
#include "editor/search_options.h"
#include "platform/input_box.h"
#include "tools/char_entry.h"
#include "tools/chr_entry_dlg_qt.h"
#include "tools/file_str_prompt.h"
#include "tools/search_dlgs_qt.h"
#include "ui/interface_texts_qt.h"
#include "ui/message_format.h"

namespace nuvel {
namespace {

THebTextEditor* ActiveEditor(DocumentWindows& docs) {
  TMDIChild* c = docs.ActiveChild();
  return c != nullptr ? &c->HebDoc() : nullptr;
}

// The dialogs search the document that is active at each search.
class ActiveDocumentTarget : public TSearchTarget {
 public:
  explicit ActiveDocumentTarget(DocumentWindows& docs) : docs_(&docs) {}
  THebTextEditor* Editor() const { return docs_ ? ActiveEditor(*docs_) : nullptr; }
  bool FindText(std::string_view text, uint16_t options) override {
    THebTextEditor* e = Editor();
    return e != nullptr && e->FindText(text, options);
  }
  bool FindChoseir(std::string_view word, uint16_t options) override {
    THebTextEditor* e = Editor();
    return e != nullptr && e->FindChoseir(word, options);
  }
  int32_t ReplaceText(std::string_view find, std::string_view with, uint16_t options) override {
    THebTextEditor* e = Editor();
    return e != nullptr ? e->ReplaceText(find, with, options) : kSearchNotFound;
  }
  uint16_t LastSearchError() const override {
    THebTextEditor* e = Editor();
    return e != nullptr ? e->LastSearchError() : 0;
  }
  bool SelectionSpansLines() const override {
    THebTextEditor* e = Editor();
    int32_t line1 = 0, col1 = 0, line2 = 0, col2 = 0;
    return e != nullptr && e->GetSelection(line1, col1, line2, col2) && line1 != line2;
  }

 private:
  QPointer<DocumentWindows> docs_;
};

bool FindCursorWord() { return ReadIniString("GENPREFS", "Find_Cursor_Word") == "1"; }

// A dialog's text as the search string: without trailing NUL, LF, CR and
// Esc characters.
std::string AsSearchString(std::string text) {
  while (!text.empty() && (text.back() == '\0' || text.back() == '\n' || text.back() == '\r' || text.back() == 27))
    text.pop_back();
  return text.substr(0, 255);
}

TKbdLayer LayerOf(const THebTextEditor& e) {
  switch (e.KeyType()) {
    case TKeytype::Hebrew:
    case TKeytype::Phonetic: return TKbdLayer::Hebrew;
    case TKeytype::Nikud: return TKbdLayer::Nikud;
    case TKeytype::English: break;
  }
  return TKbdLayer::English;
}

// The selection's first line: from its start to its end, or to the end of
// its first paragraph; in a document kept in logical order, as it reads.
std::string SelectedFirstLine(const THebTextEditor& e) {
  if (!e.HasSelection()) return {};
  const auto bytes = e.GetPara(e.SelBegin().Para);
  const auto from = static_cast<size_t>(e.SelBegin().Pos - 1);
  if (from >= bytes.size()) return {};
  size_t to = bytes.size();
  if (e.SelEnd().Para == e.SelBegin().Para) to = std::min(to, static_cast<size_t>(e.SelEnd().Pos - 1));
  if (e.LogicalOrder()) {
    const std::vector<uint8_t> text = CellsInReadingOrder(e.Engm(), bytes, from, to);
    return std::string(text.begin(), text.end());
  }
  return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.begin() + static_cast<std::ptrdiff_t>(to));
}

void ShowNotFoundMessage(const std::string& text) {
  const std::string format = GetMessageText(38414, 41114);
  MessageDlg(FormatMessage(format, {text}), MsgDlgType::Information, platform::mbOK);
}

// Shows the editor's selection while a dialog has the focus.
class SelectionShown {
 public:
  explicit SelectionShown(THebTextEditor& e) : e_(e), was_(e.HideSelection()) { e_.SetHideSelection(false); }
  ~SelectionShown() { e_.SetHideSelection(was_); }
  SelectionShown(const SelectionShown&) = delete;
  SelectionShown& operator=(const SelectionShown&) = delete;

 private:
  THebTextEditor& e_;
  bool was_;
};

void RunSearchDialog(DocumentWindows& docs, TSearchDlgBase& dlg, const char* hebCaps, THebTextEditor& e) {
  if (!EngPrompts) SetHebCaps(&dlg, hebCaps);
  TSearchDialogSetup setup;
  setup.text = docs.SearchString;
  setup.layer = LayerOf(e);
  setup.englishDocument = e.Engm();
  setup.hebScreenFont = e.HebScreenFont();
  dlg.Setup(setup);
  auto target = std::make_shared<ActiveDocumentTarget>(docs);
  dlg.SetTarget([target]() -> TSearchTarget* { return target.get(); });
  dlg.SetOptions(&docs.Options.SearchOptions);
  {
    SelectionShown shown(e);
    dlg.exec();
  }
  docs.SearchString = AsSearchString(dlg.FindEdit()->Line().Text);
}

void Find1Click(DocumentWindows& docs) {
  THebTextEditor* e = ActiveEditor(docs);
  if (e == nullptr) return;
  if (FindCursorWord()) {
    int32_t para = 0, start = 0, end = 0;
    docs.SearchString = e->GetCaretWord(para, start, end);
  } else {
    docs.SearchString.clear();
  }
  THebFindDlg dlg(docs.Area());
  dlg.Mode = 0;
  RunSearchDialog(docs, dlg, "SetHebCaps_HebFindDlg", *e);
}

// Replace through two file-name prompts instead of the dialog.
void PromptSearchReplace(DocumentWindows& docs, THebTextEditor& e) {
  TFileStrRequest ask;
  ask.Caption = "Please Enter Search String";
  ask.Label = "Search String: ";
  ask.Text = docs.SearchString;
  ask.History = HistoryFind;
  const TFileStrAnswer find = docs.Prompts().AskFileStr(ask);
  if (find.Result != TFileStrResult::Ok || TrimPromptText(find.Text).empty()) return;
  TFileStrRequest with;
  with.Caption = "...And Replace It With?";
  with.Label = "Replace String: ";
  with.History = HistoryRepl;
  const TFileStrAnswer replace = docs.Prompts().AskFileStr(with);
  if (replace.Result != TFileStrResult::Ok) return;
  docs.Options.SearchOptions = kSearchReplace;
  const std::string findText = TrimPromptText(find.Text);
  AddToHistory(HistoryFind, findText);
  AddToHistory(HistoryRepl, TrimPromptText(replace.Text));
  docs.SearchString = findText;
  if (e.ReplaceText(findText, TrimPromptText(replace.Text), kSearchReplace) == kSearchNotFound)
    ShowSearchNotFound(findText);
}

void Replace1Click(DocumentWindows& docs) {
  THebTextEditor* e = ActiveEditor(docs);
  if (e == nullptr) return;
  if (FindCursorWord()) {
    int32_t para = 0, start = 0, end = 0;
    docs.SearchString = e->HasSelection() ? SelectedFirstLine(*e) : e->GetCaretWord(para, start, end);
  } else {
    docs.SearchString.clear();
  }
  if (docs.Options.RepWoDlg) {
    PromptSearchReplace(docs, *e);
    return;
  }
  THebReplDlg dlg(docs.Area());
  RunSearchDialog(docs, dlg, "SetHebCaps_HebReplDlg", *e);
}

void FindNext1Click(DocumentWindows& docs) {
  THebTextEditor* e = ActiveEditor(docs);
  if (e == nullptr) return;
  if (docs.SearchString.empty()) {
    // Nothing searched yet: ask as Find does.
    Find1Click(docs);
    return;
  }
  docs.Options.SearchOptions &= static_cast<uint16_t>(~(kSearchReplace | kSearchReplaceAll));
  if (!e->FindText(docs.SearchString, docs.Options.SearchOptions)) ShowNotFoundMessage(docs.SearchString);
}

void FindHighlight1Click(DocumentWindows& docs) {
  THebTextEditor* e = ActiveEditor(docs);
  if (e == nullptr) return;
  const std::string text = SelectedFirstLine(*e);
  if (text.empty()) return;
  docs.Options.SearchOptions = kSearchMatchCase;
  if (!e->FindText(text, docs.Options.SearchOptions))
    ShowSearchNotFound(text);
}

void Gotoline1Click(DocumentWindows& docs) {
  THebTextEditor* e = ActiveEditor(docs);
  if (e == nullptr) return;
  const auto answer = platform::AskInputBox(
      {"Go to Line Number", "Enter Line Number (1 to " + std::to_string(e->LineCount()) + ")", "1"});
  if (!answer) return;
  int32_t line = 0;
  const auto [end, ec] = std::from_chars(answer->data(), answer->data() + answer->size(), line);
  if (ec != std::errc() || end != answer->data() + answer->size() || line < 1 || line > e->LineCount()) return;
  e->MoveCaretTo(line, 1, false);
}

void GotoChar1Click(DocumentWindows& docs) {
  THebTextEditor* e = ActiveEditor(docs);
  if (e == nullptr) return;
  uint8_t ch = static_cast<uint8_t>(WsQTKey);
  if (WsQTKey != '<') {
    bool chosen = false;
    ch = AskCharacter("", "", chosen);
    if (!chosen) return;
  }
  GoToCharacter(*e, ch);
}

void EnterByASCII1Click(DocumentWindows& docs) {
  THebTextEditor* e = ActiveEditor(docs);
  if (e == nullptr) return;
  bool chosen = false;
  const uint8_t ch = AskCharacter("", EngPrompts ? "Enter a Char" : "\xE4\xEB\xF0\xF1 \xFA\xE5", chosen);
  if (chosen) e->DoCommand(ccChar, ch);
}

}  // namespace

void AttachSearchCommands(MainCommands& on, DocumentWindows& docs) {
  DocumentWindows* d = &docs;
  InstallQtCharEntry(docs.Area());
  on.On("Find1", [d] { Find1Click(*d); });
  on.On("Replace1", [d] { Replace1Click(*d); });
  on.On("Findnext1", [d] { FindNext1Click(*d); });
  on.On("FindAgainCtrlL1", [d] { FindNext1Click(*d); });
  on.On("FindHighlight1", [d] { FindHighlight1Click(*d); });
  on.On("Gotoline1", [d] { Gotoline1Click(*d); });
  on.On("GotoChar1", [d] { GotoChar1Click(*d); });
  on.On("EnterByASCII1", [d] { EnterByASCII1Click(*d); });
}

}  // namespace nuvel
