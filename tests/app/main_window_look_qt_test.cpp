// The main window as a user sees it, in both interface languages at an
// ordinary and a small screen width, with two documents open: nothing on
// the toolbar or the status bar is cut off or covered, and each window is
// saved as a picture beside the test program to look at.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/document_windows_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;

struct Look {
  bool hebrew;
  int width;
};

void PrintTo(const Look& l, std::ostream* os) { *os << (l.hebrew ? "Hebrew" : "English") << " at " << l.width; }

// A program folder of the test's own (the shared ProgPath points there
// while it lasts), a folder for documents and the messages shown; the
// interface is English again afterwards.
template <class Base>
class ProgramLook : public Base {
 protected:
  void TearDown() override { EngPrompts = true; }
  test::TempProgramFolder folder;
  QTemporaryDir dir;
  test::RecordingMessageSink sink;
};

class MainWindowLook : public ProgramLook<testing::TestWithParam<Look>> {};

// The width a button needs to show its text (and its glyph beside it).
int NeededWidth(const QToolButton& b) {
  const int text = b.fontMetrics().horizontalAdvance(b.text());
  switch (b.toolButtonStyle()) {
    case Qt::ToolButtonIconOnly: return b.iconSize().width();
    case Qt::ToolButtonTextOnly: return text;
    default: return b.iconSize().width() + text;
  }
}

TEST_P(MainWindowLook, NothingOnTheToolbarOrStatusBarIsCut) {
  const Look look = this->GetParam();
  // The program folder as built: the string library, glyphs and translations.
  for (const char* sub : {"icons", "translations"})
    fs::copy(fs::path(NUVEL_PROGRAM_DIR) / sub, folder.Path(sub), fs::copy_options::recursive);
  folder.CopyShippedFile("NuvStr.DLL");
  folder.WriteFile("NuvelW.INI", look.hebrew ? "[StartUp]\r\nEng_Prompts=Hebrew\r\n" : "[StartUp]\r\nEng_Prompts=English\r\n");

  Program program;
  ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
  TMainForm& form = *program.MainForm();
  DocumentWindows& docs = *program.Documents();
  for (const char* name : {"one.txt", "two.txt"}) {
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream(path, std::ios::binary) << "\xF9\xEC\xE5\xED text 12\r\n";
    ASSERT_NE(docs.OpenFile(path, 255, false), nullptr);
  }
  form.resize(look.width, 600);
  form.show();
  QApplication::processEvents();
  form.resize(look.width, 600);
  QApplication::processEvents();

  const QRect window = form.rect();
  std::vector<QToolButton*> shown;
  for (QToolButton* b : form.SpeedPanel->findChildren<QToolButton*>()) {
    if (b->isHidden()) continue;
    shown.push_back(b);
    const QRect at(b->mapTo(&form, QPoint(0, 0)), b->size());
    const std::string name = b->objectName().toStdString();
    EXPECT_TRUE(window.contains(at)) << name << " leaves the window";
    EXPECT_TRUE(form.SpeedPanel->rect().contains(b->geometry())) << name << " leaves the toolbar";
    EXPECT_GE(b->contentsRect().width(), NeededWidth(*b)) << name << " is too narrow for its caption";
    EXPECT_FALSE(b->toolTip().isEmpty()) << name << " has no tooltip";
    if (!b->icon().isNull()) {
      EXPECT_NE(b->toolButtonStyle(), Qt::ToolButtonTextOnly) << name;
    }
  }
  for (size_t i = 0; i < shown.size(); ++i)
    for (size_t j = i + 1; j < shown.size(); ++j)
      EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
          << shown[i]->objectName().toStdString() << " covers " << shown[j]->objectName().toStdString();
  for (QLabel* panel : form.Panels) {
    if (panel->isHidden()) continue;
    EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(panel->text()))
        << panel->objectName().toStdString() << ": " << panel->text().toStdString();
  }
  // In Hebrew the tooltips and the status captions are Hebrew.
  if (look.hebrew) {
    EXPECT_TRUE(form.Button("SaveBtn")->toolTip().contains(QChar(0x05E9))) << form.Button("SaveBtn")->toolTip().toStdString();
    EXPECT_TRUE(form.Panels[4]->text().contains(QChar(0x05D1))) << form.Panels[4]->text().toStdString();
  }
  const QString shot = QDir(QCoreApplication::applicationDirPath())
                           .filePath(QStringLiteral("main_window_%1_%2.png")
                                         .arg(look.hebrew ? QStringLiteral("hebrew") : QStringLiteral("english"))
                                         .arg(look.width));
  form.grab().save(shot);
  for (TMDIChild* c : docs.Children()) c->close();
}

