#include "tools/spell_prefix_rules.h"

#include "tools/spell_word_sources.h"

namespace nuvel {

namespace {

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) out.push_back(line.substr(start, i - start));
  }
  return out;
}

// The length of the UTF-8 character that starts with `b`.
std::size_t Utf8Length(std::uint8_t b) {
  if (b < 0x80) return 1;
  if ((b & 0xE0) == 0xC0) return 2;
  if ((b & 0xF0) == 0xE0) return 3;
  return 4;
}

// One UTF-8 character in the dictionary code; false when it has none.
bool OneChar(std::string_view text, std::size_t& at, char& out) {
  const std::size_t len = Utf8Length(static_cast<std::uint8_t>(text[at]));
  if (at + len > text.size()) return false;
  const std::string code = HebrewUtf8ToDicCode(text.substr(at, len));
  at += len;
  if (code.size() != 1) return false;
  out = code[0];
  return true;
}

// A strip or append field: "0" is nothing; continuation flags after "/"
// are not used by the checker.
bool AffixString(std::string_view field, std::string& out) {
  field = field.substr(0, field.find('/'));
  out.clear();
  if (field == "0") return true;
  for (std::size_t i = 0; i < field.size();) {
    char c = 0;
    if (!OneChar(field, i, c)) return false;
    out += c;
  }
  return true;
}

}  // namespace

bool TSpPrefixRules::Rule::Matches(std::string_view root) const {
  if (root.size() < condition.size()) return false;
  for (std::size_t i = 0; i < condition.size(); ++i) {
    if (!condition[i].test(static_cast<std::uint8_t>(root[i]))) return false;
  }
  return true;
}

TSpPrefixRules TSpPrefixRules::Parse(std::string_view text) {
  TSpPrefixRules r;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string_view> f = Fields(line);
    if (f.empty() || f[0][0] == '#') continue;
    if (f[0] == "CLASS" && f.size() >= 2) {
      // A class file is a plain name in the rule file's folder.
      if (r.classes_.size() < kSpellMaxClasses && f[1].find('/') == std::string_view::npos) {
        std::string flags = f.size() >= 3 && f[2] != "-" ? std::string(f[2]) : std::string();
        r.classes_.push_back({std::string(f[1]), std::move(flags)});
      }
    } else if (f[0] == "NEEDAFFIX" && f.size() >= 2 && f[1].size() == 1) {
      r.needAffix_ += f[1][0];
    } else if (f[0] == "PFX" && f.size() >= 5 && f[1].size() == 1) {
      std::string strip, append;
      if (!AffixString(f[2], strip) || !AffixString(f[3], append)) continue;
      // The condition: letters, "." and bracketed sets.
      std::vector<CharSet> condition;
      const std::string_view c = f[4];
      bool ok = true;
      for (std::size_t i = 0; i < c.size() && ok;) {
        CharSet set;
        if (c[i] == '.') {
          set.set();
          ++i;
        } else if (c[i] == '[') {
          ++i;
          const bool negate = i < c.size() && c[i] == '^';
          if (negate) ++i;
          while (i < c.size() && c[i] != ']' && ok) {
            char ch = 0;
            ok = OneChar(c, i, ch);
            if (ok) set.set(static_cast<std::uint8_t>(ch));
          }
          ok = ok && i < c.size();
          ++i;
          if (negate) set.flip();
        } else {
          char ch = 0;
          ok = OneChar(c, i, ch);
          if (ok) set.set(static_cast<std::uint8_t>(ch));
        }
        condition.push_back(set);
      }
      if (ok && (!append.empty() || !strip.empty())) r.AddRule(f[1][0], std::move(strip), std::move(append), std::move(condition));
    }
  }
  r.Finish();
  return r;
}

TSpPrefixRules TSpPrefixRules::OneLetterPrefixes(std::string fileName) {
  TSpPrefixRules r;
  r.classes_.push_back({std::move(fileName), "p"});
  CharSet any;
  any.set();
  // ב ה ו כ ל מ ש in the dictionary code.
  for (char letter : {'\x81', '\x84', '\x85', '\x8B', '\x8C', '\x8E', '\x99'}) r.AddRule('p', "", std::string(1, letter), {any});
  r.Finish();
  return r;
}

void TSpPrefixRules::AddRule(char flag, std::string strip, std::string append, std::vector<CharSet> condition) {
  std::uint32_t node = 0;
  for (const char c : append) {
    std::uint32_t next = Child(node, static_cast<std::uint8_t>(c));
    if (next == 0) {
      next = static_cast<std::uint32_t>(nodes_.size());
      nodes_[node].children.emplace_back(static_cast<std::uint8_t>(c), next);
      nodes_.emplace_back();
    }
    node = next;
  }
  std::vector<Rule>& rules = nodes_[node].rules;
  longestAppend_ = std::max(longestAppend_, append.size());
  // Flags with the same prefix, strip and condition share one rule.
  for (Rule& rule : rules) {
    if (rule.strip == strip && rule.condition == condition) {
      if (rule.flags.find(flag) == std::string::npos) rule.flags += flag;
      return;
    }
  }
  rules.push_back({std::move(strip), std::move(condition), 0, std::string(1, flag)});
}

void TSpPrefixRules::Finish() {
  bare_ = 0;
  for (std::size_t i = 0; i < classes_.size(); ++i) {
    if (classes_[i].flags.find_first_of(needAffix_) == std::string::npos) bare_ |= SpellClassMask{1} << i;
  }
  for (Node& node : nodes_) {
    for (Rule& rule : node.rules) {
      rule.classes = 0;
      for (std::size_t i = 0; i < classes_.size(); ++i) {
        if (classes_[i].flags.find_first_of(rule.flags) != std::string::npos) rule.classes |= SpellClassMask{1} << i;
      }
    }
  }
}

}  // namespace nuvel
