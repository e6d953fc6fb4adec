#include "filemanager/file_entry.h"

#include <charconv>
#include <ctime>

namespace nuvel {

std::string FileTypeText(std::string_view name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return {};
  return std::string(name.substr(dot + 1, 5));
}

namespace {

void Put2(std::string& s, int v) {
  s.push_back(static_cast<char>('0' + v / 10 % 10));
  s.push_back(static_cast<char>('0' + v % 10));
}

}  // namespace

std::string ModifiedText(int64_t modifiedNs) {
  int64_t seconds = modifiedNs / 1'000'000'000;
  if (modifiedNs < 0 && modifiedNs % 1'000'000'000 != 0) --seconds;
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  if (!localtime_r(&t, &tm)) return {};
  std::string s;
  char year[16];
  auto r = std::to_chars(year, year + sizeof year, tm.tm_year + 1900);
  s.append(year, r.ptr);
  s.push_back('/');
  Put2(s, tm.tm_mon + 1);
  s.push_back('/');
  Put2(s, tm.tm_mday);
  if (tm.tm_hour != 0 || tm.tm_min != 0 || tm.tm_sec != 0) {
    s.push_back(' ');
    Put2(s, tm.tm_hour);
    s.push_back(':');
    Put2(s, tm.tm_min);
  }
  return s;
}

std::string AttrText(uint32_t a) {
  std::string s = "    ";
  if (a & faReadOnly) s[0] = 'R';
  if (a & faHidden) s[1] = 'H';
  if (a & faSystem) s[2] = 'S';
  if (a & faArchive) s[3] = 'A';
  return s;
}

std::string SizeText(uint64_t size) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, size);
  return std::string(buf, r.ptr);
}

}  // namespace nuvel
