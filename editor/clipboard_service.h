#pragma once
// The clipboard as the editor engine reaches it: the window layer installs
// the desktop's clipboard here, tests install a fake. Without one, copy
// places nothing and paste finds nothing.
#include "editor/clipboard_text.h"

namespace nuvel {

class TClipboardService {
 public:
  virtual ~TClipboardService() = default;
  // Replaces the clipboard's contents.
  virtual void Put(const TClipboardCopy& copy) = 0;
  // What the clipboard holds now.
  virtual TClipboardPaste Read() = 0;
};

// Installs `service` (nullptr: none) and returns the one installed before.
TClipboardService* SetClipboardService(TClipboardService* service);
TClipboardService* CurrentClipboardService();

}  // namespace nuvel
