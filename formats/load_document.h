#pragma once
// Turns a file into the paragraphs of a document: picks the reader by the
// extension, the edit configuration, the conversion mode and the disk format
// (see load_rule.h), lets it append the paragraphs, then runs the
// conversion pass over the whole text.
#include <cstdint>
#include <span>
#include <string>

#include "formats/document_text.h"
#include "formats/load_rule.h"
#include "formats/para_sink.h"

namespace nuvel {

// The editor as the loader sees it.
class TLoadTarget : public TParaSink, public TDocumentText {
 public:
  // Empties the text; called once the file has been read from disk.
  virtual void ClearText() = 0;
  // The document's own disk format code (255: not set).
  virtual uint8_t DiskConv() const = 0;
  // Sheim Hashem protection is on for this document.
  virtual bool SheimFiltered() const = 0;
  // Reading is over: refresh, caret to line 1, column 1.
  virtual void LoadDone() = 0;
};

struct TLoadResult {
  TLoadRule rule;
  bool lfLineEnds = false;   // the file's line ends were all lone LFs
  uint16_t appendError = 0;  // the editor error (263-268) that stopped reading, to be reported
  uint8_t rtfError = 0;      // the RTF reader's error byte
  bool damaged = false;      // the file was damaged and was read only as far as it could be
};

// Reads `fileName` (opened as given) into `target`. An empty name does
// nothing. A file that cannot be read throws EInOutError before the text is
// touched. Palm e-books (.PDB, .PRC) read nothing: they take their own road.
TLoadResult LoadDocument(TLoadTarget& target, const std::string& fileName);
// The rule LoadDocument follows for `fileName` in `target`.
TLoadRule LoadRuleFor(const TLoadTarget& target, const std::string& fileName);
// LoadDocument on bytes already in memory, by `rule`.
TLoadResult LoadDocumentBytes(TLoadTarget& target, const TLoadRule& rule, std::span<const uint8_t> bytes);

}  // namespace nuvel
