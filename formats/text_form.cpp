#include "formats/text_form.h"

namespace nuvel {

std::size_t DecodeUtf8(std::span<const uint8_t> s, std::size_t i, char32_t& cp) {
  const uint8_t b = s[i];
  std::size_t n = 0;
  char32_t min = 0;
  if (b < 0x80) {
    cp = b;
    return 1;
  }
  if (b >= 0xC2 && b <= 0xDF) {
    n = 2;
    cp = b & 0x1F;
    min = 0x80;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
    cp = b & 0x0F;
    min = 0x800;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
    cp = b & 0x07;
    min = 0x10000;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const uint8_t c = s[i + k];
    if ((c & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

void AppendUtf8(std::vector<uint8_t>& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<uint8_t>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<uint8_t>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<uint8_t>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<uint8_t>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<uint8_t>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<uint8_t>(0x80 | (cp & 0x3F)));
  }
}

namespace {

// A character that UTF-16 text of this program's scripts is made of.
bool TextCharacter(char16_t c) {
  return (c >= 0x09 && c <= 0x0D) || (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF) ||
         (c >= 0x0590 && c <= 0x05FF) || (c >= 0x2000 && c <= 0x20FF);
}

bool Utf16WithoutMark(std::span<const uint8_t> bytes) {
  if (bytes.empty() || bytes.size() % 2 != 0) return false;
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    if (!TextCharacter(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)))) return false;
  }
  return true;
}

}  // namespace

TTextForm SniffTextForm(std::span<const uint8_t> bytes) {
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return TTextForm::Utf16Mark;
  if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return TTextForm::Utf16BigMark;
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) return TTextForm::Utf8Mark;
  if (Utf16WithoutMark(bytes)) return TTextForm::Utf16;
  bool multiByte = false;
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (bytes[i] < 0x80) {
      ++i;
      continue;
    }
    char32_t cp = 0;
    const std::size_t n = DecodeUtf8(bytes, i, cp);
    if (n == 0) return TTextForm::Bytes;
    multiByte = true;
    i += n;
  }
  return multiByte ? TTextForm::Utf8 : TTextForm::Bytes;
}

}  // namespace nuvel
