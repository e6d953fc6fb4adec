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

#include "app/document_windows_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "core/shared_state.h"
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

class MainWindowLook : public testing::TestWithParam<Look> {
 protected:
  void SetUp() override { savedProgPath_ = ProgPath; }
  void TearDown() override {
    ProgPath = savedProgPath_;
    EngPrompts = true;
  }
  test::TempProgramFolder folder;
  QTemporaryDir dir;
  test::RecordingMessageSink sink;
  std::string savedProgPath_;
};

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
  const Look look = GetParam();
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

INSTANTIATE_TEST_SUITE_P(Screens, MainWindowLook,
                         testing::Values(Look{false, 1280}, Look{false, 800}, Look{true, 1280}, Look{true, 800},
                                         Look{false, 640}, Look{true, 640}),
                         [](const testing::TestParamInfo<Look>& info) {
                           return std::string(info.param.hebrew ? "Hebrew" : "English") +
                                  std::to_string(info.param.width);
                         });

}  // namespace
}  // namespace nuvel
