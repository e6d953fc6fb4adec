#include "app/document_editor.h"

#include "app/plain_document_editor.h"

namespace nuvel {

std::unique_ptr<TNvcCustomTextFileEditor> MakeDocumentEditor() { return std::make_unique<PlainDocumentEditor>(); }

}  // namespace nuvel
