#include "tools/calculator_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <vector>

namespace nuvel {
namespace {

QString Trimmed(const TNvcCalculator& c) { return c.Text().trimmed(); }

TEST(CalculatorControl, StartsClearWithDefaults) {
  TNvcCalculator calc;
  EXPECT_EQ(calc.size(), QSize(200, 140));
  EXPECT_EQ(Trimmed(calc), "0");
  EXPECT_EQ(calc.Decimals(), 2);
  EXPECT_EQ(calc.Options(), TNvcCalculator::coShowItemCount | TNvcCalculator::coShowMemoryButtons);
  EXPECT_EQ(calc.MaxPaperCount(), 9999);
  EXPECT_EQ(calc.TapeSeparatorChar(), '_');
  EXPECT_EQ(calc.Colors().ColorScheme(), cscalcCustom);
  EXPECT_EQ(calc.Colors().Color(TNvcCalcColors::OperatorButtons), QColor(0xFF, 0, 0));
  EXPECT_EQ(calc.TapeList(), nullptr);  // made only when the tape is shown
}

TEST(CalculatorControl, KeyboardDrivesTheKeys) {
  struct Case {
    std::vector<std::pair<int, Qt::KeyboardModifiers>> keys;  // Qt key codes
    QString display;
    long double memory;
  };
  using K = std::pair<int, Qt::KeyboardModifiers>;
  const Qt::KeyboardModifiers none = Qt::NoModifier;
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
  const std::vector<Case> cases = {
      {{K{Qt::Key_2, none}, K{Qt::Key_Plus, none}, K{Qt::Key_3, none}, K{Qt::Key_Return, none}}, "5.00", 0},
      {{K{Qt::Key_2, none}, K{Qt::Key_Plus, none}, K{Qt::Key_3, none}, K{Qt::Key_Enter, none}}, "5.00", 0},
      {{K{Qt::Key_1, none}, K{Qt::Key_2, none}, K{Qt::Key_Backspace, none}}, "1", 0},
      {{K{Qt::Key_1, none}, K{Qt::Key_2, none}, K{Qt::Key_Escape, none}}, "0", 0},
      {{K{Qt::Key_1, none}, K{Qt::Key_Delete, none}}, "0", 0},
      {{K{Qt::Key_1, none}, K{Qt::Key_Delete, Qt::ShiftModifier}}, "1", 0},  // Delete counts only without Shift
      {{K{Qt::Key_7, none}, K{Qt::Key_F9, none}}, "-7", 0},
      {{K{Qt::Key_7, none}, K{Qt::Key_F9, Qt::ShiftModifier}}, "7", 0},
      {{K{Qt::Key_9, none}, K{Qt::Key_At, none}}, "3.00", 0},
      {{K{Qt::Key_4, none}, K{Qt::Key_R, none}}, "0.25", 0},
      {{K{Qt::Key_5, none}, K{Qt::Key_0, none}, K{Qt::Key_Plus, none}, K{Qt::Key_1, none}, K{Qt::Key_0, none},
        K{Qt::Key_Percent, none}},
       "55.00", 0},
      {{K{Qt::Key_6, none}, K{Qt::Key_M, ctrl}}, "6", 6},
      {{K{Qt::Key_6, none}, K{Qt::Key_P, ctrl}, K{Qt::Key_P, ctrl}}, "6", 12},
      {{K{Qt::Key_6, none}, K{Qt::Key_S, ctrl}}, "6", -6},
      {{K{Qt::Key_6, none}, K{Qt::Key_M, ctrl}, K{Qt::Key_L, ctrl}}, "6", 0},
      {{K{Qt::Key_6, none}, K{Qt::Key_M, ctrl}, K{Qt::Key_Escape, none}, K{Qt::Key_R, ctrl}}, "6.00", 6},
      {{K{Qt::Key_1, none}, K{Qt::Key_Slash, none}, K{Qt::Key_0, none}, K{Qt::Key_Equal, none}}, "******", 0},
  };
  for (const Case& c : cases) {
    TNvcCalculator calc;
    for (const auto& [key, mods] : c.keys) {
      QString text;
      if (!(mods & Qt::ControlModifier)) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) text = QChar('0' + (key - Qt::Key_0));
        else if (key == Qt::Key_Plus) text = "+";
        else if (key == Qt::Key_Slash) text = "/";
        else if (key == Qt::Key_Equal) text = "=";
        else if (key == Qt::Key_At) text = "@";
        else if (key == Qt::Key_R) text = "r";
        else if (key == Qt::Key_Percent) text = "%";
      }
      QKeyEvent press(QEvent::KeyPress, key, mods, text);
      QApplication::sendEvent(&calc, &press);
    }
    EXPECT_EQ(Trimmed(calc), c.display) << c.display.toStdString();
    EXPECT_EQ(calc.Model().Engine().Memory, c.memory) << c.display.toStdString();
  }
}

