#include "app/menu_lists_qt.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/qstring_bytes_qt.h"
#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/file_name_parts.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/new_doc_numbers.h"
#include "core/guarded_call.h"
#include "core/form_state_qt.h"
#include "core/menu_mru_qt.h"
#include "core/message_texts.h"
#include "core/state_store.h"

namespace nuvel {
namespace {


}  // namespace

std::optional<int> RunFavListDlg(QWidget* parent, const QStringList& favorites) {
  QDialog dlg(parent);
  dlg.setObjectName(QStringLiteral("FavListDlg"));
  dlg.setWindowTitle(QStringLiteral("Favorites"));
  auto* layout = new QVBoxLayout(&dlg);
  layout->addWidget(new QLabel(QStringLiteral("Favorite List:"), &dlg));
  auto* list = new QListWidget(&dlg);
  list->setObjectName(QStringLiteral("FavList"));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->addItems(favorites);
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(&dlg);
  buttons->addButton(QStringLiteral("&Remove"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
  layout->addWidget(buttons);
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  int row = list->currentRow();
  if (row < 0 || list->selectedItems().isEmpty()) return std::nullopt;
  return row;
}

MainMenuLists::MainMenuLists(TMainForm& form, DocumentWindows& docs) : QObject(&form), form_(form), docs_(docs) {
  ChooseFavoriteToRemove = [this](const QStringList& f) { return RunFavListDlg(&form_, f); };

  reopen_ = new TNvcMenuMRU(&form);
  reopen_->setObjectName(QStringLiteral("ReopenMRU"));
  reopen_->SetMaxItems(18);
  reopen_->SetMenuItem(form.Menu(QStringLiteral("Reopen1")));
  reopen_->SetAnchorItem(form.Item(QStringLiteral("N01")));
  reopen_->OnClick = [this](TNvcMenuMRU*, QString& item, int& action) {
    action = docs_.OpenListEntry(ToFileName(item)) ? 0 : 1;
  };

  favorites_ = new TNvcMenuMRU(&form);
  favorites_->setObjectName(QStringLiteral("Favorites"));
  favorites_->SetMaxItems(20);
  favorites_->SetMenuItem(form.Menu(QStringLiteral("Favorites1")));
  favorites_->SetAddPosition(MruAddPosition::apBottom);
  favorites_->OnClick = [this](TNvcMenuMRU*, QString& item, int& action) {
    std::string name = ToFileName(item);
    action = 2;  // the list keeps its order
    if (name.ends_with('/')) {
      for (const std::string& chosen : docs_.PromptOpenNames("Open", name)) docs_.OpenListEntry(chosen);
      return;
    }
    if (!docs_.OpenListEntry(name)) action = 1;
  };

  store_ = new TNvcRegistryStore();
  store_->SetKeyName("Software\\Marvek Ila\\NuvelText");
  state_ = new TNvcComponentState(&form);
  state_->SetStorage(store_);
  state_->SetSection("3.55\\");
  state_->SetStoredProperties({QStringLiteral("Favorites.Items"), QStringLiteral("ReopenMRU.Items")});
  state_->SetActive(false);  // saved by SaveState when the main window closes
  state_->RestoreState();
  reopen_->RebuildMenu();
  favorites_->RebuildMenu();

  docs_.OnReopenAdd = [this](const std::string& name) { reopen_->MRUAdd(FromFileName(name)); };

  MainCommands& on = *form.Commands;
  on.On("AddCurrentFile1", [this] { AddCurrentFile1Click(); });
  on.On("AddCurrentFilePath1", [this] { AddCurrentFilePath1Click(); });
  on.On("ClearList1", [this] { ClearList1Click(); });
  on.On("RemoveItem1", [this] { RemoveItem1Click(); });
  // A saved document can become a favourite; an empty list has nothing to remove.
  on.EnableWhen(QStringLiteral("AddCurrentFile1"), [this] {
    TMDIChild* c = docs_.ActiveChild();
    return c && !IsUntitledName(c->Caption());
  });
  on.EnableWhen(QStringLiteral("AddCurrentFilePath1"), [this] {
    TMDIChild* c = docs_.ActiveChild();
    return c && !IsUntitledName(c->Caption());
  });
  auto listed = [this] { return !favorites_->ItemsList().isEmpty(); };
  on.EnableWhen(QStringLiteral("ClearList1"), listed);
  on.EnableWhen(QStringLiteral("RemoveItem1"), listed);
}

MainMenuLists::~MainMenuLists() { delete store_; }

void MainMenuLists::SaveState() { state_->SaveState(); }

void MainMenuLists::AddCurrentFile1Click() {
  TMDIChild* c = docs_.ActiveChild();
  if (!c || IsUntitledName(c->Caption())) return;
  favorites_->MRUAdd(FromFileName(c->Caption()));
}

void MainMenuLists::AddCurrentFilePath1Click() {
  TMDIChild* c = docs_.ActiveChild();
  if (!c) return;
  std::string folder(FolderOf(c->Caption()));
  if (!folder.empty()) favorites_->MRUAdd(FromFileName(folder));
}

void MainMenuLists::ClearList1Click() {
  if (MessageDlgById(38456, 41156, MsgDlgType::Confirmation, platform::mbOKCancel) == platform::mrOk)
    favorites_->MRUClear();
}

void MainMenuLists::RemoveItem1Click() {
  QStringList items = favorites_->ItemsList();
  if (std::optional<int> index = ChooseFavoriteToRemove(items)) {
    if (*index >= 0 && *index < items.size()) favorites_->MRURemove(items[*index]);
  }
}

}  // namespace nuvel
