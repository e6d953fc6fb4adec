#pragma once
// The incremental search controls: TNvcBaseISE, a single-line edit that
// starts a search a fixed delay after the last key (through its
// controller's timer pool); TNvcSearchEdit, which searches the list it
// belongs to; and TNvcSearchList, the edit on top of a sorted list box.
// Typing the beginning of an entry selects the first entry that begins
// with it, completes the edit with it and centres it in the list.
#include <QListWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/custom_control_qt.h"
#include "core/custom_edit_qt.h"

namespace nuvel {

class TNvcSearchList;

class TNvcBaseISE : public TNvcCustomEdit {
  Q_OBJECT
 public:
  explicit TNvcBaseISE(QWidget* parent = nullptr);
  ~TNvcBaseISE() override;

  bool AutoSearch = true;
  bool CaseSensitive = false;
  bool ShowResults = true;
  // Select the whole text when the edit gains the focus.
  bool AutoSelect = true;
  int KeyDelay() const { return keyDelay_; }
  // A negative delay is ignored.
  void SetKeyDelay(int ms) {
    if (ms >= 0) keyDelay_ = ms;
  }
  // The search key of the last completed search.
  std::string PrevText;
  // The pending trigger in the controller's timer pool, -1 for none.
  int32_t TriggerHandle() const { return triggerHandle_; }

  // The edit's text in the system's set.
  std::string TextBytes() const;

  virtual void ExecuteSearch() = 0;

 protected:
  void keyReleaseEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  void RemoveTrigger();
  void TriggerFired();

  int keyDelay_ = 500;
  int32_t triggerHandle_ = -1;
};

class TNvcSearchEdit : public TNvcBaseISE {
  Q_OBJECT
 public:
  TNvcSearchEdit(TNvcSearchList* list, QWidget* parent);
  void ExecuteSearch() override;

 private:
  TNvcSearchList* list_;
};

class TNvcSearchListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit TNvcSearchListBox(QWidget* parent) : QListWidget(parent) {}
};

class TNvcSearchList : public TNvcCustomControl {
  Q_OBJECT
 public:
  explicit TNvcSearchList(QWidget* parent = nullptr);

  TNvcSearchEdit* Edit() const { return edit_; }
  TNvcSearchListBox* ListBox() const { return list_; }

  // The entries (bytes of the system's set), kept sorted as the search
  // needs them, without duplicates.
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items);
  // The selected entry, -1 for none.
  int ItemIndex() const;
  void SetItemIndex(int index);

  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  bool CaseSensitive() const { return edit_->CaseSensitive; }
  void SetCaseSensitive(bool on);
  int KeyDelay() const { return edit_->KeyDelay(); }
  void SetKeyDelay(int ms) { edit_->SetKeyDelay(ms); }

  // The row shown at the top of the list box.
  int TopIndex() const;
  void SetTopIndex(int index);

  std::function<void()> OnChange;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void Layout();
  void ListClick();

  TNvcSearchEdit* edit_;
  TNvcSearchListBox* list_;
  std::vector<std::string> items_;
  int itemHeight_ = 13;
};

}  // namespace nuvel
