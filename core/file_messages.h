#pragma once
// Messages about files: names that are not documents, loads and saves that
// fail and why, files changed by another program, backup copies, settings
// and data files. Each message's English text is here and its Hebrew text in
// the string library (under its id + 100, or + 50 from 43100 on); a string
// library without the English id gives the text here, so that no message is
// ever blank.
#include <cerrno>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nuvel {

enum class FileMessage : uint16_t {
  IsFolder = 37700,        // %s: the name
  NotRegularFile = 37701,  // %s: the name
  CannotRead = 37702,      // %s: the name; %s: the reason
  CannotWrite = 37703,     // %s: the name; %s: the reason
  CannotWriteCopyKept = 37704,  // %s: the name; %s: the reason; %s: the copy of the old content
  ReadOnlyFile = 37705,    // %s: the name
  BackupFailed = 37706,    // %s: the backup's name; %s: the reason
  BackupMade = 37707,      // %s: the backup's name
  BackupKept = 37708,      // %s: the backup's name
  ChangedOnDisk = 37709,   // %s: the name
  ChangedReload = 37710,   // %s: the name
  DamagedFile = 43100,     // %s: the name
  DataFilesProblem = 43101,          // heading of the lines below
  DataFileMissing = 43102,           // %s: the name; %s: what goes without it
  DataFileDamaged = 43103,           // %s: the name; %s: the reason; %s: what goes without it
  DataFileUnreadable = 43104,        // %s: the name; %s: the reason; %s: what goes without it
  UseStringLibrary = 43105,
  UseConversionTables = 43106,
  SettingsFolderUnwritable = 43107,  // %s: the folder; %s: the reason
  UnfinishedSave = 43120,            // %s: the file; followed by one of the next two
  UnfinishedSaveCopy = 43121,        // %s: the copy of its text from before
  UnfinishedSaveBackup = 43122,      // %s: the backup copy
  RestoreFailed = 43123,             // %s: the file; %s: the reason; %s: the copy
  EbookDamaged = 43124,              // %s: the name; %s: what is damaged
  FileTooLarge = 43125,              // %s: the name; %s: its size; %s: the most a document holds

  // What is damaged in an e-book, put into EbookDamaged.
  EbookCutShort = 43126,
  EbookBadRecord = 43127,    // %s: the record; %s: the text records
  EbookBadRecords = 43128,   // %s: how many; %s: the text records; %s: the first bad one
  EbookTextLength = 43129,   // %s: the bytes read; %s: the bytes the book gives

  // Why a data file is damaged, put into DataFileDamaged.
  DamageNoStringLibrary = 43130,
  DamageTextsMissing = 43131,
  DamageTablesShort = 43132,   // %s: the size the tables take
  DamageChecksum = 43133,
  DamageTablesNotAscii = 43134,
  DamageIndexShort = 43135,    // %s: the size the index takes
  DamageIndexPastEnd = 43136,
  DamageIndexOrder = 43137,
  DamageWordUnreadable = 43138,  // %s: the group's two letters
  DamageNoWordClasses = 43139,
  UseSpelling = 43140,

  // Reasons, put into the messages above.
  ReasonPermission = 37720,
  ReasonDiskFull = 37721,
  ReasonNameTooLong = 37722,
  ReasonMissing = 37723,
  ReasonReadOnlySystem = 37724,
  ReasonIsFolder = 37725,
  ReasonInputOutput = 37726,
  ReasonNotAFolder = 37727,
  ReasonLinkLoop = 37728,
  ReasonTooLarge = 37729,
  ReasonNotRegular = 37730,
  ReasonReadOnlyFile = 37731,
  ReasonOther = 37732,  // %s: the system's own text of the error
  ReasonNoMemory = 43141,
};

// The message's format text in the interface language.
std::string FileMessageFormat(FileMessage id);
// The message with each "%s" replaced by the next of `args` in turn.
std::string FileMessageText(FileMessage id, const std::vector<std::string>& args);

// Why a file operation failed, from the system's error number, in the
// interface language ("permission denied", "the disk is full", ...).
std::string FileErrorReason(int error);

// A count of bytes or records with its thousands grouped: 5,368,709,120.
std::string GroupedNumber(uint64_t n);

}  // namespace nuvel
