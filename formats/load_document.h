#pragma once
// Turns a file into the paragraphs of a document: picks the reader by the
// extension, the edit configuration, the conversion mode and the disk format
// (see load_rule.h), lets it append the paragraphs, then runs the
// conversion pass over the whole text.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "core/conv_context.h"
#include "formats/document_text.h"
#include "formats/load_rule.h"
#include "formats/para_sink.h"
#include "formats/text_conversion.h"
#include "formats/text_form.h"

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
  // The document's direction: the storage order that files kept in logical
  // order (Windows-1255 text, Unicode text, RTF) are turned into.
  virtual bool EnglishDocument() const { return true; }
  // Drops (true) or keeps (false) the trailing blanks and tabs of the
  // paragraphs appended from now on; a target that never drops them ignores it.
  virtual void SetTrimsTrailingBlanks(bool /*trims*/) {}
  // The file's content chose the direction (before any paragraph is turned).
  virtual void SetEnglishDocument(bool /*english*/) {}
  // The document's conversion: its mode chooses the reader and converts the
  // text, its edit configuration chooses the reader too.
  virtual const ConvContext& Conversion() const = 0;
};

// The largest text the paragraph storage counts, in bytes: a larger file is
// refused before it is read.
inline constexpr uint64_t kDocumentByteLimit = 2147483647;

// What a load could not keep of a file, for the one message on opening.
struct TLoadLosses {
  uint64_t lostChars = 0;   // characters without a byte in the system's set
  uint64_t nulBytes = 0;    // zero bytes dropped
  uint64_t splitLines = 0;  // lines longer than a paragraph may be, split
  bool Any() const { return lostChars != 0 || nulBytes != 0 || splitLines != 0; }
};

struct TLoadResult {
  TLoadRule rule;
  bool lfLineEnds = false;   // the file's line ends were all lone LFs
  uint16_t appendError = 0;  // the editor error (263-268) that stopped reading, to be reported
  uint8_t rtfError = 0;      // the RTF reader's error byte
  bool damaged = false;      // the file was damaged and was read only as far as it could be
  TConvertReport conversion;  // what the conversion pass could not keep
  TTextForm textForm = TTextForm::Bytes;  // Unicode text: its form, to be saved back in it
  bool finalLineEnd = false;  // Unicode text or lines: the file ended with a line end
  TLoadLosses losses;         // what the document could not keep of the file
  bool logicalOrder = false;  // the file kept its text in logical order and was turned at the border
  std::optional<bool> englishByContent;  // the direction its first strong letter chose
};

// Reads `fileName` (opened as given) into `target`. Where neither the
// extension nor the edit configuration chooses the reader, the bytes choose
// before the disk format does: a file whose bytes are Unicode text (see
// SniffTextForm) is read as that text, whatever the conversion mode; with a
// disk format of Unicode text, any other file is read as Windows-1255. The
// system's own forms, RTF, 3B2, rule files, NUL records and e-books are read
// by their rows. A file kept in logical order (Windows-1255 text, Unicode
// text, RTF) sets the target's direction by its content first: its first
// paragraph direction (RTF) or its first strong letter (see
// EnglishByFirstLetter); a file without letters keeps the target's. The
// document is marked modified when saving it
// unchanged would not give back the file's bytes. An empty name does
// nothing. A file that cannot be read throws EInOutError before the text is
// touched, as does a file larger than kDocumentByteLimit, before any of it is
// read. Palm e-books (.PDB, .PRC) read nothing: they take their own road.
TLoadResult LoadDocument(TLoadTarget& target, const std::string& fileName);
// The rule LoadDocument follows for `fileName` in `target`.
TLoadRule LoadRuleFor(const TLoadTarget& target, const std::string& fileName);
// LoadDocument on bytes already in memory, by `rule`; the bytes are taken
// for Unicode text by their look only with `sniffUnicode` (files from
// elsewhere, not the program's own hand-offs). `release`, when given, is
// offered now and then the offset before which the readers are done with the
// bytes (the memory of a file read for the load can then be given back).
TLoadResult LoadDocumentBytes(TLoadTarget& target, const TLoadRule& rule, std::span<const uint8_t> bytes,
                              bool sniffUnicode = false, std::function<void(std::size_t)> release = {});

}  // namespace nuvel
