#pragma once
// The program's conversion mode ("Character Table" preference, [GENPREFS]
// Conversion): the mode a new document or tool run starts with (see
// ProgramConvContext). Conversions themselves convert by the mode they are
// given.
#include "core/conv_engine.h"

namespace nuvel {

int GetConvMode();
// Makes `mode` the program's mode without storing it; 3 stays 3 (it then
// converts nothing).
void SetConvMode(int mode);
// Writes [GENPREFS] Conversion = the decimal mode, then makes it current;
// 3 (Microsoft Word) runs as 2.
void SaveConvMode(int mode);
// Start-up of the conversion: reads [GENPREFS] Conversion ("NotFound" or a
// value that is not a number gives 0; 3 gives 2) and makes it current.
void LoadConvMode();

}  // namespace nuvel
