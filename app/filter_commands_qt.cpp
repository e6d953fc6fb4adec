#include "app/filter_commands_qt.h"

#include <QAbstractButton>
#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>
#include <filesystem>
#include <system_error>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "core/guarded_call.h"
#include "core/message_texts.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "editor/editor_widget_qt.h"
#include "editor/heb_text_editor.h"
#include "editor/save_document.h"
#include "tools/editor_hand_off.h"
#include "tools/rule_compiler.h"
#include "tools/rule_form_qt.h"
#include "tools/sheim_protection.h"
#include "tools/sort_form_qt.h"

namespace nuvel {

namespace {

constexpr int kProtectHebrew = 4;
constexpr int kProtectEnglish = 8;

SuperFindUiFactory& SuperFindFactory() {
  static SuperFindUiFactory factory;
  return factory;
}
SortUiFactory& SortFactory() {
  static SortUiFactory factory;
  return factory;
}

QWidget* MainWindowOf(DocumentWindows& docs) { return docs.Area() ? docs.Area()->window() : nullptr; }

std::unique_ptr<tools::TSuperFindUi> MakeSuperFindUi(DocumentWindows& docs) {
  if (SuperFindFactory()) return SuperFindFactory()();
  return std::make_unique<TQtSuperFindUi>(MainWindowOf(docs));
}

std::unique_ptr<tools::TSortUi> MakeSortUi(DocumentWindows& docs) {
  if (SortFactory()) return SortFactory()();
  return std::make_unique<TQtSortUi>(MainWindowOf(docs));
}

THebTextEditor* CurrentHeb(TMDIChild* c) {
  if (!c || !c->CurrentEditor()) return nullptr;
  return dynamic_cast<THebTextEditor*>(&c->CurrentEditor()->Editor());
}

// Says why a filter or the sort did not change the document: a rule that
// does not compile in the compiler's own box, anything else in the
// command's message.
void ShowFailure(uint32_t engId, uint32_t hebId, const std::exception& e) {
  if (dynamic_cast<const tools::RuleCompileError*>(&e)) {
    MessageDlg(e.what(), MsgDlgType::Information, platform::mbOK);
    return;
  }
  std::string text = GetMessageText(engId, hebId);
  const std::size_t at = text.find("%s");
  if (at == std::string::npos)
    text = e.what();
  else
    text.replace(at, 2, e.what());
  MessageDlg(text, MsgDlgType::Error, platform::mbOK);
}

// Runs `f`; a failure is shown as the filter's (or the sort's) message.
template <class F>
bool Attempt(uint32_t engId, uint32_t hebId, F&& f) {
  try {
    f();
    return true;
  } catch (const std::exception& e) {
    ShowFailure(engId, hebId, e);
  } catch (...) {
    ShowGuardedError(std::string());
  }
  return false;
}

constexpr uint32_t kFilterFailedEng = 38480, kFilterFailedHeb = 41180;
constexpr uint32_t kSortFailedEng = 38481, kSortFailedHeb = 41181;

// The document window minimised for the length of a run and given its state
// back afterwards, the active one active again.
class LongRun {
 public:
  LongRun(DocumentWindows& docs, TMDIChild& child) : docs_(docs), child_(&child) {
    window_.Minimise = [this] {
      wasActive_ = docs_.ActiveChild() == child_;
      state_ = child_->windowState();
      child_->showMinimized();
    };
    window_.Restore = [this] {
      if (!child_) return;
      if (state_ & Qt::WindowMaximized)
        child_->showMaximized();
      else if (!(state_ & Qt::WindowMinimized))
        child_->showNormal();
      if (wasActive_ && docs_.Area()) docs_.Area()->setActiveSubWindow(child_);
    };
  }
  const tools::TLongRunWindow* Window() const { return &window_; }

