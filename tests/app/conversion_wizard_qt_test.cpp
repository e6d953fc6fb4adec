#include "tools/conversion_wizard_qt.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/conversion_wizard_command_qt.h"
#include "app/document_windows_qt.h"
#include "app/file_prompts.h"
#include "app/main_commands_qt.h"
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

void Choose(QGroupBox* group, int index) { group->findChildren<QRadioButton*>()[index]->setChecked(true); }

TEST(ConversionWizardDialog, PagesButtonsAndTheSummary) {
  test::TempProgramFolder folder;
  TWizrdFrm w;
  EXPECT_EQ(w.Notebook1->currentIndex(), 0);
  EXPECT_FALSE(w.Prev_Btn->isEnabled());
  EXPECT_FALSE(w.btn_ok->isEnabled());
  w.Next_Btn->click();
  Choose(w.RadioGroup1, 2);  // Custom
  w.Next_Btn->click();
  EXPECT_EQ(w.Notebook1->currentIndex(), 6);
  Choose(w.RadioGroup3, 1);  // Nuvel DOS
  w.Prev_Btn->click();
  EXPECT_EQ(w.Notebook1->currentIndex(), 1);
  EXPECT_EQ(w.Choices().sourceCustom.table, 1);
  w.Next_Btn->click();
  EXPECT_TRUE(w.RadioGroup3->findChildren<QRadioButton*>()[1]->isChecked()) << "the choice is kept";
  w.Next_Btn->click();
  ASSERT_EQ(w.Notebook1->currentIndex(), 2);
  EXPECT_TRUE(w.EditSource->isEnabled());
  w.Label4->setText("/docs/");
  w.EditSource->setText("in.txt");
  w.EditDest->setText("out.doc");
  w.Next_Btn->click();
  Choose(w.RadDest_Type, 4);  // RTF
  w.Next_Btn->click();
  ASSERT_EQ(w.Notebook1->currentIndex(), 4);
  EXPECT_FALSE(w.Next_Btn->isEnabled());
  EXPECT_TRUE(w.btn_ok->isEnabled());
  EXPECT_EQ(w.EditFG3->text(), QString("/docs/in.txt"));
  EXPECT_TRUE(w.LabelFG7->text().endsWith("out.doc.RTF")) << w.LabelFG7->text().toStdString();
  EXPECT_EQ(w.Choices().dest, WizardDest::Rtf);
  // "Now in Editor" has no source file to choose.
  w.Prev_Btn->click();
  w.Prev_Btn->click();
  w.Prev_Btn->click();
  Choose(w.RadioGroup1, 0);
  w.Next_Btn->click();
  EXPECT_FALSE(w.EditSource->isEnabled());
  EXPECT_TRUE(w.Choices().sources.empty());
}

// The browse service: the folder (for the destination) or the files given.
struct BrowsePrompts : FilePrompts {
  std::vector<std::string> sources;
  std::string folder;
  std::vector<std::string> OpenFileNames(const std::string&, const std::string&, const std::string&) override {
    return sources;
  }
  std::optional<std::string> SaveFileName(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
  TFileStrAnswer AskFileStr(const TFileStrRequest&) override { return {}; }
  std::optional<std::string> FolderName(const std::string&, const std::string&) override { return folder; }
};

class WizardCommand : public testing::Test {
 protected:
  void SetUp() override {
    savedProgPath_ = ProgPath;
    folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n");
    folder.CopyShippedFile("NuvStr.DLL");
    ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
    docs = program.Documents();
    docs->SetPrompts(&prompts);
    in = fs::path(dir.path().toStdString()) / "in";
    out = fs::path(dir.path().toStdString()) / "out";
    fs::create_directories(in);
    fs::create_directories(out);
  }
  void TearDown() override {
    for (TMDIChild* c : docs->Children()) {
      c->HebDoc().SetModified(false);
      c->close();
    }
    ProgPath = savedProgPath_;
    EngPrompts = true;
  }
  // Runs the command with the dialog answered by `fill`.
  void Run(std::function<void(TWizrdFrm&)> fill) {
    MainCommands commands({}, nullptr);
    AttachConversionWizard(commands, *docs, {[fill](TWizrdFrm& w) {
                             fill(w);
                             return true;
                           }});
    commands.Run("ConversionWizard1");
  }
  static void Write(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }

  test::TempProgramFolder folder;
  QTemporaryDir dir;
  test::RecordingMessageSink sink;
  BrowsePrompts prompts;
  std::string savedProgPath_;
  Program program;
  DocumentWindows* docs = nullptr;
  fs::path in, out;
};

TEST_F(WizardCommand, SeveralFilesIntoAFolderLeaveTheSourcesAsTheyWere) {
  const std::string hebrew = "\xF9\xEC\xE5\xED\r\n";
  Write(in / "a.txt", hebrew);
  Write(in / "b.txt", hebrew);
  prompts.sources = {(in / "a.txt").string(), (in / "b.txt").string()};
  prompts.folder = out.string();
  Run([](TWizrdFrm& w) {
    w.Next_Btn->click();
    Choose(w.RadioGroup1, 2);  // Custom: Windows (CP1255), Nuvel Windows line ends
    w.Next_Btn->click();
    w.Next_Btn->click();
    ASSERT_EQ(w.Page(), 2);
    w.BitBtn1->click();
    w.BitBtn2->click();
    w.Next_Btn->click();
    Choose(w.RadDest_Type, 3);  // Nuvel DOS
    w.Next_Btn->click();
  });
  EXPECT_TRUE(fs::exists(out / "a.nvs"));
  EXPECT_TRUE(fs::exists(out / "b.nvs"));
  EXPECT_EQ(test::ReadWholeFile(in / "a.txt"), hebrew);
  EXPECT_TRUE(docs->Children().empty()) << "nothing is left open";
  ASSERT_FALSE(sink.requests.empty());
  EXPECT_NE(sink.requests.back().text.find("2 of 2"), std::string::npos) << sink.requests.back().text;
}

TEST_F(WizardCommand, AnEinsteinFileIsCleanedUpInItsOwnWindowAndLeftInTheEditor) {
  TMDIChild* other = docs->New1Click();
  ASSERT_NE(other, nullptr);
  Write(in / "e.txt", "a\xC9" "b\xDE" "c\r\n");
  prompts.sources = {(in / "e.txt").string()};
  Run([](TWizrdFrm& w) {
    w.Next_Btn->click();
    Choose(w.RadioGroup1, 6);  // Einstein
    w.Next_Btn->click();
    w.BitBtn1->click();
  });
  ASSERT_EQ(docs->Children().size(), 2u);
  TMDIChild* converted = docs->FindChild((in / "e.txt").string());
  ASSERT_NE(converted, nullptr);
  EXPECT_EQ(converted->HebDoc().Text().substr(0, 4), "ab-c");
  EXPECT_EQ(other->HebDoc().TextLength(), 0) << "the other window is untouched";
}

TEST_F(WizardCommand, AMissingSourceIsReported) {
  Run([this](TWizrdFrm& w) {
    Choose(w.RadioGroup1, 3);
    w.Label4->setText(QString::fromStdString(in.string() + "/"));
    w.EditSource->setText("gone.txt");
  });
  ASSERT_FALSE(sink.requests.empty());
  EXPECT_NE(sink.requests.back().text.find("gone.txt"), std::string::npos);
  EXPECT_TRUE(docs->Children().empty());
}

}  // namespace
}  // namespace nuvel
