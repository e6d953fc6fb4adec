#include "app/main_form_documents_qt.h"

#include <QAction>
#include <QCloseEvent>
#include <QToolBar>
#include <QToolButton>

#include "app/document_windows_qt.h"
#include "app/conversion_wizard_command_qt.h"
#include "app/mdi_about_qt.h"
#include "app/text_search_command_qt.h"
#include "app/ebook_commands_qt.h"
#include "app/edit_commands_qt.h"
#include "app/help_window_qt.h"
#include "app/macro_commands_qt.h"
#include "app/tool_dialog_commands_qt.h"
#include "app/restore_factory_qt.h"
#include "app/send_mail_qt.h"
#include "app/file_view_command_qt.h"
#include "app/filter_commands_qt.h"
#include "app/main_commands_qt.h"
#include "app/main_form_qt.h"
#include "app/search_commands_qt.h"
#include "app/preferences_command_qt.h"
#include "app/print_command_qt.h"
#include "app/onscreen_keyboard_command_qt.h"
#include "app/text_service_commands_qt.h"
#include "app/mdi_child_qt.h"
#include "app/menu_lists_qt.h"
#include "app/toolbar_wrap_qt.h"
#include "core/guarded_call.h"
#include "core/message_texts.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "editor/keyboard_layers.h"
#include "editor/text_file_editor.h"

namespace nuvel {
namespace {

// Runs the document windows' close queries before the main window closes;
// a window the user keeps keeps the program running.
class CloseGuard : public QObject {
 public:
  CloseGuard(TMainForm& form, DocumentWindows& docs, MainMenuLists& lists)
      : QObject(&form), docs_(docs), lists_(lists) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Close) {
      for (TMDIChild* c : docs_.Children()) {
        if (!c->close()) {
          e->ignore();
          return true;
        }
      }
      lists_.SaveState();
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  DocumentWindows& docs_;
  MainMenuLists& lists_;
};

// The keyboard type of the active document's editor, as the Languages menu
// reaches it.
class ActiveDocumentKeyboard : public KeyboardDocument {
 public:
  explicit ActiveDocumentKeyboard(DocumentWindows& docs) : docs_(&docs) {}
  bool Active() const { return docs_ && docs_->ActiveChild(); }
  TKeytype KeyType() const override { return docs_->ActiveChild()->HebDoc().KeyType(); }
  void SetKeyType(TKeytype type) override { docs_->ActiveChild()->HebDoc().SetKeyType(type); }

 private:
  QPointer<DocumentWindows> docs_;
};

}  // namespace

DocumentWindows* AttachDocumentWindows(TMainForm& form) {
  DocumentFrame frame;
  frame.window = &form;
  frame.area = form.ClientArea;
  frame.controller = form.MainController;
  frame.item = [&form](const QString& name) { return form.Item(name); };
  frame.button = [&form](const QString& name) -> QAbstractButton* { return form.Button(name); };
  frame.panels = form.Panels;
  frame.options = &form.Options;
  frame.commands = form.Commands;
  auto* docs = new DocumentWindows(frame, &form);
  docs->setObjectName(QStringLiteral("DocumentWindows"));

  if (!form.Formats.SaveChangesFmt.empty()) docs->SaveChangesFmt = form.Formats.SaveChangesFmt;
  if (!form.Formats.CloseCollectFmt.empty()) docs->CloseCollectFmt = form.Formats.CloseCollectFmt;
  docs->TabBar()->setVisible(form.Options.ShowFileTabs);

  MainCommands& on = *form.Commands;
  // Every command is registered before the menus are refreshed once.
  MainCommands::Batch batch(on);
  on.On("Open1", [docs] { docs->Open1Click(); });
  on.On("Newfile", [docs] { docs->New1Click(); });
  on.On("OpenFile", [docs] { docs->Open1Click(); });
  AttachEditCommands(on, *docs);
  AttachConversionWizard(on, *docs);
  AttachRestoreFactorySettings(on, form, *docs);
  AttachSendMail(on, *docs);
  AttachHelp(on, &form);
  AttachTextServiceCommands(on, *docs);
  AttachFilterCommands(on, *docs);
  AttachTextSearch(on, form, *docs);
  AttachAboutBox(on, &form);
  AttachSearchCommands(on, *docs);
  AttachPreferences(on, form, *docs);
  AttachPrinting(on, *docs);
  AttachOnScreenKeyboard(on, form, *docs);
  AttachFileViewers(form, *docs);
  AttachEbookCommands(on, *docs, form.Menu(QStringLiteral("Palm1")));
  AttachMacroCommands(on, *docs, *form.MacroMagic);
  AttachToolDialogCommands(on, *docs);

  form.HasDocument = [docs] { return !docs->Children().empty(); };
  form.ActiveUserCommand = [docs](uint16_t command) {
    if (TMDIChild* c = docs->ActiveChild()) c->EditorUserCommand(command);
  };
  form.OpenFile = [docs](const std::string& name, int diskFormat, bool addToReopen) {
    docs->OpenFile(name, static_cast<uint8_t>(diskFormat), addToReopen);
  };
  form.OpenCommand = [docs] { docs->Open1Click(); };
  auto keyboard = std::make_shared<ActiveDocumentKeyboard>(*docs);
  form.ActiveKeyboard = [keyboard]() -> KeyboardDocument* { return keyboard->Active() ? keyboard.get() : nullptr; };
  docs->ApplyLanguageOptions = [&form](THebTextEditor& ed) {
    const KeyboardLanguageModel& kb = form.Keyboard();
    ed.SetEngm(kb.EnglishFile);
    ed.SetOV(kb.Checked == TKeytype::Nikud);
    ed.SetPhKy(kb.Checked == TKeytype::Phonetic);
    ed.SetSEng(kb.SecondLanguage);
  };
  docs->OnDirectionFromFile = [&form](TMDIChild& child, bool active) {
    form.Keyboard().EnglishFile = child.HebDoc().Engm();
    if (active) form.SetKeyboardByDirection();
  };
  form.ChooseDirection = [docs](bool english) {
    if (TMDIChild* c = docs->ActiveChild()) c->HebDoc().ChooseDirection(english);
  };
  docs->OnChildActivated = [&form](TMDIChild& child) {
    THebTextEditor& ed = child.HebDoc();
    form.Keyboard().EnglishFile = ed.Engm();
    form.CheckKeyboardItem(KeytypeLetter(ed.KeyType()));
  };
  form.ApplyOptionsToActive = [docs] {
    if (TMDIChild* c = docs->ActiveChild()) c->ApplyOptions();
  };
  form.ActiveChildStateDigit = [docs]() -> std::optional<int> {
    TMDIChild* c = docs->ActiveChild();
    if (!c) return std::nullopt;
    return c->isMinimized() ? 1 : c->isMaximized() ? 2 : 0;
  };
  auto* lists = new MainMenuLists(form, *docs);
  form.installEventFilter(new CloseGuard(form, *docs, *lists));
  if (QToolButton* newBtn = form.Button(QStringLiteral("NewBtn"))) new ToolbarWrapper(&form, form.SpeedPanel, newBtn);
  return docs;
}

}  // namespace nuvel
