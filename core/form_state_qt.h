#pragma once
// State components placed on a form: they restore chosen state from a store
// when the form is set up and save it when the form closes. TNvcFormState
// keeps the window placement, TNvcComponentState published properties of
// the form's components (Qt properties, found by object name).
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>

#include "core/state_store.h"

namespace nuvel {

class TNvcAbstractState : public QObject {
  Q_OBJECT

 public:
  // `form` must be a widget (a form or a frame); anything else raises
  // ENvcException (30337).
  explicit TNvcAbstractState(QObject* form);
  ~TNvcAbstractState() override;

  bool Active() const { return active_; }
  void SetActive(bool active) { active_ = active; }
  // The section; when empty, the form's class name.
  std::string Section() const;
  void SetSection(std::string section) { section_ = std::move(section); }
  TNvcAbstractStore* Storage() const { return storage_; }
  void SetStorage(TNvcAbstractStore* storage) { storage_ = storage; }
  bool Restored() const { return restored_; }
  bool Saved() const { return saved_; }

  std::function<void(TNvcAbstractState*)> OnSaveState;
  std::function<void(TNvcAbstractState*)> OnRestoreState;

  virtual void RestoreState() = 0;
  virtual void SaveState() = 0;

  // The form hooks. FormCreated runs once the form is built (it also runs
  // by itself when the form is first shown); FormCloseQuery when the form
  // closes; FormDestroying from the form's destructor.
  void FormCreated();
  void FormCloseQuery();
  void FormDestroying();

 protected:
  QWidget* Form() const { return form_; }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SaveNow();

  QPointer<QWidget> form_;
  bool active_ = true;
  std::string section_;
  TNvcAbstractStore* storage_ = nullptr;
  bool restored_ = false;
  bool saved_ = false;
};

class TNvcFormState : public TNvcAbstractState {
  Q_OBJECT

 public:
  enum Option : unsigned {
    fsState = 1,
    fsPosition = 2,
    fsNoSize = 4,
    fsColor = 8,
    fsActiveControl = 16,
    fsDefaultMonitor = 32,
  };

  // [fsState, fsPosition] on a form.
  explicit TNvcFormState(QObject* form);

  unsigned Options() const { return options_; }
  void SetOptions(unsigned options) { options_ = options; }

  void RestoreState() override;
  void SaveState() override;

 private:
  unsigned options_ = fsState | fsPosition;
};

class TNvcComponentState : public TNvcAbstractState {
  Q_OBJECT

 public:
  explicit TNvcComponentState(QObject* form);

  // "Component.Property" paths; entries whose component is not on the form
  // are dropped.
  QStringList StoredProperties() const { return stored_; }
  void SetStoredProperties(const QStringList& paths);

  void RestoreState() override;
  void SaveState() override;

 private:
  QObject* FindComponent(const QString& name) const;

  QStringList stored_;
};

}  // namespace nuvel
