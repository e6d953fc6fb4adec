#include "app/text_search_command_qt.h"

#include <QAction>
#include <QPointer>

#include "app/document_windows_qt.h"
#include "app/help_window_qt.h"
#include "app/main_commands_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_state_store.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "textsearch/text_search_window_qt.h"
#include "ui/interface_texts_qt.h"

namespace nuvel {

namespace {

QPointer<TTextSearch> searchWindow;

constexpr size_t kSeedLimit = 50;

// The block when it lies in one paragraph, else the word at the caret.
std::string SeedText(THebTextEditor& e) {
  std::string seed;
  int32_t l1, c1, l2, c2;
  if (e.HasSelection() && e.GetSelection(l1, c1, l2, c2)) {
    e.LineToPara(l1, c1);
    e.LineToPara(l2, c2);
    if (l1 == l2 && c2 > c1) {
      const auto bytes = e.GetPara(l1);
      seed.assign(bytes.begin() + (c1 - 1), bytes.begin() + std::min<int32_t>(c2 - 1, static_cast<int32_t>(bytes.size())));
    }
  } else {
    int32_t para, start, end;
    seed = e.GetCaretWord(para, start, end);
  }
  if (seed.size() > kSeedLimit) seed.resize(kSeedLimit);
  return seed;
}

void ShowSearchWindow(TMainForm& form, DocumentWindows& docs) {
  if (!searchWindow) {
    TTextSearch::Hooks hooks;
    hooks.controller = form.MainController;
    hooks.store = &ProgramStateStore();
    hooks.returnToEditing = [&form] {
      form.show();
      form.raise();
      form.activateWindow();
    };
    hooks.hidden = [&form] {
      if (QAction* item = form.Item(QStringLiteral("TextSearch"))) item->setVisible(false);
    };
    auto help = std::make_shared<QPointer<THelpWindow>>();
    hooks.help = [&form, help] {
      if (!*help) *help = new THelpWindow(&form);
      (*help)->ShowContents(false);
    };
    searchWindow = new TTextSearch(ProgPath, std::move(hooks));
    searchWindow->setAttribute(Qt::WA_DeleteOnClose, false);
    searchWindow->setWindowTitle(QStringLiteral("Text Search"));
    if (!EngPrompts) SetHebCaps(searchWindow, "SetHebCaps_TextSearch");
  }
  if (TMDIChild* c = docs.ActiveChild()) {
    const std::string seed = SeedText(c->HebDoc());
    if (!seed.empty()) searchWindow->SetSearchText(seed);
  }
  searchWindow->show();
  searchWindow->raise();
  searchWindow->activateWindow();
  if (QAction* item = form.Item(QStringLiteral("TextSearch"))) {
    item->setVisible(true);
    if (!item->property("nuvelTextSearch").toBool()) {
      item->setProperty("nuvelTextSearch", true);
      QObject::connect(item, &QAction::triggered, &form, [] {
        if (searchWindow) {
          searchWindow->show();
          searchWindow->raise();
          searchWindow->activateWindow();
        }
      });
    }
  }
}

}  // namespace

TTextSearch* TextSearchWindow() { return searchWindow.data(); }

void AttachTextSearch(MainCommands& on, TMainForm& form, DocumentWindows& docs) {
  on.On("SearchTexts1", [&form, &docs] { ShowSearchWindow(form, docs); });
  QObject::connect(&form, &QObject::destroyed, [] { delete searchWindow.data(); });
}

}  // namespace nuvel
