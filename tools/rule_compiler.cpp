#include "tools/rule_compiler.h"

#include <charconv>
#include <stdexcept>

#include "platform/ascii_case.h"
#include "platform/atomic_file.h"
#include "tools/rule_key.h"

namespace nuvel::tools {

namespace {

constexpr ByteSet MakeByteSet(std::string_view members) {
  ByteSet set{};
  for (char c : members) set[uint8_t(c)] = true;
  return set;
}

std::string ErrorText(unsigned ruleNumber, const std::string& line, const std::string& check) {
  if (ruleNumber == 0) return check;
  char digits[16];
  auto end = std::to_chars(digits, digits + sizeof digits, ruleNumber).ptr;
  return "********* COMPILATION ERROR in RULE # " + std::string(digits, end) + "\r " + line +
         "\r " + check;
}

bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

bool IsBlank(const std::string& line) {
  for (char c : line) {
    if (c != ' ' && c != '\t') return false;
  }
  return true;
}

using platform::AsciiUpper;
using platform::EqualsNoCase;

// Removes "/*" ... "*/" comments (to the end of the line when unclosed). A
// backslash keeps the character after it from starting a comment.
std::string RemoveComments(const std::string& line) {
  std::string out;
  out.reserve(line.size());
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == '\\' && i + 1 < line.size()) {
      out += line[i];
      out += line[i + 1];
      i += 2;
    } else if (line[i] == '/' && i + 1 < line.size() && line[i + 1] == '*') {
      std::size_t close = line.find("*/", i + 2);
      if (close == std::string::npos) break;
      i = close + 2;
    } else {
      out += line[i++];
    }
  }
  return out;
}

bool IsMacroLine(const std::string& line) {
  return line.size() >= 5 && EqualsNoCase(std::string_view(line).substr(0, 5), "MACRO");
}

struct MacroTable {
  std::vector<std::string> MacroNames;
  std::vector<std::string> MacroBodies;

  // "MACRO" and the character after it, then the name up to a space or ":",
  // then that one character; the rest is the body.
  void Define(const std::string& line) {
    std::string rest = line.size() > 6 ? line.substr(6) : std::string();
    std::size_t end = rest.find_first_of(" :");
    std::string name = rest.substr(0, end);
    std::string body = end == std::string::npos ? std::string() : rest.substr(end + 1);
    MacroNames.push_back(std::move(name));
    MacroBodies.push_back(std::move(body));
  }

  // The body of the first macro of that name, or nullptr.
  const std::string* Find(std::string_view name) const {
    for (std::size_t i = 0; i < MacroNames.size(); ++i) {
      if (EqualsNoCase(MacroNames[i], name)) return &MacroBodies[i];
    }
    return nullptr;
  }
};

// Compiles one rule line (comments removed, macros expanded).
class RuleParser {
 public:
  RuleParser(const std::string& line, unsigned ruleNumber) : s_(line), ruleNumber_(ruleNumber) {}

  CompiledRule Parse() {
    ParseLeft();
    ParseRight();
    CompiledRule rule;
    rule.left = std::move(left_);
    rule.right = std::move(right_);
    rule.key = key_;
    return rule;
  }

 private:
  [[noreturn]] void Fail(const std::string& check) const { throw RuleCompileError(ruleNumber_, s_, check); }

  bool More() const { return i_ < s_.size(); }
  // The byte at k; 0 past the end (callers test the position where NUL matters).
  uint8_t At(std::size_t k) const { return k < s_.size() ? uint8_t(s_[k]) : 0; }
  bool DigitAt(std::size_t k) const { return k < s_.size() && IsDigit(uint8_t(s_[k])); }

