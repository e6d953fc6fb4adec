#include "tools/rule_applier.h"

#include <algorithm>
#include <array>

#include "platform/ascii_case.h"

namespace nuvel::tools {

namespace {

using platform::AsciiUpper;

constexpr uint8_t kCR = '\r';
constexpr uint8_t kLF = '\n';

bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// A run of digits and "." reads as a number when it holds a digit and at
// most one ".".
bool ReadsAsNumber(const std::vector<uint8_t>& text) {
  std::size_t dots = 0;
  std::size_t digits = 0;
  for (uint8_t c : text) {
    if (c == '.') {
      ++dots;
    } else {
      ++digits;
    }
  }
  return digits > 0 && dots <= 1;
}

// A set's members as compiled: single bytes, and ranges stored as low, NUL, high.
struct SetCode {
  bool negated;
  const uint8_t* members;
  std::size_t length;

  bool Accepts(uint8_t c) const {
    bool member = false;
    for (std::size_t j = 0; j < length;) {
      if (j + 2 < length && members[j + 1] == 0) {
        if (c >= members[j] && c <= members[j + 2]) {
          member = true;
          break;
        }
        j += 3;
      } else {
        if (c == members[j]) {
          member = true;
          break;
        }
        ++j;
      }
    }
    return member != negated;
  }
};

// Reads the set that starts at code[k] (its opcode); advances k past it.
// Returns false when the code ends inside the set.
bool DecodeSet(const std::vector<uint8_t>& code, std::size_t& k, SetCode& set) {
  if (k + 3 > code.size()) return false;
  const std::size_t length = code[k + 2];
  if (k + 3 + length > code.size()) return false;
  set = SetCode{code[k + 1] != 0, code.data() + k + 3, length};
  k += 3 + length;
  return true;
}

// The state of one run. The look-ahead window is a stretch [start_, end_) of
// the input: the bytes read in the current stretch. position_ counts from 1
// within the window (0 before the first step); the current byte is the one
// at the position and the next byte the one after it.
class RuleRunner {
 public:
  RuleRunner(const RuleSet& set, std::span<const uint8_t> input, std::vector<uint8_t>& out)
      : set_(set), in_(input), size_(input.size()), out_(out) {}

  void Run() {
    if (size_ == 0) return;
    start_ = 0;
    end_ = 1;
    position_ = 0;
    for (;;) {
      carryOver_ = false;
      Step();
      if (PastEnd()) break;
      const uint8_t c = Current();
      const uint32_t rule = FirstCandidate(c, Next());
      if (rule != 0) {
        if (!MatchRule(rule) && !PastEnd()) out_.push_back(Current());
      } else {
        out_.push_back(c);
        if (end_ - start_ > position_ + 1) carryOver_ = true;
      }
      if (!carryOver_) {
        // The window starts afresh at the next byte, which it already holds.
        start_ += position_;
        position_ = 0;
      }
      if (start_ >= size_) break;
    }
  }

 private:
  std::size_t Index() const { return start_ + position_ - 1; }
  bool PastEnd() const { return Index() >= size_; }
  uint8_t Current() const { return PastEnd() ? 0 : in_[Index()]; }
  uint8_t Next() const { return Index() + 1 < size_ ? in_[Index() + 1] : 0; }
  // Reads input into the window up to (not including) `limit`.
  void ReadUpTo(std::size_t limit) { end_ = std::max(end_, std::min(limit, size_)); }

  // Moves to the next byte, reading the one after it into the window; with
  // blank skipping on, spaces are stepped over as well.
  void Step() {
    do {
      ++position_;
      ReadUpTo(Index() + 2);
    } while (blankSkipping_ && !PastEnd() && Current() == ' ');
  }

  uint32_t FirstCandidate(uint8_t c, uint8_t n) const {
    return set_.firstCandidate[FirstCandidateSlot(caseInsensitive_, position_ == 1, c, n)];
  }

