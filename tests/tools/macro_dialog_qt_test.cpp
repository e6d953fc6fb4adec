// The key-macro editor: the memo that writes keys as text, the groups of
// the digit keys' macros, and saving them.
#include "core/key_macros.h"
#include "tools/macro_dialog_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/settings.h"
#include "core/shared_state.h"
#include "tests/support/recording_message_sink.h"
#include "tests/support/temp_program_folder.h"
#include "tools/key_names.h"

namespace nuvel {
namespace {

using namespace platform;

class MacroEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitStartUpIn(folder.Folder()));
    saved_ = MacroKeys;
    for (auto& m : MacroKeys) m.clear();
  }
  void TearDown() override { MacroKeys = saved_; }
  // A memo that has the focus in a shown window.
  THotMemo* ShownMemo(QWidget& window) {
    auto* memo = new THotMemo(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    memo->setFocus();
    return memo;
  }

  test::TempProgramFolder folder;
  test::RecordingMessageSink sink;
  std::array<std::string, kMacroSlots> saved_;
};

TEST_F(MacroEditor, TheMemoWritesKeysAsText) {
  struct Step {
    int key;
    Qt::KeyboardModifiers mods;
    const char* text;  // the memo afterwards
  } steps[] = {
      {Qt::Key_A, Qt::NoModifier, "a"},
      {Qt::Key_Tab, Qt::NoModifier, "a<Tab>"},
      {Qt::Key_Return, Qt::NoModifier, "a<Tab><Enter>"},
      {Qt::Key_B, Qt::ControlModifier, "a<Tab><Enter><Ctrl+B>"},
      {Qt::Key_3, Qt::AltModifier, "a<Tab><Enter><Ctrl+B><Alt+3>"},
      {Qt::Key_Backspace, Qt::NoModifier, "a<Tab><Enter><Ctrl+B>"},  // a name goes as one
      {Qt::Key_Left, Qt::NoModifier, "a<Tab><Enter><Ctrl+B>"},
      {Qt::Key_Backspace, Qt::NoModifier, "a<Tab><Ctrl+B>"},
      {Qt::Key_F1, Qt::NoModifier, "a<Tab><F1><Ctrl+B>"},
      {Qt::Key_P, Qt::ControlModifier, "a<Tab><F1><Ctrl+B>"},  // the next key as its text
      {Qt::Key_Backspace, Qt::NoModifier, "a<Tab><F1><BkSp><Ctrl+B>"},
      {Qt::Key_Home, Qt::NoModifier, "a<Tab><F1><BkSp><Ctrl+B>"},
      {Qt::Key_Delete, Qt::NoModifier, "<Tab><F1><BkSp><Ctrl+B>"},
      {Qt::Key_Delete, Qt::NoModifier, "<F1><BkSp><Ctrl+B>"},
      {Qt::Key_PageUp, Qt::NoModifier, "<PgUp><F1><BkSp><Ctrl+B>"},
      {Qt::Key_Exclam, Qt::ShiftModifier, "<PgUp>!<F1><BkSp><Ctrl+B>"},
  };
  QWidget window;
  THotMemo* memo = ShownMemo(window);
  for (const Step& s : steps) {
    QTest::keyClick(memo, static_cast<Qt::Key>(s.key), s.mods);
    EXPECT_EQ(memo->toPlainText().toStdString(), s.text);
  }
  EXPECT_EQ(StoreTextAsKeys(memo->Bytes()), std::string("!\b\x02"));
}

TEST_F(MacroEditor, TheMemoTakesKeysThatShortcutsAndFocusWouldTake) {
  QWidget window;
  THotMemo* memo = ShownMemo(window);
  auto* other = new QLineEdit(&window);
  (void)other;
  bool fired = false;
  auto* action = new QAction(&window);
  action->setShortcut(QKeySequence(Qt::ALT | Qt::Key_5));
  window.addAction(action);
  QObject::connect(action, &QAction::triggered, [&] { fired = true; });
  QTest::keyClick(memo, Qt::Key_5, Qt::AltModifier);
  QTest::keyClick(memo, Qt::Key_Tab);
  EXPECT_FALSE(fired);
  EXPECT_TRUE(memo->hasFocus());
  EXPECT_EQ(memo->toPlainText(), QString("<Alt+5><Tab>"));
}

