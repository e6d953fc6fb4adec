#include "app/file_prompts_qt.h"

#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QScreen>
#include <QTreeView>
#include <algorithm>

#include "app/dialog_filter.h"
#include "core/qstring_bytes_qt.h"
#include "core/shared_state.h"
#include "tools/file_str_dlg_qt.h"

namespace nuvel {

namespace {

// The size, type and date columns of a right-to-left file list, each cell
// one left-to-right run, so that "5.81 MiB" and "11 Dec 2026 18:16" do not
// come out back to front. The name column is left as it is: the dialog
// takes the chosen name from it.
class LeftToRightDetails : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex& index, int role) const override {
    QVariant value = QIdentityProxyModel::data(index, role);
    if (role != Qt::DisplayRole || index.column() == 0 || value.typeId() != QMetaType::QString) return value;
    return QString(QChar(0x2066)) + value.toString() + QChar(0x2069);
  }
};

}  // namespace

void PrepareFileDialog(QFileDialog& dialog, bool hebrew) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (hebrew) {
    dialog.setLayoutDirection(Qt::RightToLeft);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setProxyModel(new LeftToRightDetails(&dialog));
  }
  if (const QScreen* screen = dialog.screen()) {
    const QRect room = screen->availableGeometry();
    dialog.resize(std::min(900, room.width() * 9 / 10), std::min(560, room.height() * 9 / 10));
  }
  if (auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
  }
}

namespace {

// A file dialog in the interface's language and direction.
QStringList RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const std::string& title,
                          const std::string& filter, const std::string& start) {
  const FilterLanguage language = EngPrompts ? FilterLanguage::English : FilterLanguage::Hebrew;
  QFileDialog dialog(parent, QString::fromStdString(title), FromFileName(start),
                     QString::fromStdString(QtFilterString(filter, language)));
  PrepareFileDialog(dialog, !EngPrompts);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

}  // namespace

std::vector<std::string> QtFilePrompts::OpenFileNames(const std::string& title, const std::string& filter,
                                                      const std::string& folder) {
  std::vector<std::string> out;
  for (const QString& n : RunFileDialog(parent_, QFileDialog::AcceptOpen, title, filter, folder))
    out.push_back(ToFileName(n));
  return out;
}

std::optional<std::string> QtFilePrompts::SaveFileName(const std::string& title, const std::string& filter,
                                                       const std::string& suggested) {
  const QStringList names = RunFileDialog(parent_, QFileDialog::AcceptSave, title, filter, suggested);
  if (names.isEmpty() || names.front().isEmpty()) return std::nullopt;
  return ToFileName(names.front());
}

std::optional<std::string> QtFilePrompts::FolderName(const std::string& title, const std::string& start) {
  QFileDialog dialog(parent_, QString::fromStdString(title), FromFileName(start));
  PrepareFileDialog(dialog, !EngPrompts);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToFileName(dialog.selectedFiles().front());
}

TFileStrAnswer QtFilePrompts::AskFileStr(const TFileStrRequest& request) { return RunFileStrDlg(parent_, request); }

}  // namespace nuvel
