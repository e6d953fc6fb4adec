#pragma once
// The conversion wizard's work on files: a source read with its type's
// conversion and cleaned up, then written with the destination's; several
// sources one after the other into a destination folder. A source file is
// never written, and a file that fails is reported while the others go on.
#include <functional>
#include <string>
#include <vector>

#include "tools/conversion_wizard.h"

namespace nuvel {

class THebTextEditor;

// Reads `source` into `editor` with the source type's conversion mode and
// disk format (the document's own conversion is unchanged), then cleans it up.
// Throws as the editor's load does.
void LoadForWizard(THebTextEditor& editor, const std::string& source, const WizardChoices& c);

// Gives the editor the destination's disk format and translation type, as
// a document kept in the editor keeps them for its next save.
void KeepForWizard(THebTextEditor& editor, const WizardChoices& c);

// Writes the editor's text to `dest` with the destination's conversion mode
// and disk format (the document's own conversion is unchanged). Throws as the
// editor's save does.
void SaveForWizard(THebTextEditor& editor, const std::string& dest, const WizardChoices& c);

struct WizardFileResult {
  std::string source;
  std::string dest;
  bool ok = false;
  std::string message;  // why it failed
};

// Converts every source into its destination: the destination file for one
// source, the destination folder (same base names, the type's extension)
// for several. `protect` runs Sheim Hashem protection over a converted text
// when the choices ask for it (may be empty).
std::vector<WizardFileResult> ConvertWizardFiles(const WizardChoices& c,
                                                 const std::function<void(THebTextEditor&)>& protect);

}  // namespace nuvel
