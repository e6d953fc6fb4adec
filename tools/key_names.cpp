#include "tools/key_names.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/virtual_keys.h"

namespace nuvel {

namespace {

using namespace platform;

constexpr size_t kMaxMacroChars = 30;

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// Compares without regard to ASCII case, byte by byte.
int CompareNoCase(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto x = static_cast<uint8_t>(Upper(a[i]));
    const auto y = static_cast<uint8_t>(Upper(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The names live as long as the program, in one list built once.
struct Table {
  std::vector<std::string> names;
  std::vector<KeyNameRecord> records;
  Table() {
    std::vector<std::pair<std::string, std::pair<uint8_t, uint8_t>>> rows;
    auto add = [&rows](std::string name, uint8_t code, uint8_t scan) {
      rows.push_back({"<" + name + ">", {code, scan}});
    };
    add("BkSp", 8, 0);
    add("Enter", 13, 0);
    add("Tab", 9, 0);
    static constexpr uint8_t kLetterScan[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                                49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
    for (int i = 0; i < 26; ++i) {
      const std::string letter(1, static_cast<char>('A' + i));
      add("Ctrl+" + letter, static_cast<uint8_t>(i + 1), 0);
      add("Alt+" + letter, 0, kLetterScan[i]);
    }
    for (int d = 1; d <= 9; ++d) add("Alt+" + std::to_string(d), 0, static_cast<uint8_t>(119 + d));
    add("Alt+0", 0, 129);
    add("Alt+-", 0, 130);
    add("Alt+=", 0, 131);
    // F1..F10 59..68; with Shift 84..93, Ctrl 94..103, Alt 104..113;
    // F11 and F12 133/134, with Shift 135/136, Ctrl 137/138, Alt 139/140.
    for (int f = 1; f <= 12; ++f) {
      const std::string key = "F" + std::to_string(f);
      const auto base = [f](int ten, int eleven) {
        return static_cast<uint8_t>(f <= 10 ? ten + f - 1 : eleven + (f - 11));
      };
      add(key, 0, base(59, 133));
      add("Shift+" + key, 0, base(84, 135));
      add("Ctrl+" + key, 0, base(94, 137));
      add("Alt+" + key, 0, base(104, 139));
    }
    add("Home", 0, 71);
    add("Up", 0, 72);
    add("PgUp", 0, 73);
    add("Left", 0, 75);
    add("Right", 0, 77);
    add("End", 0, 79);
    add("Down", 0, 80);
    add("PgDn", 0, 81);
    add("Ins", 0, 82);
    add("Del", 0, 83);
    add("Shift+Tab", 0, 15);
    add("Ctrl+Left", 0, 115);
    add("Ctrl+Right", 0, 116);
    add("Ctrl+End", 0, 117);
    add("Ctrl+PgDn", 0, 118);
    add("Ctrl+Home", 0, 119);
    add("Ctrl+PgUp", 0, 132);
    std::sort(rows.begin(), rows.end(),
              [](const auto& a, const auto& b) { return CompareNoCase(a.first, b.first) < 0; });
    names.reserve(rows.size());
    for (const auto& r : rows) names.push_back(r.first);
    for (size_t i = 0; i < rows.size(); ++i) {
      records.push_back({names[i], rows[i].second.first, rows[i].second.second});
    }
  }
};

const Table& TheTable() {
  static const Table table;
  return table;
}

const KeyNameRecord* Find(std::string_view token) {
  const auto& r = TheTable().records;
  size_t lo = 0, hi = r.size();
  while (lo < hi) {
    const size_t mid = (lo + hi) / 2;
    const int c = CompareNoCase(token, r[mid].name);
    if (c == 0) return &r[mid];
    if (c < 0) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  return nullptr;
}

// The length of the known bracketed name that starts at `at`, 0 when none.
size_t KnownNameAt(std::string_view text, size_t at) {
  if (at >= text.size() || text[at] != '<') return 0;
  const size_t close = text.find('>', at + 1);
  if (close == std::string_view::npos || close - at + 1 > 15) return 0;
  const size_t next = text.find('<', at + 1);
  if (next != std::string_view::npos && next < close) return 0;
  return Find(text.substr(at, close - at + 1)) ? close - at + 1 : 0;
}

}  // namespace

std::span<const KeyNameRecord> KeyNameTable() { return TheTable().records; }

std::string TextToKey(std::string_view token) {
  const KeyNameRecord* r = Find(token);
  if (!r) return std::string(token);
  if (r->code == 0) return {};
  return std::string(1, static_cast<char>(r->code));
}

std::string StoreTextAsKeys(std::string_view text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '<') {
      out.push_back(text[i++]);
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '<') {
      out.push_back('<');
      i += 2;
      continue;
    }
    size_t end = text.find_first_of("<>", i + 1);
    if (end == std::string_view::npos) {
      end = text.size();
    } else if (text[end] == '>') {
      ++end;
    }
    out += TextToKey(text.substr(i, end - i));
    i = end;
  }
  if (out.size() > kMaxMacroChars) out.resize(kMaxMacroChars);
  return out;
}

std::string DisplayAsText(std::string_view keys) {
  const auto records = KeyNameTable();
  std::string out;
  for (size_t i = 0; i < keys.size(); ++i) {
    const auto b = static_cast<uint8_t>(keys[i]);
    if ((b >= 32 && b <= 126) || (b >= 129 && b <= 250)) {
      out.push_back(static_cast<char>(b));
      continue;
    }
    if (b == 0) {
      if (i + 1 >= keys.size()) break;
      const auto scan = static_cast<uint8_t>(keys[++i]);
      const auto it = std::find_if(records.begin(), records.end(),
                                   [scan](const KeyNameRecord& r) { return r.code == 0 && r.scan == scan; });
      if (it != records.end()) out += it->name;
      continue;
    }
    // The key's own name before a Ctrl+letter that types the same code.
    const KeyNameRecord* named = nullptr;
    for (const KeyNameRecord& r : records) {
      if (r.code != b) continue;
      if (!named || (named->name.starts_with("<Ctrl+") && !r.name.starts_with("<Ctrl+"))) named = &r;
    }
    if (named) {
      out += named->name;
    } else {
      out.push_back(static_cast<char>(b));
    }
  }
  return out;
}

std::string KeyName(uint8_t vk) {
  if (vk >= 'A' && vk <= 'Z') return std::string(1, static_cast<char>(vk));
  if (vk >= '0' && vk <= '9') return std::string(1, static_cast<char>(vk));
  if (vk >= VK_F1 && vk <= VK_F24) return "F" + std::to_string(vk - VK_F1 + 1);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return "Num " + std::to_string(vk - VK_NUMPAD0);
  switch (vk) {
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Ins";
    case VK_DELETE: return "Del";
    case VK_PAUSE: return "Pause";
    case VK_MULTIPLY: return "Num *";
    case VK_ADD: return "Num +";
    case VK_SUBTRACT: return "Num -";
    case VK_DECIMAL: return "Num Del";
    case VK_DIVIDE: return "Num /";
    case VK_OEM_1: return ";";
    case VK_OEM_PLUS: return "=";
    case VK_OEM_COMMA: return ",";
    case VK_OEM_MINUS: return "-";
    case VK_OEM_PERIOD: return ".";
    case VK_OEM_2: return "/";
    case VK_OEM_3: return "`";
    case VK_OEM_4: return "[";
    case VK_OEM_5: return "\\";
    case VK_OEM_6: return "]";
    case VK_OEM_7: return "'";
    default: return {};
  }
}

std::string KeyToText(uint8_t vk, bool shift, bool ctrl, bool alt) {
  const auto wrap = [ctrl, alt](const std::string& name) {
    if (ctrl) return "<Ctrl+" + name + ">";
    if (alt) return "<Alt+" + name + ">";
    return name;
  };
  if (vk >= 'A' && vk <= 'Z') return wrap(std::string(1, static_cast<char>(vk)));
  if (vk >= '0' && vk <= '9') {
    return wrap(std::string(1, shift ? ")!@#$%^&*("[vk - '0'] : static_cast<char>(vk)));
  }
  struct Shifted { uint8_t vk; char ch; };
  static constexpr Shifted kShifted[] = {
      {VK_OEM_1, ':'}, {VK_OEM_PLUS, '+'}, {VK_OEM_COMMA, '<'}, {VK_OEM_MINUS, '_'},
      {VK_OEM_PERIOD, '>'}, {VK_OEM_2, '?'}, {VK_OEM_3, '~'}, {VK_OEM_4, '{'},
      {VK_OEM_5, '|'}, {VK_OEM_6, '}'}, {VK_OEM_7, '"'},
  };
  if (shift) {
    for (const Shifted& s : kShifted) {
      if (s.vk == vk) return std::string(1, s.ch);
    }
  }
  const std::string name = KeyName(vk);
  if (name.empty()) return {};
  if (shift) return "<Shift+" + name + ">";
  if (name.size() == 1) return ctrl || alt ? wrap(name) : name;
  if (ctrl) return "<Ctrl+" + name + ">";
  if (alt) return "<Alt+" + name + ">";
  return "<" + name + ">";
}

size_t UnitStartBefore(std::string_view text, size_t caret) {
  if (caret == 0 || caret > text.size()) return caret == 0 ? 0 : text.size();
  if (text[caret - 1] == '>') {
    const size_t open = text.rfind('<', caret - 1);
    if (open != std::string_view::npos && KnownNameAt(text, open) == caret - open) return open;
  }
  return caret - 1;
}

size_t UnitEndAfter(std::string_view text, size_t caret) {
  if (caret >= text.size()) return text.size();
  if (const size_t n = KnownNameAt(text, caret)) return caret + n;
  return caret + 1;
}

size_t UnitStartAround(std::string_view text, size_t pos) {
  if (pos == 0 || pos >= text.size()) return pos;
  const size_t open = text.rfind('<', pos - 1);
  if (open == std::string_view::npos) return pos;
  const size_t n = KnownNameAt(text, open);
  return n != 0 && pos < open + n ? open : pos;
}

}  // namespace nuvel
