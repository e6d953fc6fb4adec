#include "tools/file_str_dlg_qt.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace nuvel {
namespace {

// Runs `act` on the modal dialog once it is shown.
void WhenShown(std::function<void(TFileStrDlg&)> act) {
  QTimer::singleShot(0, [act] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* dlg = qobject_cast<TFileStrDlg*>(w); dlg && dlg->isVisible()) {
        act(*dlg);
        return;
      }
    }
    ADD_FAILURE() << "no prompt shown";
  });
}

TEST(FileStrDlg, EnterAcceptsTheTypedTextAndShowsTheCallersTexts) {
  TFileStrRequest ask;
  ask.Caption = "Please Enter Search String";
  ask.Label = "Search String: ";
  QString title, label;
  WhenShown([&](TFileStrDlg& dlg) {
    title = dlg.windowTitle();
    label = dlg.Label1()->text();
    QTest::keyClicks(dlg.EditWin(), "notes.txt");
    QTest::keyClick(dlg.EditWin(), Qt::Key_Return);
  });
  const TFileStrAnswer answer = RunFileStrDlg(nullptr, ask);
  EXPECT_EQ(answer.Result, TFileStrResult::Ok);
  EXPECT_EQ(answer.Text, "notes.txt");
  EXPECT_EQ(title, QStringLiteral("Please Enter Search String"));
  EXPECT_EQ(label, QStringLiteral("Search String: "));
}

TEST(FileStrDlg, EscCancelsAndCtrlFAsksForTheStandardDialog) {
  struct Case {
    std::function<void(THebEditWin*)> keys;
    TFileStrResult result;
  };
  const Case cases[] = {
      {[](THebEditWin* e) { QTest::keyClick(e, Qt::Key_Escape); }, TFileStrResult::Cancel},
      {[](THebEditWin* e) { QTest::keyClick(e, Qt::Key_F, Qt::ControlModifier); }, TFileStrResult::Retry},
  };
  for (const Case& c : cases) {
    WhenShown([&](TFileStrDlg& dlg) { c.keys(dlg.EditWin()); });
    TFileStrRequest ask;
    ask.Text = "preset";
    const TFileStrAnswer answer = RunFileStrDlg(nullptr, ask);
    EXPECT_EQ(answer.Result, c.result);
    EXPECT_EQ(answer.Text, "preset");
  }
}

TEST(FileStrDlg, HistoryButtonAndCtrlRCycleTheList) {
  TFileStrDlg dlg;
  THebEditWin* edit = dlg.EditWin();
  dlg.HistBtn1Click();  // no list: nothing happens
  EXPECT_EQ(edit->Line().Text, "");

  const TextHistory history{"c", "b", "a"};
  dlg.SetHistory(&history);
  dlg.show();
  edit->Line().Text = "b";
  dlg.findChild<QToolButton*>(QStringLiteral("HistBtn1"))->click();
  EXPECT_EQ(edit->Line().Text, "a");
  // The text from the history is replaced by the first typed letter.
  QTest::keyClick(edit, Qt::Key_Z);
  EXPECT_EQ(edit->Line().Text, "z");
  // A text not in the list gives the first entry.
  QTest::keyClick(edit, Qt::Key_R, Qt::ControlModifier);
  EXPECT_EQ(edit->Line().Text, "c");
}

}  // namespace
}  // namespace nuvel
