// The main window's own tools: help, mail and Restore Factory Settings.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/document_windows_qt.h"
#include "app/help_window_qt.h"
#include "app/main_commands_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "app/send_mail_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"

namespace nuvel {
namespace {

namespace fs = std::filesystem;

class MainTools : public testing::Test {
 protected:
  void SetUp() override {
    savedProgPath_ = ProgPath;
    folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n");
    folder.CopyShippedFile("NuvStr.DLL");
    fs::copy(fs::path(NUVEL_PROGRAM_DIR) / "help", folder.Path("help"), fs::copy_options::recursive);
    ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
    form = program.MainForm();
    docs = program.Documents();
  }
  void TearDown() override {
    ProgPath = savedProgPath_;
    EngPrompts = true;
  }
  std::string WriteFile(const char* name, const std::string& bytes) {
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  test::TempProgramFolder folder;
  QTemporaryDir dir;
  test::RecordingMessageSink sink;
  std::string savedProgPath_;
  Program program;
  TMainForm* form = nullptr;
  DocumentWindows* docs = nullptr;
};

TEST_F(MainTools, HelpShowsItsContentsAndFindsATopic) {
  ASSERT_TRUE(form->Item("Contents1")->isEnabled());
  form->Item("TopicSearch1")->trigger();
  auto* help = form->findChild<THelpWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->Browser->source().toLocalFile().endsWith("help/en/index.html"));
  EXPECT_TRUE(help->Browser->toPlainText().contains("conversion wizard", Qt::CaseInsensitive));
  help->SearchEdit->setText("Unicode");
  EXPECT_TRUE(help->FindNext());
  EXPECT_EQ(help->Browser->textCursor().selectedText(), QString("Unicode"));
  help->SearchEdit->setText("no such words anywhere");
  EXPECT_FALSE(help->FindNext());
}

// Help names the item that switches the interface language the way the
// menu shows it, in each language's own help page.
class HelpNamesTheMenus : public testing::TestWithParam<bool> {
 protected:
  void TearDown() override {
    ProgPath = savedProgPath_;
    EngPrompts = true;
  }
  std::string savedProgPath_ = ProgPath;
  test::TempProgramFolder folder;
  test::RecordingMessageSink sink;
};

TEST_P(HelpNamesTheMenus, TheLanguageItemIsNamedAsItsMenuShowsIt) {
  const bool hebrew = GetParam();
  folder.WriteFile("NuvelW.INI", hebrew ? "[StartUp]\r\nEng_Prompts=Hebrew\r\n" : "[StartUp]\r\nEng_Prompts=English\r\n");
  folder.CopyShippedFile("NuvStr.DLL");
  fs::copy(fs::path(NUVEL_PROGRAM_DIR) / "help", folder.Path("help"), fs::copy_options::recursive);
  Program program;
  ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
  TMainForm& form = *program.MainForm();
  auto caption = [&](const char* name) { return form.Item(QString::fromLatin1(name))->text().remove(QChar('&')).trimmed(); };
  const QString item = caption("Languages1") + " | " + caption("HebrewMenus1");
  ASSERT_EQ(item.contains(QChar(0x05EA)), hebrew) << item.toStdString();
  form.Item("TopicSearch1")->trigger();
  auto* help = form.findChild<THelpWindow*>();
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->Browser->toPlainText().contains(item + " (Shift+Ctrl+F11)")) << item.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpNamesTheMenus, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Hebrew" : "English");
                         });

TEST(SendMail, TheBodyIsPercentEncodedUtf8) {
  const QUrl url = MailToUrl("a+b&c=d \xD7\xA9\r\n");
  EXPECT_EQ(url.scheme(), "mailto");
  EXPECT_EQ(url.toString(QUrl::FullyEncoded), "mailto:?body=a%2Bb%26c%3Dd%20%D7%A9%0D%0A");
}

TEST_F(MainTools, SendHandsTheDocumentToTheMailProgramOrSaysItCouldNot) {
  QUrl sent;
  bool accept = true;
  MainCommands commands({}, nullptr);
  commands.State = [this] { return docs->CommandStateNow(); };
  AttachSendMail(commands, *docs, [&](const QUrl& url) {
    sent = url;
    return accept;
  });
  form->Keyboard().EnglishFile = true;  // an English letter in an English document
  TMDIChild* c = docs->OpenFile(WriteFile("letter.txt", "shalom\r\nworld\r\n"), 255, false);
  ASSERT_NE(c, nullptr);
  commands.Run("Send1");
  EXPECT_TRUE(sent.toString(QUrl::FullyEncoded).startsWith("mailto:?body=shalom%0D%0Aworld%0D%0A"))
      << sent.toString().toStdString();
  accept = false;
  const size_t before = sink.requests.size();
  commands.Run("Send1");
  ASSERT_EQ(sink.requests.size(), before + 1);
  EXPECT_NE(sink.requests.back().text.find("mail"), std::string::npos);
}

TEST_F(MainTools, RestoreFactorySettingsNeedsTheBackupCopy) {
  const std::string before = test::ReadWholeFile(IniFileName());
  sink.answers.push_back(platform::mrOk);
  form->Item("RestoreFactorySettings1")->trigger();
  EXPECT_EQ(test::ReadWholeFile(IniFileName()), before);
  EXPECT_TRUE(form->isVisible() || !form->isHidden());
  ASSERT_GE(sink.requests.size(), 2u);
  EXPECT_NE(sink.requests.back().text.find("INIBakup"), std::string::npos);
}

TEST_F(MainTools, RestoreFactorySettingsAsksTheDocumentsFirstThenQuitsWithoutWritingSettings) {
  form->show();
  folder.WriteFile("INIBakup", "[StartUp]\r\nEng_Prompts=English\r\nFactory=1\r\n");
  TMDIChild* c = docs->OpenFile(WriteFile("a.txt", "x\r\n"), 255, false);
  ASSERT_NE(c, nullptr);
  c->HebDoc().InsertChar('y');
  ASSERT_TRUE(c->HebDoc().Modified());
  // Agree to restore, then Cancel at "save the changes?": nothing happens.
  sink.answers = {platform::mrOk, platform::mrCancel};
  form->Item("RestoreFactorySettings1")->trigger();
  EXPECT_EQ(ReadIniString("StartUp", "Factory"), kNotFound);
  EXPECT_EQ(docs->Children().size(), 1u);
  // Agree, and do not save: the backup replaces the settings and the
  // program closes without writing its own.
  sink.answers = {platform::mrOk, platform::mrNo};
  form->Item("RestoreFactorySettings1")->trigger();
  EXPECT_EQ(test::ReadWholeFile(IniFileName()), "[StartUp]\r\nEng_Prompts=English\r\nFactory=1\r\n");
  EXPECT_FALSE(form->isVisible());
}

}  // namespace
}  // namespace nuvel