  void Emit(std::vector<uint8_t>& side, std::initializer_list<uint8_t> bytes) {
    if (side.size() + bytes.size() > kMaxCodeBytes) Fail(rule_errors::kCodeTooLong);
    side.insert(side.end(), bytes);
  }
  void EmitRun(std::vector<uint8_t>& side, uint8_t op, std::size_t from, std::size_t count) {
    if (side.size() + 2 + count > kMaxCodeBytes) Fail(rule_errors::kCodeTooLong);
    side.push_back(op);
    side.push_back(uint8_t(count));
    side.insert(side.end(), s_.begin() + std::ptrdiff_t(from), s_.begin() + std::ptrdiff_t(from + count));
  }

  // Only the first element of the pattern (a leading "{" aside) sets the key.
  void SetKey(uint8_t kind, uint8_t first, uint8_t second) {
    if (keyDecided_) return;
    key_.kind = kind;
    key_.first = first;
    key_.second = second;
    keyDecided_ = true;
  }
  void KeepKey() { keyDecided_ = true; }

  // One to three decimal digits at i_; the low byte of the value.
  uint8_t ReadDecimal() {
    unsigned value = 0;
    for (int n = 0; n < 3 && DigitAt(i_); ++n) value = value * 10 + unsigned(s_[i_++] - '0');
    return uint8_t(value & 0xFF);
  }

  void ParseLeft() {
    for (;;) {
      if (!More()) Fail(rule_errors::kNoSeparator);
      const uint8_t c = At(i_);
      switch (c) {
        case '=':
          ++i_;
          right_.push_back(kRightMarker);
          return;
        case '?':
          if (At(i_ + 1) == '*' && i_ + 1 < s_.size()) {
            const bool closes = i_ + 2 < s_.size() && At(i_ + 2) == '}';
            i_ += closes ? 3 : 2;
            if (!More() || (At(i_) != '[' && At(i_) != '$')) Fail(rule_errors::kMustBeSet);
            Emit(left_, {closes ? kLeftSkipToClose : kLeftSkipTo});
            if (closes) ++group_;
          } else {
            ++i_;
            Emit(left_, {kLeftAny});
          }
          SetKey(kKeyAlways, ' ', ' ');
          break;
        case '#':
          ++i_;
          Emit(left_, {kLeftDigit});
          SetKey(kKeyRange, '0', '9');
          break;
        case '!':
          ++i_;
          Emit(left_, {kLeftNumber});
          SetKey(kKeyNumberStart, '0', '9');
          break;
        case '%':
          ++i_;
          Emit(left_, {kLeftWindowStart});
          SetKey(kKeyWindowStart, ' ', ' ');
          break;
        case '$':
          ++i_;
          Emit(left_, {kLeftLineEnd});
          SetKey(kKeyLineEnd, '\r', '\n');
          break;
        case '{':
          ++i_;
          if (group_ >= kMaxGroups) Fail(rule_errors::kTooManyGroups);
          Emit(left_, {kLeftGroupOpen});
          break;
        case '}':
          ++i_;
          Emit(left_, {kLeftGroupClose});
          ++group_;
          KeepKey();
          break;
        case '[':
          ParseSet();
          break;
        case '|':
          ++i_;
          Emit(left_, {kLeftNothing});
          KeepKey();
          break;
        case '\\':
          ParseLeftEscape();
          break;
        case '@':
          Fail(rule_errors::kAtInLeftPart);
        default:
          ParseLeftLiteral();
          break;
      }
    }
  }

  void ParseLeftEscape() {
    if (i_ + 1 >= s_.size()) Fail(rule_errors::kBadEscape);
    const uint8_t n = At(i_ + 1);
    if (n == 'w' || n == 'c' || n == 'b') {
      i_ += 2;
      Emit(left_, {kLeftSwitch, n == 'w' ? kSwitchBlanks : n == 'c' ? kSwitchCase : kSwitchSpaceRun});
      KeepKey();
    } else if (LeftSpecialChars[n]) {
      i_ += 2;
      Emit(left_, {kLeftLiteral, 1, n});
      SetKey(kKeyChar, n, ' ');
    } else if (IsDigit(n)) {
      ++i_;
      const uint8_t code = ReadDecimal();
      Emit(left_, {kLeftLiteral, 1, code});
      SetKey(kKeyChar, code, ' ');
    } else {
      Fail(rule_errors::kBadEscape);
    }
  }