TEST(CalculatorControl, MouseClicksPressKeysButNotEmptyMemoryKeys) {
  TNvcCalculator calc;
  calc.resize(300, 200);
  calc.show();
  QSignalSpy spy(&calc, &TNvcCalculator::ButtonPressed);
  auto click = [&](int button) {
    ASSERT_TRUE(calc.ButtonVisible(button)) << button;
    QTest::mouseClick(&calc, Qt::LeftButton, Qt::NoModifier, calc.ButtonRect(button).center());
  };
  click(cbDigit0 + 4);
  click(cbMultiply);
  click(cbDigit0 + 2);
  click(cbEquals);
  EXPECT_EQ(Trimmed(calc), "8.00");
  EXPECT_EQ(spy.count(), 4);
  click(cbMemoryRecall);  // the memory is empty: ignored
  click(cbMemoryClear);
  EXPECT_EQ(spy.count(), 4);
  click(cbMemoryStore);
  EXPECT_EQ(calc.Model().Engine().Memory, 8);
  click(cbMemoryClear);
  EXPECT_EQ(calc.Model().Engine().Memory, 0);
  EXPECT_EQ(spy.count(), 6);
  EXPECT_EQ(spy.at(0).at(0).toInt(), cbDigit0 + 4);
  EXPECT_EQ(calc.ShownPressed(), cbNone);

  // A press released over another key presses nothing.
  QTest::mousePress(&calc, Qt::LeftButton, Qt::NoModifier, calc.ButtonRect(cbDigit0 + 1).center());
  EXPECT_EQ(calc.ShownPressed(), cbDigit0 + 1);
  QTest::mouseRelease(&calc, Qt::LeftButton, Qt::NoModifier, calc.ButtonRect(cbDigit0 + 9).center());
  EXPECT_EQ(spy.count(), 6);
  EXPECT_EQ(calc.ShownPressed(), cbNone);
}

TEST(CalculatorControl, LayoutFollowsTheOptions) {
  struct Case {
    int options;
    bool memory, clearTape, tape;
  };
  using C = TNvcCalculator;
  for (const Case& c : {Case{C::coShowItemCount | C::coShowMemoryButtons, true, false, false},
                        Case{0, false, false, false},
                        Case{C::coShowClearTapeButton | C::coShowTape, false, true, true},
                        Case{C::coShowMemoryButtons | C::coShowClearTapeButton | C::coShowTape, true, true, true}}) {
    TNvcCalculator calc;
    calc.resize(320, 260);
    calc.SetOptions(c.options);
    EXPECT_EQ(calc.ButtonVisible(cbMemoryRecall), c.memory);
    EXPECT_EQ(calc.ButtonVisible(cbClearTape), c.clearTape);
    EXPECT_EQ(calc.TapeList() != nullptr && !calc.TapeList()->isHidden(), c.tape);
    std::vector<QRect> shown;
    for (int b = 1; b <= kCalcButtonCount; ++b) {
      if (!calc.ButtonVisible(b)) continue;
      const QRect r = calc.ButtonRect(b);
      EXPECT_TRUE(calc.rect().contains(r)) << b;
      EXPECT_FALSE(r.intersects(calc.DisplayPanel()->geometry())) << b;
      if (calc.TapeList() && !calc.TapeList()->isHidden()) {
        EXPECT_FALSE(r.intersects(calc.TapeList()->geometry())) << b;
      }
      for (const QRect& other : shown) EXPECT_FALSE(r.intersects(other)) << b;
      shown.push_back(r);
    }
    // Rows: Back above 7 above 4 above 1 above 0; "=" ends the last row.
    EXPECT_LT(calc.ButtonRect(cbBack).top(), calc.ButtonRect(cbDigit0 + 7).top());
    EXPECT_LT(calc.ButtonRect(cbDigit0 + 7).top(), calc.ButtonRect(cbDigit0 + 4).top());
    EXPECT_LT(calc.ButtonRect(cbDigit0 + 1).top(), calc.ButtonRect(cbDigit0).top());
    EXPECT_EQ(calc.ButtonRect(cbEquals).top(), calc.ButtonRect(cbDigit0).top());
    EXPECT_GT(calc.ButtonRect(cbEquals).left(), calc.ButtonRect(cbAdd).left());
    if (c.memory) {
      EXPECT_LT(calc.ButtonRect(cbMemoryClear).left(), calc.ButtonRect(cbDigit0 + 7).left());
    }
  }
}

