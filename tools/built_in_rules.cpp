#include "tools/built_in_rules.h"

#include <cstdint>
#include <string_view>

namespace nuvel::tools {
namespace {

// A text given as hexadecimal byte values separated by blanks.
std::string Bytes(std::string_view hex) {
  std::string out;
  int value = -1;
  for (const char c : hex) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) {
      if (value >= 0) out.push_back(static_cast<char>(value));
      value = -1;
    } else {
      value = value < 0 ? digit : value * 16 + digit;
    }
  }
  if (value >= 0) out.push_back(static_cast<char>(value));
  return out;
}

struct Row {
  std::string_view left;   // hexadecimal bytes
  std::string_view right;
};

// The Divine Names in Hebrew letters and their protected forms; the blanks
// and the full stop belong to the names they follow or precede.
constexpr Row kNames[] = {
    {"E9 E4 E5 E4", "E9 5F E5 E4"},
    {"E0 EC 20 E0 EC E4 E9 20", "5F EC 20 E0 EC 5F E9 20"},
    {"E0 EC E4 E9", "E0 EC 5F E9"},
    {"E0 EC E5 E4", "E0 EC E5 5F"},
    {"E0 E3 F0 E9", "E0 5F F0 E9"},
    {"E0 EC 20 F9 E3 E9", "5F EC 20 F9 5F E9"},
    {"20 F9 E3 E9 20", "20 F9 5F E9 20"},
    {"20 E9 E4 20", "20 E9 5F 20"},
    {"20 E9 E4 2E", "20 E9 5F 2E"},
};

// The pointed forms (vowel points C0-D2, the pointed letters 8D and 8F):
// one letter, or a letter with its dagesh, becomes "_". A few forms are
// listed twice, as the set has always held them. The form of the fourth row
// keeps its trailing blank, as its neighbours keep theirs.
constexpr Row kPointedNames[] = {
    {"E9 C0 E4 C9 E5 C8 E4", "E9 C0 5F C9 E5 C8 E4"},
    {"E9 C0 E4 8D C8 E4", "E9 C0 5F C9 E5 C8 E4"},
    {"E9 C0 E4 E5 C9 C8 E4", "E9 C0 5F E5 C9 C8 E4"},
    {"E4 C8 E0 C5 EC 20", "E4 C8 5F C5 EC 20"},
    {"20 E0 C5 EC 20", "20 5F C5 EC 20"},
    {"20 E0 C5 EC 2E", "20 5F C5 EC 2E"},
    {"20 E0 C5 EC 3A", "20 5F C5 EC 3A"},
    {"3C E0 C5 EC 20", "3C 5F C5 EC 20"},
    {"EC C8 E0 C5 EC", "EC C8 5F C5 EC"},
    {"E0 C1 EC C9 E4 C4 E9 ED", "E0 C1 EC C9 5F C4 E9 ED"},
    {"E0 C1 EC C9 E4 C4 E9 ED", "E0 C1 EC C9 5F C4 E9 ED"},
    {"EC C5 E0 EC C9 E4 C4 E9 ED", "EC C5 E0 EC C9 5F C4 E9 ED"},
    {"EC C5 E0 EC C9 E4 C4 E9 ED", "EC C5 E0 EC C9 5F C4 E9 ED"},
    {"E0 C1 EC C9 E4 C5 E9 F0 E5 CC", "E0 C1 EC C9 5F C5 E9 F0 E5 CC"},
    {"E0 C1 EC C9 E4 C5 E9 F0 E5 CC", "E0 C1 EC C9 5F C5 E9 F0 E5 CC"},
    {"E5 C5 E0 EC C9 E4 C5 E9", "E5 C5 E0 EC C9 5F C5 E9"},
    {"E5 C5 E0 EC C9 E4 C5 E9", "E5 C5 E0 EC C9 5F C5 E9"},
    {"E0 C1 EC C9 E4 C7 E9", "E0 C1 EC C9 5F C7 E9"},
    {"E0 C1 EC C9 E4 C7 E9", "E0 C1 EC C9 5F C7 E9"},
    {"E0 C1 EC C9 E4 C5 E9", "E0 C1 EC C9 5F C5 E9"},
    {"E0 C1 EC C9 E4 C5 E9", "E0 C1 EC C9 5F C5 E9"},
    {"E0 C1 EC C9 E4 C6 E9 EA C8", "E0 C1 EC C9 5F C6 E9 EA C8"},
    {"E0 C1 EC C9 E4 C6 E9 EA C8", "E0 C1 EC C9 5F C6 E9 EA C8"},
    {"E0 C1 EC C9 E4 C5 E9 EB C6 ED", "E0 C1 EC C9 5F C5 E9 EB C6 ED"},
    {"E0 C1 EC C9 E4 C5 E9 EB C6 ED", "E0 C1 EC C9 5F C5 E9 EB C6 ED"},
    {"EC C5 E0 EC C9 E4 C5 E9 EB C6 ED", "EC C5 E0 EC C9 5F C5 E9 EB C6 ED"},
    {"EC C5 E0 EC C9 E4 C5 E9 EB C6 ED", "EC C5 E0 EC C9 5F C5 E9 EB C6 ED"},
    {"E0 C1 EC E5 C9 E4 CC C7", "E0 C1 EC E5 C9 5F C7"},
    {"E0 C1 EC E5 C9 E4 CC C7", "E0 C1 EC E5 C9 5F C7"},
    {"20 E9 C8 E4 CC", "20 5F C8 E4 CC"},
    {"F6 C0 E1 C8 E0 E5 C9 FA", "F6 C0 E1 C8 5F E5 C9 FA"},
    {"E0 C2 E3 C9 F0 C8 E9", "E0 C2 5F C9 F0 C8 E9"},
    {"F9 D1 C7 E3 CC C7 E9", "F9 D1 C7 5F C7 E9"},
    {"EC C5 E0 EC C9 E4 C5 E9", "EC C5 E0 EC C9 5F C5 E9"},
    {"EC C5 E0 EC C9 E4 C5 E9", "EC C5 E0 EC C9 5F C5 E9"},
    {"E1 CC C7 E9 E4 C9 E5 C8 E4", "E1 CC C7 E9 5F C9 E5 C8 E4"},
    {"EC C7 E9 E4 C9 E5 C8 E4", "EC C7 E9 5F C9 E5 C8 E4"},
    {"E0 C5 EC C4 E9", "5F C5 EC C4 E9"},
    {"E5 C7 E9 E4 C9 E5 C8 E4", "E5 C7 E9 5F C9 E5 C8 E4"},
    {"E0 C1 EC C9 E4 C8 E9 E5", "E0 C1 EC C9 5F C8 E9 E5"},
    {"E0 C1 EC C9 E4 C8 E9 E5", "E0 C1 EC C9 5F C8 E9 E5"},
    {"E5 C5 E0 EC C9 E4 C8 E9", "E5 C5 E0 EC C9 5F C8 E9"},
    {"E5 C5 E0 EC C9 E4 C8 E9", "E5 C5 E0 EC C9 5F C8 E9"},
    {"E0 C1 EC C9 E4 C8 E9", "E0 C1 EC C9 5F C8 E9"},
    {"E0 C1 EC C9 E4 C8 E9", "E0 C1 EC C9 5F C8 E9"},
    {"E9 E4 E5 C9 C8 E4", "E9 5F E5 C9 C8 E4"},
    {"E9 E4 8D C8 E4", "E9 5F E5 C9 C8 E4"},
    {"E0 C1 8F E4 C8 E9 E5", "E0 C1 8F 5F C8 E9 E5"},
};

