#pragma once
// The on-screen keyboard window ("Nuvel Keyboard"): stays on top, never
// takes the focus, and types into the active document's editor with the
// mouse: the character keys send their bytes, the arrows, Enter and
// Backspace their editor commands. Its faces and bytes come from
// OnScreenKeyboardModel.
#include <QLabel>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>

#include "ui/onscreen_layouts.h"

namespace nuvel {

class THebTextEditor;
class TNvcAbstractStore;
class TNvcFormState;

struct OnScreenKeyboardTarget {
  // The active document's current editor; null when no document is open.
  std::function<THebTextEditor*()> editor;
  // The editor's keyboard type changed: the main window's items follow.
  std::function<void(TKeytype)> keyTypeChanged;
  // The window closed (the menu item loses its check).
  std::function<void()> closed;
  // Where the window keeps the place the user moved it to; none: it is not
  // kept.
  TNvcAbstractStore* store = nullptr;
};

class TKey_Form : public QWidget {
  Q_OBJECT
 public:
  explicit TKey_Form(OnScreenKeyboardTarget target, QWidget* parent = nullptr);
  ~TKey_Form() override;

  // Sends a byte as typed (insert character) to the active editor.
  void Send_Char(uint8_t byte);
  // The button's editor command: arrows, Enter, Backspace; none for the F-keys.
  void Send_Cmd(QToolButton* button);
  // A layout button; with an active editor its keyboard fields follow.
  void ChooseLayout(OnScreenLayout layout);
  // Shows the layout of the active editor's keyboard type.
  void FollowEditor();

  QToolButton* Key(int index) const { return keys_[static_cast<size_t>(index)]; }
  QToolButton* Button(const QString& name) const;
  const OnScreenKeyboardModel& Model() const { return model_; }
  QLabel* ModeLabel = nullptr;
  QLabel* Label1 = nullptr;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  QToolButton* MakeButton(const QString& name, const QString& text);
  void KeyClick(int index);
  void ShiftClick();
  void ShowFaces();

  OnScreenKeyboardTarget target_;
  TNvcFormState* placement_ = nullptr;
  OnScreenKeyboardModel model_;
  std::array<QToolButton*, kOnScreenKeyCount> keys_{};
};

}  // namespace nuvel
