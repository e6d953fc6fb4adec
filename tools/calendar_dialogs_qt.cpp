#include "tools/calendar_dialogs_qt.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "core/qstring_bytes_qt.h"
#include "core/charset.h"
#include "core/message_texts.h"
#include "platform/message_sink.h"
#include "tools/calendar_texts.h"
#include "tools/hebrew_calendar.h"

namespace nuvel {

namespace {

// The calendar's texts as Qt strings; the units mark of a Hebrew year is the
// gershayim.
QString CalendarText(const std::string& bytes) {
  QString text = FromSystemText(bytes);
  text.replace(QChar(0x00A8), QChar(0x05F4));
  return text;
}

// The switch button's caption from the string library, or a plain one
// naming the display it switches to.
QString SwitchCaption(uint32_t engId, uint32_t hebId, bool toHebrew) {
  const std::string text = GetMessageText(engId, hebId);
  if (!text.empty()) return CalendarText(text);
  return toHebrew ? QStringLiteral("Hebrew") : QStringLiteral("English");
}

QLabel* AddOutput(QGridLayout* grid, int row, const QString& caption, const char* name) {
  grid->addWidget(new QLabel(caption), row, 0);
  auto* label = new QLabel;
  label->setObjectName(QString::fromLatin1(name));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(label, row, 1);
  return label;
}

QSpinBox* MakeSpin(const char* name, int low, int high) {
  auto* spin = new QSpinBox;
  spin->setObjectName(QString::fromLatin1(name));
  spin->setRange(low, high);
  return spin;
}

QPushButton* MakeButton(const QString& caption, const char* name) {
  auto* b = new QPushButton(caption);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  return b;
}

// Lays a converter out: its three inputs in a row, the results in `grid`
// below them and the buttons at the foot.
template <class Dialog>
void LayOut(Dialog* dialog, QGridLayout* grid) {
  auto* inputs = new QHBoxLayout;
  inputs->addWidget(dialog->Spinyear);
  inputs->addWidget(dialog->Listmonth);
  inputs->addWidget(dialog->Spinday);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {dialog->hlbtn, dialog->CopyBtn, dialog->FindBtn, dialog->FinishBtn}) buttons->addWidget(b);

  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(inputs);
  layout->addLayout(grid);
  layout->addLayout(buttons);
}

// A converter converts on every change of an input; Find closes it asking
// for the other converter, Finished just closes it.
template <class Dialog>
void ConnectControls(Dialog* dialog) {
  QObject::connect(dialog->Spinyear, &QSpinBox::valueChanged, dialog, &Dialog::Convert);
  QObject::connect(dialog->Spinday, &QSpinBox::valueChanged, dialog, &Dialog::Convert);
  QObject::connect(dialog->Listmonth, &QListWidget::currentRowChanged, dialog, &Dialog::Convert);
  QObject::connect(dialog->FindBtn, &QPushButton::clicked, dialog, [dialog] { dialog->done(platform::mrYes); });
  QObject::connect(dialog->FinishBtn, &QPushButton::clicked, dialog, [dialog] { dialog->done(platform::mrCancel); });
}

}  // namespace

Tgrgf::Tgrgf(QWidget* parent, bool hebrewDisplay, const QDate& today) : QDialog(parent), hebrew_(hebrewDisplay) {
  setObjectName(QStringLiteral("grgf"));
  setWindowTitle(QStringLiteral("Find Jewish Dates (Gregorian to Hebrew)"));
  Spinyear = MakeSpin("Spinyear", 1, 2241);
  Spinday = MakeSpin("Spinday", 1, 31);
  Listmonth = new QListWidget;
  Listmonth->setObjectName(QStringLiteral("Listmonth"));
  for (int m = 1; m <= 12; ++m) Listmonth->addItem(CalendarText(GregorianMonthListEntry(m)));

  auto* grid = new QGridLayout;
  MonthLabel = AddOutput(grid, 0, QStringLiteral("Month:"), "MonthLabel");
  WeekdayLabel = AddOutput(grid, 1, QStringLiteral("Day of week:"), "WeekdayLabel");
  DayLabel = AddOutput(grid, 2, QStringLiteral("Day:"), "DayLabel");
  YearLabel = AddOutput(grid, 3, QStringLiteral("Year:"), "YearLabel");

  hlbtn = MakeButton(QString(), "hlbtn");
  CopyBtn = MakeButton(QStringLiteral("&Copy"), "CopyBtn");
  FindBtn = MakeButton(QStringLiteral("Find &Gregorian Dates"), "FindBtn");
  FinishBtn = MakeButton(QStringLiteral("&Finished"), "FinishBtn");
  LayOut(this, grid);

  Spinyear->setValue(std::clamp(today.year(), 1, 2241));
  Listmonth->setCurrentRow(today.month() - 1);
  Spinday->setValue(today.day());
  ConnectControls(this);
  connect(hlbtn, &QPushButton::clicked, this, [this] {
    hebrew_ = !hebrew_;
    Convert();
  });
  connect(CopyBtn, &QPushButton::clicked, this, &Tgrgf::CopyResult);
  Convert();
}

