#pragma once
// The built program on an X display of a test's own, driven by real X key
// events as a user's keyboard gives them, in the folders of a ProgramRun (so
// no other running copy can answer it). Documents open maximized, so that the
// main window's title names the active document: that is how the test knows
// a document is up and has the keys.
#include <QProcess>
#include <QString>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "tests/support/program_run_qt.h"
#include "tests/support/x_display_qt.h"

namespace nuvel::test {

class XProgram {
 public:
  XProgram(const XDisplay& display, ProgramRun& run);
  ~XProgram();
  XProgram(const XProgram&) = delete;
  XProgram& operator=(const XProgram&) = delete;

  // Starts the program with `document`, a file in the run's documents
  // folder; true once the document's window is up and active.
  bool Start(const std::string& document, std::string& error);
  // Opens another document in the running program, as a second start does
  // (it hands the file over); true once its window is up and active.
  bool Open(const std::string& document, std::string& error);
  bool Running() const;

  // Presses keys: xdotool key names separated by blanks ("ctrl+Home Delete",
  // "alt+f"); a number of two or three digits is an X key code ("38", the A
  // key whatever the layout types there).
  bool Keys(std::string_view keys);
  // Types text with xdotool, as the current layout gives its characters.
  bool Type(std::string_view text);
  // Waits until the active window's title contains `title` (with `present`
  // false: until it does not).
  bool WaitForWindow(std::string_view title, std::string& error, bool present = true);
  // The active window's title.
  std::string ActiveWindowTitle() const;

  // The X PRIMARY selection as another program reads it (xclip -o): its
  // UTF-8 text, empty when no program holds one.
  std::string Primary() const;
  // Another program (xclip) takes the PRIMARY selection with `text`.
  bool SetPrimary(std::string_view text);
  // Clicks mouse `button` at the middle of the active window.
  bool Click(int button);

  // Sets the X keyboard layout (setxkbmap), e.g. "us", "il".
  bool SetLayout(std::string_view layout);
  // What setxkbmap -query reports: rules, model, layout and options.
  std::string Layout() const;

  // Presses `saveKeys` (none: only waits) and waits until `document` has been
  // written: its bytes then, or nothing when it was not written in time.
  std::optional<std::string> SaveAndRead(const std::string& document, std::string_view saveKeys = "ctrl+s");

  // The program's standard error so far.
  std::string Errors() const;

 private:
  bool WaitForDocument(const std::string& document, std::string& error);

  const XDisplay& display_;
  ProgramRun& run_;
  std::unique_ptr<QProcess> process_;
};

}  // namespace nuvel::test