class Workspace : public ProgramLook<testing::Test> {};

// A document window placed while the main window was large stays inside
// the window area when the main window is made smaller: nothing of it, the
// start of a Hebrew line included, is out of reach.
TEST_F(Workspace, DocumentWindowsStayInsideWhenItShrinks) {
  folder.CopyShippedFile("NuvStr.DLL");
  folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n");
  Program program;
  ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
  TMainForm& form = *program.MainForm();
  DocumentWindows& docs = *program.Documents();
  form.resize(1280, 900);
  form.show();
  QApplication::processEvents();
  std::vector<TMDIChild*> opened;
  for (const char* name : {"one.txt", "two.txt", "three.txt"}) {
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream(path, std::ios::binary) << "\xF9\xEC\xE5\xED\r\n";
    opened.push_back(docs.OpenFile(path, 255, false));
    ASSERT_NE(opened.back(), nullptr);
  }
  opened[2]->showMinimized();
  for (QSize size : {QSize(800, 600), QSize(640, 480)}) {
    form.resize(size);
    QApplication::processEvents();
    const QRect area = docs.Area()->viewport()->rect();
    for (TMDIChild* c : {opened[0], opened[1]}) {
      EXPECT_TRUE(area.contains(c->geometry()))
          << size.width() << ": " << c->geometry().x() << "," << c->geometry().y() << " " << c->geometry().width()
          << "x" << c->geometry().height() << " in " << area.width() << "x" << area.height();
    }
    EXPECT_TRUE(opened[2]->isMinimized());
  }
  for (TMDIChild* c : docs.Children()) c->close();
}

// Large numbers on the status bar show whole, in either interface language;
// the panels go back to their width for small ones.
TEST_F(Workspace, TheStatusBarShowsLargeNumbersWhole) {
  for (bool hebrew : {false, true}) {
    SCOPED_TRACE(hebrew ? "Hebrew" : "English");
    folder.CopyShippedFile("NuvStr.DLL");
    folder.WriteFile("NuvelW.INI", hebrew ? "[StartUp]\r\nEng_Prompts=Hebrew\r\n" : "[StartUp]\r\nEng_Prompts=English\r\n");
    Program program;
    ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
    TMainForm& form = *program.MainForm();
    DocumentWindows& docs = *program.Documents();
    form.resize(1280, 900);
    form.show();
    const std::string big = dir.filePath("big.txt").toStdString();
    {
      std::ofstream file(big, std::ios::binary);
      for (int i = 0; i < 123456; ++i) file << "x\r\n";
      file << std::string(31999, 'a') << "\r\n";
    }
    TMDIChild* c = docs.OpenFile(big, 255, false);
    ASSERT_NE(c, nullptr);
    c->HebDoc().SetCaretPosition(123457, 32000);
    docs.UpdateStatusBar();
    QApplication::processEvents();
    std::vector<int> widths;
    for (QLabel* panel : form.Panels) {
      widths.push_back(panel->width());
      if (panel->isHidden()) continue;
      EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(panel->text()))
          << panel->objectName().toStdString() << ": " << panel->text().toStdString();
    }
    EXPECT_TRUE(form.Panels[0]->text().contains("123457")) << form.Panels[0]->text().toStdString();
    // A small document: the panels are as wide as they were made.
    c->HebDoc().SetModified(false);
    c->close();
    const std::string small = dir.filePath("small.txt").toStdString();
    std::ofstream(small, std::ios::binary) << "x\r\n";
    ASSERT_NE(docs.OpenFile(small, 255, false), nullptr);
    docs.UpdateStatusBar();
    EXPECT_LT(form.Panels[0]->width(), widths[0]);
    for (TMDIChild* d : docs.Children()) d->close();
    EngPrompts = true;
  }
}

INSTANTIATE_TEST_SUITE_P(Screens, MainWindowLook,
                         testing::Values(Look{false, 1280}, Look{false, 800}, Look{true, 1280}, Look{true, 800},
                                         Look{false, 640}, Look{true, 640}),
                         [](const testing::TestParamInfo<Look>& info) {
                           return std::string(info.param.hebrew ? "Hebrew" : "English") +
                                  std::to_string(info.param.width);
                         });

}  // namespace
}  // namespace nuvel
