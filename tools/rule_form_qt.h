#pragma once
// The Super Find dialog (TRuleForm): the chosen rule file in RuleLabel, the
// rule files in FileListBox1 (a click puts a name into the label), "Edit
// this RLE file" (BitBtn4), "Make New RLE" (BitBtn5), "Current File" or
// "All Loaded Files" (RadioGroup1), "Create Backup" (BkupBox1), OK (BitBtn1)
// and Cancel (BitBtn2). Hebrew texts in the Hebrew interface.
#include <QDialog>

#include "tools/rule_file_choice.h"

class QLabel;
class QListWidget;
class QRadioButton;
class QCheckBox;

namespace nuvel {

class TRuleForm : public QDialog {
  Q_OBJECT
 public:
  explicit TRuleForm(QWidget* parent = nullptr);

  // Fills the dialog from the request ("Current File" chosen).
  void Load(const tools::TRuleFormRequest& request);
  // The answer after the dialog closed.
  tools::TRuleFormAnswer Answer() const;

 private:
  void Finish(tools::TRuleFormResult result);

  QLabel* ruleLabel_ = nullptr;
  QListWidget* files_ = nullptr;
  QRadioButton* current_ = nullptr;
  QRadioButton* all_ = nullptr;
  QCheckBox* backup_ = nullptr;
  std::string label_;
  tools::TRuleFormResult result_ = tools::TRuleFormResult::Cancel;
};

// Shows the dialog modally.
class TQtSuperFindUi : public tools::TSuperFindUi {
 public:
  explicit TQtSuperFindUi(QWidget* parent) : parent_(parent) {}
  tools::TRuleFormAnswer AskRuleForm(const tools::TRuleFormRequest& request) override;

 private:
  QWidget* parent_;
};

}  // namespace nuvel
