#pragma once
// The main window's two menu lists: the Reopen submenu (at most 18 names,
// after the anchor N01) and the Favorites submenu (at most 20 files or
// folders; a folder ends in "/"). Both are kept in the registry under
// "3.55\" as ".ReopenMRU.Items" and ".Favorites.Items". Names keep their case.
#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

namespace nuvel {

class DocumentWindows;
class TNvcComponentState;
class TNvcMenuMRU;
class TNvcRegistryStore;
class TMainForm;

class MainMenuLists : public QObject {
  Q_OBJECT
 public:
  MainMenuLists(TMainForm& form, DocumentWindows& docs);
  ~MainMenuLists() override;

  TNvcMenuMRU* ReopenMRU() const { return reopen_; }
  TNvcMenuMRU* Favorites() const { return favorites_; }

  void AddCurrentFile1Click();
  void AddCurrentFilePath1Click();
  void ClearList1Click();
  void RemoveItem1Click();
  // Writes both lists to the registry.
  void SaveState();

  // The favourites dialog: the index chosen for removal, or nullopt when
  // cancelled. Runs TFavListDlg unless replaced (tests answer it).
  std::function<std::optional<int>(const QStringList& favorites)> ChooseFavoriteToRemove;

 private:
  TMainForm& form_;
  DocumentWindows& docs_;
  TNvcMenuMRU* reopen_ = nullptr;
  TNvcMenuMRU* favorites_ = nullptr;
  TNvcRegistryStore* store_ = nullptr;
  TNvcComponentState* state_ = nullptr;
};

// The favourites dialog: "Favorites", a single-selection list, "&Remove" and
// "Cancel". The index of the chosen entry, or nullopt.
std::optional<int> RunFavListDlg(QWidget* parent, const QStringList& favorites);

}  // namespace nuvel
