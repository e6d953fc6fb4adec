#include "core/file_messages.h"

#include <cstring>
#include <string>

#include "core/message_texts.h"

namespace nuvel {
namespace {

// The Hebrew text's id.
constexpr uint32_t HebrewId(uint32_t id) { return id + (id >= 43100 ? 50 : 100); }

std::string_view EnglishText(FileMessage id) {
  switch (id) {
    case FileMessage::IsFolder: return "%s is a folder, not a file.";
    case FileMessage::NotRegularFile:
      return "%s is not a regular file (a device or a pipe) and cannot be opened as a document.";
    case FileMessage::CannotRead: return "Cannot read the file %s: %s.";
    case FileMessage::CannotWrite: return "The document was not saved to %s: %s. The file is as it was.";
    case FileMessage::CannotWriteCopyKept:
      return "The document was not saved to %s: %s. The file's previous content is in %s.";
    case FileMessage::ReadOnlyFile: return "%s is read-only and was not changed. Save the document under another name?";
    case FileMessage::BackupFailed:
      return "The backup copy %s could not be made: %s. The earlier backup copy is as it was, and the document "
             "was not saved.";
    case FileMessage::BackupMade: return "The backup copy %s holds the file as it was before.";
    case FileMessage::BackupKept: return "The backup copy %s is as it was.";
    case FileMessage::ChangedOnDisk:
      return "%s has been changed by another program since it was opened here. Save it anyway and replace those "
             "changes?";
    case FileMessage::ChangedReload: return "%s has been changed by another program. Load it again?";
    case FileMessage::DamagedFile:
      return "The file %s is damaged; the part that could be read is shown. When the document is saved, the file "
             "as it was is kept as the backup copy.";
    case FileMessage::DataFilesProblem:
      return "Some of the program's data files are missing or damaged. The program runs without them; installing "
             "it again restores them.";
    case FileMessage::DataFileMissing: return "%s is missing: %s.";
    case FileMessage::DataFileDamaged: return "%s is damaged (%s): %s.";
    case FileMessage::DataFileUnreadable: return "%s cannot be read (%s): %s.";
    case FileMessage::UseStringLibrary: return "messages and Hebrew interface texts cannot be shown";
    case FileMessage::UseConversionTables: return "texts are read and saved without character conversion";
    case FileMessage::SettingsFolderUnwritable:
      return "The settings folder %s cannot be written: %s. Settings, the list of recent files and window "
             "positions will not be kept.";
    case FileMessage::UnfinishedSave:
      return "The last save of %s was cut off, so the file may hold neither its old text nor its new one.";
    case FileMessage::UnfinishedSaveCopy:
      return "Its text from before that save is in %s. Put it back into the file? (No keeps the file as it is and "
             "removes the copy.)";
    case FileMessage::UnfinishedSaveBackup:
      return "Its text from before that save is in the backup copy %s. Put it back into the file? (No keeps the "
             "file as it is.)";
    case FileMessage::RestoreFailed:
      return "The old text could not be put back into %s: %s. It stays in %s and is offered again when the file "
             "is next opened.";
    case FileMessage::EbookDamaged:
      return "The e-book %s is damaged: %s. The part that could be read is shown. When the document is saved, the "
             "book as it was is kept as the backup copy.";
    case FileMessage::FileTooLarge:
      return "%s is too large to open: it holds %s bytes, and a document holds at most %s bytes. It was not read.";
    case FileMessage::EbookCutShort: return "the file ends before its last record";
    case FileMessage::EbookBadRecord: return "text record %s of %s cannot be decoded to its end";
    case FileMessage::EbookBadRecords:
      return "%s of its %s text records cannot be decoded to their end, the first of them record %s";
    case FileMessage::EbookTextLength: return "%s bytes of text were read where the book gives %s";
    case FileMessage::DamageNoStringLibrary: return "it is not a string library";
    case FileMessage::DamageTextsMissing: return "it lacks texts that every message needs";
    case FileMessage::DamageTablesShort: return "it is shorter than the %s bytes its conversion tables take";
    case FileMessage::DamageChecksum: return "its checksum does not match its content";
    case FileMessage::DamageTablesNotAscii: return "its conversion tables change the ASCII characters";
    case FileMessage::DamageIndexShort: return "it is shorter than the %s bytes of its index";
    case FileMessage::DamageIndexPastEnd: return "its index points past its end: the file is cut short";
    case FileMessage::DamageIndexOrder: return "its index is out of order";
    case FileMessage::DamageWordUnreadable: return "a word of the group %s cannot be read";
    case FileMessage::DamageNoWordClasses: return "it names no dictionary of a class of words";
    case FileMessage::UseSpelling: return "the speller may take correct words for misspelt ones";
    case FileMessage::ReasonPermission: return "permission denied";
    case FileMessage::ReasonDiskFull: return "the disk is full";
    case FileMessage::ReasonNameTooLong: return "the name is too long";
    case FileMessage::ReasonMissing: return "the file or its folder does not exist";
    case FileMessage::ReasonReadOnlySystem: return "the disk can only be read";
    case FileMessage::ReasonIsFolder: return "it is a folder";
    case FileMessage::ReasonInputOutput: return "the disk could not be read or written";
    case FileMessage::ReasonNotAFolder: return "a part of the path is not a folder";
    case FileMessage::ReasonLinkLoop: return "its symbolic links go round in a loop";
    case FileMessage::ReasonTooLarge: return "the file is too large";
    case FileMessage::ReasonNotRegular: return "it is not a regular file";
    case FileMessage::ReasonReadOnlyFile: return "the file is read-only";
    case FileMessage::ReasonOther: return "%s";
    case FileMessage::ReasonNoMemory: return "there is not enough memory";
  }
  return {};
}

}  // namespace

std::string FileMessageFormat(FileMessage id) {
  const auto eng = static_cast<uint32_t>(id);
  std::string text = GetMessageText(eng, HebrewId(eng));
  if (text.empty()) text = std::string(EnglishText(id));
  return text;
}

std::string FileMessageText(FileMessage id, const std::vector<std::string>& args) {
  const std::string format = FileMessageFormat(id);
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
      if (next < args.size()) out += args[next++];
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

std::string FileErrorReason(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return FileMessageFormat(FileMessage::ReasonPermission);
    case ENOSPC:
    case EDQUOT: return FileMessageFormat(FileMessage::ReasonDiskFull);
    case ENAMETOOLONG: return FileMessageFormat(FileMessage::ReasonNameTooLong);
    case ENOENT: return FileMessageFormat(FileMessage::ReasonMissing);
    case EROFS: return FileMessageFormat(FileMessage::ReasonReadOnlySystem);
    case EISDIR: return FileMessageFormat(FileMessage::ReasonIsFolder);
    case EIO: return FileMessageFormat(FileMessage::ReasonInputOutput);
    case ENOTDIR: return FileMessageFormat(FileMessage::ReasonNotAFolder);
    case ELOOP: return FileMessageFormat(FileMessage::ReasonLinkLoop);
    case EFBIG: return FileMessageFormat(FileMessage::ReasonTooLarge);
    case ENODEV:
    case ENXIO: return FileMessageFormat(FileMessage::ReasonNotRegular);
    // Memory, or a thread the system could not give.
    case ENOMEM:
    case EAGAIN: return FileMessageFormat(FileMessage::ReasonNoMemory);
    default: break;
  }
  return FileMessageText(FileMessage::ReasonOther, {std::strerror(error)});
}

std::string GroupedNumber(uint64_t n) {
  std::string digits = std::to_string(n);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

}  // namespace nuvel
