#pragma once
// The file manager's questions and reports. Each English text is here and
// in the string library under its id; the Hebrew text is in the library
// under the id + 50. A library without the text gives the English here, so
// no question is ever blank.
#include <cstdint>
#include <string>
#include <vector>

#include "filemanager/file_utils.h"

namespace nuvel {

enum class FmMessage : uint16_t {
  AskCopy = 43300,         // %s source, %s target
  AskMove = 43301,
  AskCompress = 43302,
  AskDecompress = 43303,
  AskRename = 43304,
  AskDelete = 43305,       // %s the file
  AskReplace = 43306,      // %s the target
  AskDeleteReadOnly = 43307,
  OntoItself = 43308,      // %s the file
  CannotOpen = 43309,      // %s the file, %s the reason
  CannotCreate = 43310,
  CannotRead = 43311,
  CannotWrite = 43312,
  CannotMove = 43313,
  CannotRename = 43314,
  CannotDelete = 43315,
  CannotChange = 43316,
  FolderMade = 43317,      // %s the folder
  FolderNotMade = 43318,
  AskFolder = 43319,
  AskFilter = 43320,
  Caption = 43321,
  TotalFiles = 43322,
  TotalSelected = 43323,
  BytesInFiles = 43324,    // %s bytes, %s files
  OpenInEditor = 43325,    // %s the file
  CannotCompress = 43326,  // %s the file, %s the reason
  NoAnswer = 43327,        // %s the folder
  ChooseFileFor = 43328,   // %s the operation
  CannotList = 43329,      // %s the folder, %s the reason
};

// The format in the interface language.
std::string FmMessageFormat(FmMessage id);
// The format with its "%s" filled by `args` in turn.
std::string FmMessageText(FmMessage id, const std::vector<std::string>& args);

// The report of a failed file operation, naming the file and the reason.
std::string FileOpErrorText(const FileOpError& error);

}  // namespace nuvel
