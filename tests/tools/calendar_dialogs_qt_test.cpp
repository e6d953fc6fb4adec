#include "tools/calendar_dialogs_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "platform/message_sink.h"

namespace nuvel {
namespace {

TEST(CalendarDialogs, GregorianToHebrewOpensOnTodayAndConvertsOnEveryChange) {
  Tgrgf dlg(nullptr, false, QDate(2003, 9, 27));
  EXPECT_EQ(dlg.windowTitle(), "Find Jewish Dates (Gregorian to Hebrew)");
  EXPECT_EQ(dlg.Spinyear->value(), 2003);
  EXPECT_EQ(dlg.Listmonth->currentRow(), 8);
  EXPECT_EQ(dlg.Spinday->value(), 27);
  EXPECT_EQ(dlg.Spinyear->minimum(), 1);
  EXPECT_EQ(dlg.Spinyear->maximum(), 2241);
  EXPECT_EQ(dlg.Listmonth->count(), 12);
  // Whole month names, and the list wide enough to show them.
  EXPECT_TRUE(dlg.Listmonth->item(8)->text().startsWith("September "));
  for (int row = 0; row < dlg.Listmonth->count(); ++row) {
    const QRect item = dlg.Listmonth->visualItemRect(dlg.Listmonth->item(row));
    EXPECT_GE(dlg.Listmonth->viewport()->width(),
              dlg.Listmonth->fontMetrics().horizontalAdvance(dlg.Listmonth->item(row)->text()))
        << item.width();
  }
  EXPECT_EQ(dlg.MonthLabel->text(), "Tishrei");
  EXPECT_EQ(dlg.WeekdayLabel->text(), "Shabbos");
  EXPECT_EQ(dlg.DayLabel->text(), "1");
  EXPECT_EQ(dlg.YearLabel->text(), "5764");

  dlg.Spinday->setValue(26);
  EXPECT_EQ(dlg.MonthLabel->text(), "Elul");
  EXPECT_EQ(dlg.DayLabel->text(), "29");
  dlg.Listmonth->setCurrentRow(1);  // February 26, 2003
  EXPECT_EQ(dlg.MonthLabel->text(), "Adar 1");
  dlg.Spinday->setValue(31);  // no such day
  EXPECT_EQ(dlg.DayLabel->text(), "0");
  EXPECT_EQ(dlg.YearLabel->text(), "0");

  dlg.Listmonth->setCurrentRow(9);
  dlg.Spinday->setValue(3);
  dlg.Spinyear->setValue(2024);  // October 3, 2024: Rosh Hashanah 5785
  dlg.hlbtn->click();
  EXPECT_TRUE(dlg.HebrewDisplay());
  EXPECT_EQ(dlg.MonthLabel->text(), QString::fromUtf8("תשרי"));
  EXPECT_EQ(dlg.WeekdayLabel->text(), QString::fromUtf8("חמישי"));
  EXPECT_EQ(dlg.DayLabel->text(), QString::fromUtf8("א"));
  EXPECT_EQ(dlg.YearLabel->text(), QString::fromUtf8("התשפ״ה "));
  dlg.CopyBtn->click();
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("חמישי א תשרי התשפ״ה "));
  dlg.hlbtn->click();
  dlg.CopyBtn->click();
  EXPECT_EQ(QApplication::clipboard()->text(), "Thursday 1 Tishrei 5785");
}

TEST(CalendarDialogs, HebrewToGregorianOpensOnTodaysHebrewDate) {
  Thebf dlg(nullptr, false, QDate(2024, 3, 24));  // 14 Adar 2, 5784
  EXPECT_EQ(dlg.windowTitle(), "Find Gregorian Date (Hebrew to Gregorian)");
  EXPECT_EQ(dlg.Spinyear->value(), 5784);
  EXPECT_EQ(dlg.Listmonth->currentRow(), 6);
  EXPECT_EQ(dlg.Spinday->value(), 14);
  EXPECT_EQ(dlg.Spinyear->minimum(), 4500);
  EXPECT_EQ(dlg.Spinyear->maximum(), 6001);
  EXPECT_EQ(dlg.Listmonth->count(), 13);
  EXPECT_EQ(dlg.Listday->count(), 30);
  EXPECT_TRUE(dlg.Listday->isHidden());
  EXPECT_EQ(dlg.Listday->item(14)->text(), QString::fromUtf8("טו"));
  EXPECT_EQ(dlg.YearLabel->text(), "2024");
  EXPECT_EQ(dlg.DayLabel->text(), "24");
  EXPECT_EQ(dlg.MonthLabel->text(), "March");
  EXPECT_EQ(dlg.WeekdayLabel->text(), "Sunday");

  dlg.Spinyear->setValue(5785);  // a common year has no Adar 2
  EXPECT_EQ(dlg.YearLabel->text(), "0");
  EXPECT_EQ(dlg.DayLabel->text(), "0");
  dlg.Listmonth->setCurrentRow(7);  // Nisan
  dlg.Spinday->setValue(15);
  EXPECT_EQ(dlg.YearLabel->text(), "2025");
  EXPECT_EQ(dlg.DayLabel->text(), "13");
  dlg.CopyBtn->click();
  EXPECT_EQ(QApplication::clipboard()->text(), "Sunday 13 April, 2025");
  dlg.hlbtn->click();
  EXPECT_EQ(dlg.MonthLabel->text(), QString::fromUtf8("אפריל"));
  EXPECT_EQ(dlg.WeekdayLabel->text(), QString::fromUtf8("ראשון"));

  // Today in the common numbering of the converter (Elul of 5763 in September).
  Thebf elul(nullptr, false, QDate(2003, 9, 26));
  EXPECT_EQ(elul.Spinyear->value(), 5763);
  EXPECT_EQ(elul.Listmonth->currentRow(), 12);
  EXPECT_EQ(elul.Spinday->value(), 29);
}

TEST(CalendarDialogs, ButtonsCloseWithTheirResults) {
  struct Case { bool gregorian; bool find; int result; };
  for (const Case& c : {Case{true, true, platform::mrYes}, Case{true, false, platform::mrCancel},
                        Case{false, true, platform::mrYes}, Case{false, false, platform::mrCancel}}) {
    if (c.gregorian) {
      Tgrgf dlg(nullptr, false, QDate(2020, 1, 1));
      dlg.show();
      (c.find ? dlg.FindBtn : dlg.FinishBtn)->click();
      EXPECT_EQ(dlg.result(), c.result);
      EXPECT_FALSE(dlg.isVisible());
    } else {
      Thebf dlg(nullptr, false, QDate(2020, 1, 1));
      dlg.show();
      (c.find ? dlg.FindBtn : dlg.FinishBtn)->click();
      EXPECT_EQ(dlg.result(), c.result);
      EXPECT_FALSE(dlg.isVisible());
    }
  }
}

}  // namespace
}  // namespace nuvel
