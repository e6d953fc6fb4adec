// The phrase dictionary and the calculator window, from the main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>

#include "app/document_windows_qt.h"
#include "app/main_commands_qt.h"
#include "app/main_form_qt.h"
#include "app/mdi_child_qt.h"
#include "app/program_qt.h"
#include "app/tool_dialog_commands_qt.h"
#include "core/exceptions.h"
#include "core/shared_state.h"
#include "editor/heb_text_editor.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"
#include "tools/calculator_dialogs_qt.h"
#include "tools/calculator_qt.h"
#include "tools/phrase_dic_qt.h"
#include "tools/search_list_qt.h"

namespace nuvel {
namespace {

class ToolDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ProgPath;
    folder.WriteFile("NuvelW.INI", "[StartUp]\r\nEng_Prompts=English\r\n");
    folder.CopyShippedFile("NuvStr.DLL");
    ASSERT_TRUE(program.Start({"nuvel"}, nullptr));
    form = program.MainForm();
    docs = program.Documents();
    form->show();
    form->FormActivate();
  }
  void TearDown() override {
    ProgPath = saved_;
    EngPrompts = true;
  }
  test::TempProgramFolder folder;
  test::RecordingMessageSink sink;
  Program program;
  TMainForm* form = nullptr;
  DocumentWindows* docs = nullptr;
  std::string saved_;
};

TEST_F(ToolDialogs, AChosenPhraseIsInsertedAtTheCaret) {
  TMDIChild* doc = docs->New1Click();
  ASSERT_NE(doc, nullptr);
  doc->HebDoc().SetEngm(true);
  doc->HebDoc().InsertString("To: ");
  MainCommands commands({}, nullptr);
  size_t phrases = 0;
  AttachToolDialogCommands(commands, *docs, {[&](TPhraseDic& dic) {
                             phrases = dic.PhraseDicList->Items().size();
                             dic.PhraseDicList->Edit()->setText("THANKS");
                             dic.PhraseDicList->Edit()->setModified(true);
                             dic.PhraseDicList->Edit()->ExecuteSearch();
                           }});
  commands.Run("PhraseDictionary1");
  EXPECT_GT(phrases, 20u);
  // "Thanks" gives its Hebrew phrase, stored reversed in an English document.
  EXPECT_EQ(doc->HebDoc().Text(), "To: \xE4\xE1\xF8 \xE4\xE3\xE5\xFA");

  // Nothing chosen, nothing inserted.
  AttachToolDialogCommands(commands, *docs, {[](TPhraseDic&) {}});
  commands.Run("PhraseDictionary1");
  EXPECT_EQ(doc->HebDoc().Text(), "To: \xE4\xE1\xF8 \xE4\xE3\xE5\xFA");
}

// Enter in the search field or in the list, and a double click on an entry,
// insert the phrase at the caret at once; the window stays open, and
// closing it then inserts nothing more.
TEST_F(ToolDialogs, EnterOrADoubleClickInsertsAtOnce) {
  TMDIChild* doc = docs->New1Click();
  ASSERT_NE(doc, nullptr);
  doc->HebDoc().SetEngm(true);
  const std::string thanks = "\xE4\xE1\xF8 \xE4\xE3\xE5\xFA";  // reversed in an English document
  MainCommands commands({}, nullptr);
  std::vector<std::string> seen;
  bool stillOpen = true;
  AttachToolDialogCommands(commands, *docs, {[&](TPhraseDic& dic) {
                             dic.show();
                             QApplication::processEvents();
                             TNvcSearchEdit* edit = dic.PhraseDicList->Edit();
                             edit->setFocus();
                             QTest::keyClicks(edit, "THANKS");
                             QTest::keyClick(edit, Qt::Key_Return);  // before the search's delay ran out
                             seen.push_back(doc->HebDoc().Text());
                             QTest::keyClick(dic.PhraseDicList->ListBox(), Qt::Key_Enter);
                             seen.push_back(doc->HebDoc().Text());
                             QListWidget* list = dic.PhraseDicList->ListBox();
                             const QRect row = list->visualItemRect(list->item(list->currentRow()));
                             // A double click: the first press and release, then the second.
                             QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
                             QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
                             seen.push_back(doc->HebDoc().Text());
                             stillOpen = dic.isVisible();
                           }});
  commands.Run("PhraseDictionary1");
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0], thanks);
  EXPECT_EQ(seen[1], thanks + thanks);
  EXPECT_EQ(seen[2], thanks + thanks + thanks);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(doc->HebDoc().Text(), thanks + thanks + thanks);
}

