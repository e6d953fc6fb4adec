// The document windows' care for the files behind the documents: a save
// that cannot write the file says why (a read-only file offers Save As), a
// file another program changed is not written over without asking, and a
// changed file that is unmodified here is offered to be loaded again, and a
// file whose save was cut off is offered its text from before that save.
#include <QApplication>

#include "app/document_io.h"
#include "app/document_windows_qt.h"
#include "app/file_name_parts.h"
#include "app/mdi_child_qt.h"
#include "core/exceptions.h"
#include "core/file_messages.h"
#include "core/guarded_call.h"
#include "core/message_texts.h"
#include "editor/text_file_editor.h"
#include "formats/ebook_names.h"
#include "platform/unfinished_save.h"

namespace nuvel {

bool DocumentWindows::SaveChildTo(TMDIChild& child, const std::string& name) {
  const TMDIChild::InUse saving(child);
  TNvcCustomTextFileEditor& doc = child.Doc();
  bool saved = false;
  std::string readOnlyText;
  Guarded([&] {
    try {
      saved = SaveEbook && IsPdbFileName(name) ? SaveEbook(child, name) : SaveDocumentFile(doc, name);
    } catch (const EFileWriteError& e) {
      if (!e.ReadOnly()) throw;
      readOnlyText = e.what();
    }
  });
  if (saving.Closed()) return false;
  if (!readOnlyText.empty() &&
      MessageDlg(readOnlyText, MsgDlgType::Confirmation, platform::mbYes | platform::mbNo) == platform::mrYes) {
    return !saving.Closed() && SaveChildAs(child, false);
  }
  if (saved) answeredStamps_.erase(&child);
  return saved;
}

bool DocumentWindows::MayReplaceFile(TMDIChild& child, const std::string& name, bool quiet) {
  const TNvcCustomTextFileEditor& doc = child.Doc();
  const platform::FileStamp now = platform::StampOfFile(name);
  // A file that was removed meanwhile is simply written again; what is no
  // file any more is for the write to refuse.
  if (!now.exists || !platform::ChangedSince(doc.DiskStamp(), now)) return true;
  if (platform::KindOfFile(name) != platform::FileKind::Regular) return true;
  auto answered = answeredStamps_.find(&child);
  if (quiet && answered != answeredStamps_.end() && answered->second == now) return false;
  answeredStamps_[&child] = now;
  const std::string text = FileMessageText(FileMessage::ChangedOnDisk, {FileNameInMessage(name)});
  return MessageDlg(text, MsgDlgType::Warning, platform::mbYes | platform::mbNo) == platform::mrYes;
}

void DocumentWindows::OfferReload(TMDIChild& child) {
  TNvcCustomTextFileEditor& doc = child.Doc();
  const std::string name = doc.FileName();
  if (IsUntitledName(name) || !doc.DiskStamp().exists) return;
  const platform::FileStamp now = platform::StampOfFile(name);
  if (!now.exists || !platform::ChangedSince(doc.DiskStamp(), now)) return;
  auto answered = answeredStamps_.find(&child);
  if (answered != answeredStamps_.end() && answered->second == now) return;
  // A modified document is not thrown away: its save asks instead.
  if (doc.Modified()) return;
  answeredStamps_[&child] = now;
  QPointer<TMDIChild> alive(&child);
  const std::string text = FileMessageText(FileMessage::ChangedReload, {FileNameInMessage(name)});
  if (MessageDlg(text, MsgDlgType::Confirmation, platform::mbYes | platform::mbNo) != platform::mrYes || !alive) return;
  if (alive->Doc().Modified()) return;  // typed into while the question was up
  Guarded([&] { LoadChildFile(*alive, name); });
  if (!alive) return;
  const std::string notice = alive->Doc().TakeLoadNotice();
  // A file read only in part stays modified, so that its save keeps a backup.
  if (notice.empty()) alive->Doc().SetModified(false);
  UpdateButtons();
  if (!notice.empty()) MessageDlg(notice, MsgDlgType::Warning, platform::mbOK);
}

void DocumentWindows::OfferUnfinishedSaves(const std::string& name) {
  const std::string folder = platform::UnfinishedSaveFolder();
  for (const platform::UnfinishedSave& save : platform::UnfinishedSavesOf(folder, name)) {
    const FileMessage where = save.copyIsBackup ? FileMessage::UnfinishedSaveBackup : FileMessage::UnfinishedSaveCopy;
    const std::string text = FileMessageText(FileMessage::UnfinishedSave, {FileNameInMessage(save.target)}) + ' ' +
                             FileMessageText(where, {FileNameInMessage(save.copy)});
    if (MessageDlg(text, MsgDlgType::Warning, platform::mbYes | platform::mbNo) != platform::mrYes) {
      platform::ForgetUnfinishedSave(save);
      continue;
    }
    const platform::AtomicWriteResult restored = platform::RestoreUnfinishedSave(save, folder);
    if (!restored.Ok()) {
      const std::string failed = FileMessageText(
          FileMessage::RestoreFailed,
          {FileNameInMessage(save.target), FileErrorReason(restored.error), FileNameInMessage(save.copy)});
      MessageDlg(failed, MsgDlgType::Error, platform::mbOK);
    }
  }
}

void DocumentWindows::CheckActiveFile() {
  if (TMDIChild* c = ActiveChild()) OfferReload(*c);
}

}  // namespace nuvel
