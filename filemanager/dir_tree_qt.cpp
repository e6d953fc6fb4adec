#include "filemanager/dir_tree_qt.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <sys/stat.h>

#include "filemanager/bounded_call.h"
#include "filemanager/folder_listing.h"

namespace nuvel {

namespace {

QString ShownName(const std::string& name) { return QFile::decodeName(QByteArray::fromStdString(name)); }

std::string PathOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, TDirTree::kPathRole).toByteArray().toStdString() : std::string();
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

}  // namespace

TDirTree::TDirTree(QWidget* parent) : QTreeWidget(parent) {
  setObjectName(QStringLiteral("DirTree"));
  setHeaderHidden(true);
  setColumnCount(1);
  setSortingEnabled(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setStretchLastSection(false);
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { ScanFolder(item); });
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (!current) return;
    const std::string path = PathOf(current);
    memory_.Remember(roots_, path);
    emit DirectoryChanged(QString::fromStdString(path));
  });
}

bool TDirTree::OnRemoteRoot(const std::string& path) const {
  const int r = RootOf(roots_, path);
  return r >= 0 && roots_[static_cast<size_t>(r)].Remote();
}

bool TDirTree::FolderExists(const std::string& path) const {
  if (!OnRemoteRoot(path)) return IsFolder(path);
  return CallWithin<bool>([path] { return IsFolder(path); }, RemoteLimit).value_or(false);
}

QTreeWidgetItem* TDirTree::AddNode(QTreeWidgetItem* parent, const std::string& path, const QString& text,
                                   bool placeholder) {
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
  item->setText(0, text);
  item->setData(0, kPathRole, QByteArray::fromStdString(path));
  item->setData(0, kReadRole, false);
  item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
  if (placeholder) new QTreeWidgetItem(item, QStringList{QStringLiteral("**")});
  return item;
}

void TDirTree::SetRoots(std::vector<DirRoot> roots) {
  roots_ = std::move(roots);
  Reload();
}

void TDirTree::Reload() {
  const std::string keep = Directory();
  {
    const QSignalBlocker block(this);
    clear();
    for (const DirRoot& r : roots_) {
      // A root that is slow or not always there gets a placeholder without
      // being looked at; the others show an expand button only with subfolders.
      const bool placeholder = r.Lazy() || HasSubfolder(r.path);
      AddNode(nullptr, r.path, ShownName(r.caption), placeholder);
    }
  }
  if (keep != "?") SetDirectory(keep);
}

void TDirTree::ScanFolder(QTreeWidgetItem* item) {
  if (!item || item->data(0, kReadRole).toBool()) return;
  const std::string path = PathOf(item);
  if (path.empty()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool remote = OnRemoteRoot(path);
  struct Scan {
    SubfolderListing list;
    std::vector<bool> deeper;
  };
  auto scan = [path, remote] {
    Scan s;
    s.list = ListSubfolders(path);
    for (const auto& name : s.list.names) s.deeper.push_back(remote || HasSubfolder(Join(path, name)));
    return s;
  };
  std::optional<Scan> result;
  if (remote)
    result = CallWithin<Scan>(scan, RemoteLimit);
  else
    result = scan();
  QApplication::restoreOverrideCursor();
  if (!result) {
    // Not read: opening it again asks again.
    emit FolderNoAnswer(QString::fromStdString(path));
    return;
  }
  const QSignalBlocker block(this);
  qDeleteAll(item->takeChildren());
  item->setData(0, kReadRole, true);
  for (size_t i = 0; i < result->list.names.size(); ++i) {
    const std::string& name = result->list.names[i];
    AddNode(item, Join(path, name), ShownName(name), result->deeper[i]);
  }
}

QTreeWidgetItem* TDirTree::ChildWithPath(QTreeWidgetItem* parent, const std::string& path) {
  if (!parent) {
    for (int i = 0; i < topLevelItemCount(); ++i) {
      if (PathOf(topLevelItem(i)) == path) return topLevelItem(i);
    }
    return nullptr;
  }
  ScanFolder(parent);
  for (int i = 0; i < parent->childCount(); ++i) {
    if (PathOf(parent->child(i)) == path) return parent->child(i);
  }
  return nullptr;
}

std::string TDirTree::Directory() const {
  const QTreeWidgetItem* item = currentItem();
  return item ? PathOf(item) : std::string("?");
}

bool TDirTree::SetDirectory(const std::string& asked) {
  if (asked == "?" || asked.empty()) return false;
  std::string path = CleanFolderPath(asked);
  int root = RootOf(roots_, path);
  if (root < 0) return false;
  if (!FolderExists(path)) path = roots_[static_cast<size_t>(root)].path;
  root = RootOf(roots_, path);
  QTreeWidgetItem* item = nullptr;
  for (const std::string& level : FolderChain(roots_[static_cast<size_t>(root)].path, path)) {
    item = ChildWithPath(item, level);
    if (!item) return false;
  }
  if (!item) return false;
  for (QTreeWidgetItem* up = item->parent(); up; up = up->parent()) up->setExpanded(true);
  setCurrentItem(item);
  scrollToItem(item);
  return PathOf(item) == CleanFolderPath(asked);
}

void TDirTree::SetRootOf(const std::string& path) {
  const int r = RootOf(roots_, path);
  if (r < 0) return;
  const std::string& rootPath = roots_[static_cast<size_t>(r)].path;
  if (RootOf(roots_, Directory()) == r) return;
  SetDirectory(memory_.FolderOn(rootPath));
}

}  // namespace nuvel
