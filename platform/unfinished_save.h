#pragma once
// A save that writes a file in place (a file with more than one hard link,
// one whose owner a new file cannot be given, one in a folder that cannot be
// written) overwrites the file's own bytes, so a kill in the middle would
// leave neither the old text nor the new. Before its first byte goes into
// the file, the old content is in a safety copy, synced, and a marker naming
// the file and that copy is written and synced in the user's own folder; the
// marker goes once the file holds the new content whole, and then the copy.
// A marker that outlives its save tells the next opening of the file where
// its last good text is; the copy it names is never swept as a leftover, and
// goes only when the user has said whether to put it back.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/temporary_files.h"

namespace nuvel::platform {

struct UnfinishedSave {
  std::string marker;  // the marker file
  std::string target;  // the file the save was writing
  std::string copy;    // the file's content before that save
  bool copyIsBackup = false;  // the copy is the user's backup file: it stays
  long process = 0;    // the process that was saving
  uint64_t device = 0, inode = 0;  // the file's identity, the same for all its links
};

// The folder of the markers: "unfinished-saves" in the user's settings folder.
std::string UnfinishedSaveFolder();

// Writes and syncs a marker in `folder` (made when missing) for a save of
// `target` whose old content is in `copy`. The marker's path, or empty with
// errno set when it could not be written whole.
std::string WriteUnfinishedSaveMarker(const std::string& folder, const std::string& target, const std::string& copy,
                                      bool copyIsBackup);
// Removes a marker whose save ended, and syncs its folder.
void RemoveUnfinishedSaveMarker(const std::string& marker);

// Every whole marker in `folder`. A marker cut short by a kill (its file
// was not touched yet) is removed once its process has ended.
std::vector<UnfinishedSave> UnfinishedSaves(const std::string& folder);
// The copies the markers in `folder` hold, which no sweep may remove.
FileIds HeldCopies(const std::string& folder);

// The unfinished saves of the file `path` (by its name, its links followed,
// or by its identity) whose process has ended and whose copy holds other
// text than the file. A marker whose copy is gone, or whose file holds the
// copy's text already, is forgotten on the way.
std::vector<UnfinishedSave> UnfinishedSavesOf(const std::string& folder, const std::string& path);

// Puts the copy's text back into the file, through the one atomic write
// (in place where the file needs it), and then forgets the save. On a
// failure the marker and the copy stay.
AtomicWriteResult RestoreUnfinishedSave(const UnfinishedSave& save, const std::string& folder);
// Forgets the save: the marker goes, then the copy unless it is the backup file.
void ForgetUnfinishedSave(const UnfinishedSave& save);

// Removes the program's temporary files of ended runs in `folder`, whatever
// file they were for, except the copies the markers in `markerFolder` hold:
// at start, in the system's temporary folder, where saves put together the
// files of folders they cannot write.
int SweepTemporaryFiles(const std::string& folder, const std::string& markerFolder);

}  // namespace nuvel::platform
