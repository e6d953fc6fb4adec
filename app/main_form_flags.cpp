#include "app/main_form_flags.h"

namespace nuvel {

bool UnicodeClipboard = true;
bool FullNuvel = false;
bool NuvelDlg = false;

}  // namespace nuvel