TEST(CalculatorControl, CopyAndPasteThroughTheClipboard) {
  TNvcCalculator calc;
  QApplication::clipboard()->setText("12+3=");
  calc.PasteFromClipboard();
  EXPECT_EQ(Trimmed(calc), "15.00");
  calc.CopyToClipboard();
  EXPECT_EQ(QApplication::clipboard()->text(), calc.Text());
  EXPECT_TRUE(calc.Text().endsWith("15.00  "));  // blanks included

  QApplication::clipboard()->setText("abc 6*7= xyz");
  QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
  QApplication::sendEvent(&calc, &paste);
  EXPECT_EQ(Trimmed(calc), "42.00");
}

TEST(CalculatorControl, TapeShowsLinesAndGivesThemBack) {
  TNvcCalculator calc;
  calc.resize(300, 300);
  calc.SetOptions(TNvcCalculator::coShowTape | TNvcCalculator::coShowItemCount);
  ASSERT_NE(calc.TapeList(), nullptr);
  for (int b : {cbDigit0 + 9, int{cbSubtract}, cbDigit0 + 1, cbDigit0 + 2, int{cbEquals}}) calc.PressButton(b);
  EXPECT_EQ(Trimmed(calc), "-3.00");
  QListWidget* tape = calc.TapeList();
  ASSERT_EQ(tape->count(), 30);
  EXPECT_TRUE(tape->item(29)->text().startsWith(QString(calc.Model().TapeWidth() - 2, '_')));
  const QListWidgetItem* total = tape->item(28);
  EXPECT_TRUE(total->text().trimmed().startsWith("-3.00*"));
  EXPECT_EQ(total->foreground().color(), QColor(0xFF, 0, 0));  // negative lines are red
  calc.PressButton(cbClear);
  // A click on a line with a number brings it back to the display.
  int row = -1;
  for (int i = 0; i < tape->count(); ++i)
    if (tape->item(i)->text().trimmed() == "12=") row = i;
  ASSERT_GE(row, 0);
  calc.show();
  tape->scrollToItem(tape->item(row));
  const QRect line = tape->visualItemRect(tape->item(row));
  QTest::mouseClick(tape->viewport(), Qt::LeftButton, Qt::NoModifier, line.center());
  EXPECT_EQ(Trimmed(calc), "12.00");
  // With a paper count of 2, the lines from the third written one on are marked.
  calc.SetMaxPaperCount(2);
  int firstUsed = 0;
  while (tape->item(firstUsed)->text().trimmed().isEmpty()) ++firstUsed;
  EXPECT_FALSE(tape->item(firstUsed + 1)->data(Qt::UserRole + 1).toBool());
  EXPECT_TRUE(tape->item(firstUsed + 2)->data(Qt::UserRole + 1).toBool());
  QImage image(calc.size(), QImage::Format_ARGB32);
  calc.render(&image);  // the tape draws through its delegate
  calc.PressButton(cbClearTape);
  EXPECT_EQ(tape->count(), 30);
  EXPECT_TRUE(tape->item(29)->text().trimmed().isEmpty());
}

TEST(CalculatorControl, TapeHeightFollowsTheCalculatorHeight) {
  TNvcCalculator calc;
  calc.SetOptions(TNvcCalculator::coShowTape);
  calc.resize(300, 300);
  calc.show();
  calc.SetTapeHeight(100);
  calc.resize(300, 340);
  EXPECT_EQ(calc.TapeHeight(), 140);
  calc.resize(300, 100);
  EXPECT_EQ(calc.TapeHeight(), 30);  // never below 30
}

TEST(CalculatorControl, ColorSchemes) {
  TNvcCalculator calc;
  TNvcCalcColors& colors = calc.Colors();
  colors.SetColorScheme(cscalcDark);
  EXPECT_EQ(colors.ColorScheme(), cscalcDark);
  EXPECT_EQ(colors.Color(TNvcCalcColors::Display), QColor(0, 0, 0));
  EXPECT_EQ(colors.Color(TNvcCalcColors::DisplayTextColor), QColor(0, 0xFF, 0xFF));
  EXPECT_EQ(calc.DisplayPanel()->palette().color(QPalette::Window), QColor(0, 0, 0));
  colors.SetColor(TNvcCalcColors::NumberButtons, QColor(1, 2, 3));
  EXPECT_EQ(colors.ColorScheme(), cscalcCustom);
  colors.SetColorScheme(cscalcPlain);
  EXPECT_EQ(colors.Color(TNvcCalcColors::DisplayTextColor), QColor(0, 0, 0x80));
  EXPECT_EQ(colors.Color(TNvcCalcColors::NumberButtons), QColor(0, 0, 0xFF));
}

}  // namespace
}  // namespace nuvel
