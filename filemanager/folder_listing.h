#pragma once
// Reading a folder for the file manager: the files of the list (regular
// files and links to them, matching the mask, hidden files left out) and
// the subfolders of the tree (folders and links to them). FIFOs, sockets
// and devices are never listed, and nothing is opened but the folder.
#include <string>
#include <vector>

#include "filemanager/file_entry.h"

namespace nuvel {

struct FolderListing {
  std::vector<FileEntry> files;
  int error = 0;  // the system's error number when the folder cannot be read
};

FolderListing ListFiles(const std::string& folder, std::string_view masks);

struct SubfolderListing {
  std::vector<std::string> names;  // sorted without regard to case, then exactly
  int error = 0;
};

SubfolderListing ListSubfolders(const std::string& folder);

// True when the folder has at least one subfolder (it stops at the first).
bool HasSubfolder(const std::string& folder);

// Looks one file up as the list would show it; false when it is missing or
// not a regular file.
bool LookUpFile(const std::string& path, FileEntry& entry);

}  // namespace nuvel
