#pragma once
// How a document's editors look and take the Tab key: the colours of the
// text, the background and the selection, control characters as numbers or
// symbols, and whether Tab is typed. Read from the settings when a document
// window is made, and given to the open windows when the preferences change.
#include "core/color.h"

namespace nuvel {

class TNvcEditorWidget;

struct EditorLook {
  TColor Screen = clWindow;
  TColor Text = clWindowText;
  TColor Selection = clHighlight;
  TColor SelectionText = clHighlightText;
  bool CtrlNums = false;
  bool WantTab = false;
  friend bool operator==(const EditorLook&, const EditorLook&) = default;
};

// From [GENPREFS] Scr_Color, FontN_Color, ScrH_Color, FontH_Color, CtrlNums
// and Use_Tabs.
EditorLook ReadEditorLook();

void ApplyEditorLook(TNvcEditorWidget& editor, const EditorLook& look);

}  // namespace nuvel