  // Tries `rule` at the current position and, while attempts fail, the rules
  // linked from it.
  bool MatchRule(uint32_t rule) {
    for (;;) {
      const CompiledRule& compiled = set_.rules[rule - 1];
      const std::size_t start = position_;
      const std::size_t startIndex = Index();
      if (!FailsAtFirstLiteral(compiled.left) && MatchLeft(PrepareAttempt(compiled.left))) {
        WriteRight(compiled.right);
        std::size_t firstUnmatched = Index();
        if (firstUnmatched == startIndex) {
          // The pattern matched no text: the byte is copied so the run moves on.
          if (!PastEnd()) out_.push_back(Current());
          ++firstUnmatched;
        }
        start_ = std::min(firstUnmatched, size_);
        end_ = std::max(end_, start_);
        position_ = 0;
        carryOver_ = true;
        return true;
      }
      position_ = start - 1;
      Step();
      carryOver_ = true;
      if (compiled.key.link == 0) return false;
      rule = compiled.key.link;
    }
  }

  // Most linked rules begin with a literal that differs at its first byte:
  // such an attempt fails before it changes anything but the read window.
  bool FailsAtFirstLiteral(const std::vector<uint8_t>& code) {
    if (code.size() < 3 || code[0] != kLeftLiteral) return false;
    const std::size_t from = Index();
    const std::size_t length = code[1];
    if (from + length <= size_) {
      const uint8_t a = in_[from];
      const uint8_t b = code[2];
      if (caseInsensitive_ ? AsciiUpper(a) == AsciiUpper(b) : a == b) return false;
    }
    ReadUpTo(from + length);
    return true;
  }

  const std::vector<uint8_t>& PrepareAttempt(const std::vector<uint8_t>& code) {
    for (std::size_t g = 0; g < groupsUsed_; ++g) groups_[g].clear();
    groupsUsed_ = 0;
    group_ = 0;
    capturing_ = false;
    return code;
  }

  void Add(uint8_t c) {
    if (capturing_ && group_ < kMaxGroups) {
      groups_[group_].push_back(c);
      groupsUsed_ = std::max(groupsUsed_, group_ + 1);
    }
  }

  bool MatchLeft(const std::vector<uint8_t>& code) {
    std::size_t k = 0;
    while (k < code.size()) {
      const uint8_t op = code[k++];
      switch (op) {
        case kLeftLiteral: {
          if (k >= code.size()) return false;
          const std::size_t length = code[k];
          if (k + 1 + length > code.size()) return false;
          const uint8_t* literal = code.data() + k + 1;
          k += 1 + length;
          const std::size_t from = Index();
          ReadUpTo(from + length);
          if (from + length > size_) return false;
          for (std::size_t j = 0; j < length; ++j) {
            const uint8_t a = in_[from + j];
            const uint8_t b = literal[j];
            if (caseInsensitive_ ? AsciiUpper(a) != AsciiUpper(b) : a != b) return false;
          }
          for (std::size_t j = 0; j < length; ++j) Add(in_[from + j]);
          for (std::size_t j = 0; j < length; ++j) Step();
          break;
        }
        case kLeftAny:
          if (PastEnd()) return false;
          Add(Current());
          Step();
          break;
        case kLeftDigit:
          if (PastEnd() || !IsDigit(Current())) return false;
          Add(Current());
          Step();
          break;
        case kLeftNumber: {
          if (PastEnd() || !(Current() == '.' || IsDigit(Current()))) return false;
          number_.assign(1, Current());
          while (Next() == '.' || IsDigit(Next())) {
            Step();
            number_.push_back(Current());
          }
          if (!ReadsAsNumber(number_)) return false;
          Step();
          for (uint8_t c : number_) Add(c);
          break;
        }
        case kLeftWindowStart:
          if (position_ != 1) return false;
          break;
        case kLeftLineEnd:
          if (Current() != kCR || Next() != kLF) return false;
          Add(kCR);
          Add(kLF);
          Step();
          Step();
          break;
        case kLeftGroupOpen:
          capturing_ = true;
          if (group_ < kMaxGroups) groups_[group_].clear();
          break;
        case kLeftGroupClose:
          capturing_ = false;
          ++group_;
          break;
        case kLeftSet: {
          SetCode set{};
          if (!DecodeSet(code, --k, set)) return false;
          if (PastEnd() || !set.Accepts(Current())) return false;
          Add(Current());
          Step();
          break;
        }
        case kLeftSetRun: {
          SetCode set{};
          if (!DecodeSet(code, --k, set)) return false;
          std::size_t count = 0;
          while (!PastEnd() && set.Accepts(Current())) {
            Add(Current());
            Step();
            ++count;
          }
          // A set that also takes the NUL after the end would run on past
          // it: such a run fails at the end of the input.
          if (count == 0 || (PastEnd() && set.Accepts(0))) return false;
          break;
        }
        case kLeftSkipTo:
        case kLeftSkipToClose:
          if (!SkipTo(code, k)) return false;
          if (op == kLeftSkipToClose) {
            capturing_ = false;
            ++group_;
          }
          break;
        case kLeftNothing:
          break;
        case kLeftSwitch:
          if (k >= code.size()) return false;
          switch (code[k++]) {
            case kSwitchBlanks:
              blankSkipping_ = !blankSkipping_;
              break;
            case kSwitchCase:
              caseInsensitive_ = !caseInsensitive_;
              break;
            case kSwitchSpaceRun:
              while (!PastEnd() && Current() == ' ') {
                Add(' ');
                Step();
              }
              break;
            default:
              return false;
          }
          break;
        default:
          return false;
      }
    }
    return true;
  }

