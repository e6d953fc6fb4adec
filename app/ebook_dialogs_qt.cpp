#include "app/ebook_dialogs_qt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/charset.h"
#include "core/message_texts.h"
#include "core/qstring_bytes_qt.h"
#include "core/shared_state.h"
#include "formats/database_info.h"
#include "formats/doc_file.h"
#include "formats/ebook_settings.h"
#include "ui/interface_texts.h"
#include "ui/interface_texts_qt.h"

namespace nuvel {

namespace {

// Text typed into a field, as bytes of the system's set.
std::string SystemTextOf(const QString& wide) {
  std::string text(static_cast<size_t>(wide.size()), '\0');
  WideToHebBuffer(std::u16string_view(reinterpret_cast<const char16_t*>(wide.utf16()), static_cast<size_t>(wide.size())),
                  std::span(reinterpret_cast<uint8_t*>(text.data()), text.size()));
  std::erase(text, '\0');
  return text;
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("pbOK"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("pbCancel"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

void Hebrew(QDialog* dialog, const char* texts) {
  if (!EngPrompts && ApplyLibraryTexts(dialog, ParseTextAssignments(texts))) dialog->setLayoutDirection(Qt::RightToLeft);
}

QCheckBox* Check(QWidget* parent, const char* name, const char* text) {
  auto* box = new QCheckBox(QString::fromLatin1(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

QTableWidget* Grid(QWidget* parent, const char* name, int columns) {
  auto* grid = new QTableWidget(0, columns, parent);
  grid->setObjectName(QString::fromLatin1(name));
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  return grid;
}

void SetCell(QTableWidget* grid, int row, int column, const std::string& text) {
  grid->setItem(row, column, new QTableWidgetItem(FromUtf8(text)));
}

}  // namespace

std::string WithTrailingSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// ---- Database information ----

TfrmDatabaseInfo::TfrmDatabaseInfo(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmDatabaseInfo"));
  setWindowTitle(QStringLiteral("Database Information"));
  auto* rows = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  edDBName = new QLineEdit(this);
  edDBName->setObjectName(QStringLiteral("edDBName"));
  edDBName->setMaxLength(31);
  txDBFileSize = new QLabel(this);
  txDBFileSize->setObjectName(QStringLiteral("txDBFileSize"));
  auto* nameLabel = new QLabel(QStringLiteral("Name:"), this);
  nameLabel->setObjectName(QStringLiteral("lbDBName"));
  auto* sizeLabel = new QLabel(QStringLiteral("File size:"), this);
  sizeLabel->setObjectName(QStringLiteral("lbFileSize"));
  form->addRow(nameLabel, edDBName);
  form->addRow(sizeLabel, txDBFileSize);
  rows->addLayout(form);

  auto* flags = new QGroupBox(QStringLiteral("Attributes"), this);
  flags->setObjectName(QStringLiteral("gbFlags"));
  auto* flagRows = new QVBoxLayout(flags);
  cbReadOnly = Check(flags, "cbReadOnly", "Read only");
  cbDirty = Check(flags, "cbDirty", "Dirty");
  cbBackup = Check(flags, "cbBackup", "Backup");
  cbOverwrite = Check(flags, "cbOverwrite", "Overwrite");
  cbForceReset = Check(flags, "cbForceReset", "Force reset");
  cbNoBeam = Check(flags, "cbNoBeam", "No beam");
  for (QCheckBox* b : {cbReadOnly, cbDirty, cbBackup, cbOverwrite, cbForceReset, cbNoBeam}) flagRows->addWidget(b);
  rows->addWidget(flags);
  cbCompressed = Check(this, "cbCompressed", "Compressed");
  rows->addWidget(cbCompressed);

  auto* grids = new QHBoxLayout;
  sgMoreInfo = Grid(this, "sgMoreInfo", 2);
  sgRecInfo = Grid(this, "sgRecInfo", 3);
  grids->addWidget(sgMoreInfo);
  grids->addWidget(sgRecInfo);
  rows->addLayout(grids);
  rows->addWidget(OkCancel(this));
  Hebrew(this,
         "form 43705; lbDBName 43706; lbFileSize 43707; gbFlags 43708; cbReadOnly 43709; cbDirty 43710; "
         "cbBackup 43711; cbOverwrite 43712; cbForceReset 43713; cbNoBeam 43714; cbCompressed 43715; "
         "pbOK 41100; pbCancel 41101");
}

void TfrmDatabaseInfo::Refresh(const TDocFile& doc, bool editable) {
  edDBName->setText(FromSystemText(doc.Name));
  txDBFileSize->setText(QString::number(doc.FileSize) + QStringLiteral(" bytes"));
  cbReadOnly->setChecked(doc.ReadOnly);
  cbDirty->setChecked(doc.Dirty);
  cbBackup->setChecked(doc.Backup);
  cbOverwrite->setChecked(doc.Overwrite);
  cbForceReset->setChecked(doc.ForceReset);
  cbNoBeam->setChecked(doc.NoBeam);
  cbCompressed->setChecked(doc.Compressed);

  const auto fields = DatabaseFieldRows(doc);
  sgMoreInfo->setRowCount(static_cast<int>(fields.size()));
  for (std::size_t i = 0; i < fields.size(); ++i) {
    SetCell(sgMoreInfo, static_cast<int>(i), 0, fields[i].first);
    SetCell(sgMoreInfo, static_cast<int>(i), 1, fields[i].second);
  }
  const auto records = DatabaseRecordRows(doc);
  sgRecInfo->setRowCount(static_cast<int>(records.size()));
  for (std::size_t i = 0; i < records.size(); ++i)
    for (int c = 0; c < 3; ++c) SetCell(sgRecInfo, static_cast<int>(i), c, records[i][static_cast<std::size_t>(c)]);

  for (QWidget* w : std::initializer_list<QWidget*>{edDBName, cbCompressed, cbReadOnly, cbDirty, cbBackup, cbOverwrite,
                                                    cbForceReset, cbNoBeam, findChild<QGroupBox*>(QStringLiteral("gbFlags")),
                                                    findChild<QWidget*>(QStringLiteral("pbCancel"))})
    if (w) w->setEnabled(editable);
}

DatabaseInfoChoice TfrmDatabaseInfo::Choice() const {
  DatabaseInfoChoice c;
  c.name = SystemTextOf(edDBName->text());
  c.readOnly = cbReadOnly->isChecked();
  c.backup = cbBackup->isChecked();
  c.overwrite = cbOverwrite->isChecked();
  c.forceReset = cbForceReset->isChecked();
  c.noBeam = cbNoBeam->isChecked();
  c.compressed = cbCompressed->isChecked();
  return c;
}

// ---- Settings ----

TfrmSettings::TfrmSettings(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmSettings"));
  setWindowTitle(QStringLiteral("Settings"));
  auto* rows = new QVBoxLayout(this);
  auto folderRow = [&](const char* labelName, const char* label, const char* editName, const char* buttonName,
                       QLineEdit*& edit) {
    auto* l = new QLabel(QString::fromLatin1(label), this);
    l->setObjectName(QString::fromLatin1(labelName));
    rows->addWidget(l);
    auto* line = new QHBoxLayout;
    edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(editName));
    auto* browse = new QPushButton(QStringLiteral("Browse..."), this);
    browse->setObjectName(QString::fromLatin1(buttonName));
    line->addWidget(edit);
    line->addWidget(browse);
    rows->addLayout(line);
    return browse;
  };
  QPushButton* selectDir = folderRow("lbDefaultDir", "Default Doc directory:", "edDefaultDir", "pbSelectDir", edDefaultDir);
  connect(selectDir, &QPushButton::clicked, this, &TfrmSettings::pbSelectDirClick);
  // Leaving the field adds a missing trailing "/".
  connect(edDefaultDir, &QLineEdit::editingFinished, this, [this] {
    edDefaultDir->setText(FromFileName(WithTrailingSlash(ToFileName(edDefaultDir->text()))));
  });
  cbBookmarkScan = Check(this, "cbBookmarkScan", "Scan for Bookmarks on open");
  cbIntegrate = Check(this, "cbIntegrate", "Show on Palm Desktop");
  cbEditMode = Check(this, "cbEditMode", "Start in Edit mode");
  cbEditMode->setVisible(false);
  rows->addWidget(cbBookmarkScan);
  rows->addWidget(cbIntegrate);
  QPushButton* selectDesktop =
      folderRow("lbDesktopDir", "Palm Desktop folder:", "edDesktopDir", "pbSelectDesktop", edDesktopDir);
  connect(selectDesktop, &QPushButton::clicked, this, &TfrmSettings::pbSelectDesktopClick);
  rows->addWidget(OkCancel(this));
  Hebrew(this,
         "form 43716; lbDefaultDir 43717; cbBookmarkScan 43718; cbIntegrate 43719; lbDesktopDir 43720; "
         "pbSelectDir 43721; pbSelectDesktop 43721; pbOK 41100; pbCancel 41101");
}

void TfrmSettings::Prepare(const TSettings& settings, const std::string& desktopFolder) {
  edDefaultDir->setText(FromFileName(settings.DefaultDirectory));
  cbBookmarkScan->setChecked(settings.BookmarkScan);
  cbIntegrate->setEnabled(settings.DesktopFound);
  cbIntegrate->setChecked(settings.IntegrateWithDesktop);
  cbEditMode->setChecked(settings.EditMode);
  edDesktopDir->setText(FromFileName(desktopFolder));
}

EbookSettingsChoice TfrmSettings::Choice() const {
  EbookSettingsChoice c;
  c.defaultDirectory = ToFileName(edDefaultDir->text());
  c.editMode = cbEditMode->isChecked();
  c.bookmarkScan = cbBookmarkScan->isChecked();
  c.integrate = cbIntegrate->isChecked();
  c.desktopFolder = ToFileName(edDesktopDir->text());
  return c;
}

void TfrmSettings::pbSelectDirClick() {
  if (!PickFolder) return;
  if (auto folder = PickFolder(GetMessageText(43742, 43792), ToFileName(edDefaultDir->text())))
    edDefaultDir->setText(FromFileName(WithTrailingSlash(*folder)));
}

void TfrmSettings::pbSelectDesktopClick() {
  if (!PickFolder) return;
  if (auto folder = PickFolder(GetMessageText(43743, 43793), ToFileName(edDesktopDir->text())))
    edDesktopDir->setText(FromFileName(*folder));
}

// ---- Bookmark list ----

TfrmBookmark::TfrmBookmark(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmBookmark"));
  setWindowTitle(QStringLiteral("Bookmark"));
  auto* rows = new QVBoxLayout(this);
  lbBookmarks = new QListWidget(this);
  lbBookmarks->setObjectName(QStringLiteral("lbBookmarks"));
  rows->addWidget(lbBookmarks);
  rows->addWidget(OkCancel(this));
  // A double-click on a name chooses it.
  connect(lbBookmarks, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  Hebrew(this, "form 43722; pbOK 41100; pbCancel 41101");
}

void TfrmBookmark::FillBookmarkList(const std::vector<std::string>& names) {
  lbBookmarks->clear();
  for (const std::string& n : names) lbBookmarks->addItem(FromSystemText(n));
  if (!names.empty()) lbBookmarks->setCurrentRow(0);
}

// ---- User ----

TfrmUser::TfrmUser(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmUser"));
  setWindowTitle(QStringLiteral("Install Doc"));
  auto* rows = new QVBoxLayout(this);
  auto* label = new QLabel(QStringLiteral("User:"), this);
  label->setObjectName(QStringLiteral("lbUser"));
  cbUsers = new QComboBox(this);
  cbUsers->setObjectName(QStringLiteral("cbUsers"));
  rows->addWidget(label);
  rows->addWidget(cbUsers);
  rows->addWidget(OkCancel(this));
  Hebrew(this, "form 43723; lbUser 43724; pbOK 41100; pbCancel 41101");
}

void TfrmUser::Fill(const std::vector<std::string>& users, int lastIndex) {
  cbUsers->clear();
  for (const std::string& u : users) cbUsers->addItem(FromSystemText(u));
  cbUsers->setEnabled(!users.empty());
  if (!users.empty()) cbUsers->setCurrentIndex(std::clamp(lastIndex, 0, static_cast<int>(users.size()) - 1));
}

// ---- On the screen ----

namespace {

class QtEbookDialogs : public EbookDialogs {
 public:
  explicit QtEbookDialogs(QWidget* parent) : parent_(parent) {}

  std::optional<DatabaseInfoChoice> DatabaseInfo(const TDocFile& doc, bool editable) override {
    TfrmDatabaseInfo form(parent_);
    form.Refresh(doc, editable);
    if (form.exec() != QDialog::Accepted || !editable) return std::nullopt;
    return form.Choice();
  }
  std::optional<EbookSettingsChoice> Settings(const TSettings& settings, const std::string& desktopFolder) override {
    TfrmSettings form(parent_);
    form.PickFolder = [&form](const std::string& title, const std::string& start) -> std::optional<std::string> {
      const QString folder = QFileDialog::getExistingDirectory(&form, FromSystemText(title), FromFileName(start));
      if (folder.isEmpty()) return std::nullopt;
      return ToFileName(folder);
    };
    form.Prepare(settings, desktopFolder);
    if (form.exec() != QDialog::Accepted) return std::nullopt;
    return form.Choice();
  }
  std::optional<int> ChooseBookmark(const std::string& caption, const std::vector<std::string>& names) override {
    TfrmBookmark form(parent_);
    form.setWindowTitle(FromSystemText(caption));
    form.FillBookmarkList(names);
    if (form.exec() != QDialog::Accepted || form.lbBookmarks->currentRow() < 0) return std::nullopt;
    return form.lbBookmarks->currentRow();
  }
  std::optional<int> ChooseUser(const std::vector<std::string>& users, int lastIndex) override {
    TfrmUser form(parent_);
    form.Fill(users, lastIndex);
    if (form.exec() != QDialog::Accepted) return std::nullopt;
    return form.cbUsers->currentIndex();
  }

 private:
  QWidget* parent_;
};

}  // namespace

std::unique_ptr<EbookDialogs> MakeQtEbookDialogs(QWidget* parent) { return std::make_unique<QtEbookDialogs>(parent); }

}  // namespace nuvel
