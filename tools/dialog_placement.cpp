#include "tools/dialog_placement.h"

#include "core/text_reversal.h"

namespace nuvel {

DialogRect PlaceDialog(const TNvcDialogPlacement& p, const DialogRect& screen, int formWidth, int formHeight) {
  switch (p.Position) {
    case TNvcDialogPosition::mpCenter:
      return {screen.left + (screen.width - formWidth) / 2, screen.top + (screen.height - formHeight) / 2, formWidth,
              formHeight};
    case TNvcDialogPosition::mpCenterTop:
      return {screen.left + (screen.width - formWidth) / 2, screen.top + (screen.height - formHeight) / 3, formWidth,
              formHeight};
    case TNvcDialogPosition::mpCustom: break;
  }
  return {p.Left, p.Top, p.Width, p.Height};
}

std::string CalculatorCopyText(std::string_view display, bool englishMode) {
  std::string text(display);
  if (!englishMode && !text.empty()) ReverseStr(text);
  return text;
}

}  // namespace nuvel