  void ParseLeftLiteral() {
    const std::size_t from = i_++;
    while (More() && !LeftSpecialChars[At(i_)]) ++i_;
    const std::size_t count = i_ - from;
    EmitRun(left_, kLeftLiteral, from, count);
    if (count == 1) {
      SetKey(kKeyChar, At(from), ' ');
    } else {
      SetKey(kKeyPair, At(from), At(from + 1));
    }
  }

  // "[" ["~"] members "]" ["*"]. A range "a-z" is stored as a, NUL, z.
  void ParseSet() {
    ++i_;
    uint8_t negated = 0;
    if (More() && At(i_) == '~') {
      negated = 1;
      ++i_;
    }
    std::vector<uint8_t> members;
    uint8_t lowest = 0xFF;
    uint8_t highest = 0x00;
    std::size_t valueCount = 0;
    bool lastEndsRange = false;
    bool inRange = false;
    for (;;) {
      if (!More()) Fail(rule_errors::kNeedCloseBracket);
      const uint8_t c = At(i_);
      if (c == ']') {
        ++i_;
        break;
      }
      uint8_t member = c;
      if (c == '\\' && i_ + 1 < s_.size() && At(i_ + 1) == '-') {
        member = '-';
        i_ += 2;
      } else if (c == '\\' && DigitAt(i_ + 1)) {
        ++i_;
        member = ReadDecimal();
      } else if (c == '-' && valueCount > 0 && !lastEndsRange && i_ + 1 < s_.size() && At(i_ + 1) != ']') {
        ++i_;
        members.push_back(0);
        inRange = true;
        continue;
      } else {
        ++i_;
      }
      members.push_back(member);
      ++valueCount;
      lowest = std::min(lowest, member);
      highest = std::max(highest, member);
      lastEndsRange = inRange;
      inRange = false;
    }
    if (members.size() == 1) members.push_back(members.front());
    const bool run = More() && At(i_) == '*';
    if (run) ++i_;
    if (left_.size() + 3 + members.size() > kMaxCodeBytes) Fail(rule_errors::kCodeTooLong);
    left_.push_back(run ? kLeftSetRun : kLeftSet);
    left_.push_back(negated);
    left_.push_back(uint8_t(members.size()));
    left_.insert(left_.end(), members.begin(), members.end());
    SetKey(negated ? kKeyOutsideRange : kKeyRange, lowest, highest);
  }

  void ParseRight() {
    while (More()) {
      const uint8_t c = At(i_);
      switch (c) {
        case '&':
        case '^':
          if (!DigitAt(i_ + 1)) Fail(c == '&' ? rule_errors::kDigitAfterAmpersand : rule_errors::kDigitAfterCaret);
          Emit(right_, {c == '&' ? kRightGroup : kRightReversed, uint8_t(At(i_ + 1) - '0')});
          i_ += 2;
          break;
        case '$':
          ++i_;
          Emit(right_, {kRightLineEnd});
          break;
        case '@': {
          ++i_;
          unsigned value = 0;
          std::size_t digits = 0;
          while (DigitAt(i_)) {
            value = (value * 10 + unsigned(s_[i_++] - '0')) & 0xFF;
            ++digits;
          }
          if (digits == 0 || !More() || At(i_) != ':') Fail(rule_errors::kWrongAtParameter);
          ++i_;
          Emit(right_, {kRightParam, uint8_t(value)});
          break;
        }
        case '\\': {
          if (i_ + 1 >= s_.size()) Fail(rule_errors::kBadEscape);
          const uint8_t n = At(i_ + 1);
          if (RightSpecialChars[n]) {
            i_ += 2;
            Emit(right_, {kRightLiteral, 1, n});
          } else if (IsDigit(n)) {
            ++i_;
            Emit(right_, {kRightLiteral, 1, ReadDecimal()});
          } else {
            Fail(rule_errors::kBadEscape);
          }
          break;
        }
        default: {
          const std::size_t from = i_++;
          while (More() && At(i_) != 0 && !RightSpecialChars[At(i_)]) ++i_;
          EmitRun(right_, kRightLiteral, from, i_ - from);
          break;
        }
      }
    }
  }

