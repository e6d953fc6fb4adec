#pragma once
// What the user is told when a file could not be kept as it is on disk: one
// message on opening with the counts, and the question before the first save
// replaces the file. English texts are here; the Hebrew ones are in the
// string library under the English id + 50.
#include <string>

#include "formats/load_document.h"

namespace nuvel {

enum class LoadLossMessage : uint16_t {
  Opening = 43000,        // %s: the file's name
  LostChars = 43001,      // %s: a count
  NulBytes = 43002,       // %s: a count
  SplitLines = 43003,     // %s: a count
  CountsAsChanged = 43004,
  ReplaceAsked = 43005,   // %s: the file's name; %s: the backup copy's name
};

// The message shown on opening `fileName` when `losses` is not empty.
std::string LoadLossText(const std::string& fileName, const TLoadLosses& losses);
// The question before the first save over `fileName`.
std::string ReplaceLossyFileText(const std::string& fileName, const std::string& backupName);

}  // namespace nuvel
