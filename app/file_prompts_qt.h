#pragma once
// The file dialogs on Qt's own dialog; the file-name prompt on TFileStrDlg.
#include <QWidget>

#include "app/file_prompts.h"

class QFileDialog;

namespace nuvel {

// Sets a file dialog up for the interface language: Qt's own dialog, right
// to left in Hebrew with the filters' Hebrew names (their Qt patterns
// hidden), sizes and dates left to right, as large as fits the screen up to a comfortable size, and a name
// column that takes the room the other columns leave.
void PrepareFileDialog(QFileDialog& dialog, bool hebrew);

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
