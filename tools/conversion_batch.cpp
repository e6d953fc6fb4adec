#include "tools/conversion_batch.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>

#include "editor/heb_text_editor.h"

namespace nuvel {

namespace {

// The editor's conversion with the wizard type's mode, when it has one.
ConvContext WizardConversion(const THebTextEditor& editor, std::optional<int> mode) {
  return mode ? editor.Conversion().WithMode(*mode) : editor.Conversion();
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace

void LoadForWizard(THebTextEditor& editor, const std::string& source, const WizardChoices& c) {
  const WizardFormat f = SourceFormat(c);
  editor.SetDisk_Conv(static_cast<uint8_t>(f.diskFormat.value_or(255)));
  editor.LoadFromFileWith(source, WizardConversion(editor, f.mode));
  CleanUpSource(editor, c.source);
}

void KeepForWizard(THebTextEditor& editor, const WizardChoices& c) {
  const WizardFormat f = DestFormat(c);
  if (f.diskFormat) editor.SetDisk_Conv(static_cast<uint8_t>(*f.diskFormat));
  if (f.mode) editor.SetTr_Type_FL(*f.mode);
}

void SaveForWizard(THebTextEditor& editor, const std::string& dest, const WizardChoices& c) {
  const WizardFormat f = DestFormat(c);
  if (f.diskFormat) editor.SetDisk_Conv(static_cast<uint8_t>(*f.diskFormat));
  editor.SaveToFileWith(dest, WizardConversion(editor, f.mode));
}

std::vector<WizardFileResult> ConvertWizardFiles(const WizardChoices& c,
                                                 const std::function<void(THebTextEditor&)>& protect) {
  std::vector<WizardFileResult> results;
  const bool many = c.sources.size() > 1;
  for (const std::string& source : c.sources) {
    WizardFileResult r;
    r.source = source;
    r.dest = many ? DestinationInFolder(source, c.dest_name, c.dest) : WizardDestinationName(c.dest_name, c.dest);
    try {
      std::error_code ec;
      if (!std::filesystem::is_regular_file(source, ec)) {
        r.message = "not found";
      } else if (r.dest.empty()) {
        r.message = "no destination";
      } else if (SameFile(source, r.dest)) {
        r.message = "the destination is the source file itself";
      } else {
        THebTextEditor editor;
        editor.SetEngm(c.englishDocument);
        LoadForWizard(editor, source, c);
        if (c.sheim && protect) protect(editor);
        SaveForWizard(editor, r.dest, c);
        r.ok = true;
      }
    } catch (const std::exception& e) {
      r.message = e.what();
    }
    results.push_back(std::move(r));
  }
  return results;
}

}  // namespace nuvel
