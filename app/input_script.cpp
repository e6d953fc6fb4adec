#include "app/input_script.h"

#include <charconv>

namespace nuvel {

namespace {

std::string_view StripLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  return line;
}

}  // namespace

InputScript ParseInputScript(std::string_view text) {
  InputScript script;
  int lineNo = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = StripLineEnd(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    ++lineNo;
    if (line.empty() || line.front() == '#') continue;
    const size_t space = line.find(' ');
    const std::string_view word = line.substr(0, space);
    // The argument is everything after the first blank, blanks included, so
    // "type " followed by blanks types them.
    const std::string_view arg = space == std::string_view::npos ? std::string_view{} : line.substr(space + 1);
    InputStep step;
    if (word == "type") {
      step.kind = InputStepKind::Type;
    } else if (word == "key") {
      step.kind = InputStepKind::Key;
    } else if (word == "menu") {
      step.kind = InputStepKind::Menu;
    } else if (word == "wait") {
      step.kind = InputStepKind::Wait;
      const auto [ptr, ec] = std::from_chars(arg.data(), arg.data() + arg.size(), step.ms);
      if (ec != std::errc{} || ptr != arg.data() + arg.size() || step.ms < 0) {
        script.error = "line " + std::to_string(lineNo) + ": \"wait\" needs a number of milliseconds";
        return script;
      }
    } else {
      script.error = "line " + std::to_string(lineNo) + ": unknown step \"" + std::string(word) + "\"";
      return script;
    }
    if (step.kind != InputStepKind::Wait) {
      if (arg.empty()) {
        script.error = "line " + std::to_string(lineNo) + ": \"" + std::string(word) + "\" needs an argument";
        return script;
      }
      step.text = std::string(arg);
    }
    script.steps.push_back(std::move(step));
  }
  return script;
}

}  // namespace nuvel
