#pragma once
// The current conversion mode ("Character Table" preference, [GENPREFS]
// Conversion). Loading, saving and the clipboard convert by it.
#include "core/conv_engine.h"

namespace nuvel {

int GetConvMode();
// Makes `mode` current without storing it; 3 stays 3 (it then converts
// nothing). A caller that forces a mode holds a ConvStateGuard.
void SetConvMode(int mode);
// Writes [GENPREFS] Conversion = the decimal mode, then makes it current;
// 3 (Microsoft Word) runs as 2.
void SaveConvMode(int mode);
// Start-up of the conversion: reads [GENPREFS] Conversion ("NotFound" or a
// value that is not a number gives 0; 3 gives 2) and makes it current.
void LoadConvMode();

}  // namespace nuvel
