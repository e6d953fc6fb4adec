// The preferences dialog over the running program: settings applied at once
// to the open documents, kept after a restart, and nothing written when a
// field is wrong.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/main_form_flags.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/preferences_command_qt.h"
#include "app/preferences_dialog_qt.h"
#include "app/program_qt.h"
#include "core/color_qt.h"
#include "core/command_numbers.h"
#include "core/conv_mode.h"
#include "core/qstring_bytes_qt.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "editor/editor_widget_qt.h"
#include "editor/heb_text_editor.h"
#include "editor/heb_text_editor_widget_qt.h"
#include "platform/input_box.h"
#include "tests/support/program_fixture_qt.h"
#include "ui/screen_fonts_qt.h"

namespace nuvel {
namespace {

class PreferencesProgram : public test::ProgramFixture {
 protected:
  // The dialog answered by `edit`, then OK.
  void RunPreferences(std::function<void(TPreferencesDlg&)> edit) {
    PreferencesHooks hooks;
    hooks.run = [edit](TPreferencesDlg& d) {
      edit(d);
      return true;
    };
    AttachPreferences(*form->Commands, *form, *docs, hooks);
    form->Commands->Run("Properties1");
  }
};

TEST_F(PreferencesProgram, DosCharacterTableShowsAndSavesAnIconvCp862File) {
  const std::string path = dir.filePath("shalom.txt").toStdString();
  test::ShellOutput("printf '\\327\\251\\327\\234\\327\\225\\327\\235 \\327\\242\\327\\225\\327\\234\\327\\235\\r\\n' | "
      "iconv -f UTF-8 -t CP862 > '" + path + "'");
  std::ifstream in(path, std::ios::binary);
  const std::string original((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(original, "\x99\x8C\x85\x8D \x92\x85\x8C\x8D\r\n");

  RunPreferences([](TPreferencesDlg& d) {
    TPreferencesDlg::SetRadioIndex(d.EditConfig, 2);  // Custom: the table is free
    TPreferencesDlg::SetRadioIndex(d.TxtConvRadio1, 4);
  });
  EXPECT_EQ(GetConvMode(), 4);
  EXPECT_EQ(ReadIniString("GENPREFS", "Conversion"), "4");

  TMDIChild* c = Open(path);
  ASSERT_NE(c, nullptr);
  const auto line = c->Doc().LineBytes(1);
  EXPECT_EQ(FromSystemText(std::string(line.begin(), line.end())), QString::fromUtf8("שלום עולם"));
  // Saved back unchanged: byte for byte what iconv made.
  c->HebDoc().InsertChar('x');
  c->HebDoc().DoCommand(ccBack, 0);
  ASSERT_TRUE(docs->SaveChild(*c));
  std::ifstream again(path, std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>()), original);
}

TEST_F(PreferencesProgram, WordWrapToTheWindowWrapsALongParagraph) {
  std::string words;
  for (int i = 0; i < 60; ++i) words += "word" + std::to_string(i) + " ";
  TMDIChild* c = Open(WriteFile("long.txt", words + "\r\n"));
  ASSERT_NE(c, nullptr);
  c->HebDoc().SetEngm(true);
  // The paragraph and the empty one after its line end.
  EXPECT_EQ(c->Doc().LineCount(), 2);
  RunPreferences([](TPreferencesDlg& d) {
    d.WordWrapCheckBox->setChecked(true);
    d.WraptoWindow->setChecked(true);
  });
  EXPECT_TRUE(form->Item("Wordwrap1")->isChecked());
  const int columns = c->Doc().VisibleColumns();
  ASSERT_GT(columns, 10);
  ASSERT_GT(c->Doc().LineCount(), 3);
  for (int n = 1; n <= c->Doc().LineCount(); ++n) EXPECT_LE(static_cast<int>(c->Doc().LineBytes(n).size()), columns + 1);
}

TEST_F(PreferencesProgram, WrapColumnColoursAndFontAppliedAtOnceAndKeptAfterRestart) {
  TMDIChild* c = Open(WriteFile("a.txt", std::string(100, 'a') + "\r\n"));
  ASSERT_NE(c, nullptr);
  RunPreferences([](TPreferencesDlg& d) {
    d.WordWrapCheckBox->setChecked(true);
    d.WraptoWindow->setChecked(false);
    d.WrapColEdit->setText("40");
    d.findChild<QPushButton*>("ClDos")->click();
    d.Ctrlchar->findChildren<QAbstractButton*>()[1]->setChecked(true);
    d.UseTabsChkBox->setChecked(true);
  });
  const QPalette app;
  auto check = [&](TMDIChild* doc) {
    TNvcEditorWidget* w = doc->Editor();
    EXPECT_EQ(w->Editor().WrapColumn(), 40);
    EXPECT_EQ(w->palette().color(QPalette::Base), ToQColor(clNavy, app));
    EXPECT_EQ(w->palette().color(QPalette::Highlight), ToQColor(clPurple, app));
    EXPECT_EQ(w->FixedFont().Color(), ToQColor(clYellow, app));
    EXPECT_TRUE(doc->HebDoc().CtrlNums());
    EXPECT_TRUE(w->Editor().WantTab());
  };
  check(c);
  EXPECT_EQ(c->Doc().LineCount(), 4);  // 40, 40 and 20 letters, and the empty last paragraph

  PreferencesHooks hooks;
  hooks.runFontChooser = [](TFontCDlg& d) {
    d.Model().ChooseFace(2);
    d.Model().ChooseSize(5);  // 16
    return true;
  };
  AttachPreferences(*form->Commands, *form, *docs, hooks);
  form->Commands->Run("HebrewFont1");
  auto* heb = static_cast<THebTextEditorWidget*>(c->Editor());
  EXPECT_EQ(heb->SecondFont().Name(), "ZoridiZOZA RarUv");
  EXPECT_EQ(heb->SecondFont().Size(), 16);

  Restart();
  EXPECT_TRUE(form->Item("Wordwrap1")->isChecked());
  EXPECT_EQ(form->Options.WrapColumn, 40);
  TMDIChild* d = Open(WriteFile("b.txt", std::string(100, 'b') + "\r\n"));
  ASSERT_NE(d, nullptr);
  check(d);
  auto* heb2 = static_cast<THebTextEditorWidget*>(d->Editor());
  EXPECT_EQ(heb2->SecondFont().Name(), "ZoridiZOZA RarUv");
  EXPECT_EQ(heb2->SecondFont().Size(), 16);
}

TEST_F(PreferencesProgram, AWrongNumberWritesNothingAndNamesTheField) {
  RunPreferences([](TPreferencesDlg& d) { d.WrapColEdit->setText("72"); });
  const std::string before = folder.ReadFile("NuvelW.INI");
  bool accepted = true;
  PreferencesHooks hooks;
  hooks.run = [&](TPreferencesDlg& d) {
    d.WrapColEdit->setText("abc");
    d.ShowTime1->setChecked(true);
    accepted = d.TryAccept();
    return accepted;
  };
  AttachPreferences(*form->Commands, *form, *docs, hooks);
  const size_t messages = sink.requests.size();
  form->Commands->Run("Properties1");
  EXPECT_FALSE(accepted);
  EXPECT_EQ(folder.ReadFile("NuvelW.INI"), before);
  EXPECT_FALSE(form->Options.Timer.ShowTime);
  ASSERT_EQ(sink.requests.size(), messages + 1);
  EXPECT_NE(sink.requests.back().text.find("Wrap column"), std::string::npos) << sink.requests.back().text;
}

TEST_F(PreferencesProgram, DialogShowsTheStoredAndLiveSettings) {
  WriteIniString("GENPREFS", "WrapColumn", "66");
  WriteIniString("GENPREFS", "Find_Cursor_Word", "1");
  WriteIniString("GENPREFS", "CtrlNums", "1");
  WriteIniString("GENPREFS", "EditConfig", "6");  // a configuration the dialog has no button for
  form->Options.Timer.AutoSaveInt = 300;
  Preferences shown;
  PreferencesHooks hooks;
  hooks.run = [&](TPreferencesDlg& d) {
    EXPECT_EQ(d.WrapColEdit->text(), "66");
    EXPECT_TRUE(d.FindCrsrWord->isChecked());
    EXPECT_EQ(TPreferencesDlg::RadioIndex(d.Ctrlchar), 1);
    EXPECT_EQ(d.AutoSaveInt1->value(), 5);
    EXPECT_FALSE(d.WrapColEdit->isEnabled() && d.WraptoWindow->isChecked());
    return true;
  };
  AttachPreferences(*form->Commands, *form, *docs, hooks);
  form->Commands->Run("Properties1");
  // OK keeps them.
  EXPECT_EQ(ReadIniString("GENPREFS", "WrapColumn"), "66");
  EXPECT_EQ(ReadIniString("GENPREFS", "Find_Cursor_Word"), "1");
  EXPECT_EQ(ReadIniString("GENPREFS", "AutoSaveInt"), "5");
  EXPECT_EQ(ReadIniString("GENPREFS", "EditConfig"), "6");
  EXPECT_EQ(form->Options.Timer.AutoSaveInt, 300);
}

TEST_F(PreferencesProgram, ProgramEditorTurnsWrapOffAndUnicodeTableAllowsUnicodePaste) {
  RunPreferences([](TPreferencesDlg& d) {
    TPreferencesDlg::SetRadioIndex(d.EditConfig, 2);
    TPreferencesDlg::SetRadioIndex(d.TxtConvRadio1, 7);
  });
  EXPECT_TRUE(UnicodeClipboard);
  EXPECT_EQ(ReadIniString("GENPREFS", "DISK_FMT"), "5");  // the table took the format along
  RunPreferences([](TPreferencesDlg& d) {
    d.WordWrapCheckBox->setChecked(true);
    TPreferencesDlg::SetRadioIndex(d.TxtConvRadio1, 2);
    d.EditConfig->findChildren<QAbstractButton*>()[1]->click();
    EXPECT_FALSE(d.TxtConvRadio1->isEnabled());
    EXPECT_FALSE(d.Disk_Conv_List1->isEnabled());
  });
  EXPECT_FALSE(UnicodeClipboard);
  EXPECT_TRUE(NoConversion);
  EXPECT_FALSE(form->Item("Wordwrap1")->isChecked());
}

TEST_F(PreferencesProgram, TabSizeAndTabTypes) {
  TMDIChild* c = Open(WriteFile("t.txt", "a\tb\r\n"));
  ASSERT_NE(c, nullptr);
  struct Box : platform::InputBoxService {
    std::optional<std::string> answer;
    std::optional<std::string> Ask(const platform::InputBoxRequest&) override { return answer; }
  } box;
  platform::InputBoxService* old = platform::SetInputBoxService(&box);
  box.answer = "4";
  form->Commands->Run("TabSize1");
  EXPECT_EQ(c->Doc().TabSize(), 4);
  for (const char* wrong : {"abc", "0", "300", ""}) {
    box.answer = wrong;
    form->Commands->Run("TabSize1");
    EXPECT_EQ(c->Doc().TabSize(), 4) << wrong;
  }
  platform::SetInputBoxService(old);
  form->Commands->Run("Realtabs1");
  EXPECT_TRUE(form->Item("Realtabs1")->isChecked());
  EXPECT_FALSE(form->Item("Fixedtabs1")->isChecked());
  EXPECT_EQ(c->Doc().TabType(), TTabType::ttReal);
  form->Commands->Run("Smarttabs1");
  EXPECT_FALSE(form->Item("Realtabs1")->isChecked());
  EXPECT_EQ(c->Doc().TabType(), TTabType::ttSmart);
}

}  // namespace
}  // namespace nuvel

namespace nuvel {
namespace {

TEST_F(PreferencesProgram, EnglishFontGoesToEveryDocumentAndIsKeptWhole) {
  TMDIChild* a = Open(WriteFile("a.txt", "a\r\n"));
  TMDIChild* b = Open(WriteFile("b.txt", "b\r\n"));
  ASSERT_TRUE(a && b);
  const std::string longName = "Nuvel Typewriter Extra Long Family";
  PreferencesHooks hooks;
  QFont started;
  hooks.chooseFont = [&](const QFont& start) -> std::optional<QFont> {
    started = start;
    QFont f(QString::fromStdString(longName), 13);
    return f;
  };
  AttachPreferences(*form->Commands, *form, *docs, hooks);
  const QString before = b->Editor()->FixedFont().Font().family();  // b is the active one
  form->Commands->Run("Font1");
  EXPECT_EQ(started.family(), before);
  for (TMDIChild* c : {a, b}) EXPECT_EQ(c->Editor()->FixedFont().Name(), longName);
  EXPECT_EQ(ReadIniString("GENPREFS", "CurFont").substr(0, longName.size() + 1), longName + "~");
  // Cancelled: nothing changes.
  hooks.chooseFont = [](const QFont&) { return std::optional<QFont>(); };
  AttachPreferences(*form->Commands, *form, *docs, hooks);
  form->Commands->Run("Font1");
  EXPECT_EQ(a->Editor()->FixedFont().Name(), longName);
}

}  // namespace
}  // namespace nuvel
