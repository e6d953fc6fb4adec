#pragma once
// "English/Hebrew Phrase Dictionary" (TPhraseDic): the phrases of the string
// library in an incremental search list. Enter or a double click hands the
// chosen phrase to OnInsert at once, and the window stays open for more.
#include <QDialog>
#include <functional>
#include <string>

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

  // Inserts a chosen entry where the user types; set by the caller.
  std::function<void(const std::string& entry)> OnInsert;
  // Hands the chosen entry to OnInsert (after the search of what was just
  // typed), when one is selected.
  void InsertChosen();
  // An entry was inserted while the window was open.
  bool Inserted() const { return inserted_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool inserted_ = false;
};

}  // namespace nuvel
