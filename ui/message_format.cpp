#include "ui/message_format.h"

#include <charconv>

namespace nuvel {

std::optional<std::string> FormatSignature(std::string_view format) {
  std::string kinds;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (i + 1 >= format.size()) return std::nullopt;
    const char c = format[++i];
    if (c == '%') continue;
    if (c != 's' && c != 'd') return std::nullopt;
    kinds += c;
  }
  return kinds;
}

std::string ArgumentSignature(const std::vector<FormatArg>& args) {
  std::string kinds;
  for (const auto& a : args) kinds += std::holds_alternative<std::string>(a) ? 's' : 'd';
  return kinds;
}

std::string FormatMessage(std::string_view format, const std::vector<FormatArg>& args) {
  const auto signature = FormatSignature(format);
  if (!signature || *signature != ArgumentSignature(args)) return std::string(format);
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    const char c = format[++i];
    if (c == '%') {
      out += '%';
    } else if (c == 's') {
      out += std::get<std::string>(args[next++]);
    } else {
      char buf[24];
      const auto r = std::to_chars(buf, buf + sizeof buf, std::get<int64_t>(args[next++]));
      out.append(buf, r.ptr);
    }
  }
  return out;
}

}  // namespace nuvel
