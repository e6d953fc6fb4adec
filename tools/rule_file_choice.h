#pragma once
// The choice of a rule file in the Super Find dialog: the rule files the
// dialog lists (the user's own folder and the program folder, "*.rle" in
// any case of the extension), the file it starts with and the settings it
// keeps ([TOOLPREFS] Default_Rule and Create_Bkup), and what the dialog's
// answer asks for.
#include <string>
#include <string_view>
#include <vector>

namespace nuvel::tools {

struct TRuleFileEntry {
  std::string name;  // the file's name, shown in the list
  std::string path;  // the full path
  friend bool operator==(const TRuleFileEntry&, const TRuleFileEntry&) = default;
};

// The user's own folder of rule files: the program's folder in the user's
// data folder ("nuvel/" there), with a trailing "/".
std::string UserRuleFolder();
// The folders searched for rule files, first to last: the user's own, the
// settings folder (where earlier versions kept them), then the program
// folder.
std::vector<std::string> RuleFolders();

// The regular files "*.rle" (extension in any case) of the folders, each
// folder's by name; a name already listed from an earlier folder, compared
// without case, is not listed again.
std::vector<TRuleFileEntry> ListRuleFiles(const std::vector<std::string>& folders);

// The base name of a rule file's name or path: no folder, no extension.
std::string RuleBaseName(std::string_view name);

// The path of the rule file `base` + ".rle" (extension in any case) in the
// first folder that holds it; empty when none does.
std::string LocateRuleFile(const std::vector<std::string>& folders, std::string_view base);

// The name the dialog starts with: [TOOLPREFS] Default_Rule + ".rle", or
// "DIDOD.rle" when it is not set; and whether "Create Backup" starts checked.
std::string DefaultRuleLabel();
bool DefaultCreateBackup();

enum class TRuleFormResult { Cancel, Run, Edit, MakeNew };

struct TRuleFormRequest {
  std::vector<TRuleFileEntry> files;
  std::string label;          // the chosen file's name
  bool createBackup = false;
  bool allowAll = true;       // "All Loaded Files" may be chosen
};

struct TRuleFormAnswer {
  TRuleFormResult result = TRuleFormResult::Cancel;
  std::string label;          // the chosen file's name
  bool createBackup = false;
  bool allFiles = false;      // "All Loaded Files" rather than "Current File"
};

// The Super Find dialog, behind an interface so that tests answer it.
class TSuperFindUi {
 public:
  virtual ~TSuperFindUi() = default;
  virtual TRuleFormAnswer AskRuleForm(const TRuleFormRequest& request) = 0;
};

// What the dialog asks for, once its answer is taken: which rule file, and
// whether to run it or open it for editing.
struct TSuperFindChoice {
  TRuleFormResult action = TRuleFormResult::Cancel;
  std::string ruleFile;  // the path; where it would be made when it does not exist
  bool exists = false;
  bool allFiles = false;
  bool createBackup = false;
};

// The dialog's request: the listed files, the default name and backup choice.
TRuleFormRequest RuleFormRequest(const std::vector<std::string>& folders);

// Takes the answer: OK and "Edit this RLE file" keep the chosen base name
// whole in RuleFileName and store it in Default_Rule with the backup choice
// in Create_Bkup; "Make New RLE" names the rule file "NewRLE". The rule file
// is RuleFileName + ".rle" in the first folder that holds it ("DIDOD" for
// an empty name), else, to be made or reported missing, in `newFolder`
// with the extension ".Rle". A file to edit that lies outside `newFolder`
// (a factory rule file of the program folder) is copied there first and the
// copy is edited, so the factory file stays as shipped.
TSuperFindChoice TakeRuleFormAnswer(const TRuleFormAnswer& answer, const std::vector<std::string>& folders,
                                    const std::string& newFolder);

}  // namespace nuvel::tools
