#pragma once
// Rows of real X key events played into the built program: each row opens a
// document of its own, presses its keys under its X keyboard layout, saves
// and compares the file's bytes. The rows of one test share one display and
// one program (a row's document is handed to the running copy as a second
// start would), so a group of rows costs one start.
//
// Adding a row: put an XKeyRow in a test's table and call PlayRows, e.g.
//   {"Delete in the text", "hello\n", {"key ctrl+Home Delete"}, "ello\n"},
//   {"shin on the A key", "", {"key 38"}, "\xF9", "il"},
// Steps: "key <keys>" (xdotool key names, or X key codes of two or three
// digits, which type whatever the row's layout puts on that key),
// "type <text>" (xdotool type), "window <text>" (wait until the active
// window's title contains the text; "window !<text>" until it does not),
// "wait <ms>" (for what the program does on a timer of its own, such as a
// button pressed by its mnemonic, which clicks 100 ms later), "primary
// <text>" (another program takes the X PRIMARY selection with the text),
// "primary? <text>" (wait until the PRIMARY selection reads the text),
// "click <button>" (a mouse click at the middle of the active window).
// The row passes when the saved file equals `after` and setxkbmap -query
// reports after the row what it reported before.
//
// The tests skip, saying which tools are missing, where Xvfb, openbox,
// xdotool, setxkbmap or xclip is not installed, and fail for it under CI=true.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/program_run_qt.h"
#include "tests/support/x_display_qt.h"
#include "tests/support/x_program_qt.h"

namespace nuvel::test {

struct XKeyRow {
  std::string name;
  std::string before;              // the document's bytes when it opens
  std::vector<std::string> steps;  // see above
  std::string after;               // the document's bytes once saved
  std::string layout = "us";       // the layout the row types with (setxkbmap arguments)
  std::string saveKeys = "ctrl+s";  // the keys that save; "" when the steps save
};

class XKeyRowsTest : public testing::Test {
 protected:
  void SetUp() override;

  // Adds lines to the program folder's INI ("[GENPREFS]" section), before
  // the first row starts the program.
  void AddSettings(std::string_view iniLines);
  // Plays the rows in order; a row that cannot be played ends the test.
  void PlayRows(std::span<const XKeyRow> rows);

  ProgramRun& Run() { return *run_; }
  XProgram& Program() { return *program_; }

 private:
  bool PlayStep(const std::string& step, std::string& error);

  QTemporaryDir root_;
  XDisplay display_;
  std::unique_ptr<ProgramRun> run_;
  std::unique_ptr<XProgram> program_;
  int documents_ = 0;
};

}  // namespace nuvel::test