TEST_F(MacroEditor, HebrewTypingGoesThroughTheKeyboardLayer) {
  QWidget window;
  THotMemo* memo = ShownMemo(window);
  memo->KeyType = TKeytype::Hebrew;
  QTest::keyClicks(memo, "t");  // alef's key on the Hebrew layout
  EXPECT_EQ(memo->Bytes(), "\xE0");
}

TEST_F(MacroEditor, GroupsShowTheirSlotsAndTheHiddenRowKeepsItsMacro) {
  MacroKeys[1] = "one\r";
  MacroKeys[11] = std::string("\x00\x3B", 2);
  MacroKeys[20] = "kept";
  TMacroDialogN dialog;
  EXPECT_FALSE(dialog.Button4->isVisibleTo(&dialog));
  EXPECT_EQ(dialog.RowLabels[0]->text(), QString("^1"));
  EXPECT_EQ(dialog.RowLabels[9]->text(), QString("^0"));
  EXPECT_EQ(dialog.Memos[0]->toPlainText(), QString("one<Enter>"));
  dialog.Memos[1]->setPlainText("two<Tab>");
  dialog.Descriptions[1]->setText("second");
  dialog.Button2->click();
  EXPECT_EQ(MacroKeys[2], "two\t");
  EXPECT_EQ(dialog.Names()[2], "second");
  EXPECT_EQ(dialog.RowLabels[0]->text(), QString("Alt+1"));
  EXPECT_EQ(dialog.Memos[0]->toPlainText(), QString("<F1>"));
  EXPECT_FALSE(dialog.Memos[9]->isVisibleTo(&dialog));
  dialog.Memos[9]->setPlainText("changed");
  dialog.Button3->click();
  EXPECT_EQ(MacroKeys[20], "kept");
  EXPECT_EQ(dialog.RowLabels[9]->text(), QString("Ctrl+Alt+10"));
  EXPECT_TRUE(dialog.Memos[9]->isVisibleTo(&dialog));
  EXPECT_EQ(MacroKeys[11], std::string());  // "<F1>" types nothing
}

TEST_F(MacroEditor, OkAsksAndSavesTheKeyFileOrSaysItCouldNot) {
  TMacroDialogN dialog;
  dialog.Memos[4]->setPlainText("five");
  std::string asked;
  dialog.AskSaveName = [&](const MacroSaveDialog& d) -> std::optional<std::string> {
    asked = d.title;
    return folder.Folder() + "mine.key";
  };
  sink.answers = {mrYes};
  dialog.OKBtnClick();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(asked, "Save DIDOD.key As");
  MacroKeys[5].clear();
  LoadMacroKeys(folder.Folder() + "mine.key");
  EXPECT_EQ(MacroKeys[5], "five");

  // A file that cannot be written: said so, the dialog stays, the old file whole.
  TMacroDialogN again;
  again.Memos[4]->setPlainText("other");
  std::filesystem::create_directory(folder.Path("folder.key"));
  again.AskSaveName = [&](const MacroSaveDialog&) -> std::optional<std::string> {
    return folder.Folder() + "folder.key";
  };
  sink.answers = {mrYes};
  const size_t before = sink.requests.size();
  again.OKBtnClick();
  EXPECT_NE(again.result(), QDialog::Accepted);
  EXPECT_EQ(sink.requests.size(), before + 2);
  EXPECT_EQ(sink.requests.back().type, MsgDlgType::Error);
  // Cancel at the question leaves it open; No closes without a file.
  sink.answers = {mrCancel};
  again.OKBtnClick();
  EXPECT_NE(again.result(), QDialog::Accepted);
  sink.answers = {mrNo};
  again.OKBtnClick();
  EXPECT_EQ(again.result(), QDialog::Accepted);
  EXPECT_EQ(MacroKeys[5], "other");
}

}  // namespace
}  // namespace nuvel
