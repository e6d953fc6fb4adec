#include "ui/interface_texts_qt.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QAction>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/shared_state.h"
#include "tests/support/string_library_bytes.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

// A small dialog with one component of each kind that takes texts.
struct Dialog {
  Dialog() {
    form.setObjectName("Dlg");
    auto* layout = new QVBoxLayout(&form);
    label = new QLabel("Label");
    label->setObjectName("Label1");
    button = new QPushButton("OK");
    button->setObjectName("OKBtn");
    list = new QListWidget;
    list->setObjectName("List1");
    list->addItems({"a", "b"});
    combo = new QComboBox;
    combo->setObjectName("Combo1");
    combo->addItems({"a", "b"});
    tabs = new QTabWidget;
    tabs->setObjectName("Pages");
    tabs->addTab(new QWidget, "p0");
    tabs->addTab(new QWidget, "p1");
    group = new QGroupBox("g");
    group->setObjectName("RadioGroup1");
    auto* radios = new QVBoxLayout(group);
    for (const char* r : {"r0", "r1"}) radios->addWidget(new QRadioButton(r));
    auto* area = new QMdiArea;
    auto* inner = new QLabel("inside a document");
    inner->setObjectName("Inner1");
    area->addSubWindow(inner);
    for (QWidget* w : std::initializer_list<QWidget*>{label, button, list, combo, tabs, group, area}) layout->addWidget(w);
  }
  QWidget form;
  QLabel* label;
  QPushButton* button;
  QListWidget* list;
  QComboBox* combo;
  QTabWidget* tabs;
  QGroupBox* group;
};

TEST(InterfaceTextsQt, EachKindOfComponentGetsItsText) {
  Dialog d;
  const auto missing = AssignTexts(&d.form, {
      {"", TextSlot::Caption, -1, "Caption"},
      {"Label1", TextSlot::Caption, -1, "L"},
      {"OKBtn", TextSlot::Caption, -1, "\xE0\xE9\xF9\xE5\xF8"},  // Hebrew "אישור" in system bytes
      {"OKBtn", TextSlot::Hint, -1, "hint"},
      {"List1", TextSlot::Item, 1, "B"},
      {"Combo1", TextSlot::Item, 0, "A"},
      {"Pages", TextSlot::Item, 1, "P1"},
      {"RadioGroup1", TextSlot::Item, 1, "R1"},
      {"RadioGroup1", TextSlot::Caption, -1, "G"},
      {"List1", TextSlot::Item, 5, "out of range"},
      {"Nothing1", TextSlot::Caption, -1, "x"},
      {"Inner1", TextSlot::Caption, -1, "documents are not searched"},
  });
  EXPECT_EQ(d.form.windowTitle(), QString("Caption"));
  EXPECT_EQ(d.label->text(), QString("L"));
  EXPECT_EQ(d.button->text(), QString::fromUtf8("אישור"));
  EXPECT_EQ(d.button->toolTip(), QString("hint"));
  EXPECT_EQ(d.list->item(1)->text(), QString("B"));
  EXPECT_EQ(d.combo->itemText(0), QString("A"));
  EXPECT_EQ(d.tabs->tabText(1), QString("P1"));
  EXPECT_EQ(d.group->findChildren<QRadioButton*>()[1]->text(), QString("R1"));
  EXPECT_EQ(d.group->title(), QString("G"));
  EXPECT_EQ(missing, (std::vector<std::string>{"List1", "Nothing1", "Inner1"}));
}

TEST(InterfaceTextsQt, MemoLinesRightEdgesAndCheckedCaptions) {
  QWidget form;
  auto* memo = new QPlainTextEdit("old", &form);
  memo->setObjectName("Memo1");
  auto* label = new QLabel("Short", &form);
  label->setObjectName("LabelFG2");
  label->setGeometry(100, 10, 50, 20);
  QAction checked("x", &form), unchecked("y", &form);
  checked.setObjectName("Hebrew");
  checked.setCheckable(true);
  checked.setChecked(true);
  const auto missing = AssignTexts(&form, {
      {"Memo1", TextSlot::ClearLines, -1, ""},
      {"Memo1", TextSlot::Line, -1, "one"},
      {"Memo1", TextSlot::Line, -1, ""},
      {"Memo1", TextSlot::Line, -1, "two"},
      {"LabelFG2", TextSlot::CaptionKeepRight, -1, "A much longer caption"},
      {"Hebrew", TextSlot::CaptionIfChecked, -1, "on"},
      {"Hebrew", TextSlot::CaptionIfUnchecked, -1, "off"},
  });
  EXPECT_TRUE(missing.empty());
  EXPECT_EQ(memo->toPlainText(), QString("one\n\ntwo"));
  EXPECT_EQ(label->x() + label->width(), 150);
  EXPECT_GT(label->width(), 50);
  EXPECT_EQ(checked.text(), QString("on"));
}

TEST(InterfaceTextsQt, LibraryTextsAreCutTo149CharactersAndAMissingLibraryChangesNothing) {
  test::TempProgramFolder temp;
  const std::string savedPath = ProgPath;
  ProgPath = temp.Folder();
  Dialog d;
  const auto list = ParseTextAssignments("Label1 41100; OKBtn 41101");
  EXPECT_FALSE(ApplyLibraryTexts(&d.form, list));
  EXPECT_EQ(d.label->text(), QString("Label"));
  temp.WriteFile("NuvStr.DLL", test::StringLibraryBytes({{41100, std::string(200, 'x')}}));
  EXPECT_TRUE(ApplyLibraryTexts(&d.form, list));
  EXPECT_EQ(d.label->text(), QString(149, 'x'));
  EXPECT_EQ(d.button->text(), QString()) << "an unknown id gives an empty text";
  ProgPath = savedPath;
}

}  // namespace
}  // namespace nuvel
