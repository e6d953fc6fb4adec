#pragma once
// The arithmetic of the desk calculator: a four-entry operand stack of
// extended precision, a memory register and the pending operator. Operators
// apply strictly from left to right, without precedence.
#include <array>
#include <cstdint>

#include "core/exceptions.h"

namespace nuvel {

// Operation codes.
enum : std::uint8_t {
  kCalcOpNone = 0,
  kCalcOpAdd = 1,
  kCalcOpSubtract = 2,
  kCalcOpMultiply = 3,
  kCalcOpDivide = 4,
  kCalcOpEquals = 5,
  kCalcOpReciprocal = 6,
  kCalcOpPercent = 7,
  kCalcOpSquareRoot = 8,
  kCalcOpMemoryClear = 9,
  kCalcOpMemoryRecall = 10,
  kCalcOpMemoryStore = 11,
  kCalcOpMemoryAdd = 12,
  kCalcOpMemorySubtract = 13,
};

// State bits.
enum : std::uint8_t {
  kCalcReady = 1,
  kCalcError = 2,
  kCalcNewEntry = 4,  // the next digit starts a new entry
  kCalcIdle = kCalcReady | kCalcNewEntry,
};

// An arithmetic fault: division by zero, square root of a negative number,
// a result out of range.
class ECalculatorError : public ENvcException {
 public:
  using ENvcException::ENvcException;
};

class TNvcCustomCalculatorEngine {
 public:
  virtual ~TNvcCustomCalculatorEngine() = default;
  virtual bool PushOperand(bool isOperand, long double value) = 0;
  virtual bool AddOperation(std::uint8_t operation) = 0;
};

class TNvcBasicCalculatorEngine : public TNvcCustomCalculatorEngine {
 public:
  TNvcBasicCalculatorEngine() { Clear(); }

  int Decimals = 2;
  bool ShowSeparatePercent = false;
  std::uint8_t LastOperation = kCalcOpNone;
  std::uint16_t OperationCount = 0;
  long double Memory = 0;
  std::array<long double, 4> Stack{};  // Stack[0] is the top
  std::uint8_t State = kCalcIdle;

  // Empties the stack and the pending operator; the memory stays.
  void Clear();
  // Pushes `value` when ready and `isOperand`; whether it pushed.
  bool PushOperand(bool isOperand, long double value) override;
  // Removes and returns the top.
  long double Pop();
  long double Top() const { return Stack[0]; }
  // Applies `operation` to the stack or the memory (when ready). Throws
  // ECalculatorError on an arithmetic fault; memory add and subtract reset
  // the memory to 0 instead.
  void EvaluateOperation(std::uint8_t operation);
  // Gives the engine an operator key: evaluates what is pending as the
  // operator requires. True when the caller is to show the stack top.
  bool AddOperation(std::uint8_t operation) override;
};

}  // namespace nuvel
