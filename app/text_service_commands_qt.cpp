#include "app/text_service_commands_qt.h"

#include <QMdiArea>
#include <QPointer>
#include <charconv>

#include "app/document_windows_qt.h"
#include "app/input_box_qt.h"
#include "app/main_commands_qt.h"
#include "app/mdi_child_qt.h"
#include "core/message_texts.h"
#include "editor/block_transforms.h"
#include "editor/editor_widget_qt.h"
#include "editor/heb_text_editor.h"
#include "platform/input_box.h"
#include "tools/document_compare.h"
#include "tools/spell_driver.h"
#include "tools/spell_engine.h"
#include "tools/speller_dialogs_qt.h"

namespace nuvel {

namespace {

SpellerUiFactory& Factory() {
  static SpellerUiFactory factory = [] { return std::unique_ptr<TSpellerUi>(new TQtSpellerUi()); };
  return factory;
}

THebTextEditor* CurrentHeb(DocumentWindows& docs) {
  TMDIChild* c = docs.ActiveChild();
  if (!c || !c->CurrentEditor()) return nullptr;
  return dynamic_cast<THebTextEditor*>(&c->CurrentEditor()->Editor());
}

// The speller's questions while the document's window is open: once it is
// closed (the program may be ending), the run stops and nothing more is
// asked.
class UntilClosed : public TSpellerUi {
 public:
  UntilClosed(TSpellerUi& ui, const TMDIChild::InUse& use) : ui_(ui), use_(use) {}
  TSpellerAnswer AskSpeller(const TSpellerRequest& request) override {
    TSpellerAnswer answer;
    if (!use_.Closed()) answer = ui_.AskSpeller(request);
    if (use_.Closed()) {
      // Stop ends a run; for a single word it would start one.
      answer.Action = request.Run ? TSpellerAction::Stop : TSpellerAction::Cancel;
    }
    return answer;
  }
  bool AskCorrectContinue() override { return !use_.Closed() && ui_.AskCorrectContinue() && !use_.Closed(); }

 private:
  TSpellerUi& ui_;
  const TMDIChild::InUse& use_;
};

// Commands that rebuild the text or change its bytes outside the undo
// history say that they cannot be undone.
void SayCannotUndo() { MessageDlgById(38470, 41170, MsgDlgType::Information, platform::mbOK); }

// The document windows in MDI order: the active one first, then the one
// active before it, and so on.
std::vector<TMDIChild*> MdiOrder(DocumentWindows& docs) {
  std::vector<TMDIChild*> out;
  const auto list = docs.Area()->subWindowList(QMdiArea::StackingOrder);
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    if (auto* c = qobject_cast<TMDIChild*>(*it)) out.push_back(c);
  }
  if (TMDIChild* active = docs.ActiveChild()) {
    std::erase(out, active);
    out.insert(out.begin(), active);
  }
  return out;
}

void Compare(DocumentWindows& docs) {
  static QPointer<TMDIChild> previous;
  const std::vector<TMDIChild*> order = MdiOrder(docs);
  if (order.size() < 2) {
    MessageDlgById(38394, 40494, MsgDlgType::Information, platform::mbOK);
    return;
  }
  TMDIChild* active = order[0];
  TMDIChild* chosen = nullptr;
  if (order.size() == 2) {
    chosen = order[1];
  } else {
    size_t shown = 0;
    for (TMDIChild* c : order) shown += c->isMinimized() ? 0 : 1;
    if (shown == 0) {
      MessageDlgById(38395, 40495, MsgDlgType::Information, platform::mbOK);
      return;
    }
    if (shown == 2) {
      chosen = order[1];
    } else {
      const auto answer = platform::AskInputBox({"Nuvel Compare", "Enter Window Number to Compare", "1"});
      if (!answer) return;
      int index = -1;
      const auto r = std::from_chars(answer->data(), answer->data() + answer->size(), index);
      if (r.ec != std::errc() || index < 0 || static_cast<size_t>(index) >= order.size()) return;
      chosen = order[static_cast<size_t>(index)];
    }
  }
  chosen->showNormal();
  if (chosen->Caption() == active->Caption()) return;
  for (TMDIChild* c : order) {
    if (c != active && c != chosen) c->showMinimized();
  }
  if (chosen == previous) {
    docs.Area()->setActiveSubWindow(chosen);
  } else {
    previous = active;
  }
  docs.TileH1Click();
  THebTextEditor& a = active->CurrentEditor() ? dynamic_cast<THebTextEditor&>(active->CurrentEditor()->Editor())
                                              : active->HebDoc();
  THebTextEditor& b = chosen->CurrentEditor() ? dynamic_cast<THebTextEditor&>(chosen->CurrentEditor()->Editor())
                                              : chosen->HebDoc();
  CompareFromCaret(a, b);
}

void FileInfo(THebTextEditor& e) {
  int64_t words = 0, charPos = 0;
  e.GetFileStats(words, charPos);
  std::string text = GetMessageText(38416, 41116);
  for (int64_t n : {words, charPos}) {
    const size_t at = text.find("%d");
    if (at == std::string::npos) break;
    text.replace(at, 2, std::to_string(n));
  }
  MessageDlg(text, MsgDlgType::Information, platform::mbOK);
}

}  // namespace

SpellerUiFactory SetSpellerUiFactory(SpellerUiFactory factory) {
  SpellerUiFactory before = Factory();
  Factory() = std::move(factory);
  return before;
}

