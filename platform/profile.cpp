#include "platform/profile.h"

#include "platform/ascii_case.h"
#include "platform/atomic_file.h"

namespace nuvel::platform {
namespace {

struct Line {
  std::string text;  // without its line end
  std::string eol;   // "\r\n", "\n" or "" for a last line without one
};

struct ProfileFile {
  std::string bom;  // a UTF-8 byte-order mark found at the start, kept on write
  std::vector<Line> lines;
};

ProfileFile Split(std::string_view bytes) {
  ProfileFile f;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    f.bom = bytes.substr(0, 3);
    bytes.remove_prefix(3);
  }
  while (!bytes.empty()) {
    size_t lf = bytes.find('\n');
    Line line;
    if (lf == std::string_view::npos) {
      line.text = bytes;
      bytes = {};
    } else {
      std::string_view t = bytes.substr(0, lf);
      if (!t.empty() && t.back() == '\r') {
        t.remove_suffix(1);
        line.eol = "\r\n";
      } else {
        line.eol = "\n";
      }
      line.text = t;
      bytes.remove_prefix(lf + 1);
    }
    f.lines.push_back(std::move(line));
  }
  return f;
}

std::string Join(const ProfileFile& f) {
  std::string out = f.bom;
  for (const Line& l : f.lines) {
    out += l.text;
    out += l.eol;
  }
  return out;
}

// The line end used for lines the program adds: the file's own, CR LF for a new file.
std::string LineEnd(const ProfileFile& f) {
  for (const Line& l : f.lines) {
    if (!l.eol.empty()) return l.eol;
  }
  return "\r\n";
}

// The section name when the line is a section header.
std::optional<std::string_view> SectionHeader(std::string_view text) {
  std::string_view t = TrimBlanks(text);
  if (t.empty() || t.front() != '[') return std::nullopt;
  size_t close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(t.substr(1, close - 1));
}

bool IsComment(std::string_view text) {
  std::string_view t = TrimBlanks(text);
  return !t.empty() && t.front() == ';';
}

// The key of a "key=value" line (comments and header lines have none).
std::optional<std::string_view> KeyOf(std::string_view text) {
  if (IsComment(text) || SectionHeader(text)) return std::nullopt;
  size_t eq = text.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return TrimBlanks(text.substr(0, eq));
}

std::string ValueOf(std::string_view text) {
  std::string_view v = TrimBlanks(text.substr(text.find('=') + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return std::string(v);
}

// Range of lines [header, end) of the first section named `section`; header == npos when absent.
struct SectionRange {
  size_t header = std::string::npos;
  size_t end = 0;
};

SectionRange FindSection(const ProfileFile& f, std::string_view section) {
  SectionRange r;
  std::string_view wanted = TrimBlanks(section);
  for (size_t i = 0; i < f.lines.size(); ++i) {
    auto name = SectionHeader(f.lines[i].text);
    if (!name) continue;
    if (r.header != std::string::npos) {
      r.end = i;
      return r;
    }
    if (EqualsNoCase(*name, wanted)) r.header = i;
  }
  r.end = f.lines.size();
  return r;
}

size_t FindKey(const ProfileFile& f, const SectionRange& r, std::string_view key) {
  std::string_view wanted = TrimBlanks(key);
  for (size_t i = r.header + 1; i < r.end; ++i) {
    auto k = KeyOf(f.lines[i].text);
    if (k && EqualsNoCase(*k, wanted)) return i;
  }
  return std::string::npos;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

bool LoadProfile(const std::filesystem::path& file, ProfileFile& f) {
  std::string bytes;
  if (!ReadFileBytes(file, bytes)) return false;
  f = Split(bytes);
  return true;
}

}  // namespace

std::optional<std::string> GetPrivateProfileString(std::string_view section, std::string_view key,
                                                   const std::filesystem::path& file) {
  ProfileFile f;
  if (!LoadProfile(file, f)) return std::nullopt;
  SectionRange r = FindSection(f, section);
  if (r.header == std::string::npos) return std::nullopt;
  size_t at = FindKey(f, r, key);
  if (at == std::string::npos) return std::nullopt;
  return ValueOf(f.lines[at].text);
}

bool WritePrivateProfileString(std::string_view section, std::optional<std::string_view> key,
                               std::optional<std::string_view> value, const std::filesystem::path& file) {
  if (HasLineBreak(section) || section.find(']') != std::string_view::npos) return false;
  if (key && (HasLineBreak(*key) || key->find('=') != std::string_view::npos)) return false;
  if (value && HasLineBreak(*value)) return false;

  ProfileFile f;
  bool existed = LoadProfile(file, f);
  std::error_code ec;
  // A file that is there but cannot be read is never replaced by a new one.
  if (!existed && std::filesystem::exists(file, ec)) return false;
  SectionRange r = FindSection(f, section);
  const std::string eol = LineEnd(f);

  if (!key) {  // remove the section
    if (r.header == std::string::npos) return true;
    f.lines.erase(f.lines.begin() + static_cast<std::ptrdiff_t>(r.header),
                  f.lines.begin() + static_cast<std::ptrdiff_t>(r.end));
    return WriteFileAtomically(file, Join(f));
  }

  if (!value) {  // remove the key
    if (r.header == std::string::npos) return true;
    size_t at = FindKey(f, r, *key);
    if (at == std::string::npos) return true;
    f.lines.erase(f.lines.begin() + static_cast<std::ptrdiff_t>(at));
    return WriteFileAtomically(file, Join(f));
  }

  std::string_view key_name = TrimBlanks(*key);
  if (r.header == std::string::npos) {
    if (!f.lines.empty() && f.lines.back().eol.empty()) f.lines.back().eol = eol;
    if (!f.lines.empty() && !TrimBlanks(f.lines.back().text).empty()) f.lines.push_back({"", eol});
    f.lines.push_back({"[" + std::string(TrimBlanks(section)) + "]", eol});
    f.lines.push_back({std::string(key_name) + "=" + std::string(*value), eol});
  } else if (size_t at = FindKey(f, r, *key); at != std::string::npos) {
    // Keep the key as it is spelt in the file.
    std::string& text = f.lines[at].text;
    std::string old_key(TrimBlanks(std::string_view(text).substr(0, text.find('='))));
    std::string new_text = old_key + "=" + std::string(*value);
    if (existed && text == new_text) return true;
    text = std::move(new_text);
  } else {
    // After the section's last non-blank line, so blank lines between sections stay.
    size_t insert = r.end;
    while (insert > r.header + 1 && TrimBlanks(f.lines[insert - 1].text).empty()) --insert;
    if (insert > 0 && f.lines[insert - 1].eol.empty()) f.lines[insert - 1].eol = eol;
    f.lines.insert(f.lines.begin() + static_cast<std::ptrdiff_t>(insert),
                   Line{std::string(key_name) + "=" + std::string(*value), eol});
  }
  return WriteFileAtomically(file, Join(f));
}

std::vector<std::string> GetPrivateProfileSectionNames(const std::filesystem::path& file) {
  std::vector<std::string> names;
  ProfileFile f;
  if (!LoadProfile(file, f)) return names;
  for (const Line& l : f.lines) {
    auto name = SectionHeader(l.text);
    if (!name) continue;
    bool seen = false;
    for (const auto& n : names) seen = seen || EqualsNoCase(n, *name);
    if (!seen) names.emplace_back(*name);
  }
  return names;
}

std::vector<std::string> GetPrivateProfileKeyNames(std::string_view section, const std::filesystem::path& file) {
  std::vector<std::string> keys;
  ProfileFile f;
  if (!LoadProfile(file, f)) return keys;
  SectionRange r = FindSection(f, section);
  if (r.header == std::string::npos) return keys;
  for (size_t i = r.header + 1; i < r.end; ++i) {
    if (auto k = KeyOf(f.lines[i].text)) keys.emplace_back(*k);
  }
  return keys;
}

}  // namespace nuvel::platform