  const std::string& s_;
  unsigned ruleNumber_;
  std::size_t i_ = 0;
  std::vector<uint8_t> left_;
  std::vector<uint8_t> right_;
  RuleKey key_;
  bool keyDecided_ = false;
  std::size_t group_ = 0;
};

// Replaces each "@name@" (an "@" with no backslash right before it) by the
// body of that macro; the search goes on after the inserted body.
void ExpandMacros(std::string& line, unsigned ruleNumber, const MacroTable& macros) {
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] != '@' || (i > 0 && line[i - 1] == '\\')) {
      ++i;
      continue;
    }
    std::size_t close = line.find('@', i + 1);
    if (close == std::string::npos) throw RuleCompileError(ruleNumber, line, rule_errors::kMacroDelimiter);
    std::string name = line.substr(i + 1, close - i - 1);
    const std::string* body = macros.Find(name);
    if (body == nullptr) {
      throw RuleCompileError(ruleNumber, line, "Name " + name + rule_errors::kMacroNotFound);
    }
    line.replace(i, close - i + 1, *body);
    i += body->size();
  }
}

// Each rule's link is the next rule whose first key character is the same
// without regard to ASCII case.
void LinkRules(std::vector<CompiledRule>& rules) {
  std::array<uint32_t, 256> following{};
  for (std::size_t i = rules.size(); i-- > 0;) {
    const uint8_t first = AsciiUpper(rules[i].key.first);
    rules[i].key.link = following[first];
    following[first] = uint32_t(i + 1);
  }
}

}  // namespace

const ByteSet LeftSpecialChars = MakeByteSet("!#$%*=?@[\\]{|}~");
const ByteSet RightSpecialChars = MakeByteSet("$&@\\^");

RuleCompileError::RuleCompileError(unsigned ruleNumber, std::string line, std::string check)
    : std::runtime_error(ErrorText(ruleNumber, line, check)),
      ruleNumber_(ruleNumber),
      line_(std::move(line)),
      check_(std::move(check)) {}

RuleSet CompileRules(std::span<const std::string> lines) {
  RuleSet set;
  MacroTable macros;
  unsigned ruleCount = 0;
  for (const std::string& raw : lines) {
    if (raw.find('=') == std::string::npos) continue;
    std::string line = RemoveComments(raw);
    if (IsBlank(line)) continue;
    if (IsMacroLine(line)) {
      macros.Define(line);
      continue;
    }
    ++ruleCount;
    if (ruleCount > kMaxRules) throw RuleCompileError(ruleCount, line, rule_errors::kTooManyRules);
    if (line.find('@') != std::string::npos) ExpandMacros(line, ruleCount, macros);
    set.rules.push_back(RuleParser(line, ruleCount).Parse());
  }
  if (set.rules.empty()) throw RuleCompileError(0, std::string(), rule_errors::kNoRules);
  LinkRules(set.rules);
  BuildCandidateIndex(set);
  return set;
}

std::vector<std::string> SplitRuleLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos) end = bytes.size();
    std::size_t stop = end;
    if (end != bytes.size() && stop > start && bytes[stop - 1] == '\r') --stop;
    lines.emplace_back(bytes.substr(start, stop - start));
    start = next;
  }
  return lines;
}

std::vector<std::string> ReadRuleFile(const std::filesystem::path& path) {
  // Only a regular file is read: a named pipe is refused without waiting for a writer.
  std::string bytes;
  if (!platform::ReadFileBytes(path, bytes)) throw std::runtime_error("Cannot read " + path.string());
  return SplitRuleLines(bytes);
}

}  // namespace nuvel::tools