void AttachTextServiceCommands(MainCommands& on, DocumentWindows& docs) {
  InstallQtInputBox(&docs);
  // Runs `f` on the active window's current editor, then lets the menus and
  // buttons follow the change.
  // The window is kept while `f` runs, for a command that waits on the user.
  auto onHeb = [&on, &docs](const char* item, std::function<void(THebTextEditor&)> f) {
    on.On(item, [&on, &docs, f] {
      if (THebTextEditor* e = CurrentHeb(docs)) {
        const TMDIChild::InUse use(*docs.ActiveChild());
        f(*e);
        on.Refresh();
      }
    });
  };
  for (const char* item : {"ChangeCaseofCharacter1", "FlipCaseCtrlJU1"})
    onHeb(item, [](THebTextEditor& e) { e.FlipCaseOfChar(); });
  onHeb("CutaWord1", [](THebTextEditor& e) { e.CutWord(); });
  onHeb("RemoveDoubleSpaces1", [](THebTextEditor& e) { e.RemoveDoubleSpaces(); });
  onHeb("CompressMerge1", [](THebTextEditor& e) {
    e.RemoveDoubleSpaces();
    e.MergeParagraphs();
    SayCannotUndo();
  });
  onHeb("ReformatParagraph1", [](THebTextEditor& e) { e.ReformatParagraph(); });
  onHeb("NextParagraph1", [](THebTextEditor& e) { e.NextParagraph(); });
  onHeb("PreviousParagraph1", [](THebTextEditor& e) { e.PreviousParagraph(); });
  onHeb("RemoveHTML1", [](THebTextEditor& e) {
    e.Strip_File_HTML();
    SayCannotUndo();
  });
  onHeb("RemDups1", [](THebTextEditor& e) { e.RemoveDuplicates(); });
  onHeb("RevParen1", [](THebTextEditor& e) {
    e.ReverseParentheses();
    if (e.Modified() && !e.CanUndo()) SayCannotUndo();
  });
  onHeb("RevFile1", [](THebTextEditor& e) {
    e.ReverseFile();
    SayCannotUndo();
  });
  onHeb("MergeParsTxt1", [](THebTextEditor& e) {
    e.MergeParagraphs();
    SayCannotUndo();
  });
  onHeb("AddParLines1", [](THebTextEditor& e) { e.AddParagraphLines(); });

  // Block transforms of the selection; the caret comes back to its place.
  auto block = [&onHeb, &docs](const char* item, std::function<void(THebTextEditor&)> f) {
    onHeb(item, [&docs, f](THebTextEditor& e) {
      if (!e.HasSelection()) return;
      int32_t col = 0;
      const int32_t line = e.GetCaretPosition(col);
      f(e);
      e.SetCaretPosition(std::min(line, e.LineCount()), col);
      if (TMDIChild* c = docs.ActiveChild()) c->ApplyOptions();
    });
  };
  block("SelUpperCase1", [](THebTextEditor& e) { TransformBlock(e, TBlockMode::UpperCase); });
  block("BlockLowerCase1", [](THebTextEditor& e) { TransformBlock(e, TBlockMode::LowerCase); });
  block("SelFill1", [](THebTextEditor& e) { TransformBlock(e, TBlockMode::Fill, '!'); });
  // The menu's Flip Case flips the case of the whole selection, as the
  // WordStar flip does for the character at the caret.
  block("BlockFlipCase1", [](THebTextEditor& e) { TransformBlock(e, TBlockMode::FlipCase); });
  block("UpandDown1", [](THebTextEditor& e) { UpAndDownBlock(e); });
  block("ReverseBlock1", [](THebTextEditor& e) { ReverseBlock(e); });
  // Up and Down acts on a selection only.
  on.EnableWhen(QStringLiteral("UpandDown1"), [&docs] {
    THebTextEditor* e = CurrentHeb(docs);
    return e && e->HasSelection();
  });

  // Counters: the templates typed as keys, and the numbering.
  auto counter = [&onHeb](const char* item, const char* english, const char* hebrew) {
    onHeb(item, [english, hebrew](THebTextEditor& e) { e.TypeString(e.Engm() ? english : hebrew); });
  };
  counter("Counter1", "<#>", ">#<");
  counter("HebrewCounter1", "<#H>", ">#\xF2<");
  counter("ZeroCounter1", "<C:#>", ">\xF4:#<");
  counter("Zeroallcounters1", "<C:#>", ">\xF4:#<");
  onHeb("Replacewithnumbers1", [](THebTextEditor& e) { e.Number_Cmds(0); });
  onHeb("Insertnumbers1", [](THebTextEditor& e) { e.Number_Cmds(1); });

  onHeb("FileInfo1", [](THebTextEditor& e) { FileInfo(e); });
  on.On("Compare1", [&docs] { Compare(docs); });
  on.On("Spell1", [&on, &docs] {
    THebTextEditor* e = CurrentHeb(docs);
    if (e == nullptr) return;
    const TMDIChild::InUse use(*docs.ActiveChild());
    const std::unique_ptr<TSpellerUi> ui = Factory()();
    UntilClosed asking(*ui, use);
    TSpellDriver driver(*e, SharedSpellEngine(), asking);
    driver.Spell();
    on.Refresh();
  });
}

}  // namespace nuvel
