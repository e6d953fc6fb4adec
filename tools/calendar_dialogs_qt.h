#pragma once
// The two date converters: Gregorian to Hebrew (Tgrgf) and Hebrew to
// Gregorian (Thebf). Each converts on every change, shows the result in
// English or in Hebrew, copies it, and can close asking for the other one
// (result mrYes).
#include <QDate>
#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace nuvel {

class Tgrgf : public QDialog {
  Q_OBJECT
 public:
  // Shows `today`; the display starts in Hebrew when `hebrewDisplay`.
  Tgrgf(QWidget* parent, bool hebrewDisplay, const QDate& today = QDate::currentDate());

  QSpinBox* Spinyear = nullptr;
  QListWidget* Listmonth = nullptr;
  QSpinBox* Spinday = nullptr;
  QPushButton* hlbtn = nullptr;
  QPushButton* CopyBtn = nullptr;
  QPushButton* FindBtn = nullptr;
  QPushButton* FinishBtn = nullptr;
  QLabel* MonthLabel = nullptr;
  QLabel* WeekdayLabel = nullptr;
  QLabel* DayLabel = nullptr;
  QLabel* YearLabel = nullptr;

  bool HebrewDisplay() const { return hebrew_; }
  void Convert();

 private:
  void CopyResult();
  bool hebrew_;
};

class Thebf : public QDialog {
  Q_OBJECT
 public:
  // Shows the Hebrew date of `today`.
  Thebf(QWidget* parent, bool hebrewDisplay, const QDate& today = QDate::currentDate());

  QSpinBox* Spinyear = nullptr;
  QListWidget* Listmonth = nullptr;
  QSpinBox* Spinday = nullptr;
  QListWidget* Listday = nullptr;  // hidden: the Hebrew numerals of days 1..30
  QPushButton* hlbtn = nullptr;
  QPushButton* CopyBtn = nullptr;
  QPushButton* FindBtn = nullptr;
  QPushButton* FinishBtn = nullptr;
  QLabel* YearLabel = nullptr;
  QLabel* DayLabel = nullptr;
  QLabel* MonthLabel = nullptr;
  QLabel* WeekdayLabel = nullptr;

  bool HebrewDisplay() const { return hebrew_; }
  void Convert();

 private:
  void CopyResult();
  bool hebrew_;
};

}  // namespace nuvel
