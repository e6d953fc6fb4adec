#include "app/macro_script.h"

#include <charconv>

namespace nuvel {
namespace {

constexpr uint8_t kHebPe = 0xF4;
constexpr uint8_t kHebQof = 0xF7;

uint8_t UpperAscii(uint8_t c) { return (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 32) : c; }
bool IsNumberByte(uint8_t c) { return (c >= '0' && c <= '9') || c == '.'; }

// The number "&D" reads; 0 when the characters do not convert whole.
int MenuNumber(std::string_view digits) {
  int n = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  if (ec != std::errc() || end != digits.data() + digits.size()) return 0;
  return n;
}

}  // namespace

std::optional<std::string_view> MacroMenuItemName(int number) {
  switch (number) {
    case 3: return "Open1";
    case 65: return "SelFill1";
    case 66: return "SelUpperCase1";
    case 67: return "BlockLowerCase1";
    case 265: return "Font1";
    case 293: return "Compare1";
    default: return std::nullopt;
  }
}

std::vector<MacroAction> InterpretMacro(std::string_view source) {
  const std::string text(source);  // the interpreter's own copy
  std::vector<MacroAction> actions;
  size_t i = 0;
  auto type = [&](uint8_t b) { actions.push_back({MacroAction::Kind::Type, b, 0, {}}); };
  while (i < text.size()) {
    uint8_t c = static_cast<uint8_t>(text[i]);
    if (c == '&') {
      if (i + 1 >= text.size()) break;  // a lone "&" at the end escapes nothing
      uint8_t e = UpperAscii(static_cast<uint8_t>(text[i + 1]));
      if (e == '&') {
        type('&');
        i += 2;
        continue;
      }
      if (e == ';') break;
      if (e == 'D' || e == kHebPe) {
        size_t j = i + 2;
        while (j < text.size() && IsNumberByte(static_cast<uint8_t>(text[j]))) ++j;
        int n = MenuNumber(std::string_view(text).substr(i + 2, j - (i + 2)));
        if (MacroMenuItemName(n)) actions.push_back({MacroAction::Kind::ClickMenu, 0, n, {}});
        i = j;
        continue;
      }
      if (e == 'F' || e == kHebQof) {
        size_t j = i + 2;
        while (j < text.size() && text[j] != '{' && text[j] != '\r') ++j;
        std::string name = text.substr(i + 2, j - (i + 2));
        if (name.empty())
          actions.push_back({MacroAction::Kind::ChooseFile, 0, 0, {}});
        else
          actions.push_back({MacroAction::Kind::PlayFile, 0, 0, std::move(name)});
        i = j < text.size() ? j + 1 : j;  // the "{" or CR ends the name
        continue;
      }
      i += 2;  // an unknown escape does nothing
      continue;
    }
    type(c == '{' ? 13 : c);
    ++i;
  }
  return actions;
}

std::string ReadMacroText(std::string_view text, size_t& pos) {
  std::string out;
  while (pos < text.size()) {
    char c = text[pos];
    if (c == '{' || c == '\r') {
      ++pos;
      break;
    }
    if (c == '&') {
      if (pos + 1 >= text.size()) {
        pos = text.size();
        break;
      }
      char e = text[pos + 1];
      if (e == '&') out.push_back('&');
      if (e == ';') {
        pos = text.size();
        break;
      }
      pos += 2;
      continue;
    }
    out.push_back(c);
    ++pos;
  }
  return out;
}

}  // namespace nuvel
