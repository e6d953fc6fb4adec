#pragma once
// The one way the program writes a whole file, so that a failure or a kill
// at any moment leaves the old file or the new one whole, never a mixture:
// - the new content goes to a temporary file in the target's folder, named
//   ".<name>.nuvel-<process>-<random>.tmp" so that its owner shows; it is
//   flushed and synced, given the old file's permissions and owner, and
//   renamed over the target;
// - a symbolic link is followed: its target is replaced, the link stays;
// - a file with more than one hard link, or whose owner this process cannot
//   give a new file, or whose folder cannot be written, is written in place
//   once the new content is whole in the temporary file, a copy of the old
//   content is safe and a marker names that copy (unfinished_save.h), so
//   every link and the owner see the edit and a kill in the middle leaves
//   the old text where the next opening of the file finds it;
// - a read-only file, or a name that is not a regular file, is refused;
// - a backup copy of the old content, when asked for, is made atomically
//   too (a hard link where possible, else a synced copy renamed into place);
//   when it cannot be made the earlier backup stays and nothing is replaced;
// - temporary files a killed run of the program left for the file, beside
//   it or in the spare folder, are removed (temporary_files.h), except a
//   copy that a marker holds.
// Every failure gives the step and the system's error number, for a message
// that says why.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_facts.h"
#include "platform/temporary_files.h"

namespace nuvel::platform {

enum class WriteFailure : uint8_t {
  None,
  NotRegular,    // the name leads to a folder, a device or a pipe
  ReadOnlyFile,  // the file may not be written: it is left alone
  Create,        // no temporary file could be made beside the target
  Write,         // the new content could not be written whole (disk full, ...)
  Backup,        // the backup copy could not be made: nothing was replaced
  Replace,       // the new content could not take the old one's place
};

enum class BackupOutcome : uint8_t {
  NotAsked,
  Made,       // the old content is in the backup file
  NoOldFile,  // asked for, but there was no old file to keep
  Failed,     // the earlier backup file, if any, is as it was
};

struct AtomicWriteOptions {
  // Where the old content goes before it is replaced; empty for none.
  std::string backupPath;
  // Missing folders on the way to the target are made (the program's own files).
  bool createFolders = false;
  // Where the new content is put together when the target's folder cannot
  // be written (the file itself can); empty: the system's temporary folder.
  std::string spareFolder;
  // Where an in-place write leaves its marker while it runs; empty: the
  // user's own folder (UnfinishedSaveFolder()).
  std::string markerFolder;
  // Off for a write whose old content is kept elsewhere already and named
  // by a marker of its own (the text of an unfinished save put back): its
  // in-place write then leaves no marker.
  bool markInPlace = true;
};

struct AtomicWriteResult {
  WriteFailure failure = WriteFailure::None;
  int error = 0;  // the system's error number of the failure
  BackupOutcome backup = BackupOutcome::NotAsked;
  std::string target;     // the file that was (to be) written: links followed
  bool inPlace = false;   // written into the old file rather than renamed over it
  // After an in-place write that failed and could not be undone: the copy
  // that holds the old content.
  std::string keptCopy;
  FileStamp written;  // the new file's stamp after a successful write
  bool Ok() const { return failure == WriteFailure::None; }
};

// A file being replaced: write the new content to Stream(), then Commit.
// Dropped without Commit (an error, an exception), it removes its temporary
// file and leaves the target as it was.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(const std::string& path, AtomicWriteOptions options = {});
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // False when the target cannot be written at all; Result() says why.
  bool Ready() const { return stream_ != nullptr; }
  // The temporary file, for writing (and seeking) in binary mode; null when not Ready.
  std::FILE* Stream() const { return stream_; }
  // Puts the new content in the target's place (with the backup first).
  AtomicWriteResult Commit();
  const AtomicWriteResult& Result() const { return result_; }

 private:
  struct State;
  AtomicWriteResult Fail(WriteFailure failure, int error);
  bool CommitInPlace();
  void Discard();

  AtomicWriteOptions options_;
  AtomicWriteResult result_;
  std::unique_ptr<State> state_;
  std::FILE* stream_ = nullptr;
};

// Replaces (or creates) `path` with `bytes` through an AtomicFileWriter.
AtomicWriteResult ReplaceFileContents(const std::string& path, std::string_view bytes,
                                      const AtomicWriteOptions& options = {});

// The program's own files (settings, lists, tables): missing folders are
// made. False, the old file untouched, when the write failed.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Opens `path` for reading when it is a regular file (not a folder, a
// device or a pipe): the descriptor and the file's size then, or -1 with
// `error` set.
int OpenRegularFileToRead(const std::filesystem::path& path, int& error, uint64_t& size);
// Reads a whole file as bytes. Returns false when it is not a regular file
// or cannot be read; `error` then holds the system's error number.
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, int& error);
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes);

// The final name a path leads to through its symbolic links (the name a
// dangling link points at included); the path itself when it is no link.
std::string FollowLinks(const std::string& path);

// For tests: every write of file content through an AtomicFileWriter fails
// with "disk full" once `bytes` more have been written; a negative value
// lifts the limit.
void SetWriteSpaceLimitForTests(int64_t bytes);
// For tests: the process is killed (SIGKILL) once `bytes` more have been
// written through an AtomicFileWriter, as a kill at that moment would; a
// negative value lifts it.
void SetWriteKillForTests(int64_t bytes);

}  // namespace nuvel::platform
