#pragma once
// The editor model a document window holds.
#include <memory>

#include "editor/text_file_editor.h"

namespace nuvel {

std::unique_ptr<TNvcCustomTextFileEditor> MakeDocumentEditor();

}  // namespace nuvel
