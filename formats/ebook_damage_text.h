#pragma once
// The message that tells what is damaged in an e-book that was read only in
// part, from what TDocFile::GetText found.
#include <string>

#include "formats/doc_file.h"

namespace nuvel {

// Empty when the book read whole. Otherwise names `fileName` and each thing
// found: the file ends before its last record, which text records could not
// be decoded to their end, and how much text was read of what the book gives.
std::string EbookDamageText(const std::string& fileName, const TDocFile& book);

}  // namespace nuvel
