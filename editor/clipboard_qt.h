#pragma once
// The clipboard of the desktop as copy and paste use it: the byte text under
// a MIME type of this program's own, and the plain text beside it.
#include "editor/clipboard_service.h"
#include "editor/clipboard_text.h"

class QMimeData;

namespace nuvel {

inline constexpr char kClipboardBytesMime[] = "application/x-nuvel-text-bytes";

// Replaces the clipboard's contents by `copy`.
void PutOnClipboard(const TClipboardCopy& copy);
// What the clipboard holds now.
TClipboardPaste ReadClipboard();
// What `data` (a clipboard's or a selection's; may be null) offers a paste.
TClipboardPaste PasteOf(const QMimeData* data);

// The desktop's clipboard as the editor's clipboard service.
TClipboardService& DesktopClipboard();
// Makes it the service unless another one is installed.
void InstallDesktopClipboard();

}  // namespace nuvel
