#include "tools/calculator_model.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <exception>

#include "core/message_table.h"

namespace nuvel {

namespace {

struct ButtonInfo {
  std::uint32_t captionId;  // library text, 0 when the caption is fixed
  std::string_view caption;
  std::string_view mark;
  std::uint8_t operation;
};

constexpr std::array<ButtonInfo, kCalcButtonCount + 1> kButtons = {{
    {0, "", "", kCalcOpNone},
    {30299, "CT", "", kCalcOpNone},
    {30293, "Back", "", kCalcOpNone},
    {30300, "CE", "CE", kCalcOpNone},
    {30301, "C", "C", kCalcOpNone},
    {0, "+", "+", kCalcOpAdd},
    {0, "-", "-", kCalcOpSubtract},
    {0, "*", "*", kCalcOpMultiply},
    {0, "/", "/", kCalcOpDivide},
    {0, "0", "  ", kCalcOpNone},
    {0, "1", "  ", kCalcOpNone},
    {0, "2", "  ", kCalcOpNone},
    {0, "3", "  ", kCalcOpNone},
    {0, "4", "  ", kCalcOpNone},
    {0, "5", "  ", kCalcOpNone},
    {0, "6", "  ", kCalcOpNone},
    {0, "7", "  ", kCalcOpNone},
    {0, "8", "  ", kCalcOpNone},
    {0, "9", "  ", kCalcOpNone},
    {0, ".", "  ", kCalcOpNone},
    {0, "=", "=", kCalcOpEquals},
    {0, "1/x", "1/", kCalcOpReciprocal},
    {0, "+/-", "-+", kCalcOpNone},
    {0, "%", "%", kCalcOpPercent},
    {30302, "Sqrt", "SQ", kCalcOpSquareRoot},
    {30294, "MC", "MC", kCalcOpMemoryClear},
    {30295, "MR", "MR", kCalcOpMemoryRecall},
    {30296, "MS", "MS", kCalcOpMemoryStore},
    {30297, "M+", "M+", kCalcOpMemoryAdd},
    {30298, "M-", "M-", kCalcOpMemorySubtract},
}};

bool Valid(int button) { return button >= 1 && button <= kCalcButtonCount; }
bool IsArithmetic(int b) { return b >= cbAdd && b <= cbDivide; }
bool IsDigit(int b) { return b >= cbDigit0 && b <= cbDigit9; }

}  // namespace

std::string CalcButtonCaption(int button, char decimalSeparator) {
  if (!Valid(button)) return {};
  if (button == cbDecimal) return std::string(1, decimalSeparator);
  const ButtonInfo& info = kButtons[button];
  if (info.captionId != 0) {
    std::string text = GetLibraryString(info.captionId);
    if (!text.empty() && text != "Unknown") return text.substr(0, 9);
  }
  return std::string(info.caption);
}

std::string_view CalcButtonTapeMark(int button) { return Valid(button) ? kButtons[button].mark : std::string_view{}; }

std::uint8_t CalcButtonOperation(int button) {
  return Valid(button) ? kButtons[button].operation : static_cast<std::uint8_t>(kCalcOpNone);
}

int CalcButtonForChar(char c, char decimalSeparator) {
  if (c >= '0' && c <= '9') return cbDigit0 + (c - '0');
  if (c == '.' || c == decimalSeparator) return cbDecimal;
  switch (c) {
    case '+': return cbAdd;
    case '-': return cbSubtract;
    case '*': return cbMultiply;
    case '/': return cbDivide;
    case '=': return cbEquals;
    case '%': return cbPercent;
    case '@': return cbSquareRoot;
    case 'r': return cbReciprocal;
    default: return cbNone;
  }
}

CalculatorModel::CalculatorModel() {
  ClearTape();
  ClearCalculator(false);
}

void CalculatorModel::SetTapeWidth(int chars) {
  tapeWidth_ = std::max(chars, kMarkWidth + 1);
  SetDisplayValueText(std::string(displayValue_));
}

std::string CalculatorModel::FormatValue(long double value) const {
  if (value == 0) value = 0;  // no "-0"
  char buffer[128];
  std::to_chars_result r;
  if (engine_.Decimals == 0) {
    r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  } else {
    r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, std::abs(engine_.Decimals));
  }
  std::string text = r.ec == std::errc{} ? std::string(buffer, r.ptr) : std::string("0");
  if (DecimalSeparator != '.') std::replace(text.begin(), text.end(), '.', DecimalSeparator);
  return text;
}

long double CalculatorModel::ParseNumber(std::string_view text, bool& ok) const {
  std::string s(text);
  s.erase(0, s.find_first_not_of(' '));
  while (!s.empty() && s.back() == ' ') s.pop_back();
  if (DecimalSeparator != '.') std::replace(s.begin(), s.end(), DecimalSeparator, '.');
  long double v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  ok = !s.empty() && r.ec == std::errc{} && r.ptr == s.data() + s.size();
  return ok ? v : 0;
}

