#pragma once
// The temporary files a save makes: the new content put together before it
// replaces the file, the safety copy of the old content while a file is
// written in place, and a backup copy on its way into place. Each is named
// ".<name>.nuvel-<process>-<random>.tmp" after the file it is for, so that a
// later save of that file, or the sweep at start, knows it and its owner,
// and removes it once that process has ended. A copy that a marker of an
// unfinished save holds is the only good text of its file and stays.
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace nuvel::platform {

// The temporary-file name prefix of this program for a file named `name`
// (without folder): ".<name>.nuvel-".
std::string TemporaryNamePrefix(std::string_view name);

// Creates a new temporary file for `name` in `folder` with `mode` (the
// process's file-creation mask applies), open for reading and writing; its
// path goes to `path`. -1 with errno set when none could be made.
int CreateTemporaryFile(const std::string& folder, std::string_view name, unsigned mode, std::string& path);

// The process that made the temporary file named `entry` (a name without
// folder), when it is one of this program's temporary files for `name`; for
// any file when `name` is empty. 0 when it is none.
long TemporaryFileOwner(std::string_view entry, std::string_view name = {});

// Removes this program's temporary files for `name` in `folder` (for every
// name when `name` is empty) whose process has ended, except the files in
// `held`. Returns how many went.
using FileIds = std::set<std::pair<uint64_t, uint64_t>>;  // device and inode
int RemoveLeftovers(const std::string& folder, std::string_view name, const FileIds& held);

// The system's temporary folder: $TMPDIR, else /tmp.
std::string SystemTempFolder();

// Makes the entries of `folder` durable: a file made, renamed or removed there
// survives a crash once this returns.
void SyncFolder(const std::string& folder);

// True while the process `pid` runs (or cannot be told apart from one that does).
bool ProcessRuns(long pid);

}  // namespace nuvel::platform
