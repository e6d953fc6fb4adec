#include "app/tool_dialog_commands_qt.h"

#include <QAction>
#include <QPointer>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/mdi_child_qt.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "editor/text_file_editor.h"
#include "tools/calculator_dialogs_qt.h"
#include "tools/phrase_dic_qt.h"
#include "tools/phrase_dictionary.h"
#include "ui/interface_texts_qt.h"

namespace nuvel {

namespace {

constexpr const char* kCalculatorName = "TheCalculator";

void ShowCalculatorItem(DocumentWindows& docs, bool shown) {
  if (QAction* item = docs.Item(QStringLiteral("SCalculator"))) item->setVisible(shown);
}

TCalcltDlg* ShowCalculator(DocumentWindows& docs) {
  QWidget* window = docs.Area() ? docs.Area()->window() : nullptr;
  TCalcltDlg* calc = OpenCalculator(docs);
  if (!calc) {
    calc = new TCalcltDlg(window);
    calc->setProperty(kCalculatorName, true);
    calc->setAttribute(Qt::WA_DeleteOnClose);
    calc->setModal(false);
    if (!EngPrompts) SetHebCaps(calc, "SetHebCaps_CalcltDlg");
    QPointer<DocumentWindows> owner(&docs);
    calc->EnglishMode = [owner] { return !owner || owner->Checked("Engm1"); };
    calc->OnClosed = [owner] {
      if (owner) ShowCalculatorItem(*owner, false);
    };
  }
  calc->show();
  calc->raise();
  calc->activateWindow();
  if (QAction* item = docs.Item(QStringLiteral("SCalculator"))) {
    item->setVisible(true);
    if (!item->property("nuvelConnected").toBool()) {
      item->setProperty("nuvelConnected", true);
      QObject::connect(item, &QAction::triggered, &docs, [&docs] { ShowCalculator(docs); });
    }
  }
  return calc;
}

}  // namespace

TCalcltDlg* OpenCalculator(const DocumentWindows& docs) {
  QWidget* window = docs.Area() ? docs.Area()->window() : nullptr;
  if (!window) return nullptr;
  for (TCalcltDlg* c : window->findChildren<TCalcltDlg*>()) {
    if (c->property(kCalculatorName).toBool() && c->isVisible()) return c;
  }
  return nullptr;
}

void AttachToolDialogCommands(MainCommands& on, DocumentWindows& docs, ToolDialogHooks hooks) {
  on.On("PhraseDictionary1", [&docs, hooks] {
    auto insert = [&docs](const std::string& entry) {
      TMDIChild* child = docs.ActiveChild();
      if (!child || entry.empty()) return;
      const std::string text = PhraseToInsert(entry, child->HebDoc().Engm());
      if (!text.empty()) child->CurrentDoc().InsertString(text);
    };
    std::string entry;
    {
      TPhraseDic dic(docs.Area() ? docs.Area()->window() : nullptr);
      dic.OnInsert = insert;
      if (hooks.runPhrases) {
        hooks.runPhrases(dic);
      } else {
        dic.exec();
      }
      // Closing the window inserts the selected phrase when none was
      // inserted while it was open.
      if (!dic.Inserted()) entry = dic.ChosenEntry();
    }
    insert(entry);
  });
  on.On("Calculator1", [&docs] { ShowCalculator(docs); });
}

}  // namespace nuvel
