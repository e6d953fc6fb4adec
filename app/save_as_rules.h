#pragma once
// The rules Save As applies around its dialog: the dialog's title, the name
// it suggests, the default extension taken from the filter, and the name
// finally saved under. The name the user chose is kept as chosen.
#include <string>
#include <string_view>

namespace nuvel {

// "Save <name> As", or "AUTOSAVE <name> As" for the timer's autosave; the
// name without its folder. In Hebrew (UTF-8) the name is isolated as one
// left-to-right run.
std::string SaveAsTitle(std::string_view fileName, bool fromTimer, bool english = true);

// The dialog's suggested name: "*.rle" for a new rule file (a name holding
// "NewRLE"), nothing for an untitled document, else the name itself.
std::string SuggestedSaveName(std::string_view fileName);

// True for a new rule file's name.
bool IsNewRuleName(std::string_view fileName);

// The default extension of a "text|pattern|..." filter: characters 3 to 5 of
// its second word (the first pattern without "*."); empty when there is none.
std::string DefaultExtOf(std::string_view filter);

// The name saved under: the chosen name with the default extension added
// when it has none (".3T" in the 3B2 configuration), made a full path.
std::string AdjustedSaveName(std::string_view chosen, std::string_view defaultExt, bool forceCP1255);

}  // namespace nuvel
