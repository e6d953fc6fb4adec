#pragma once
// The sort dialog (TSort_Form1, "Nuvel Sort Definition"): "Unit to Sort"
// (RadioGroup4: "Line sort", "Paragraph sort"), hidden where the edit
// configuration fixes lines; "Sort Type" (SortType: "Not Case Sensitive",
// "Case Sensitive"); OK and Cancel. Hebrew texts in the Hebrew interface.
#include <QDialog>

#include "tools/sort_command.h"

class QGroupBox;
class QRadioButton;

namespace nuvel {

class TSort_Form1 : public QDialog {
  Q_OBJECT
 public:
  explicit TSort_Form1(QWidget* parent = nullptr);

  void Load(const tools::TSortRequest& request);
  tools::TSortOptions Options() const;

 private:
  QGroupBox* unit_ = nullptr;
  QRadioButton* byLines_ = nullptr;
  QRadioButton* byParas_ = nullptr;
  QRadioButton* noCase_ = nullptr;
  QRadioButton* withCase_ = nullptr;
};

class TQtSortUi : public tools::TSortUi {
 public:
  explicit TQtSortUi(QWidget* parent) : parent_(parent) {}
  std::optional<tools::TSortOptions> AskSort(const tools::TSortRequest& request) override;

 private:
  QWidget* parent_;
};

}  // namespace nuvel
