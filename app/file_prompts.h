#pragma once
// The file dialogs the file commands ask, and the program's own file-name
// prompt, behind one replaceable service so that tests answer them. Filters
// are in the "text|pattern|..." form.
#include <optional>
#include <string>
#include <vector>

#include "tools/file_str_prompt.h"

namespace nuvel {

class FilePrompts {
 public:
  virtual ~FilePrompts() = default;
  // The names chosen in the open dialog, in order; empty when cancelled.
  virtual std::vector<std::string> OpenFileNames(const std::string& title, const std::string& filter,
                                                 const std::string& folder) = 0;
  // The name chosen in the save dialog; nullopt when cancelled.
  virtual std::optional<std::string> SaveFileName(const std::string& title, const std::string& filter,
                                                  const std::string& suggested) = 0;
  // The program's own prompt "Enter Filename" (TFileStrDlg).
  virtual TFileStrAnswer AskFileStr(const TFileStrRequest& request) = 0;
  // A folder chosen in the folder dialog, starting in `start`; nullopt when
  // cancelled (or when there is no such dialog).
  virtual std::optional<std::string> FolderName(const std::string& /*title*/, const std::string& /*start*/) {
    return std::nullopt;
  }
};

}  // namespace nuvel
