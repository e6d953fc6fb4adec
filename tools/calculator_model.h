#pragma once
// The desk calculator as its keys see it: entry text, display text, paper
// tape and the engine underneath. The calculator control draws this model
// and feeds it key presses; everything it shows is computed here.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/calculator_engine.h"

namespace nuvel {

// Calculator keys (TNvcCalculatorButton); 0 is none.
enum TNvcCalculatorButton : int {
  cbNone = 0,
  cbClearTape = 1,
  cbBack = 2,
  cbClearEntry = 3,
  cbClear = 4,
  cbAdd = 5,
  cbSubtract = 6,
  cbMultiply = 7,
  cbDivide = 8,
  cbDigit0 = 9,  // cbDigit0 + d for digit d
  cbDigit9 = 18,
  cbDecimal = 19,
  cbEquals = 20,
  cbReciprocal = 21,
  cbPlusMinus = 22,
  cbPercent = 23,
  cbSquareRoot = 24,
  cbMemoryClear = 25,
  cbMemoryRecall = 26,
  cbMemoryStore = 27,
  cbMemoryAdd = 28,
  cbMemorySubtract = 29,
};
inline constexpr int kCalcButtonCount = 29;

// A key's caption (the locale's decimal separator for cbDecimal), the mark
// it writes on the tape, and the operation it gives the engine.
std::string CalcButtonCaption(int button, char decimalSeparator);
std::string_view CalcButtonTapeMark(int button);
std::uint8_t CalcButtonOperation(int button);

// The key a typed character stands for, cbNone when none: digits, "." and
// the decimal separator, + - * /, "=", "%", "@" (square root), "r" (1/x).
int CalcButtonForChar(char c, char decimalSeparator);

struct CalcTapeLine {
  std::string text;
  std::string mark;  // two characters or empty
};

class CalculatorModel {
 public:
  static constexpr int kMarkWidth = 2;
  static constexpr int kBlankTapeLines = 30;

  CalculatorModel();

  // The single entry for mouse, keyboard and paste input.
  void PressButton(int button);
  // Clears the calculator, then types the characters of `text` that are
  // digits, % * + - . / = or the decimal separator, skipping the rest.
  void Paste(std::string_view text);
  // Puts the number of tape line `index` into the entry; false when the
  // line holds no number.
  bool TakeTapeLine(std::size_t index);

  // The display: the value right-aligned to the tape width less the mark
  // field, then the empty mark field.
  const std::string& DisplayText() const { return display_; }
  const std::string& EntryText() const { return entryText_; }
  long double EntryValue() const { return entryValue_; }
  long double DisplayedValue() const { return displayedValue_; }
  bool InError() const { return (engine_.State & kCalcError) != 0; }
  bool MemoryHoldsValue() const { return engine_.Memory != 0; }
  int LastButton() const { return lastButton_; }

  // Tape lines, oldest first, and a line as drawn: right-aligned to the
  // tape width with its mark at the end.
  const std::vector<CalcTapeLine>& Tape() const { return tape_; }
  std::string TapeLineText(std::size_t index) const;
  void ClearTape();

  TNvcBasicCalculatorEngine& Engine() { return engine_; }
  const TNvcBasicCalculatorEngine& Engine() const { return engine_; }

  // Settings.
  int Decimals() const { return engine_.Decimals; }
  void SetDecimals(int decimals) { engine_.Decimals = decimals; }
  bool ShowItemCount = true;
  void SetShowSeparatePercent(bool on) { engine_.ShowSeparatePercent = on; }
  char TapeSeparatorChar = '_';
  char DecimalSeparator = '.';
  // Tape width in characters (the display pads to it too).
  int TapeWidth() const { return tapeWidth_; }
  void SetTapeWidth(int chars);

  // Called for every beep (keys pressed in the error state, faults).
  std::function<void()> OnBeep;
  // Called after every key press with the key.
  std::function<void(int)> OnButtonPressed;

  // The value as the display writes it: "%g" (up to 15 significant digits)
  // with Decimals 0, else |Decimals| decimals.
  std::string FormatValue(long double value) const;

 private:
  void Handle(int button);
  void ClearCalculator(bool writeSeparator);
  void OperationStep(int button);
  void TypeDigit(int digit);
  void TypeSeparator();
  void Back();
  void ToggleSign();
  void SetDisplayValueText(std::string_view text);
  void ShowEntry();  // the display shows the entry, and its value is the displayed one
  void ResetEntry();
  void AddTapeLine(std::string text, std::string_view mark);
  void AddSeparatorLine();
  long double ParseNumber(std::string_view text, bool& ok) const;
  void Beep();

  TNvcBasicCalculatorEngine engine_;
  std::string entryText_ = "0";
  long double entryValue_ = 0;
  long double displayedValue_ = 0;
  bool pendingMinus_ = false;
  bool decimalTyped_ = false;
  int lastButton_ = cbNone;
  std::string displayValue_;  // the display without its padding
  std::string display_;
  int tapeWidth_ = 20;
  std::vector<CalcTapeLine> tape_;
  int blankLines_ = 0;
};

}  // namespace nuvel
