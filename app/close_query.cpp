#include "app/close_query.h"

#include "core/message_texts.h"

namespace nuvel {

bool RunCloseQuery(const CloseQueryDocument& doc, CloseQueryActions& actions) {
  const bool asksToSave = doc.modified && doc.textLength > 0;
  // The document asked about is in front while its question is up (Exit asks
  // each document in turn, whichever was active).
  if (asksToSave || doc.collectTarget) actions.BringToFront();
  if (asksToSave) {
    ModalResult answer = MessageDlg(doc.saveChangesText, MsgDlgType::Information, platform::mbYesNoCancel);
    if (answer == platform::mrYes) {
      bool saved = doc.untitled ? actions.SaveAs() : actions.Save();
      if (!saved) return false;
    } else if (answer != platform::mrNo) {
      return false;
    }
  }
  if (doc.collectTarget) {
    ModalResult answer = MessageDlg(doc.closeCollectText, MsgDlgType::Confirmation, platform::mbYes | platform::mbNo);
    if (answer != platform::mrYes) return false;
    actions.StopCollecting();
  }
  return true;
}

}  // namespace nuvel
