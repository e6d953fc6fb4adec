#include "core/guarded_call.h"

#include "core/message_table.h"
#include "core/message_texts.h"

namespace nuvel {

void ShowGuardedError(const std::string& text) {
  try {
    MessageDlg(text.empty() ? GetLibraryString(30168) : text, MsgDlgType::Error, platform::mbOK);
  } catch (...) {
    // Nothing more can be done about an error while showing an error.
  }
}

}  // namespace nuvel
