#pragma once
// What the caller of the program's own text prompt (the "Enter Filename"
// dialog, also used to ask for search texts) hands it and gets back.
#include <string>

#include "tools/text_histories.h"

namespace nuvel {

enum class TFileStrResult {
  Ok,      // Enter or OK
  Cancel,  // Esc or Cancel
  Retry,   // Ctrl+F: the caller runs the standard open dialog instead
};

struct TFileStrRequest {
  std::string Caption = "Enter Filename";
  std::string Label = "Filename: ";
  std::string Text;     // initial text, bytes of the system's set
  TextHistory History;  // what the history button cycles (empty: nothing)
  // The input control's flags.
  bool EnglishMode = true;
  bool HebScreenFont = false;
  bool HebrewKeys = false;
  bool NikudKeys = false;
};

struct TFileStrAnswer {
  TFileStrResult Result = TFileStrResult::Cancel;
  std::string Text;  // the input control's text as typed
};

}  // namespace nuvel