TEST_F(ToolDialogs, TheCalculatorComputesAndItsValueIsPastedIntoADocument) {
  TMDIChild* doc = docs->New1Click();
  ASSERT_NE(doc, nullptr);
  QAction* entry = form->Item("SCalculator");
  ASSERT_NE(entry, nullptr);
  EXPECT_FALSE(entry->isVisible());
  ASSERT_TRUE(form->Item("Calculator1")->isEnabled());
  form->Item("Calculator1")->trigger();
  TCalcltDlg* calc = OpenCalculator(*docs);
  ASSERT_NE(calc, nullptr);
  EXPECT_TRUE(entry->isVisible());
  EXPECT_FALSE(calc->isModal());
  for (int b : {cbDigit0 + 1, cbDigit0 + 2, int(cbDecimal), cbDigit0 + 5, int(cbAdd), cbDigit0 + 3, int(cbEquals)}) {
    calc->NvcCalculator1->PressButton(b);
  }
  // English mode: the display text as shown.
  if (!form->Item("Engm1")->isChecked()) form->Item("Engm1")->trigger();
  calc->BitBtn2->click();
  const QString shown = QApplication::clipboard()->text();
  EXPECT_TRUE(shown.trimmed() == "15.50") << shown.toStdString();
  doc->HebDoc().PasteFromClipboard();
  EXPECT_NE(doc->HebDoc().Text().find("15.50"), std::string::npos);

  // Hebrew mode: reversed, blanks and all.
  form->Item("Engm1")->trigger();
  ASSERT_FALSE(form->Item("Engm1")->isChecked());
  calc->BitBtn2->click();
  QString reversed = shown;
  std::reverse(reversed.begin(), reversed.end());
  EXPECT_EQ(QApplication::clipboard()->text(), reversed);

  // Paste takes a number back into the calculator.
  QApplication::clipboard()->setText("42");
  calc->BitBtn3->click();
  EXPECT_EQ(calc->NvcCalculator1->Text().trimmed(), QString("42"));

  calc->OkBtn->click();
  EXPECT_FALSE(entry->isVisible());
  EXPECT_EQ(OpenCalculator(*docs), nullptr);
  form->Item("Calculator1")->trigger();
  EXPECT_TRUE(entry->isVisible());
  ASSERT_NE(OpenCalculator(*docs), nullptr);
  OpenCalculator(*docs)->close();
  EXPECT_FALSE(entry->isVisible());
}

TEST_F(ToolDialogs, TheCalculatorDialogComponentTakesBackItsValue) {
  EXPECT_THROW(TNvcCalculatorDialog(nullptr), ENvcException);
  TNvcCalculatorDialog dialog(form);
  dialog.Caption = "Nuvel Calculator";
  dialog.RunForm = [](QDialog& f, TNvcCalculator& c) {
    EXPECT_EQ(f.windowTitle(), QString("Nuvel Calculator"));
    EXPECT_FALSE(f.findChild<QPushButton*>("btnHelp")->isVisibleTo(&f));
    EXPECT_EQ(f.size(), QSize(400, 250));
    for (int b : {cbDigit0 + 7, int(cbMultiply), cbDigit0 + 6, int(cbEquals)}) c.PressButton(b);
    return true;
  };
  EXPECT_TRUE(dialog.Execute());
  EXPECT_TRUE(dialog.Calculator()->Text().trimmed().startsWith("42")) << dialog.Calculator()->Text().toStdString();
}

}  // namespace
}  // namespace nuvel