void CalculatorModel::SetDisplayValueText(std::string_view text) {
  displayValue_ = text;
  const int padding = std::max(0, tapeWidth_ - kMarkWidth - static_cast<int>(displayValue_.size()));
  display_ = std::string(static_cast<std::size_t>(padding), ' ');
  display_ += displayValue_;
  display_ += std::string(kMarkWidth, ' ');
}

void CalculatorModel::ShowEntry() {
  displayedValue_ = entryValue_;
  SetDisplayValueText(entryText_);
}

void CalculatorModel::Beep() {
  if (OnBeep) OnBeep();
}

void CalculatorModel::ClearTape() {
  tape_.assign(kBlankTapeLines, CalcTapeLine{});
  blankLines_ = kBlankTapeLines;
}

void CalculatorModel::AddTapeLine(std::string text, std::string_view mark) {
  tape_.push_back(CalcTapeLine{std::move(text), std::string(mark)});
  if (blankLines_ > 0) {
    tape_.erase(tape_.begin());
    --blankLines_;
  }
}

void CalculatorModel::AddSeparatorLine() {
  AddTapeLine(std::string(static_cast<std::size_t>(tapeWidth_ - kMarkWidth), TapeSeparatorChar),
              std::string(kMarkWidth, TapeSeparatorChar));
}

std::string CalculatorModel::TapeLineText(std::size_t index) const {
  if (index >= tape_.size()) return {};
  const CalcTapeLine& line = tape_[index];
  std::string mark = line.mark;
  mark.resize(kMarkWidth, ' ');
  const int padding = std::max(0, tapeWidth_ - kMarkWidth - static_cast<int>(line.text.size()));
  return std::string(padding, ' ') + line.text + mark;
}

void CalculatorModel::ResetEntry() {
  entryText_ = "0";
  entryValue_ = 0;
  pendingMinus_ = false;
  decimalTyped_ = false;
}

void CalculatorModel::ClearCalculator(bool writeSeparator) {
  engine_.Clear();
  ResetEntry();
  displayedValue_ = 0;
  SetDisplayValueText("0");
  if (writeSeparator) AddSeparatorLine();
}

void CalculatorModel::PressButton(int button) {
  if (!Valid(button)) return;
  try {
    Handle(button);
  } catch (const std::exception&) {
    SetDisplayValueText("****** ");
    engine_.State = kCalcError;
    Beep();
  }
  lastButton_ = button;
  if (OnButtonPressed) OnButtonPressed(button);
}

void CalculatorModel::Handle(int button) {
  if (button == cbClear) {
    ClearCalculator(lastButton_ != cbClear);
    return;
  }
  if (engine_.State & kCalcError) {
    Beep();
    return;
  }
  if (button == cbEquals && (lastButton_ == cbNone || lastButton_ == cbClear || lastButton_ == cbEquals)) {
    ClearCalculator(lastButton_ != cbClear);
    return;
  }
  if (lastButton_ == cbPercent && (IsArithmetic(button) || button == cbEquals)) {
    OperationStep(button);
  } else if ((lastButton_ == cbEquals || lastButton_ == cbMemoryRecall) && IsArithmetic(button)) {
    bool ok = false;
    const long double value = ParseNumber(entryText_, ok);
    if (engine_.PushOperand(true, value)) OperationStep(button);
  } else if (button == cbMemoryStore) {
    // The value on the display goes to the memory; the stack is left alone.
    engine_.Memory = displayedValue_;
    engine_.State |= kCalcNewEntry;
  } else {
    const std::uint8_t operation = CalcButtonOperation(button);
    if (engine_.PushOperand(operation != kCalcOpNone, entryValue_)) {
      OperationStep(button);
      // Keys that work on the top alone leave their result in the entry,
      // so that the next operator finds the stack as it was before them.
      switch (button) {
        case cbEquals:
        case cbReciprocal:
        case cbSquareRoot:
        case cbMemoryRecall:
        case cbMemoryClear:
        case cbMemoryAdd:
        case cbMemorySubtract:
          entryValue_ = engine_.Pop();
          break;
        default: break;
      }
    }
  }

  if (IsDigit(button)) {
    TypeDigit(button - cbDigit0);
  } else if (button == cbDecimal) {
    TypeSeparator();
  } else if (button == cbBack) {
    Back();
  } else if (button == cbClearEntry) {
    ResetEntry();
    engine_.State |= kCalcNewEntry;
    ShowEntry();
  } else if (button == cbPlusMinus) {
    ToggleSign();
  } else if (button == cbClearTape) {
    ClearTape();
  }
}

