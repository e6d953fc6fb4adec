#include "filemanager/file_list_view_qt.h"

#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QStackedLayout>
#include <QTreeView>
#include <algorithm>
#include <set>

namespace nuvel {

namespace {

// A name as the file system's bytes decode.
QString ShownName(const std::string& name) { return QFile::decodeName(QByteArray::fromStdString(name)); }

}  // namespace

int FileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(files_.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(files_.size())) return {};
  const FileEntry& f = files_[static_cast<size_t>(index.row())];
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
    switch (index.column()) {
      case kColName: return ShownName(f.name);
      case kColSize: return QString::fromStdString(SizeText(f.size));
      case kColType: return ShownName(FileTypeText(f.name));
      case kColModified: return QString::fromStdString(ModifiedText(f.modifiedNs));
      default: return {};
    }
  }
  if (role == Qt::TextAlignmentRole && index.column() == kColSize)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
  if (role == Qt::UserRole) return QByteArray::fromStdString(f.name);
  return {};
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::DisplayRole) {
    static const char* const names[kColumns] = {"Name", "Size", "Type", "Modified"};
    if (section >= 0 && section < kColumns) return QString::fromLatin1(names[section]);
  }
  if (role == Qt::TextAlignmentRole && section == kColSize)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
  return {};
}

void FileListModel::SetFiles(std::vector<FileEntry> files) {
  beginResetModel();
  files_ = std::move(files);
  endResetModel();
}

void FileListModel::Sort(const SortOrder& order) {
  emit layoutAboutToBeChanged();
  SortFiles(files_, order);
  emit layoutChanged();
}

TFileListView::TFileListView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FileList"));
  model_ = new FileListModel(this);
  selection_ = new QItemSelectionModel(model_, this);

  report_ = new QTreeView(this);
  report_->setObjectName(QStringLiteral("ReportView"));
  report_->setModel(model_);
  report_->setSelectionModel(selection_);
  report_->setRootIsDecorated(false);
  report_->setItemsExpandable(false);
  report_->setUniformRowHeights(true);
  report_->setAllColumnsShowFocus(true);
  report_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  report_->setSelectionBehavior(QAbstractItemView::SelectRows);
  report_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  report_->setDragEnabled(true);
  report_->header()->setSectionsClickable(true);
  report_->header()->setSortIndicatorShown(true);
  report_->header()->setStretchLastSection(false);
  const int widths[FileListModel::kColumns] = {118, 76, 55, 100};
  for (int c = 0; c < FileListModel::kColumns; ++c) report_->setColumnWidth(c, widths[c]);

  list_ = new QListView(this);
  list_->setObjectName(QStringLiteral("ListView"));
  list_->setModel(model_);
  list_->setSelectionModel(selection_);
  list_->setViewMode(QListView::ListMode);
  list_->setFlow(QListView::TopToBottom);
  list_->setWrapping(true);
  list_->setResizeMode(QListView::Adjust);
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setDragEnabled(true);

  stack_ = new QStackedLayout(this);
  stack_->setContentsMargins(0, 0, 0, 0);
  stack_->addWidget(report_);
  stack_->addWidget(list_);

  connect(report_->header(), &QHeaderView::sectionClicked, this, [this](int column) {
    ColumnClick(column);
    emit HeaderClicked(column);
  });
  connect(selection_, &QItemSelectionModel::selectionChanged, this, [this] { emit SelectionChanged(); });
  connect(report_, &QAbstractItemView::doubleClicked, this, [this] { emit OpenRequested(); });
  connect(list_, &QAbstractItemView::doubleClicked, this, [this] { emit OpenRequested(); });
  report_->installEventFilter(this);
  list_->installEventFilter(this);
  setFocusProxy(report_);
  report_->header()->setSortIndicator(order_.column, Qt::AscendingOrder);
}

bool TFileListView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier &&
        !SelectedRows().empty()) {
      emit OpenRequested();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TFileListView::SetFiles(std::vector<FileEntry> files) {
  SortFiles(files, order_);
  model_->SetFiles(std::move(files));
  emit SelectionChanged();
}

void TFileListView::SetOrder(const SortOrder& order) {
  order_ = order;
  report_->header()->setSortIndicator(order_.column, order_.forward ? Qt::AscendingOrder : Qt::DescendingOrder);
  // Keep the selected files selected across the new order.
  std::set<std::string> names;
  for (int r : SelectedRows()) names.insert(Entry(r).name);
  model_->Sort(order_);
  if (names.empty()) return;
  QItemSelection selected;
  for (int r = 0; r < Count(); ++r) {
    if (names.count(Entry(r).name)) selected.select(model_->index(r, 0), model_->index(r, FileListModel::kColumns - 1));
  }
  selection_->select(selected, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TFileListView::ColumnClick(int column) {
  SortOrder o = order_;
  o.Click(column);
  SetOrder(o);
}

std::vector<int> TFileListView::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& i : selection_->selectedRows()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

int TFileListView::FocusedRow() const {
  const QModelIndex cur = selection_->currentIndex();
  if (cur.isValid() && selection_->isRowSelected(cur.row(), {})) return cur.row();
  const auto rows = SelectedRows();
  return rows.empty() ? -1 : rows.front();
}

void TFileListView::SelectRow(int row) {
  if (row < 0 || row >= Count()) return;
  const QModelIndex index = model_->index(row, 0);
  selection_->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  report_->scrollTo(index);
  list_->scrollTo(index);
}

void TFileListView::SelectAll() {
  if (Count() == 0) return;
  selection_->select(QItemSelection(model_->index(0, 0), model_->index(Count() - 1, FileListModel::kColumns - 1)),
                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

bool TFileListView::SelectName(const std::string& name) {
  for (int r = 0; r < Count(); ++r) {
    if (Entry(r).name == name) {
      SelectRow(r);
      return true;
    }
  }
  return false;
}

bool TFileListView::IsListView() const { return stack_->currentWidget() == list_; }

void TFileListView::SetListView(bool list) {
  stack_->setCurrentWidget(list ? static_cast<QWidget*>(list_) : report_);
  setFocusProxy(list ? static_cast<QWidget*>(list_) : report_);
  emit SelectionChanged();
}

std::array<int, 4> TFileListView::ColumnWidths() const {
  return {report_->columnWidth(0), report_->columnWidth(1), report_->columnWidth(2), report_->columnWidth(3)};
}

void TFileListView::SetColumnWidths(const std::array<int, 4>& widths) {
  for (int c = 0; c < 4; ++c) report_->setColumnWidth(c, widths[static_cast<size_t>(c)]);
}

}  // namespace nuvel
