// Where the dialog components put their form; the calculator window's copy.
#include <gtest/gtest.h>

#include "tools/calculator_model.h"
#include "tools/dialog_placement.h"

namespace nuvel {
namespace {

TEST(DialogPlacement, CentredCentredAtTheTopOrItsOwnRectangle) {
  const DialogRect screen{0, 20, 1000, 800};
  TNvcDialogPlacement p;
  EXPECT_EQ(PlaceDialog(p, screen, 400, 250), (DialogRect{300, 295, 400, 250}));
  p.Position = TNvcDialogPosition::mpCenterTop;
  EXPECT_EQ(PlaceDialog(p, screen, 400, 250), (DialogRect{300, 203, 400, 250}));
  p.Position = TNvcDialogPosition::mpCustom;
  p.Left = 7;
  p.Top = 9;
  EXPECT_EQ(PlaceDialog(p, screen, 400, 250), (DialogRect{7, 9, 400, 250}));
}

TEST(CalculatorCopy, HebrewModeReversesTheDisplayText) {
  CalculatorModel calc;
  calc.SetDecimals(2);
  for (int b : {cbDigit0 + 1, cbDigit0 + 2, int(cbDecimal), cbDigit0 + 5, int(cbEquals)}) calc.PressButton(b);
  const std::string shown = calc.DisplayText();
  ASSERT_NE(shown.find("12.50  "), std::string::npos) << shown;
  EXPECT_EQ(CalculatorCopyText(shown, true), shown);
  const std::string reversed = CalculatorCopyText(shown, false);
  EXPECT_EQ(reversed.substr(0, 7), "  05.21");
  EXPECT_EQ(reversed.find_first_not_of(' ', 7), std::string::npos);
  EXPECT_EQ(reversed.size(), shown.size());
  EXPECT_EQ(CalculatorCopyText("", false), "");
}

}  // namespace
}  // namespace nuvel
