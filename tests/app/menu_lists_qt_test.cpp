#include "app/menu_lists_qt.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>

#include <fstream>

#include "app/document_windows_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "app/single_instance_qt.h"
#include "core/menu_mru_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "platform/registry_store.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

class MenuListsTest : public testing::Test {
 protected:
  void SetUp() override { folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n"); }
  std::string WriteFile(const char* name, const std::string& bytes) {
    std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  MainMenuLists* Lists(Program& p) { return p.MainForm()->findChild<MainMenuLists*>(); }

  test::TempProgramFolder folder;
  QTemporaryDir dir;
  test::RecordingMessageSink sink;
};

TEST_F(MenuListsTest, ReopenListIsKeptInTheRegistryAcrossStarts) {
  std::string a = WriteFile("Mixed.Case.txt", "x");
  {
    Program program;
    ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
    program.MainForm()->OpenCommandLineFile(a);
    ASSERT_NE(Lists(program), nullptr);
    EXPECT_EQ(Lists(program)->ReopenMRU()->ItemsList(), QStringList{QString::fromStdString(a)});
    EXPECT_TRUE(program.MainForm()->close());
  }
  platform::RegistryStore registry;
  EXPECT_EQ(registry.ReadString("Software\\Marvek Ila\\NuvelText\\3.55\\.ReopenMRU.Items", "Item0"), a);
  Program again;
  ASSERT_TRUE(again.Start({"nuvel"}, nullptr));
  EXPECT_EQ(Lists(again)->ReopenMRU()->ItemsList(), QStringList{QString::fromStdString(a)});
}

TEST_F(MenuListsTest, FavouritesKeepCaseAndRemoveTheChosenEntry) {
  std::string a = WriteFile("Fav.TXT", "x");
  Program program;
  ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
  MainMenuLists& lists = *Lists(program);
  program.Documents()->New1Click();
  lists.AddCurrentFile1Click();  // an untitled window is not added
  EXPECT_TRUE(lists.Favorites()->ItemsList().isEmpty());
  program.MainForm()->OpenCommandLineFile(a);
  lists.AddCurrentFile1Click();
  lists.AddCurrentFilePath1Click();
  // Newest first.
  QStringList expected = {dir.path() + "/", QString::fromStdString(a)};
  EXPECT_EQ(lists.Favorites()->ItemsList(), expected);
  lists.ChooseFavoriteToRemove = [](const QStringList&) { return std::optional<int>(0); };
  lists.RemoveItem1Click();
  EXPECT_EQ(lists.Favorites()->ItemsList(), QStringList{QString::fromStdString(a)});
  sink.answers = {platform::mrOk};
  lists.ClearList1Click();
  EXPECT_TRUE(lists.Favorites()->ItemsList().isEmpty());
}

TEST_F(MenuListsTest, ToolbarWrapsBelowSevenHundredPixels) {
  // The toolbar's glyphs as the program folder holds them.
  std::filesystem::copy(std::filesystem::path(NUVEL_PROGRAM_DIR) / "icons", folder.Path("icons"),
                        std::filesystem::copy_options::recursive);
  Program program;
  ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
  TMainForm& form = *program.MainForm();
  form.showNormal();
  QApplication::processEvents();
  QToolButton* newBtn = form.Button("NewBtn");
  ASSERT_NE(newBtn, nullptr);
  form.resize(900, 500);
  QApplication::processEvents();
  int oneRow = form.SpeedPanel->height();
  EXPECT_LT(oneRow, 2 * newBtn->height());
  // Every button at its full width, none over another.
  QList<QToolButton*> shown;
  for (QToolButton* b : form.SpeedPanel->findChildren<QToolButton*>())
    if (b->isVisible()) shown.append(b);
  ASSERT_GT(shown.size(), 10);
  for (QToolButton* a : shown) {
    EXPECT_GE(a->width(), a->sizeHint().width()) << a->objectName().toStdString();
    for (QToolButton* b : shown) {
      if (a == b) continue;
      EXPECT_FALSE(a->geometry().intersects(b->geometry()))
          << a->objectName().toStdString() << " over " << b->objectName().toStdString();
    }
  }
  form.resize(650, 500);
  QApplication::processEvents();
  EXPECT_GT(form.SpeedPanel->height(), 2 * newBtn->height());
  form.resize(800, 500);
  QApplication::processEvents();
  EXPECT_EQ(form.SpeedPanel->height(), oneRow);
}

}  // namespace
}  // namespace nuvel
