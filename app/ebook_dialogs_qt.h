#pragma once
// The e-book dialogs: the database information of an e-book (header fields,
// flags, record table), the e-book settings, the list of bookmarks and the
// choice of the Palm desktop user to install for. The commands reach them
// through EbookDialogs, which tests replace with scripted answers.
#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;

namespace nuvel {

class TDocFile;
class TSettings;

struct DatabaseInfoChoice {
  std::string name;
  bool readOnly = false, backup = false, overwrite = false, forceReset = false, noBeam = false;
  bool compressed = false;
};

struct EbookSettingsChoice {
  std::string defaultDirectory;
  bool editMode = false;
  bool bookmarkScan = false;
  bool integrate = false;
  std::string desktopFolder;  // the Palm desktop's folder; "" none
};

class EbookDialogs {
 public:
  virtual ~EbookDialogs() = default;
  // Each answers nullopt when cancelled.
  virtual std::optional<DatabaseInfoChoice> DatabaseInfo(const TDocFile& doc, bool editable) = 0;
  virtual std::optional<EbookSettingsChoice> Settings(const TSettings& settings, const std::string& desktopFolder) = 0;
  virtual std::optional<int> ChooseBookmark(const std::string& caption, const std::vector<std::string>& names) = 0;
  virtual std::optional<int> ChooseUser(const std::vector<std::string>& users, int lastIndex) = 0;
};

// The dialogs on the screen, parented to `parent`.
std::unique_ptr<EbookDialogs> MakeQtEbookDialogs(QWidget* parent);

// "Database Information".
class TfrmDatabaseInfo : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmDatabaseInfo(QWidget* parent = nullptr);
  void Refresh(const TDocFile& doc, bool editable);
  DatabaseInfoChoice Choice() const;

  QLineEdit* edDBName = nullptr;
  QLabel* txDBFileSize = nullptr;
  QCheckBox *cbReadOnly = nullptr, *cbDirty = nullptr, *cbBackup = nullptr, *cbOverwrite = nullptr,
            *cbForceReset = nullptr, *cbNoBeam = nullptr, *cbCompressed = nullptr;
  QTableWidget* sgMoreInfo = nullptr;
  QTableWidget* sgRecInfo = nullptr;
};

// "Settings".
class TfrmSettings : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmSettings(QWidget* parent = nullptr);
  void Prepare(const TSettings& settings, const std::string& desktopFolder);
  EbookSettingsChoice Choice() const;
  void pbSelectDirClick();
  void pbSelectDesktopClick();

  // Picks a folder (title, start); nullopt when cancelled.
  std::function<std::optional<std::string>(const std::string&, const std::string&)> PickFolder;

  QLineEdit* edDefaultDir = nullptr;
  QCheckBox* cbBookmarkScan = nullptr;
  QCheckBox* cbIntegrate = nullptr;
  QCheckBox* cbEditMode = nullptr;  // never shown
  QLineEdit* edDesktopDir = nullptr;
};

// "Bookmark": the names to choose from.
class TfrmBookmark : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmBookmark(QWidget* parent = nullptr);
  void FillBookmarkList(const std::vector<std::string>& names);
  QListWidget* lbBookmarks = nullptr;
};

// "Install Doc": the user to install for.
class TfrmUser : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmUser(QWidget* parent = nullptr);
  void Fill(const std::vector<std::string>& users, int lastIndex);
  QComboBox* cbUsers = nullptr;
};

// A folder name as the settings keep it: with a trailing "/".
std::string WithTrailingSlash(std::string folder);

}  // namespace nuvel
