#pragma once
// Saving a document: the writer is chosen by the extension, the edit
// configuration and the disk format (see save_rule.h). The paragraphs are
// read one at a time, each copied, converted and written on its own, so the
// editor's own text, undo history and flags are never touched and no copy of
// the whole text or of the whole file is ever held; the bytes go to a
// temporary file beside the target, which replaces the target only when it
// was written whole.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "editor/document_writers.h"
#include "editor/save_rule.h"
#include "formats/para_vector.h"
#include "platform/atomic_file.h"

namespace nuvel {

struct TSaveRequest {
  std::string fileName;
  TParagraphs text;            // the paragraphs, when `para` is not given
  // The editor's paragraphs, read one at a time while the file is written:
  // paragraph `index` (from 0) of `paraCount`. Used when set.
  std::function<std::span<const uint8_t>(uint32_t index)> para;
  uint32_t paraCount = 0;
  TWrapSettings wrap;          // how the editor wraps them
  bool englishDocument = true;  // the document's main direction (Engm)
  uint8_t diskConv = 255;      // the document's disk format code
  int32_t trTypeFL = -1;       // the conversion wizard's translation type; -1 none
  // The document's conversion; a request made without a document takes the
  // program's defaults.
  ConvContext conversion = ProgramConvContext();
  bool lfLineEnds = false;     // the document was read with LF-only line ends
  TTextForm textForm = TTextForm::Bytes;  // the document was read as this Unicode text
  bool finalLineEnd = false;   // ... which ended with a line end
  bool sheimFiltered = false;  // Sheim Hashem protection is on: it is removed from the copy
  bool makeBackup = false;
  std::string backupExt;       // at most 4 characters are used

  // The mode the save converts by where the rule leaves it to the document:
  // the translation type when one is given.
  int CurrentMode() const { return trTypeFL >= 0 ? trTypeFL : conversion.mode; }
  uint32_t ParagraphCount() const { return para ? paraCount : static_cast<uint32_t>(text.size()); }
  std::span<const uint8_t> Paragraph(uint32_t index) const { return para ? para(index) : text[index]; }
};

enum class TSaveStatus : uint8_t {
  Saved,         // the file holds the document; the editor clears its modified flag
  NothingToDo,   // an empty name
  RefusedPalm,   // a Palm e-book name: "No Loading Over Here!", nothing written
  WriteFailed,   // the old file is untouched; the document stays modified
  ReadOnly,      // the file may not be written: untouched, the user may save elsewhere
};

struct TSaveResult {
  TSaveStatus status = TSaveStatus::NothingToDo;
  TSaveRule rule;
  std::string message;  // what went wrong, for the window to show
  platform::AtomicWriteResult write;  // what the file system did
};

// True when `rule` writes the text in logical order, as other programs keep
// it (Windows-1255 text, Unicode text, RTF), for a request of `request`'s
// conversion and translation type.
bool WritesLogicalOrder(const TSaveRule& rule, const TSaveRequest& request);

inline constexpr std::string_view kPalmSaveMessage = "No Loading Over Here!";
inline constexpr std::string_view kPalmSaveCaption = "Palm Information";

// The bytes the chosen writer makes of the request's text, each paragraph
// converted on its way; they are handed to `put` a part at a time (some
// hundred kilobytes) in the order of the file. An empty last paragraph, which
// the editor always holds, is left out. False when the writer failed or
// `put` refused a part (nothing more is then made).
bool StreamSaveBytes(const TSaveRequest& request, const TSaveRule& rule,
                     const std::function<bool(std::span<const uint8_t>)>& put);

// The same bytes in one buffer.
bool BuildSaveBytes(const TSaveRequest& request, const TSaveRule& rule, std::vector<uint8_t>& out);

// The message of a failed write of `fileName` (`backupName` its backup
// copy, empty when none was asked for).
std::string SaveFailureText(const std::string& fileName, const std::string& backupName,
                            const platform::AtomicWriteResult& write);

// The name of the backup copy: the file name with its extension replaced by
// "." and `backupExt` (cut to 4 characters).
std::string BackupFileName(const std::string& fileName, const std::string& backupExt);

// The rule `request` is saved by: the rule of its name, configuration and
// disk format, except that a document read as Unicode text is written as
// the same Unicode text where the disk format would decide the writer (not
// where its name or the edit configuration choose a form). Unicode text is
// always written through the conversion of mode 2.
TSaveRule SaveRuleFor(const TSaveRequest& request);

// Writes the document through the one atomic write (platform/atomic_file.h):
// links followed, permissions and owner kept, read-only files refused, the
// backup copy made atomically. The message of a failure names the file, says
// why, and what became of the backup copy.
TSaveResult SaveDocument(const TSaveRequest& request);

}  // namespace nuvel
