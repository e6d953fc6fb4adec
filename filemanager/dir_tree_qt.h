#pragma once
// The directory tree of a file manager window: the roots ("/", the home
// folder, the volumes a person mounted), their folders read only when a
// node is opened (a placeholder child stands for folders not read yet), and
// the selected folder, whose files the window lists. Names keep their real
// case. Remote and removable roots are not looked into until opened, and a
// folder on a network share is read off the GUI thread with a time limit,
// so a share whose server is gone never stops the window.
#include <QTreeWidget>
#include <chrono>
#include <string>
#include <vector>

#include "filemanager/dir_roots.h"

namespace nuvel {

class TDirTree : public QTreeWidget {
  Q_OBJECT
 public:
  explicit TDirTree(QWidget* parent = nullptr);

  // Replaces the roots (the program reads them from the mount table) and
  // reads them again, keeping the selected folder when it can.
  void SetRoots(std::vector<DirRoot> roots);
  const std::vector<DirRoot>& Roots() const { return roots_; }
  void Reload();

  // The selected folder; "?" when nothing is selected.
  std::string Directory() const;
  // Selects the folder, reading the folders on the way. A folder that does
  // not exist selects the root it would lie on; one the tree cannot reach
  // leaves the selection as it was. False when the selection did not change
  // to the folder asked for.
  bool SetDirectory(const std::string& path);
  // Switches to the last folder chosen on the root of that path.
  void SetRootOf(const std::string& path);

  // True when `path` lies on a network share.
  bool OnRemoteRoot(const std::string& path) const;
  // How long a share may take to answer before it counts as gone.
  std::chrono::milliseconds RemoteLimit{1500};

  static constexpr int kPathRole = Qt::UserRole;
  static constexpr int kReadRole = Qt::UserRole + 1;

 signals:
  void DirectoryChanged(const QString& path);
  // A folder on a share that did not answer in time.
  void FolderNoAnswer(const QString& path);

 private:
  QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const std::string& path, const QString& text, bool placeholder);
  void ScanFolder(QTreeWidgetItem* item);
  QTreeWidgetItem* ChildWithPath(QTreeWidgetItem* parent, const std::string& path);
  bool FolderExists(const std::string& path) const;

  std::vector<DirRoot> roots_;
  RootMemory memory_;
};

}  // namespace nuvel
