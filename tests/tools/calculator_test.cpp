#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "tools/calculator_engine.h"
#include "tools/calculator_model.h"

namespace nuvel {
namespace {

// Keys by character: the keyboard's own characters, and for the rest
// C clear, E clear entry, B back, T clear tape, ~ +/-, L MC, R MR, S MS,
// P M+, M M-.
int KeyOf(char c) {
  switch (c) {
    case 'C': return cbClear;
    case 'E': return cbClearEntry;
    case 'B': return cbBack;
    case 'T': return cbClearTape;
    case '~': return cbPlusMinus;
    case 'L': return cbMemoryClear;
    case 'R': return cbMemoryRecall;
    case 'S': return cbMemoryStore;
    case 'P': return cbMemoryAdd;
    case 'M': return cbMemorySubtract;
    default: return CalcButtonForChar(c, '.');
  }
}

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

struct Session {
  CalculatorModel calc;
  int beeps = 0;
  explicit Session(int decimals = 2, bool separatePercent = false) {
    calc.SetDecimals(decimals);
    calc.SetShowSeparatePercent(separatePercent);
    calc.OnBeep = [this] { ++beeps; };
  }
  void Keys(const std::string& keys) {
    for (char c : keys) {
      const int k = KeyOf(c);
      ASSERT_NE(k, cbNone) << c;
      calc.PressButton(k);
    }
  }
};

TEST(Calculator, KeySequences) {
  struct Case {
    const char* keys;
    const char* display;
    long double memory;
    bool error;
    int beeps;
    int decimals = 2;
    bool separatePercent = false;
  };
  const Case cases[] = {
      {"2+3*4=", "20.00", 0, false, 0},          // left to right, no precedence
      {"50+10%", "55.00", 0, false, 0},          // percent of the first operand
      {"50-10%", "45.00", 0, false, 0},
      {"10%", "0.10", 0, false, 0},
      {"50+10%=", "55.00", 0, false, 0, 2, true},  // separate percent waits for "="
      {"200*10%", "20.00", 0, false, 0},
      {"10%*3=", "0.30", 0, false, 0},
      {"1/0=", "******", 0, true, 1},            // division by zero
      {"1/0=5+3", "******", 0, true, 4},         // every key beeps until C
      {"1/0=C", "0", 0, false, 1},
      {"1/0=C2+2=", "4.00", 0, false, 1},
      {"4~@", "******", 0, true, 1},             // square root of a negative number
      {"0r", "******", 0, true, 1},              // 1/x of zero
      {"9@", "3.00", 0, false, 0},
      {"4r", "0.25", 0, false, 0},
      {"2+4r=", "2.25", 0, false, 0},
      {"2+3=", "5.00", 0, false, 0},
      {"2+3==", "0", 0, false, 0},               // "=" twice clears
      {"=", "0", 0, false, 0},                   // "=" first acts as C
      {"C=", "0", 0, false, 0},
      {"2+3=*4=", "20.00", 0, false, 0},         // the result goes on
      {"2+3=4+1=", "5.00", 0, false, 0},         // a new number after "=" starts afresh
      {"5+=", "10.00", 0, false, 0},
      {"2++", "4.00", 0, false, 0},
      {"5+3E4=", "9.00", 0, false, 0},
      {"~5", "-5", 0, false, 0},                 // +/- on an empty entry waits for the digit
      {"~5+1=", "-4.00", 0, false, 0},
      {"12~", "-12", 0, false, 0},
      {"12~~", "12", 0, false, 0},
      {"12B", "1", 0, false, 0},
      {"1B", "0", 0, false, 0},
      {"1B5", "5", 0, false, 0},
      {"5~B", "-", 0, false, 0},                 // placeholder replaced below
      {".5", "0.5", 0, false, 0},
      {"1.2.3", "1.23", 0, false, 0},
      {"00", "0", 0, false, 0},
      {"007", "7", 0, false, 0},
      {"123", "1.23", 0, false, 0, -2},          // fixed decimals: digits enter from the right
      {"12345", "123.45", 0, false, 0, -2},
      {"1/3=", "0.333333333333333", 0, false, 0, 0},  // "%g" with 15 significant digits
      {"2/4=", "0.5", 0, false, 0, 0},
      {"5S", "5", 5, false, 0},
      {"5S+3=", "8.00", 5, false, 0},
      {"2+3=S", "5.00", 5, false, 0},
      {"2+3S=", "5.00", 3, false, 0},            // MS takes the displayed value
      {"5P", "5", 5, false, 0},
      {"5P2+R=", "7.00", 5, false, 0},
      {"5+3P=", "8.00", 3, false, 0},
      {"3P3P", "3", 6, false, 0},
      {"5M", "5", -5, false, 0},
      {"5SL", "5", 0, false, 0},
      {"2+5L=", "7.00", 0, false, 0},
      {"4SR", "4.00", 4, false, 0},
      {"3S5+R=", "8.00", 3, false, 0},
      {"3SR+2=", "5.00", 3, false, 0},
  };
  for (const Case& c : cases) {
    std::string keys = c.keys;
    std::string want = c.display;
    if (keys == "5~B") want = "0";  // a lone minus left by Back is 0, not an error
    SCOPED_TRACE(keys);
    Session run(c.decimals, c.separatePercent);
    run.Keys(keys);
    EXPECT_EQ(Trim(run.calc.DisplayText()), want);
    EXPECT_EQ(run.calc.Engine().Memory, c.memory);
    EXPECT_EQ(run.calc.InError(), c.error);
    EXPECT_EQ(run.beeps, c.beeps);
  }
}

TEST(Calculator, DisplayIsRightAlignedBeforeTheMarkField) {
  Session run;
  run.calc.SetTapeWidth(12);
  EXPECT_EQ(run.calc.DisplayText(), "         0  ");
  run.Keys("12.5+");
  EXPECT_EQ(run.calc.DisplayText(), "     12.50  ");
  run.Keys("1/0=");
  EXPECT_EQ(run.calc.DisplayText(), "   ******   ");
  run.calc.SetTapeWidth(4);
  run.Keys("C123456");
  EXPECT_EQ(run.calc.DisplayText(), "123456  ");
}

TEST(Calculator, TapeOfACalculation) {
  Session run;
  run.calc.SetTapeWidth(12);
  ASSERT_EQ(run.calc.Tape().size(), 30u);
  run.Keys("2+3*4=");
  std::vector<std::string> last;
  const auto& tape = run.calc.Tape();
  ASSERT_EQ(tape.size(), 30u);  // blank lines give way to the new ones
  for (std::size_t i = tape.size() - 6; i < tape.size(); ++i) last.push_back(run.calc.TapeLineText(i));
  EXPECT_EQ(last, (std::vector<std::string>{
                      "         2+ ",
                      "         3* ",
                      "         4= ",
                      "       002  ",  // item count: the operator count + 1
                      "     20.00* ",
                      "____________",
                  }));
  EXPECT_EQ(run.calc.TapeLineText(0), "            ");

  // A repeated operator writes the formatted entry value; percent writes its line.
  run.Keys("5++");
  EXPECT_EQ(run.calc.TapeLineText(tape.size() - 2), "         5+ ");
  EXPECT_EQ(run.calc.TapeLineText(tape.size() - 1), "      5.00+ ");
  run.calc.ShowItemCount = false;
  run.Keys("C50+10%=");
  EXPECT_EQ(run.calc.TapeLineText(tape.size() - 3), "        50+ ");
  EXPECT_EQ(run.calc.TapeLineText(tape.size() - 2), "        10% ");
  EXPECT_EQ(run.calc.TapeLineText(tape.size() - 1), "     55.00= ");

  // C writes a separator, but not twice in a row.
  const std::size_t before = run.calc.Tape().size();
  run.Keys("CC");
  EXPECT_EQ(run.calc.Tape().size(), before);  // still within the blank lines
  EXPECT_EQ(run.calc.TapeLineText(run.calc.Tape().size() - 1), "____________");
  EXPECT_NE(run.calc.TapeLineText(run.calc.Tape().size() - 2), "____________");

  run.Keys("T");
  EXPECT_EQ(run.calc.Tape().size(), 30u);
  EXPECT_EQ(run.calc.TapeLineText(29), "            ");
}

TEST(Calculator, TapeGrowsOnceTheBlankLinesAreUsed) {
  Session run;
  for (int i = 0; i < 20; ++i) run.Keys("1+");
  EXPECT_EQ(run.calc.Tape().size(), 30u);  // 20 of the 30 blank lines gave way
  for (int i = 0; i < 20; ++i) run.Keys("1+");
  EXPECT_EQ(run.calc.Tape().size(), 40u);
  EXPECT_EQ(run.calc.Tape().front().text, "1");
}

TEST(Calculator, TapeLineIntoTheEntry) {
  Session run;
  run.Keys("7+8=");
  const std::size_t total = run.calc.Tape().size() - 2;  // "15.00 *"
  ASSERT_TRUE(run.calc.TakeTapeLine(total));
  EXPECT_EQ(Trim(run.calc.DisplayText()), "15.00");
  run.Keys("+1=");
  EXPECT_EQ(Trim(run.calc.DisplayText()), "16.00");
  EXPECT_FALSE(run.calc.TakeTapeLine(0));  // a blank line
  EXPECT_FALSE(run.calc.TakeTapeLine(run.calc.Tape().size() - 1));  // a separator
}

TEST(Calculator, PasteTypesOnlyCalculatorCharacters) {
  struct Case { const char* text; const char* display; };
  for (const Case& c : {Case{"12+3=", "15.00"}, Case{"1a2b+3=", "15.00"}, Case{"total: 6*7=", "42.00"},
                        Case{"10%", "0.10"}, Case{"r9@", "9"}}) {
    Session run;
    run.Keys("99+");
    run.calc.Paste(c.text);
    EXPECT_EQ(Trim(run.calc.DisplayText()), c.display) << c.text;
  }
}

TEST(Calculator, DecimalSeparatorOfTheLocale) {
  Session run;
  run.calc.DecimalSeparator = ',';
  EXPECT_EQ(CalcButtonCaption(cbDecimal, ','), ",");
  EXPECT_EQ(CalcButtonForChar(',', ','), cbDecimal);
  run.Keys("1");
  run.calc.PressButton(cbDecimal);
  run.Keys("5+1=");
  EXPECT_EQ(Trim(run.calc.DisplayText()), "2,50");
}

TEST(Calculator, ButtonPressedFiresForEveryKey) {
  Session run;
  std::vector<int> pressed;
  run.calc.OnButtonPressed = [&](int k) { pressed.push_back(k); };
  run.Keys("1+=");
  run.calc.PressButton(0);
  run.calc.PressButton(30);
  EXPECT_EQ(pressed, (std::vector<int>{cbDigit0 + 1, cbAdd, cbEquals}));
  EXPECT_EQ(run.calc.LastButton(), cbEquals);
}

TEST(Calculator, KeyTable) {
  struct Case { int key; std::string caption; std::string mark; int op; };
  const std::vector<Case> cases = {
      {cbClearTape, "CT", "", kCalcOpNone},      {cbBack, "Back", "", kCalcOpNone},
      {cbClearEntry, "CE", "CE", kCalcOpNone},   {cbClear, "C", "C", kCalcOpNone},
      {cbDivide, "/", "/", kCalcOpDivide},       {cbDigit0 + 7, "7", "  ", kCalcOpNone},
      {cbEquals, "=", "=", kCalcOpEquals},       {cbReciprocal, "1/x", "1/", kCalcOpReciprocal},
      {cbPlusMinus, "+/-", "-+", kCalcOpNone},   {cbPercent, "%", "%", kCalcOpPercent},
      {cbSquareRoot, "Sqrt", "SQ", kCalcOpSquareRoot}, {cbMemoryClear, "MC", "MC", kCalcOpMemoryClear},
      {cbMemorySubtract, "M-", "M-", kCalcOpMemorySubtract},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CalcButtonCaption(c.key, '.'), c.caption) << c.key;
    EXPECT_EQ(CalcButtonTapeMark(c.key), c.mark) << c.key;
    EXPECT_EQ(CalcButtonOperation(c.key), c.op) << c.key;
  }
}

TEST(CalculatorEngine, StackMemoryAndFaults) {
  TNvcBasicCalculatorEngine e;
  EXPECT_EQ(e.State, kCalcIdle);
  EXPECT_FALSE(e.PushOperand(false, 1));
  EXPECT_TRUE(e.PushOperand(true, 1));
  EXPECT_TRUE(e.PushOperand(true, 2));
  EXPECT_TRUE(e.PushOperand(true, 3));
  EXPECT_TRUE(e.PushOperand(true, 4));
  EXPECT_TRUE(e.PushOperand(true, 5));  // the oldest falls off the bottom
  EXPECT_EQ(e.Stack, (std::array<long double, 4>{5, 4, 3, 2}));
  EXPECT_EQ(e.Pop(), 5);
  EXPECT_EQ(e.Stack, (std::array<long double, 4>{4, 3, 2, 0}));

  // Memory add and subtract reset the memory on overflow instead of failing.
  e.Clear();
  e.Memory = std::numeric_limits<long double>::max();
  e.PushOperand(true, std::numeric_limits<long double>::max());
  EXPECT_FALSE(e.AddOperation(kCalcOpMemoryAdd));
  EXPECT_EQ(e.Memory, 0);
  EXPECT_TRUE(e.State & kCalcNewEntry);

  // Overflow of an operator is a fault.
  e.Clear();
  e.PushOperand(true, std::numeric_limits<long double>::max());
  e.AddOperation(kCalcOpMultiply);
  e.PushOperand(true, 10);
  EXPECT_THROW(e.AddOperation(kCalcOpEquals), ECalculatorError);

  // Not ready: nothing is done.
  e.Clear();
  e.State = kCalcError;
  EXPECT_FALSE(e.PushOperand(true, 1));
  EXPECT_FALSE(e.AddOperation(kCalcOpEquals));
  EXPECT_FALSE(e.AddOperation(14));
}

TEST(CalculatorEngine, OperationCount) {
  TNvcBasicCalculatorEngine e;
  struct Step { bool push; long double value; std::uint8_t op; int count; };
  const Step steps[] = {
      {true, 1, kCalcOpAdd, 1}, {true, 2, kCalcOpSubtract, 2}, {true, 3, kCalcOpAdd, 3},
      {true, 4, kCalcOpMultiply, 1}, {true, 5, kCalcOpMultiply, 2}, {true, 6, kCalcOpDivide, 1},
  };
  for (const Step& s : steps) {
    e.PushOperand(s.push, s.value);
    e.AddOperation(s.op);
    EXPECT_EQ(e.OperationCount, s.count);
  }
  // Each operator applies the one pending before it: (((1 + 2) - 3) + 4) * 5 * 6.
  EXPECT_EQ(e.Top(), 120);
}

}  // namespace
}  // namespace nuvel