void Tgrgf::Convert() {
  const HebrewDateTexts t =
      GregorianToHebrewTexts(Spinyear->value(), Listmonth->currentRow() + 1, Spinday->value(), hebrew_);
  MonthLabel->setText(CalendarText(t.month));
  WeekdayLabel->setText(CalendarText(t.weekday));
  DayLabel->setText(CalendarText(t.day));
  YearLabel->setText(CalendarText(t.year));
  hlbtn->setText(hebrew_ ? SwitchCaption(38602, 41818, false) : SwitchCaption(38601, 41817, true));
}

void Tgrgf::CopyResult() {
  const HebrewDateTexts t =
      GregorianToHebrewTexts(Spinyear->value(), Listmonth->currentRow() + 1, Spinday->value(), hebrew_);
  QApplication::clipboard()->setText(CalendarText(t.CopyText()));
}

Thebf::Thebf(QWidget* parent, bool hebrewDisplay, const QDate& today) : QDialog(parent), hebrew_(hebrewDisplay) {
  setObjectName(QStringLiteral("hebf"));
  setWindowTitle(QStringLiteral("Find Gregorian Date (Hebrew to Gregorian)"));
  Spinyear = MakeSpin("Spinyear", 4500, 6001);
  Spinday = MakeSpin("Spinday", 1, 31);
  Listmonth = new QListWidget;
  Listmonth->setObjectName(QStringLiteral("Listmonth"));
  for (int m = 1; m <= 13; ++m) Listmonth->addItem(CalendarText(HebrewMonthListEntry(m)));
  Listday = new QListWidget(this);
  Listday->setObjectName(QStringLiteral("Listday"));
  for (int d = 1; d <= 30; ++d) Listday->addItem(CalendarText(HebrewDayNumeral(d)));
  Listday->hide();

  auto* grid = new QGridLayout;
  YearLabel = AddOutput(grid, 0, QStringLiteral("Year:"), "YearLabel");
  DayLabel = AddOutput(grid, 1, QStringLiteral("Day:"), "DayLabel");
  MonthLabel = AddOutput(grid, 2, QStringLiteral("Month:"), "MonthLabel");
  WeekdayLabel = AddOutput(grid, 3, QStringLiteral("Day of week:"), "WeekdayLabel");

  hlbtn = MakeButton(QString(), "hlbtn");
  CopyBtn = MakeButton(QStringLiteral("Copy"), "CopyBtn");
  FindBtn = MakeButton(QStringLiteral("Find Jewish Dates"), "FindBtn");
  FinishBtn = MakeButton(QStringLiteral("Finished"), "FinishBtn");
  LayOut(this, grid);

  // Today's Hebrew date, its month in the 13-month numbering of the list.
  const HebrewDate h = GregorianToHebrew(today.year(), today.month(), today.day());
  if (h.valid) {
    Spinyear->setValue(h.year);
    Listmonth->setCurrentRow((!h.leap && h.month >= 7 ? h.month + 1 : h.month) - 1);
    Spinday->setValue(h.day);
  } else {
    Listmonth->setCurrentRow(0);
  }
  ConnectControls(this);
  connect(hlbtn, &QPushButton::clicked, this, [this] {
    hebrew_ = !hebrew_;
    Convert();
  });
  connect(CopyBtn, &QPushButton::clicked, this, &Thebf::CopyResult);
  Convert();
}

void Thebf::Convert() {
  const GregorianDateTexts t =
      HebrewToGregorianTexts(Spinyear->value(), Listmonth->currentRow() + 1, Spinday->value(), hebrew_);
  YearLabel->setText(CalendarText(t.year));
  DayLabel->setText(CalendarText(t.day));
  MonthLabel->setText(CalendarText(t.month));
  WeekdayLabel->setText(CalendarText(t.weekday));
  hlbtn->setText(hebrew_ ? SwitchCaption(38601, 41817, false) : SwitchCaption(38602, 41818, true));
}

void Thebf::CopyResult() {
  const GregorianDateTexts t =
      HebrewToGregorianTexts(Spinyear->value(), Listmonth->currentRow() + 1, Spinday->value(), hebrew_);
  QApplication::clipboard()->setText(CalendarText(t.CopyText()));
}

}  // namespace nuvel
