// The file dialogs as a user sees them: long names whole in the name column,
// and in Hebrew the filters' Hebrew names with their patterns the right way
// round.
#include "app/file_prompts_qt.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include <fstream>

#include "app/dialog_filter.h"

namespace nuvel {
namespace {

TEST(FileDialog, LongNamesShowWholeAndFiltersInTheInterfaceLanguage) {
  QTemporaryDir dir;
  const QStringList names = {"placement-of-the-long-document.txt", "test-file-with-a-number-32766.txt"};
  for (const QString& n : names) std::ofstream(dir.filePath(n).toStdString()) << "x";
  struct Case {
    bool hebrew;
    QString firstFilter;  // as the type list shows it
  };
  const Case cases[] = {
      {false, "Text files (*.txt)"},
      {true, QString::fromUtf8("קובצי טקסט \u2066(*.txt)\u2069")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hebrew ? "Hebrew" : "English");
    const FilterLanguage language = c.hebrew ? FilterLanguage::Hebrew : FilterLanguage::English;
    QFileDialog dialog(nullptr, "Open", dir.path(),
                       QString::fromStdString(QtFilterString("Text files (*.txt)|*.txt|All files (*.*)|*.*", language)));
    PrepareFileDialog(dialog, c.hebrew);
    dialog.show();
    auto* view = dialog.findChild<QTreeView*>("treeView");
    ASSERT_NE(view, nullptr);
    auto* model = qobject_cast<QFileSystemModel*>(view->model());
    ASSERT_NE(model, nullptr);
    const QModelIndex folder = model->index(dir.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(folder) == names.size(); }, 5000));
    QApplication::processEvents();
    for (int row = 0; row < model->rowCount(folder); ++row) {
      const QString name = model->index(row, 0, folder).data().toString();
      // The name, its icon and the cell's margins.
      const int needed = view->fontMetrics().horizontalAdvance(name) + 40;
      EXPECT_GE(view->header()->sectionSize(0), needed) << name.toStdString();
    }
    EXPECT_EQ(dialog.layoutDirection(), c.hebrew ? Qt::RightToLeft : Qt::LeftToRight);
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->itemText(0), c.firstFilter);
    // The patterns still choose the files.
    EXPECT_EQ(dialog.nameFilters().front().endsWith("(*.txt)"), true);
  }
}

}  // namespace
}  // namespace nuvel
