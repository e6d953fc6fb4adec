#pragma once
// What the user is told when a file could not be kept as it is on disk: one
// message on opening with the counts, and the question before the first save
// replaces the file; and the question before a save in a form that cannot
// hold the document's points. English texts are here; the Hebrew ones are in
// the string library under the English id + 50.
#include <string>

#include "formats/form_losses.h"
#include "formats/load_document.h"

namespace nuvel {

enum class LoadLossMessage : uint16_t {
  Opening = 43000,        // %s: the file's name
  LostChars = 43001,      // %s: a count
  NulBytes = 43002,       // %s: a count
  SplitLines = 43003,     // %s: a count
  CountsAsChanged = 43004,
  ReplaceAsked = 43005,   // %s: the file's name; %s: the backup copy's name
  FormLossAsked = 43006,  // %s: the file's name; %s: the points and their counts
  FormLossBackup = 43007,  // %s: the backup copy's name
  SaveAnyway = 43008,     // the button that saves all the same
  FirstPointName = 43010,  // to 43029: the points 0xC0 to 0xD3 by name
  // The counts above when they are one.
  LostChar = 43030,
  NulByte = 43031,
  SplitLine = 43032,
};

// The message shown on opening `fileName` when `losses` is not empty.
std::string LoadLossText(const std::string& fileName, const TLoadLosses& losses);
// The question before the first save over `fileName`.
std::string ReplaceLossyFileText(const std::string& fileName, const std::string& backupName);
// The question before a save of `fileName` would lose `losses`; `backupName`
// empty when there is no file to keep.
std::string FormLossText(const std::string& fileName, const TFormLosses& losses, const std::string& backupName);
// The caption of its Yes button.
std::string SaveAnywayCaption();

}  // namespace nuvel
