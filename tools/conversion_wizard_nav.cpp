#include "tools/conversion_wizard_nav.h"

namespace nuvel {

void WizardNavigation::Show(WizardChoices& choices) {
  page_ = 0;
  customFor_ = 0;
  choices.sourceCustom = {};
  choices.destCustom = {};
}

void WizardNavigation::StoreCustom(WizardChoices& choices, const WizardCustomPage& shown) const {
  WizardCustom& side = customFor_ == 1 ? choices.sourceCustom : choices.destCustom;
  side.table = shown.table;
  side.lineEnds = shown.lineEnds;
}

void WizardNavigation::OpenCustom(const WizardChoices& choices, WizardCustomPage& shown, int forPage) {
  customFor_ = forPage;
  const WizardCustom& side = forPage == 1 ? choices.sourceCustom : choices.destCustom;
  shown.table = side.table;
  shown.lineEnds = side.lineEnds;
  page_ = kWizardCustomPage;
}

void WizardNavigation::Next(WizardChoices& choices, WizardCustomPage& shown) {
  if (page_ == 1 && choices.source == WizardSource::Custom) {
    OpenCustom(choices, shown, 1);
  } else if (page_ == 3 && choices.dest == WizardDest::Custom) {
    OpenCustom(choices, shown, 3);
  } else if (page_ == kWizardCustomPage) {
    StoreCustom(choices, shown);
    page_ = customFor_ + 1;
  } else if (page_ < kWizardSummaryPage) {
    ++page_;
  }
}

void WizardNavigation::Back(WizardChoices& choices, WizardCustomPage& shown) {
  if (page_ == kWizardCustomPage) {
    StoreCustom(choices, shown);
    page_ = customFor_;
  } else if (page_ > 0) {
    --page_;
  }
}

int WizardNavigation::SidePicture() const {
  switch (page_) {
    case 0: return -1;
    case 2: return 4;
    case kWizardSummaryPage: return 3;
    default: return 5;  // pages 1, 3 and the Custom page
  }
}

}  // namespace nuvel
