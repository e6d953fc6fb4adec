#include "filemanager/fm_messages.h"

#include "core/file_messages.h"
#include "core/message_texts.h"
#include "ui/message_format.h"

namespace nuvel {

namespace {

const char* English(FmMessage id) {
  switch (id) {
    case FmMessage::AskCopy: return "Copy %s to %s?";
    case FmMessage::AskMove: return "Move %s to %s?";
    case FmMessage::AskCompress: return "Compress %s to %s?";
    case FmMessage::AskDecompress: return "DeCompress %s to %s?";
    case FmMessage::AskRename: return "Rename %s to %s?";
    case FmMessage::AskDelete: return "Delete %s?";
    case FmMessage::AskReplace: return "%s exists. Replace it?";
    case FmMessage::AskDeleteReadOnly: return "%s is read-only. Delete it anyway?";
    case FmMessage::OntoItself: return "A file cannot be copied, moved or compressed onto itself: %s";
    case FmMessage::CannotOpen: return "Cannot open file %s: %s";
    case FmMessage::CannotCreate: return "Cannot create file %s: %s";
    case FmMessage::CannotRead: return "Cannot read file %s: %s. No copy was left behind.";
    case FmMessage::CannotWrite: return "Cannot write file %s: %s. No copy was left behind.";
    case FmMessage::CannotMove: return "Cannot move file %s: %s";
    case FmMessage::CannotRename: return "Cannot rename file %s: %s";
    case FmMessage::CannotDelete: return "Cannot delete file %s: %s";
    case FmMessage::CannotChange: return "Cannot change the attributes of %s: %s";
    case FmMessage::FolderMade: return "%s created";
    case FmMessage::FolderNotMade: return "%s was not created";
    case FmMessage::AskFolder: return "Which Directory Should I make? ";
    case FmMessage::AskFilter: return "Enter New Filter: ";
    case FmMessage::Caption: return "Nuvel File Manager";
    case FmMessage::TotalFiles: return "Total size of files is: ";
    case FmMessage::TotalSelected: return "Total selected size is: ";
    case FmMessage::BytesInFiles: return "%s  bytes in  %s  files";
    case FmMessage::OpenInEditor: return "%s is open in the editor.";
    case FmMessage::CannotCompress: return "Cannot compress or expand %s: %s";
    case FmMessage::NoAnswer: return "%s does not answer";
    case FmMessage::ChooseFileFor: return "Choose File for %s";
    case FmMessage::CannotList: return "Cannot read the folder %s: %s";
  }
  return "";
}

}  // namespace

std::string FmMessageFormat(FmMessage id) {
  const uint32_t eng = static_cast<uint32_t>(id);
  std::string text = GetMessageText(eng, eng + 50);
  return text.empty() ? std::string(English(id)) : text;
}

std::string FmMessageText(FmMessage id, const std::vector<std::string>& args) {
  std::vector<FormatArg> a(args.begin(), args.end());
  return FormatMessage(FmMessageFormat(id), a);
}

std::string FileOpErrorText(const FileOpError& e) {
  const std::string name = FileNameInMessage(e.path);
  const std::string reason = e.error ? FileErrorReason(e.error) : FileErrorReason(EINVAL);
  switch (e.failure) {
    case FileOpFailure::SameFile: return FmMessageText(FmMessage::OntoItself, {name});
    case FileOpFailure::TargetExists: return FmMessageText(FmMessage::AskReplace, {name});
    case FileOpFailure::CannotOpen: return FmMessageText(FmMessage::CannotOpen, {name, reason});
    case FileOpFailure::CannotCreate: return FmMessageText(FmMessage::CannotCreate, {name, reason});
    case FileOpFailure::ReadFailed: return FmMessageText(FmMessage::CannotRead, {name, reason});
    case FileOpFailure::WriteFailed: return FmMessageText(FmMessage::CannotWrite, {name, reason});
    case FileOpFailure::CannotMove: return FmMessageText(FmMessage::CannotMove, {name, reason});
    case FileOpFailure::CannotRename: return FmMessageText(FmMessage::CannotRename, {name, reason});
    case FileOpFailure::CannotDelete: return FmMessageText(FmMessage::CannotDelete, {name, reason});
    case FileOpFailure::CannotChange: return FmMessageText(FmMessage::CannotChange, {name, reason});
    case FileOpFailure::CannotMakeFolder: return FmMessageText(FmMessage::FolderNotMade, {name});
  }
  return {};
}

}  // namespace nuvel
