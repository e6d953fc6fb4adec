#pragma once
// "English/Hebrew Phrase Dictionary" (TPhraseDic): the phrases of the string
// library in an incremental search list; the caller inserts the chosen one.
#include <QDialog>

class QLabel;
class QPushButton;

namespace nuvel {

class TNvcController;
class TNvcSearchList;

class TPhraseDic : public QDialog {
  Q_OBJECT
 public:
  explicit TPhraseDic(QWidget* parent = nullptr);

  QLabel* Label1 = nullptr;
  TNvcSearchList* PhraseDicList = nullptr;
  QPushButton* BitBtn1 = nullptr;  // Close
  TNvcController* NvcController1 = nullptr;

  // The chosen entry (bytes of the system's set); empty when none is selected.
  std::string ChosenEntry() const;
};

}  // namespace nuvel
