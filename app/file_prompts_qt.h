#pragma once
// The file dialogs on Qt's own dialog; the file-name prompt on TFileStrDlg.
#include <QWidget>

#include "app/file_prompts.h"

namespace nuvel {

class QtFilePrompts : public FilePrompts {
 public:
  explicit QtFilePrompts(QWidget* parent) : parent_(parent) {}
  std::vector<std::string> OpenFileNames(const std::string& title, const std::string& filter,
                                         const std::string& folder) override;
  std::optional<std::string> SaveFileName(const std::string& title, const std::string& filter,
                                          const std::string& suggested) override;
  TFileStrAnswer AskFileStr(const TFileStrRequest& request) override;
  std::optional<std::string> FolderName(const std::string& title, const std::string& start) override;

 private:
  QWidget* parent_;
};

}  // namespace nuvel