// The English name, as rule texts.
struct TextRow {
  std::string_view left;
  std::string_view right;
};
constexpr TextRow kEnglishName[] = {
    {"GOD", "G-D"},
    {"{[ ('\"`]}God{[ ,.)'\"!?=;:]}", "&0G-d&1"},
    {"$God$", "$G-d$"},
    {"$God{[ ,.)'\"!?=;:]}", "$G-d&0"},
    {"{[ ('\"`]}God$", "&0G-d$"},
};

// Tags and dashes to RTF control words, whole rules.
constexpr std::string_view kTagsToRtf[] = {
    "<I>=\\\\i\\032",
    "<i>=\\\\i\\032",
    "<D>=\\\\i0\\032",
    "<d>=\\\\i0\\032",
    "<B>=\\\\b\\032",
    "<b>=\\\\b\\032",
    "<M>=\\\\b0\\032",
    "<m>=\\\\b0\\032",
    "\\64YEND\\061YN=   \\042\\042\\042\\032YN\\032\\042\\042\\042",
    "\\64yend\\061YN=   \\042\\042\\042\\032YN\\032\\042\\042\\042",
    "\\45\\45=\\\\emdash\\32",
};

template <class Table>
void AddRows(std::vector<std::string>& rules, const Table& rows, bool backwards) {
  for (const Row& r : rows) {
    const std::string left = Bytes(r.left);
    const std::string right = Bytes(r.right);
    rules.push_back(backwards ? right + "=" + left : left + "=" + right);
  }
}

}  // namespace

std::vector<std::string> BuiltInRules(int kind) {
  std::vector<std::string> rules;
  switch (kind) {
    case 1:
    case 2:
      AddRows(rules, kNames, kind == 2);
      break;
    case 3:
      rules.emplace_back("%{?*}$=^0$");
      break;
    case 4:
    case 5:
      AddRows(rules, kNames, kind == 5);
      AddRows(rules, kPointedNames, kind == 5);
      break;
    case 6:
      rules.emplace_back("{[\\224-\\250\" ]*}=^0");
      break;
    case 7:
      rules.emplace_back("{[\\032-z]*}=^0");
      break;
    case 8:
    case 9:
      for (const TextRow& r : kEnglishName)
        rules.push_back(kind == 8 ? std::string(r.left) + "=" + std::string(r.right)
                                  : std::string(r.right) + "=" + std::string(r.left));
      break;
    case 10:
      for (std::string_view r : kTagsToRtf) rules.emplace_back(r);
      break;
    default:
      break;
  }
  return rules;
}

}  // namespace nuvel::tools
