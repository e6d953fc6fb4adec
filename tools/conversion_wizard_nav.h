#pragma once
// The conversion wizard's way through its pages: Intro (0), Source
// Properties (1), Choose Files (2), Dest Properties (3), the summary (4) and
// the Custom character table (6), entered from page 1 or 3 when that side's
// type is Custom. Which buttons work on each page, and the side picture.
#include "tools/conversion_wizard.h"

namespace nuvel {

inline constexpr int kWizardCustomPage = 6;
inline constexpr int kWizardSummaryPage = 4;

// The Custom page's shown choices, moved to and from the side it serves.
struct WizardCustomPage {
  int table = -1;
  int lineEnds = -1;
};

class WizardNavigation {
 public:
  // The dialog is shown: the intro page, no custom choices on either side.
  void Show(WizardChoices& choices);
  // Next and Back; `shown` holds (and receives) the Custom page's choices.
  void Next(WizardChoices& choices, WizardCustomPage& shown);
  void Back(WizardChoices& choices, WizardCustomPage& shown);

  int Page() const { return page_; }
  // 1 when the Custom page serves the source, 3 the destination.
  int CustomFor() const { return customFor_; }
  bool BackEnabled() const { return page_ != 0; }
  bool NextEnabled() const { return page_ != kWizardSummaryPage; }
  bool FinishEnabled() const { return page_ == kWizardSummaryPage; }
  // The source file field works unless the source is "Now in Editor".
  static bool SourceFieldEnabled(const WizardChoices& c) { return c.source != WizardSource::InEditor; }
  // The side picture: the large header picture on the intro (-1), else the
  // index of the small picture drawn three times.
  int SidePicture() const;

 private:
  void StoreCustom(WizardChoices& choices, const WizardCustomPage& shown) const;
  void OpenCustom(const WizardChoices& choices, WizardCustomPage& shown, int forPage);

  int page_ = 0;
  int customFor_ = 0;
};

}  // namespace nuvel
