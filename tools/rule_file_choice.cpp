#include "tools/rule_file_choice.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/ini_location.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "platform/ascii_case.h"
#include "platform/program_path.h"

namespace nuvel::tools {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDefaultRule = "DIDOD";
constexpr std::string_view kNewRule = "NewRLE";

bool IsRuleFileName(const std::string& name) {
  return name.size() > 4 && platform::EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".rle");
}

// The rule files of one folder, by name.
std::vector<TRuleFileEntry> FolderRuleFiles(const std::string& folder) {
  std::vector<TRuleFileEntry> out;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code kind;
    if (IsRuleFileName(name) && it->is_regular_file(kind)) out.push_back({name, folder + name});
  }
  std::sort(out.begin(), out.end(), [](const TRuleFileEntry& a, const TRuleFileEntry& b) { return a.name < b.name; });
  return out;
}

}  // namespace

std::string UserRuleFolder() { return UserDataFolder(); }

std::vector<std::string> RuleFolders() { return {UserRuleFolder(), SettingsFolder(), ProgPath}; }

std::vector<TRuleFileEntry> ListRuleFiles(const std::vector<std::string>& folders) {
  std::vector<TRuleFileEntry> out;
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    for (TRuleFileEntry& entry : FolderRuleFiles(folder)) {
      const bool listed = std::any_of(out.begin(), out.end(), [&](const TRuleFileEntry& e) {
        return platform::EqualsNoCase(e.name, entry.name);
      });
      if (!listed) out.push_back(std::move(entry));
    }
  }
  return out;
}

std::string RuleBaseName(std::string_view name) {
  if (const std::size_t slash = name.find_last_of('/'); slash != std::string_view::npos) name.remove_prefix(slash + 1);
  if (const std::size_t dot = name.find_last_of('.'); dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  return std::string(name);
}

std::string LocateRuleFile(const std::vector<std::string>& folders, std::string_view base) {
  if (base.empty()) return {};
  const std::string wanted = std::string(base) + ".rle";
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    const std::string path = platform::FindFileNoCase(folder, wanted);
    std::error_code ec;
    if (fs::is_regular_file(path, ec)) return path;
  }
  return {};
}

std::string DefaultRuleLabel() {
  const std::string stored = ReadIniString("TOOLPREFS", "Default_Rule");
  if (stored == "NotFound" || stored.empty()) return std::string(kDefaultRule) + ".rle";
  return stored + ".rle";
}

bool DefaultCreateBackup() { return ReadIniString("TOOLPREFS", "Create_Bkup") == "1"; }

TRuleFormRequest RuleFormRequest(const std::vector<std::string>& folders) {
  TRuleFormRequest request;
  request.files = ListRuleFiles(folders);
  request.label = DefaultRuleLabel();
  request.createBackup = DefaultCreateBackup();
  return request;
}

TSuperFindChoice TakeRuleFormAnswer(const TRuleFormAnswer& answer, const std::vector<std::string>& folders,
                                    const std::string& newFolder) {
  TSuperFindChoice choice;
  choice.action = answer.result;
  switch (answer.result) {
    case TRuleFormResult::Cancel:
      return choice;
    case TRuleFormResult::Run:
    case TRuleFormResult::Edit: {
      const std::string base = RuleBaseName(answer.label);
      nuvel::RuleFileName = base;
      if (!base.empty()) WriteIniString("TOOLPREFS", "Default_Rule", base);
      WriteIniString("TOOLPREFS", "Create_Bkup", answer.createBackup ? "1" : "0");
      break;
    }
    case TRuleFormResult::MakeNew:
      nuvel::RuleFileName = std::string(kNewRule);
      break;
  }
  const std::string base = nuvel::RuleFileName.empty() ? std::string(kDefaultRule) : nuvel::RuleFileName;
  choice.ruleFile = LocateRuleFile(folders, base);
  choice.exists = !choice.ruleFile.empty();
  if (!choice.exists) choice.ruleFile = newFolder + base + ".Rle";
  if (choice.exists && choice.action == TRuleFormResult::Edit && !newFolder.empty() &&
      fs::path(choice.ruleFile).parent_path() != fs::path(newFolder).parent_path()) {
    const fs::path copy = fs::path(newFolder) / fs::path(choice.ruleFile).filename();
    std::error_code ec;
    fs::create_directories(newFolder, ec);
    if (!ec) fs::copy_file(choice.ruleFile, copy, fs::copy_options::skip_existing, ec);
    if (!ec) choice.ruleFile = copy.string();
  }
  choice.allFiles = answer.allFiles;
  choice.createBackup = answer.createBackup;
  return choice;
}

}  // namespace nuvel::tools
