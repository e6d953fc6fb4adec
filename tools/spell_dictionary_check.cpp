#include "tools/spell_dictionary_check.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <set>

#include "core/file_messages.h"
#include "core/message_texts.h"
#include "tools/spell_alphabet.h"
#include "tools/spell_dic.h"
#include "tools/spell_hebrew_dictionary.h"
#include "tools/spell_prefix_rules.h"

namespace nuvel {
namespace {

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

// Why the dictionary at `path` is damaged, from its size and index; empty
// when it is sound or cannot be read at all.
std::string IndexDamage(const std::string& path, int letters) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (ec) return {};
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  const std::size_t indexSize = static_cast<std::size_t>(letters) * static_cast<std::size_t>(letters) * 4;
  std::string head(static_cast<std::size_t>(std::min<std::uintmax_t>(size, indexSize)), '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  return SpellIndexDamage(head, size, letters);
}

// The line for a damaged file, noted as told.
std::string Told(const std::string& path, const std::string& reason) {
  FirstTellingOfSpellDamage(path);
  return SpellDamageLine(path, reason);
}

}  // namespace

std::string SpellDamageLine(const std::string& path, const std::string& reason) {
  return FileMessageText(FileMessage::DataFileDamaged,
                         {FileNameInMessage(path), reason, FileMessageFormat(FileMessage::UseSpelling)});
}

bool FirstTellingOfSpellDamage(const std::string& path) {
  static std::mutex lock;
  static std::set<std::string> told;
  const std::lock_guard<std::mutex> hold(lock);
  return told.insert(path).second;
}

std::vector<std::string> SpellDictionaryProblems(const TSpellFiles& files) {
  std::vector<std::string> lines;
  auto check = [&lines](const std::string& path, int letters) {
    if (!IsRegularFile(path)) return;
    if (std::string why = IndexDamage(path, letters); !why.empty()) lines.push_back(Told(path, why));
  };
  check(files.EnglishDic, BuildEnglishAlphabet().n);

  const int hebrew = BuildHebrewAlphabet().n;
  const std::string& main = files.HebrewDic;
  const std::string folder = main.substr(0, main.rfind('/') + 1);
  const std::string rulePath = SpellFileInFolder(folder, SpellRuleFileName(main).substr(folder.size()));
  if (!IsRegularFile(rulePath)) {
    check(main, hebrew);
    return lines;
  }
  std::ifstream in(rulePath, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const TSpPrefixRules rules = TSpPrefixRules::Parse(text);
  if (rules.Classes().empty()) {
    lines.push_back(Told(rulePath, FileMessageFormat(FileMessage::DamageNoWordClasses)));
    return lines;
  }
  for (const TSpPrefixRules::Class& c : rules.Classes()) check(SpellFileInFolder(folder, c.fileName), hebrew);
  return lines;
}

}  // namespace nuvel
