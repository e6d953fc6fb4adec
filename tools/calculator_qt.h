#pragma once
// The desk calculator control: a display panel, an optional paper tape and a
// grid of keys, drawn over CalculatorModel, which does all the arithmetic,
// entry, display and tape work.
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QWidget>
#include <array>
#include <functional>

#include "tools/calculator_model.h"

class QListWidget;
class QListWidgetItem;

namespace nuvel {

enum TNvcCalcColorScheme { cscalcCustom, cscalcWindows, cscalcDark, cscalcOcean, cscalcPlain };

// The calculator's eight colours. Choosing a scheme other than cscalcCustom
// loads its colours; changing a colour afterwards makes the scheme custom.
class TNvcCalcColors {
 public:
  enum Index {
    DisabledMemoryButtons,
    Display,
    DisplayTextColor,
    EditButtons,
    FunctionButtons,
    MemoryButtons,
    NumberButtons,
    OperatorButtons,
  };
  TNvcCalcColors();

  QColor Color(Index i) const { return colors_[i]; }
  void SetColor(Index i, const QColor& c);
  TNvcCalcColorScheme ColorScheme() const { return scheme_; }
  void SetColorScheme(TNvcCalcColorScheme scheme);

  std::function<void()> OnChange;

 private:
  std::array<QColor, 8> colors_;
  TNvcCalcColorScheme scheme_ = cscalcCustom;
  bool loading_ = false;
};

// The display; a click on it focuses the calculator.
class TNvcCalcPanel : public QLabel {
  Q_OBJECT
 public:
  explicit TNvcCalcPanel(QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

class TNvcCalculator : public QWidget {
  Q_OBJECT
 public:
  enum Option {
    coShowItemCount = 1,
    coShowMemoryButtons = 2,
    coShowClearTapeButton = 4,
    coShowTape = 8,
    coShowSeparatePercent = 16,
  };

  explicit TNvcCalculator(QWidget* parent = nullptr);
  // The calculator as a pop-up window of its own.
  TNvcCalculator(QWidget* parent, bool popup);

  // The single entry for mouse, keyboard and paste input.
  void PressButton(int button);
  // The display text, blanks included, to the clipboard.
  void CopyToClipboard();
  // Clears the calculator and types the clipboard's text into it.
  void PasteFromClipboard();

  // The calculator's text is the display text.
  QString Text() const;
  void SetText(const QString& text);

  int Options() const { return options_; }
  void SetOptions(int options);
  int Decimals() const { return model_.Decimals(); }
  void SetDecimals(int decimals);
  int TapeHeight() const { return tapeHeight_; }
  void SetTapeHeight(int height);
  int MaxPaperCount() const { return maxPaperCount_; }
  void SetMaxPaperCount(int count);
  char TapeSeparatorChar() const { return model_.TapeSeparatorChar; }
  void SetTapeSeparatorChar(char c) { model_.TapeSeparatorChar = c; }
  QFont TapeFont() const { return tapeFont_; }
  void SetTapeFont(const QFont& font);
  TNvcCalcColors& Colors() { return colors_; }

  CalculatorModel& Model() { return model_; }
  const CalculatorModel& Model() const { return model_; }
  // Where a key lies, whether it is shown, which one is drawn pressed.
  QRect ButtonRect(int button) const;
  bool ButtonVisible(int button) const;
  int ShownPressed() const { return shownPressed_; }
  TNvcCalcPanel* DisplayPanel() const { return display_; }
  QListWidget* TapeList() const { return tape_; }
  QString ButtonCaption(int button) const;

 signals:
  // After every key press (OnButtonPressed).
  void ButtonPressed(int button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Init();
  void LayoutControls();
  void RefreshDisplay();
  void RefreshTape();
  void ApplyColors();
  int ButtonAt(const QPoint& p) const;
  QColor ButtonColor(int button) const;
  char DecimalSeparator() const;
  void TapeLineClicked(QListWidgetItem* item);

  CalculatorModel model_;
  TNvcCalcColors colors_;
  TNvcCalcPanel* display_ = nullptr;
  QListWidget* tape_ = nullptr;
  QFont tapeFont_;
  int options_ = coShowItemCount | coShowMemoryButtons;
  int tapeHeight_ = 0;
  int maxPaperCount_ = 9999;
  std::array<QRect, kCalcButtonCount + 1> rects_{};
  std::array<bool, kCalcButtonCount + 1> visible_{};
  int shownPressed_ = cbNone;
  int mouseButton_ = cbNone;  // the key under a held mouse button
  bool draggingTape_ = false;
  int dragY_ = 0;
};

}  // namespace nuvel
