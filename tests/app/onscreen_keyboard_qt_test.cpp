// The on-screen keyboard over the running program: it types Hebrew into the
// active document, sends the editor commands, and never takes the focus.
#include <QAction>
#include <QMenuBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include "app/main_commands_qt.h"
#include "app/onscreen_keyboard_command_qt.h"
#include "core/qstring_bytes_qt.h"
#include "editor/editor_widget_qt.h"
#include "tests/support/program_fixture_qt.h"
#include "ui/onscreen_keyboard_qt.h"

namespace nuvel {
namespace {

class OnScreenKeyboard : public test::ProgramFixture {
 protected:
  TKey_Form* Show() {
    form->Commands->Run("OnscreenKeyboard1");
    return OnScreenKeyboardOf(*form);
  }
  static void Click(TKey_Form* k, const char* name) { k->Button(QString::fromLatin1(name))->click(); }
  static std::string Line(TMDIChild* c, int n) {
    const auto t = c->Doc().LineBytes(n);
    return std::string(t.begin(), t.end());
  }
};

TEST_F(OnScreenKeyboard, TypesHebrewIntoTheDocument) {
  TMDIChild* c = Open(WriteFile("empty.txt", ""));
  ASSERT_NE(c, nullptr);
  c->HebDoc().SetEngm(false);
  TKey_Form* k = Show();
  ASSERT_NE(k, nullptr);
  EXPECT_TRUE(form->Item("OnscreenKeyboard1")->isChecked());
  EXPECT_TRUE(k->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(k->windowFlags() & Qt::WindowDoesNotAcceptFocus);
  for (QToolButton* b : k->findChildren<QToolButton*>()) EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);

  Click(k, "Heb_Keys_Button");
  EXPECT_EQ(k->ModeLabel->text(), "Hebrew");
  EXPECT_EQ(c->HebDoc().KeyType(), TKeytype::Hebrew);
  EXPECT_TRUE(form->Item("HebrewKeyboard1")->isChecked());
  // ש ל ו ם on the keys a k u o.
  for (const char* key : {"A_Button", "K_Button", "U_Button", "O_Button"}) Click(k, key);
  EXPECT_EQ(FromSystemText(Line(c, 1)), QString::fromUtf8("שלום"));
  EXPECT_EQ(k->Label1->text(), QString::fromUtf8("ם"));
  // Shift then t: a Latin capital, and Shift is let go.
  Click(k, "Shift1_Button");
  EXPECT_TRUE(k->Button("Shift2_Button")->isChecked());
  Click(k, "T_Button");
  EXPECT_FALSE(k->Button("Shift1_Button")->isChecked());
  Click(k, "T_Button");
  EXPECT_EQ(Line(c, 1), "\xF9\xEC\xE5\xED" "T\xE0");

  // The nikud layout: 1 types a point; Shift and i the dagesh form.
  Click(k, "Nikud_Keys_Button");
  EXPECT_EQ(c->HebDoc().KeyType(), TKeytype::Nikud);
  Click(k, "Backspace_Button");
  Click(k, "Enter_Button");
  Click(k, "_1_Button");
  Click(k, "Shift1_Button");
  Click(k, "I_Button");
  EXPECT_EQ(Line(c, 2).substr(0, 2), "\xC1\x8F");
  // The F-keys change nothing.
  const std::string before = Line(c, 2);
  Click(k, "F5_Button");
  EXPECT_EQ(Line(c, 2), before);
  EXPECT_EQ(c->Doc().LineCount(), 2);
}

TEST_F(OnScreenKeyboard, PhoneticDageshAndReopening) {
  TMDIChild* c = Open(WriteFile("empty.txt", ""));
  ASSERT_NE(c, nullptr);
  TKey_Form* k = Show();
  Click(k, "Phon_Keys_Button");
  QToolButton* dagesh = k->Button("Degushos");
  EXPECT_FALSE(dagesh->isHidden());
  dagesh->click();
  EXPECT_TRUE(k->Model().Dagesh());
  Click(k, "Phon_Keys_Button");  // nothing while dagesh is on
  EXPECT_TRUE(k->Model().Dagesh());
  Click(k, "Heb_Keys_Button");
  EXPECT_TRUE(dagesh->isHidden());

  // Closing unchecks the item; reopening follows the editor's keyboard.
  k->close();
  QApplication::processEvents();
  EXPECT_FALSE(form->Item("OnscreenKeyboard1")->isChecked());
  c->HebDoc().SetKeyType(TKeytype::Nikud);
  k = Show();
  ASSERT_NE(k, nullptr);
  EXPECT_EQ(k->ModeLabel->text(), "Nikud");
  // The item closes it again.
  form->Commands->Run("OnscreenKeyboard1");
  QApplication::processEvents();
  EXPECT_EQ(OnScreenKeyboardOf(*form), nullptr);
}

TEST_F(OnScreenKeyboard, WithoutADocumentOnlyTheLastKeyIsShown) {
  TKey_Form* k = Show();
  ASSERT_NE(k, nullptr);
  Click(k, "Q_Button");
  EXPECT_EQ(k->Label1->text(), "q");
  Click(k, "Shift1_Button");  // Shift needs a document
  EXPECT_FALSE(k->Model().ShiftDown());
}

// The keyboard opens where it covers neither the menus nor the toolbar, and
// comes back where the user put it, after closing and after a restart.
TEST_F(OnScreenKeyboard, OpensOffTheMenusAndComesBackWhereItWasPut) {
  form->move(0, 0);
  form->show();
  QApplication::processEvents();
  TKey_Form* k = Show();
  ASSERT_NE(k, nullptr);
  QApplication::processEvents();
  const QRect keyboard = k->frameGeometry();
  const QRect menus(form->menuBar()->mapToGlobal(QPoint(0, 0)), form->menuBar()->size());
  const QRect toolbar(form->SpeedPanel->mapToGlobal(QPoint(0, 0)), form->SpeedPanel->size());
  EXPECT_FALSE(keyboard.intersects(menus));
  EXPECT_FALSE(keyboard.intersects(toolbar));

  const QPoint put(37, 241);
  k->move(put);
  k->close();
  QApplication::processEvents();
  k = Show();
  ASSERT_NE(k, nullptr);
  EXPECT_EQ(k->pos(), put);
  // The program ends with the keyboard moved again and shown.
  k->move(put + QPoint(10, 20));
  Restart();
  k = Show();
  ASSERT_NE(k, nullptr);
  EXPECT_EQ(k->pos(), put + QPoint(10, 20));
  k->close();
}

}  // namespace
}  // namespace nuvel
