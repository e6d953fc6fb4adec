#pragma once
// The key-macro editor "Nuvel Macro Editor" (TMacroDialogN): the forty
// macros of the digit keys, ten at a time in groups that follow the keys
// that play them, each with its description. A macro is typed into a
// THotMemo, which writes every key as readable text.
#include <QDialog>
#include <QPlainTextEdit>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/shared_state.h"
#include "editor/keyboard_layers.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace nuvel {

struct MacroSaveDialog;

// A memo that takes every key while it has the focus (Tab, Enter and the
// menu shortcuts included) and writes special keys as bracketed names:
// Tab, Enter, the function keys and keys with Ctrl or Alt as their key
// text, Ctrl+P the next key whatever it is; typed characters go through
// the keyboard layer; Backspace, Delete, Home, End and the arrows edit,
// taking a known bracketed name as one unit.
class THotMemo : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit THotMemo(QWidget* parent = nullptr);

  // The keyboard layer typed characters go through.
  TKeytype KeyType = TKeytype::English;

  // The text in the system's 8-bit set, one byte a character.
  std::string Bytes() const;
  void SetBytes(const std::string& bytes);

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  void InsertBytes(const std::string& bytes);
  void MoveCaret(int to, bool deleting);

  bool literal_ = false;  // Ctrl+P: the next key is written as its text
  bool dagesh_ = false;
};

class TMacroDialogN : public QDialog {
  Q_OBJECT
 public:
  explicit TMacroDialogN(QWidget* parent = nullptr);

  static constexpr int kRows = 10;
  std::array<QLabel*, kRows> RowLabels{};
  std::array<QLineEdit*, kRows> Descriptions{};
  std::array<THotMemo*, kRows> Memos{};
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button4 = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* NewFileBtn = nullptr;
  QPushButton* CancelBtn = nullptr;

  // The file dialogs: where to save the table, which key file to read.
  std::function<std::optional<std::string>(const MacroSaveDialog&)> AskSaveName;
  std::function<std::optional<std::string>(const std::string& filter, const std::string& folder)> AskOpenName;

  int Group() const { return group_; }
  // Stores the current group and shows group 1..4.
  void SwitchGroup(int group);
  void ShowMacroGroup(int group);
  void StoreMacroGroup();
  // Asks whether to save the macros to a key file; false when cancelled
  // (or when saving failed, which is reported).
  bool Save_Change_Check();
  void OKBtnClick();
  void NewFileBtnClick();
  const std::array<std::string, kMacroSlots>& Names() const { return names_; }

  // The slot of a row in a group (1..40).
  static int SlotOf(int group, int row) { return (group - 1) * kRows + row + 1; }

 private:
  int group_ = 1;
  std::array<std::string, kMacroSlots> names_;
};

}  // namespace nuvel