void CalculatorModel::OperationStep(int button) {
  const std::uint8_t operation = CalcButtonOperation(button);
  if (!engine_.AddOperation(operation)) return;
  displayedValue_ = engine_.Top();
  SetDisplayValueText(FormatValue(displayedValue_));
  if (IsArithmetic(button) || button == cbEquals || button == cbPercent) {
    std::string text = (IsArithmetic(button) && button == lastButton_) ? FormatValue(entryValue_) : entryText_;
    AddTapeLine(std::move(text), CalcButtonTapeMark(button));
  }
  if (button == cbEquals && engine_.LastOperation == kCalcOpEquals) {
    if (ShowItemCount) {
      char count[16];
      std::snprintf(count, sizeof count, "%3.3d", engine_.OperationCount + 1);
      AddTapeLine(count, "");
    }
    AddTapeLine(FormatValue(displayedValue_), "*");
    AddSeparatorLine();
  }
  entryText_ = FormatValue(displayedValue_);
}

void CalculatorModel::TypeDigit(int digit) {
  const int decimals = engine_.Decimals;
  if (engine_.State & kCalcNewEntry) {
    entryText_.clear();
    decimalTyped_ = false;
    if (decimals < 0) {
      entryText_ = "0";
      entryText_ += DecimalSeparator;
      entryText_.append(static_cast<std::size_t>(-decimals), '0');
    }
  }
  entryText_ += static_cast<char>('0' + digit);
  if (pendingMinus_) {
    entryText_.insert(entryText_.begin(), '-');
    pendingMinus_ = false;
  }
  if (decimals < 0 && !decimalTyped_) {
    // Digits enter from the right with a fixed number of decimals: move
    // the separator one place right and drop the zeros it leaves in front.
    const std::size_t sep = entryText_.find(DecimalSeparator);
    if (sep != std::string::npos && sep + 1 < entryText_.size()) {
      std::swap(entryText_[sep], entryText_[sep + 1]);
      const std::size_t digits = entryText_[0] == '-' ? 1 : 0;
      while (entryText_.size() > digits + 1 && entryText_[digits] == '0' && entryText_[digits + 1] != DecimalSeparator)
        entryText_.erase(digits, 1);
    }
  }
  bool ok = false;
  entryValue_ = ParseNumber(entryText_, ok);
  if (entryValue_ == 0 && entryText_.find(DecimalSeparator) == std::string::npos) {
    entryText_ = "0";
    entryValue_ = 0;
    ShowEntry();
  } else {
    ShowEntry();
    engine_.State = kCalcReady;
  }
}

void CalculatorModel::TypeSeparator() {
  if (engine_.State & kCalcNewEntry) {
    entryText_ = "0";
    entryText_ += DecimalSeparator;
    if (pendingMinus_) {
      entryText_.insert(entryText_.begin(), '-');
      pendingMinus_ = false;
    }
  } else if (entryText_.find(DecimalSeparator) == std::string::npos) {
    if (entryText_.empty() || entryText_ == "-") entryText_ += '0';
    entryText_ += DecimalSeparator;
  }
  decimalTyped_ = true;
  bool ok = false;
  entryValue_ = ParseNumber(entryText_, ok);
  ShowEntry();
  engine_.State = kCalcReady;
}

void CalculatorModel::Back() {
  if (entryText_.size() > 1) {
    if (entryText_.back() == DecimalSeparator) decimalTyped_ = false;
    entryText_.pop_back();
    if (entryText_ != "-") {
      bool ok = false;
      entryValue_ = ParseNumber(entryText_, ok);
      ShowEntry();
      return;
    }
  }
  // An entry of one character, or a lone minus left behind, becomes 0 and
  // a new entry starts.
  ResetEntry();
  engine_.State |= kCalcNewEntry;
  ShowEntry();
}

void CalculatorModel::ToggleSign() {
  if (entryText_.empty() || entryText_ == "0") {
    pendingMinus_ = !pendingMinus_;
    return;
  }
  if (entryText_[0] == '-') {
    entryText_.erase(0, 1);
  } else {
    entryText_.insert(entryText_.begin(), '-');
  }
  bool ok = false;
  entryValue_ = ParseNumber(entryText_, ok);
  ShowEntry();
}

void CalculatorModel::Paste(std::string_view text) {
  PressButton(cbClear);
  for (char c : text) {
    const bool allowed = (c >= '0' && c <= '9') || c == '%' || c == '*' || c == '+' || c == '-' || c == '.' ||
                         c == '/' || c == '=' || c == DecimalSeparator;
    if (allowed) PressButton(CalcButtonForChar(c, DecimalSeparator));
  }
}

bool CalculatorModel::TakeTapeLine(std::size_t index) {
  if (index >= tape_.size() || InError()) return false;
  bool ok = false;
  const long double value = ParseNumber(tape_[index].text, ok);
  if (!ok) return false;
  entryText_ = FormatValue(value);
  entryValue_ = value;
  decimalTyped_ = false;
  pendingMinus_ = false;
  ShowEntry();
  engine_.State = kCalcIdle;
  return true;
}

}  // namespace nuvel
