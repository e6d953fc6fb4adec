#include "tools/calculator_engine.h"

#include <cmath>

namespace nuvel {

namespace {

long double Checked(long double v) {
  if (!std::isfinite(v)) throw ECalculatorError("Floating point overflow");
  return v;
}

}  // namespace

void TNvcBasicCalculatorEngine::Clear() {
  Stack = {};
  LastOperation = kCalcOpNone;
  OperationCount = 0;
  State = kCalcIdle;
}

bool TNvcBasicCalculatorEngine::PushOperand(bool isOperand, long double value) {
  if (!(State & kCalcReady) || !isOperand) return false;
  Stack[3] = Stack[2];
  Stack[2] = Stack[1];
  Stack[1] = Stack[0];
  Stack[0] = value;
  return true;
}

long double TNvcBasicCalculatorEngine::Pop() {
  const long double top = Stack[0];
  Stack[0] = Stack[1];
  Stack[1] = Stack[2];
  Stack[2] = Stack[3];
  Stack[3] = 0;
  return top;
}

void TNvcBasicCalculatorEngine::EvaluateOperation(std::uint8_t operation) {
  if (!(State & kCalcReady)) return;
  switch (operation) {
    case kCalcOpAdd: Stack[1] = Checked(Stack[1] + Stack[0]); Pop(); break;
    case kCalcOpSubtract: Stack[1] = Checked(Stack[1] - Stack[0]); Pop(); break;
    case kCalcOpMultiply: Stack[1] = Checked(Stack[1] * Stack[0]); Pop(); break;
    case kCalcOpDivide:
      if (Stack[0] == 0) throw ECalculatorError("Division by zero");
      Stack[1] = Checked(Stack[1] / Stack[0]);
      Pop();
      break;
    case kCalcOpReciprocal:
      if (Stack[0] == 0) throw ECalculatorError("Division by zero");
      Stack[0] = Checked(1 / Stack[0]);
      break;
    case kCalcOpSquareRoot:
      if (Stack[0] < 0) throw ECalculatorError("Invalid floating point operation");
      Stack[0] = std::sqrt(Stack[0]);
      break;
    case kCalcOpPercent:
      if (LastOperation == kCalcOpAdd || LastOperation == kCalcOpSubtract) {
        Stack[0] = Checked(Stack[0] / 100 * Stack[1]);
      } else {
        Stack[0] = Stack[0] / 100;
      }
      State = kCalcIdle;
      break;
    case kCalcOpMemoryClear: Memory = 0; break;
    case kCalcOpMemoryRecall:
      Stack[0] = Memory;
      State = kCalcIdle;
      break;
    case kCalcOpMemoryStore:
      Memory = Stack[0];
      State |= kCalcNewEntry;
      break;
    case kCalcOpMemoryAdd:
    case kCalcOpMemorySubtract: {
      const long double m = operation == kCalcOpMemoryAdd ? Memory + Stack[0] : Memory - Stack[0];
      Memory = std::isfinite(m) ? m : 0;
      State |= kCalcNewEntry;
      break;
    }
    default: break;
  }
}

bool TNvcBasicCalculatorEngine::AddOperation(std::uint8_t operation) {
  if (!(State & kCalcReady)) return false;
  switch (operation) {
    case kCalcOpNone: return true;
    case kCalcOpAdd:
    case kCalcOpSubtract:
    case kCalcOpMultiply:
    case kCalcOpDivide: {
      const std::uint8_t pending = LastOperation;
      EvaluateOperation(pending);
      State = kCalcIdle;
      const bool additive = operation == kCalcOpAdd || operation == kCalcOpSubtract;
      const bool same = additive ? (pending == kCalcOpAdd || pending == kCalcOpSubtract) : pending == operation;
      OperationCount = same ? static_cast<std::uint16_t>(OperationCount + 1) : 1;
      LastOperation = operation;
      return true;
    }
    case kCalcOpEquals:
      State |= kCalcNewEntry;
      if (LastOperation == kCalcOpNone) return true;
      EvaluateOperation(LastOperation);
      State = kCalcIdle;
      LastOperation = LastOperation == kCalcOpEquals ? kCalcOpNone : kCalcOpEquals;
      return true;
    case kCalcOpReciprocal:
    case kCalcOpSquareRoot:
    case kCalcOpMemoryRecall:
      EvaluateOperation(operation);
      return true;
    case kCalcOpPercent: {
      EvaluateOperation(kCalcOpPercent);
      const std::uint8_t pending = LastOperation;
      OperationCount = pending == kCalcOpPercent ? static_cast<std::uint16_t>(OperationCount + 1) : 0;
      if (!ShowSeparatePercent) {
        EvaluateOperation(pending);
        State = kCalcIdle;
        LastOperation = kCalcOpEquals;
      }
      return true;
    }
    case kCalcOpMemoryClear:
    case kCalcOpMemoryStore:
    case kCalcOpMemoryAdd:
    case kCalcOpMemorySubtract:
      EvaluateOperation(operation);
      return false;
    default: return false;
  }
}

}  // namespace nuvel
