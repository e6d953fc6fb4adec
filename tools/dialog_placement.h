#pragma once
// Where the framework's dialog components put their form, and the text the
// calculator window copies.
#include <string>
#include <string_view>

namespace nuvel {

enum class TNvcDialogPosition { mpCenter, mpCenterTop, mpCustom };

struct DialogRect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

// The placement of a dialog component (TNvcDialogPlacement).
struct TNvcDialogPlacement {
  TNvcDialogPosition Position = TNvcDialogPosition::mpCenter;
  int Top = 10, Left = 10, Height = 250, Width = 400;
};

// The form's rectangle on a screen of `screen` for a form of size `form`:
// centred; centred across with its top at a third of the free height; or
// the placement's own rectangle.
DialogRect PlaceDialog(const TNvcDialogPlacement& p, const DialogRect& screen, int formWidth, int formHeight);

// The text the calculator window leaves on the clipboard for its display
// text: as shown in English mode, reversed character by character in
// Hebrew mode (so that a Hebrew document shows it in reading order).
std::string CalculatorCopyText(std::string_view display, bool englishMode);

}  // namespace nuvel