  // "?*": takes every byte up to what the following element (a line end or a
  // set) accepts; fails at the end of the input.
  bool SkipTo(const std::vector<uint8_t>& code, std::size_t k) {
    if (k >= code.size()) return false;
    if (code[k] == kLeftLineEnd) {
      for (;;) {
        if (PastEnd()) return false;
        if (Current() == kCR && Next() == kLF) return true;
        Add(Current());
        Step();
      }
    }
    if (code[k] != kLeftSet && code[k] != kLeftSetRun) return false;
    SetCode set{};
    if (!DecodeSet(code, k, set)) return false;
    for (;;) {
      if (PastEnd()) return false;
      if (set.Accepts(Current())) return true;
      Add(Current());
      Step();
    }
  }

  void WriteRight(const std::vector<uint8_t>& code) {
    std::size_t k = 0;
    while (k < code.size()) {
      switch (code[k++]) {
        case kRightLiteral: {
          const std::size_t length = std::min<std::size_t>(code[k], code.size() - k - 1);
          out_.insert(out_.end(), code.begin() + std::ptrdiff_t(k + 1), code.begin() + std::ptrdiff_t(k + 1 + length));
          k += 1 + length;
          break;
        }
        case kRightGroup:
          if (k < code.size() && code[k] < kMaxGroups) {
            const auto& text = groups_[code[k]];
            out_.insert(out_.end(), text.begin(), text.end());
          }
          ++k;
          break;
        case kRightReversed:
          if (k < code.size() && code[k] < kMaxGroups) {
            const auto& text = groups_[code[k]];
            out_.insert(out_.end(), text.rbegin(), text.rend());
          }
          ++k;
          break;
        case kRightLineEnd:
          out_.push_back(kCR);
          out_.push_back(kLF);
          break;
        case kRightParam:
          ++k;
          break;
        default:
          break;
      }
    }
  }

  const RuleSet& set_;
  std::span<const uint8_t> in_;
  std::size_t size_;
  std::vector<uint8_t>& out_;

  std::size_t start_ = 0;
  std::size_t end_ = 0;
  std::size_t position_ = 0;
  bool carryOver_ = false;
  bool blankSkipping_ = false;
  bool caseInsensitive_ = true;

  std::array<std::vector<uint8_t>, kMaxGroups> groups_;
  std::size_t group_ = 0;
  std::size_t groupsUsed_ = 0;  // groups that may hold text from an earlier attempt
  bool capturing_ = false;
  std::vector<uint8_t> number_;
};

}  // namespace

std::vector<uint8_t> RunRules(const RuleSet& rules, std::span<const uint8_t> input) {
  std::vector<uint8_t> out;
  out.reserve(input.size() + input.size() / 8);
  RuleRunner(rules, input, out).Run();
  return out;
}

}  // namespace nuvel::tools
