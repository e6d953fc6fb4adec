#include "app/dialog_filter.h"

namespace nuvel {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::string QtPattern(std::string_view p) { return p == "*.*" ? std::string("*") : std::string(p); }

// A left-to-right run inside right-to-left text: U+2066 ... U+2069.
std::string Isolated(std::string_view s) { return "\u2066" + std::string(s) + "\u2069"; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string HebrewFilterText(std::string_view text) {
  // What the program calls its kinds of files, and their Hebrew names.
  static constexpr struct {
    std::string_view english, hebrew;
  } kNames[] = {
      {"All files", "כל הקבצים"},
      {"Nuvel Windows files", "קובצי נובל חלונות"},
      {"Nuvel DOS files", "קובצי נובל דוס"},
      {"Text files", "קובצי טקסט"},
      {"SuperFind Rule files", "קובצי כללים לחיפוש-על"},
      {"Key Files", "קובצי מקשים"},
      {"Nuvel Macro", "קובצי מאקרו של נובל"},
      {"Nuvel Macros", "קובצי מאקרו של נובל"},
  };
  for (const auto& n : kNames)
    if (EqualsNoCase(text, n.english)) return std::string(n.hebrew);
  constexpr std::string_view kFiles = " files";
  if (text.size() > kFiles.size() && EqualsNoCase(text.substr(text.size() - kFiles.size()), kFiles))
    return "קובצי " + Isolated(Trim(text.substr(0, text.size() - kFiles.size())));
  return std::string(text);
}

std::vector<FilterEntry> ParseDialogFilter(std::string_view filter) {
  // The stored filter begins with "|" so that it can follow a pattern; alone
  // it reads from the next word.
  if (filter.starts_with('|')) filter.remove_prefix(1);
  std::vector<std::string_view> words;
  size_t start = 0;
  while (start <= filter.size()) {
    size_t bar = filter.find('|', start);
    if (bar == std::string_view::npos) bar = filter.size();
    words.push_back(filter.substr(start, bar - start));
    start = bar + 1;
  }
  std::vector<FilterEntry> entries;
  for (size_t i = 0; i < words.size(); i += 2) {
    std::string_view text = Trim(words[i]);
    std::string_view pats = i + 1 < words.size() ? words[i + 1] : std::string_view();
    FilterEntry e;
    e.text = std::string(text);
    size_t s = 0;
    while (s <= pats.size()) {
      size_t semi = pats.find(';', s);
      if (semi == std::string_view::npos) semi = pats.size();
      std::string_view p = Trim(pats.substr(s, semi - s));
      if (!p.empty()) e.patterns.emplace_back(p);
      s = semi + 1;
    }
    if (e.text.empty() && e.patterns.empty()) continue;
    entries.push_back(std::move(e));
  }
  return entries;
}

std::vector<std::string> QtNameFilters(std::string_view filter, FilterLanguage language) {
  std::vector<std::string> out;
  for (const FilterEntry& e : ParseDialogFilter(filter)) {
    std::string original;   // the patterns as written
    std::string qt;         // the patterns Qt matches with
    for (const std::string& p : e.patterns) {
      if (!original.empty()) {
        original += ' ';
        qt += ' ';
      }
      original += p;
      qt += QtPattern(p);
    }
    if (qt.empty()) qt.push_back('*');
    std::string text = e.text.empty() ? original : e.text;
    // A text ending in "(patterns)" has them cut off, so that Qt reads the
    // parentheses added here and no pattern shows twice.
    std::string tail;
    tail.append("(").append(original).append(")");
    std::string_view tv = text;
    if (!original.empty() && tv.ends_with(tail)) tv = Trim(tv.substr(0, tv.size() - tail.size()));
    std::string entry(tv);
    if (language == FilterLanguage::Hebrew) {
      entry = HebrewFilterText(tv);
      if (!original.empty()) entry.append(" ").append(Isolated("(" + original + ")"));
    }
    entry.append(" (").append(qt).append(")");
    out.push_back(std::move(entry));
  }
  return out;
}

std::string QtFilterString(std::string_view filter, FilterLanguage language) {
  std::string joined;
  for (const std::string& f : QtNameFilters(filter, language)) {
    if (!joined.empty()) joined += ";;";
    joined += f;
  }
  return joined;
}

}  // namespace nuvel
