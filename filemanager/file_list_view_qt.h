#pragma once
// The file list of a file manager window: one item model over the files of
// a folder, shown in a report view (Name, Size, Type, Modified) or a list
// view of names, with one selection for both. Every item keeps the file's
// real name; a header click sorts by that column (again: the other way).
#include <QAbstractTableModel>
#include <QItemSelectionModel>
#include <QWidget>
#include <array>
#include <vector>

#include "filemanager/file_entry.h"
#include "filemanager/file_sort.h"

class QListView;
class QTreeView;
class QStackedLayout;

namespace nuvel {

class FileListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;
  static constexpr int kColumns = 4;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void SetFiles(std::vector<FileEntry> files);
  const std::vector<FileEntry>& Files() const { return files_; }
  void Sort(const SortOrder& order);

 private:
  std::vector<FileEntry> files_;
};

class TFileListView : public QWidget {
  Q_OBJECT
 public:
  explicit TFileListView(QWidget* parent = nullptr);

  // Lists `files` (of one folder) in the current order.
  void SetFiles(std::vector<FileEntry> files);
  const std::vector<FileEntry>& Files() const { return model_->Files(); }
  int Count() const { return static_cast<int>(Files().size()); }
  const FileEntry& Entry(int row) const { return Files()[static_cast<size_t>(row)]; }

  SortOrder Order() const { return order_; }
  void SetOrder(const SortOrder& order);
  // A click on the column's header (or its sort button).
  void ColumnClick(int column);

  // The selected rows in list order.
  std::vector<int> SelectedRows() const;
  // The focused row, -1 for none.
  int FocusedRow() const;
  void SelectRow(int row);
  void SelectAll();
  // Selects the row of the file of that real name; false when none.
  bool SelectName(const std::string& name);

  bool IsListView() const;
  void SetListView(bool list);

  std::array<int, 4> ColumnWidths() const;
  void SetColumnWidths(const std::array<int, 4>& widths);

  QTreeView* ReportView() const { return report_; }
  QListView* ListView() const { return list_; }

 signals:
  void SelectionChanged();
  void OpenRequested();        // double click, Enter
  void HeaderClicked(int column);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  FileListModel* model_;
  QItemSelectionModel* selection_;
  QTreeView* report_;
  QListView* list_;
  QStackedLayout* stack_;
  SortOrder order_;
};

}  // namespace nuvel
