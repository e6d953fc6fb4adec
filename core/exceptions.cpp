#include "core/exceptions.h"

#include "core/message_table.h"

namespace nuvel {

ENoTimersAvailable::ENoTimersAvailable() : ENvcException(GetLibraryString(30189)) {}
ENoControllerAssigned::ENoControllerAssigned() : EControllerError(GetLibraryString(30172)) {}
EDuplicateCommand::EDuplicateCommand() : ECmdProcessorError(GetLibraryString(30169)) {}
ETableNotFound::ETableNotFound() : ECmdProcessorError(GetLibraryString(30170)) {}
EInvalidLineOrCol::EInvalidLineOrCol() : EEditorError(GetLibraryString(30216), 0) {}
EInvalidLineOrPara::EInvalidLineOrPara() : EEditorError(GetLibraryString(30213), 0) {}
ERegionTooLarge::ERegionTooLarge() : EViewerError(GetLibraryString(30186)) {}
EInvalidFontParam::EInvalidFontParam() : EFixedFontError(GetLibraryString(30215)) {}

}  // namespace nuvel
