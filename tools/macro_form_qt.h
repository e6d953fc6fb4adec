#pragma once
// "Choose Macro" (TMacroForm): picks a recorded-macro file of the program
// folder to play, and saves the last recording ("Didod.MCR") under a name.
#include <QDialog>
#include <functional>
#include <optional>
#include <string>

class QLabel;
class QListWidget;
class QPushButton;

namespace nuvel {

// The file of the last recording, in the program folder.
inline constexpr const char* kLastRecordingName = "Didod.MCR";

class TMacroForm : public QDialog {
  Q_OBJECT
 public:
  explicit TMacroForm(QWidget* parent = nullptr);

  QLabel* RuleLabel = nullptr;        // the chosen file's name
  QListWidget* FileListBox1 = nullptr;  // the *.mcr files of the program folder
  QPushButton* SaveMac = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

  // Asks for the name to save the last recording under (filter, default
  // extension, start folder); nullopt when cancelled. Unset: nothing is saved.
  std::function<std::optional<std::string>(const std::string& filter, const std::string& folder)> AskSaveName;

  // The file the label names, in the program folder.
  std::string ChosenFile() const;
  // Lists the program folder's macro files again.
  void RefreshList();
  // "&Save Current": copies the last recording to the asked name, its
  // extension made ".MCR". False when there is nothing to save, the user
  // cancelled or the copy failed (which is reported).
  bool SaveMacClick();
};

}  // namespace nuvel