 private:
  DocumentWindows& docs_;
  QPointer<TMDIChild> child_;
  Qt::WindowStates state_;
  bool wasActive_ = false;
  tools::TLongRunWindow window_;
};

void ShowSheimGlyph(DocumentWindows& docs, bool active) {
  QWidget* main = MainWindowOf(docs);
  if (!main) return;
  if (auto* b = main->findChild<QAbstractButton*>(QStringLiteral("SheimPrtBtn"))) {
    const QIcon icon = ToolbarIcon(active ? QStringLiteral("SheimPrtBtn-on") : QStringLiteral("SheimPrtBtn"));
    if (!icon.isNull()) b->setIcon(icon);
    b->setProperty("protection", active);
  }
}

// A copy of the document's file as it is on disk, under its backup name,
// before Super Find changes the text.
void BackUpDocumentFile(const THebTextEditor& e) {
  std::error_code ec;
  if (e.FileName().empty() || !std::filesystem::is_regular_file(e.FileName(), ec)) return;
  const std::string backup = BackupFileName(e.FileName(), e.BackupExt());
  if (backup == e.FileName()) return;
  std::filesystem::copy_file(e.FileName(), backup, std::filesystem::copy_options::overwrite_existing, ec);
  if (ec) throw EInOutError("Cannot make the backup copy " + backup + ": " + ec.message());
}

void SuperFindRun(DocumentWindows& docs) {
  const std::vector<std::string> folders = tools::RuleFolders();
  const std::unique_ptr<tools::TSuperFindUi> ui = MakeSuperFindUi(docs);
  const tools::TRuleFormAnswer answer = ui->AskRuleForm(tools::RuleFormRequest(folders));
  const tools::TSuperFindChoice choice = tools::TakeRuleFormAnswer(answer, folders, tools::UserRuleFolder());
  switch (choice.action) {
    case tools::TRuleFormResult::Cancel:
      return;
    case tools::TRuleFormResult::Edit:
    case tools::TRuleFormResult::MakeNew:
      if (docs.ActivateIfOpen(choice.ruleFile)) return;
      if (choice.exists)
        docs.OpenFile(choice.ruleFile, 255, true);
      else
        docs.CreateMDIChild(choice.ruleFile, true, 255);
      return;
    case tools::TRuleFormResult::Run:
      break;
  }
  std::vector<QPointer<TMDIChild>> windows;
  if (choice.allFiles) {
    for (TMDIChild* c : docs.Children()) windows.emplace_back(c);
  } else if (TMDIChild* c = docs.ActiveChild()) {
    windows.emplace_back(c);
  }
  TMDIChild* active = docs.ActiveChild();
  for (const QPointer<TMDIChild>& c : windows) {
    THebTextEditor* e = CurrentHeb(c);
    // A read-only document (a text of the collection, or one the user
    // protected) is not changed.
    if (!e || e->ReadOnly()) continue;
    const bool done = Attempt(kFilterFailedEng, kFilterFailedHeb, [&] {
      if (choice.createBackup) BackUpDocumentFile(*e);
      LongRun run(docs, *c);
      tools::FilterEditorText(*e, choice.ruleFile, {}, run.Window());
    });
    // The rule file that failed once fails for every document.
    if (!done) break;
  }
  if (active && docs.Area()) docs.Area()->setActiveSubWindow(active);
}

void SortEditorText(DocumentWindows& docs) {
  TMDIChild* c = docs.ActiveChild();
  THebTextEditor* e = CurrentHeb(c);
  if (!e || e->ReadOnly()) return;
  tools::TSortRequest request;
  request.offerUnit = !(NuvDosConfig || TagConfig);
  const std::unique_ptr<tools::TSortUi> ui = MakeSortUi(docs);
  const std::optional<tools::TSortOptions> options = ui->AskSort(request);
  if (!options) return;
  Attempt(kSortFailedEng, kSortFailedHeb, [&] {
    LongRun run(docs, *c);
    tools::SortText(*e, *options, run.Window());
  });
}

void OpenWithSheimProtection(DocumentWindows& docs) {
  for (const std::string& name : docs.PromptOpenNames(GetMessageText(38460, 41160), {})) {
    if (docs.ActivateIfOpen(name)) continue;
    std::error_code ec;
    const bool exists = std::filesystem::is_regular_file(name, ec);
    TMDIChild* child = docs.CreateMDIChild(name, !exists, 255);
    if (!child) continue;
    if (exists) docs.UpdateReopenList(name);
    // The command protects the Hebrew names whatever the option says; the
    // English name as the option says.
    ApplySheimProtection(docs, *child, true, docs.Options.EngSheimProt);
  }
}

}  // namespace

SuperFindUiFactory SetSuperFindUiFactory(SuperFindUiFactory factory) {
  SuperFindUiFactory before = SuperFindFactory();
  SuperFindFactory() = std::move(factory);
  return before;
}

SortUiFactory SetSortUiFactory(SortUiFactory factory) {
  SortUiFactory before = SortFactory();
  SortFactory() = std::move(factory);
  return before;
}

void ApplySheimProtection(DocumentWindows& docs, TMDIChild& child, bool hebrew, bool english) {
  THebTextEditor* e = CurrentHeb(&child);
  if (!e || (!hebrew && !english)) return;
  const bool modified = e->Modified();
  bool hebrewDone = false;
  bool englishDone = false;
  Attempt(kFilterFailedEng, kFilterFailedHeb, [&] {
    if (hebrew) {
      tools::RunBuiltInFilter(kProtectHebrew, e);
      hebrewDone = true;
    }
    if (english) {
      tools::RunBuiltInFilter(kProtectEnglish, e);
      englishDone = true;
    }
  });
  // The protected text is the document as it was opened: saving takes the
  // Hebrew protection off again.
  e->SetModified(modified);
  if (hebrewDone) e->SetSheimFiltered(true);
  if (englishDone) e->SetEngSheimFiltered(true);
  if (docs.ActiveChild() == &child) ShowSheimGlyph(docs, e->SheimFiltered());
}

void AttachFilterCommands(MainCommands& on, DocumentWindows& docs) {
  tools::InstallSheimFilter();
  auto activeEditable = [&docs] {
    THebTextEditor* e = CurrentHeb(docs.ActiveChild());
    return e && !e->ReadOnly();
  };

  on.On("SuperFind1", [&docs] { SuperFindRun(docs); });
  on.EnableWhen(QStringLiteral("SuperFind1"), [&docs, activeEditable] {
    return !docs.Checked("ReadOnly1") && activeEditable();
  });
  on.On("Sort1", [&docs] { SortEditorText(docs); });
  on.EnableWhen(QStringLiteral("Sort1"), activeEditable);

  on.On("SheimHashemProtection1", [&docs] {
    WriteRegString("GENPREFS", "HebSheimProt", docs.Checked("SheimHashemProtection1") ? "1" : "0");
  });
  on.On("OpenWithSheimProtection1", [&docs] { OpenWithSheimProtection(docs); });

  // The user commands that put the Hebrew protection on and take it off by
  // hand, in the window whose editor gave the command.
  docs.BuiltInFilterHandler = [&docs, &on](int kind) {
    THebTextEditor* e = CurrentHeb(docs.ActiveChild());
    if (!e || e->ReadOnly()) return;
    Attempt(kFilterFailedEng, kFilterFailedHeb, [&] { tools::RunBuiltInFilter(kind, e); });
    on.Refresh();
  };

  // Opening a file protects it when the options ask for that.
  docs.OnFileOpened = [&docs](TMDIChild& child) {
    const bool hebrew = docs.Checked("SheimHashemProtection1");
    const bool english = docs.Options.EngSheimProt;
    if ((hebrew || english) && docs.ActiveChild() == &child) ApplySheimProtection(docs, child, hebrew, english);
  };

  // The button's glyph follows the active document.
  QObject::connect(docs.Area(), &QMdiArea::subWindowActivated, &docs, [&docs](QMdiSubWindow*) {
    THebTextEditor* e = CurrentHeb(docs.ActiveChild());
    ShowSheimGlyph(docs, e && e->SheimFiltered());
  });
}

}  // namespace nuvel
