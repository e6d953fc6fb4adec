#include "editor/editor_errors.h"

#include "core/message_table.h"

namespace nuvel {

std::string EditorErrorText(uint16_t code) { return GetLibraryString(EditorErrorMessageId(code)); }

EEditorError MakeEditorError(uint16_t code) { return EEditorError(EditorErrorText(code), code); }

}  // namespace nuvel
