// The file dialogs as a user sees them: long names whole in the name column,
// and in Hebrew the filters' Hebrew names with their patterns the right way
// round, sizes and dates read left to right.
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
    QAbstractItemModel* model = view->model();
    ASSERT_NE(model, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(view->rootIndex()) == names.size(); }, 5000));
    QApplication::processEvents();
    const QModelIndex folder = view->rootIndex();
    const QChar lri(0x2066), pdi(0x2069);
    for (int row = 0; row < model->rowCount(folder); ++row) {
      const QString name = model->index(row, 0, folder).data().toString();
      SCOPED_TRACE(name.toStdString());
      // The name column shows the bare name: the dialog takes the chosen name from it.
      EXPECT_TRUE(names.contains(name));
      // The name, its icon and the cell's margins.
      const int needed = view->fontMetrics().horizontalAdvance(name) + 40;
      EXPECT_GE(view->header()->sectionSize(0), needed);
      // Size, type and date are each one left-to-right run in Hebrew.
      for (int column = 1; column <= 3; ++column) {
        const QString shown = model->index(row, column, folder).data().toString();
        SCOPED_TRACE(shown.toStdString());
        EXPECT_FALSE(shown.isEmpty());
        EXPECT_EQ(shown.startsWith(lri) && shown.endsWith(pdi), c.hebrew);
        EXPECT_EQ(shown.contains(lri), c.hebrew);
      }
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
