#include "formats/load_document.h"

#include <optional>
#include <span>

#include "core/conv_engine.h"
#include "core/exceptions.h"
#include "core/file_messages.h"
#include "core/message_texts.h"
#include "core/settings.h"
#include "core/shared_state.h"
#include "formats/content_direction.h"
#include "formats/disk_format.h"
#include "formats/file_names.h"
#include "formats/lines_read_ahead.h"
#include "formats/logical_order_text.h"
#include "formats/paragraph_in_conversion.h"
#include "formats/reader_input.h"
#include "formats/rtf_reader.h"
#include "formats/sheim_filter_hook.h"
#include "formats/text_conversion.h"
#include "formats/text_readers.h"
#include "platform/file_facts.h"
#include "platform/file_read_buffer.h"

namespace nuvel {
namespace {

// Runs the reader of `kind`, which puts its paragraphs into `sink` (the
// target itself, or a conversion in front of it); the RTF reader works on the
// target.
uint16_t RunReader(TReaderKind kind, TReaderInput& in, TLoadTarget& target, TParaSink& sink, TLoadResult& result,
                   TUnicodeReadNotes& notes) {
  switch (kind) {
    case TReaderKind::None:
      return 0;
    case TReaderKind::Rtf: {
      TRtfReader reader(target);
      result.rtfError = reader.ReadRtf(in.file);
      result.damaged = result.rtfError != TRtfReader::kOk;
      result.englishByContent = reader.FirstParagraphLeftToRight();
      return reader.AppendError();
    }
    case TReaderKind::Lines:
      return ReadLines(in, sink);
    case TReaderKind::DosText:
      return ReadDosText(in, sink);
    case TReaderKind::SmartDos:
      return ReadSmartDos(in, sink, ReadIniBool("GENPREFS", "Smart_Load"));
    case TReaderKind::Einstein:
      in.lineEndChar = kEinsteinLineEnd;
      return ReadSmartDos(in, sink, ReadIniBool("GENPREFS", "Smart_Load"));
    case TReaderKind::ThreeB2:
      return Read3B2(in, sink, DefaultStyle3B2());
    case TReaderKind::NulRecords:
      return ReadNulRecords(in, sink);
    case TReaderKind::Unicode:
      return ReadUnicodeText(in, sink,
                             target.Conversion().config == TEditConfig::NuvelDos ||
                                 target.Conversion().config == TEditConfig::Tag,
                             result.textForm, &notes);
  }
  return 0;
}

// Readers that drop zero bytes mark the document modified when they did.
bool NotesZeroBytes(TReaderKind kind) {
  return kind == TReaderKind::Lines || kind == TReaderKind::DosText || kind == TReaderKind::SmartDos ||
         kind == TReaderKind::Einstein || kind == TReaderKind::ThreeB2;
}

// Files whose form the bytes decide: those the disk format would decide
// (row i). The extension or the edit configuration decide the others: the
// system's own forms are never read as Unicode text (an ASCII .NVW is valid
// UTF-8).
bool MayBeUnicodeText(const TLoadRule& rule) { return rule.row == 'i'; }

// Windows-1255 text, read by lines and converted in mode 2.
constexpr TLoadRule kWindows1255Rule{'i', TReaderKind::Lines, TLoadPass::Fixed, kConvCp1255};

// Converts each paragraph a reader reads before it goes on to the target, so
// that it is stored once, in its final form.
class TConvertingSink final : public TParaSink {
 public:
  TConvertingSink(TParaSink& to, TParagraphInConversion& conversion)
      : to_(to), conversion_(conversion), trims_(to.TrimsTrailingBlanks()) {}
  uint16_t AppendParaText(std::span<const uint8_t> text) override {
    // Blanks the target would drop are dropped before the conversion, which
    // then sees the paragraph the target keeps (a line of one bracket and a
    // blank turns otherwise than the bracket alone).
    if (trims_) text = WithoutTrailingBlanks(text);
    if (text.empty()) return to_.AppendParaText(text);
    conversion_.Convert(text, converted_);
    return to_.AppendParaText(converted_);
  }

 private:
  TParaSink& to_;
  TParagraphInConversion& conversion_;
  const bool trims_;
  std::vector<uint8_t> converted_;
};

// The parts a large file's lines are converted in ahead of the document.
constexpr std::size_t kReadAheadPart = std::size_t{512} << 10;

// Readers whose paragraphs can be converted one by one as they are read:
// each line is one paragraph, which the target stores as it is given.
bool ConvertsWhileReading(const TLoadRule& rule) {
  return rule.pass == TLoadPass::General && (rule.reader == TReaderKind::Lines || rule.reader == TReaderKind::Unicode);
}

}  // namespace

TLoadResult LoadDocument(TLoadTarget& target, const std::string& fileName) {
  if (fileName.empty()) return {};
  const TLoadRule rule = LoadRuleFor(target, fileName);
  // The file's memory is given back behind the reader as its paragraphs go
  // into the document, so a large file is not held twice.
  platform::FileReadBuffer file;
  int error = 0;
  if (rule.reader != TReaderKind::None) {
    // A file larger than a document can hold is refused before any of it
    // is read.
    const platform::FileStamp stamp = platform::StampOfFile(fileName);
    if (stamp.exists && static_cast<uint64_t>(stamp.size) > kDocumentByteLimit) {
      throw EInOutError(FileMessageText(FileMessage::FileTooLarge,
                                        {FileNameInMessage(fileName), GroupedNumber(static_cast<uint64_t>(stamp.size)),
                                         GroupedNumber(kDocumentByteLimit)}));
    }
  }
  if (rule.reader != TReaderKind::None && !file.Read(fileName, error)) {
    throw EInOutError(FileMessageText(FileMessage::CannotRead, {FileNameInMessage(fileName), FileErrorReason(error)}));
  }
  return LoadDocumentBytes(target, rule, file.Bytes(), true, [&file](std::size_t done) { file.ReleaseBefore(done); });
}

TLoadRule LoadRuleFor(const TLoadTarget& target, const std::string& fileName) {
  uint8_t disk = target.DiskConv();
  if (disk == kDiskNotSet) disk = ReadDiskFormat();
  const ConvContext& conversion = target.Conversion();
  return ChooseLoadRule(conversion.config, DocumentExtension(fileName), conversion.mode, disk);
}

TLoadResult LoadDocumentBytes(TLoadTarget& target, const TLoadRule& rule, std::span<const uint8_t> bytes,
                              bool sniffUnicode, std::function<void(std::size_t)> release) {
  TLoadResult result;
  result.rule = rule;
  if (sniffUnicode && MayBeUnicodeText(rule)) {
    result.textForm = SniffTextForm(bytes);
    if (IsUnicodeForm(result.textForm)) {
      result.rule = {rule.row, TReaderKind::Unicode, TLoadPass::General, 0};
    } else if (rule.reader == TReaderKind::Unicode) {
      // A disk format of Unicode text, and bytes that are not: Windows-1255.
      result.rule = kWindows1255Rule;
    }
  }
  const ConvContext& conversion = target.Conversion();
  const bool unicode = result.rule.reader == TReaderKind::Unicode;
  // Unicode text is read as Windows-1255 bytes, whatever the mode.
  const int generalMode = unicode ? kConvCp1255 : conversion.mode;
  if (unicode && result.textForm == TTextForm::Bytes) result.textForm = TTextForm::Utf16;
  target.ClearText();
  TReaderInput in(bytes);
  in.release = std::move(release);
  // Whether a text of lines ends with a line end: a writer that puts line
  // ends between lines (Unicode text) then gives it back.
  const bool lastLineEnded = !in.data.empty() && (in.data.back() == 10 || in.data.back() == 13);
  TUnicodeReadNotes notes;
  // Files of other programs keep their text in logical order: they are
  // turned into storage order, in the conversion pass where there is one.
  const bool logicalFile =
      !conversion.NoConversion() && (unicode || result.rule.reader == TReaderKind::Rtf || result.rule == kWindows1255Rule ||
                        (result.rule.pass == TLoadPass::General && result.rule.reader == TReaderKind::Lines &&
                                     conversion.mode == kConvCp1255));
  result.logicalOrder = logicalFile;
  // The direction comes from the text before a paragraph is turned: from
  // the file's bytes, or for RTF from what its reader read.
  const bool rtf = result.rule.reader == TReaderKind::Rtf;
  if (logicalFile && !rtf) {
    result.englishByContent = EnglishByFirstLetter(bytes, unicode ? result.textForm : TTextForm::Bytes);
    if (result.englishByContent) target.SetEnglishDocument(*result.englishByContent);
  }
  std::optional<bool> turnFor = logicalFile ? std::optional<bool>(target.EnglishDocument()) : std::nullopt;
  // They keep the blanks and tabs that end their lines too, so that such a
  // file is saved back as it came; the system's own forms drop them.
  struct TrimChoice {
    TLoadTarget& target;
    const bool trims = target.TrimsTrailingBlanks();
    ~TrimChoice() { target.SetTrimsTrailingBlanks(trims); }
  } trimChoice{target};
  if (logicalFile) target.SetTrimsTrailingBlanks(false);
  bool converted = false;
  if (ConvertsWhileReading(result.rule)) {
    TParagraphInConversion lineConversion(generalMode, turnFor);
    if (lineConversion.Converts()) {
      if (result.rule.reader == TReaderKind::Lines && WorthReadingAhead(in, kReadAheadPart)) {
        // A large file's lines are converted on worker threads while the
        // document takes in those done.
        const TMakeInConversion make = [&turnFor, generalMode] {
          return std::make_unique<TParagraphInConversion>(generalMode, turnFor);
        };
        result.appendError = ReadLinesAhead(in, target, make, result.conversion, kReadAheadPart);
      } else {
        TConvertingSink sink(target, lineConversion);
        result.appendError = RunReader(result.rule.reader, in, target, sink, result, notes);
        result.conversion = lineConversion.Report();
      }
      if (result.conversion.changed) target.SetModified(true);
      converted = true;
    }
  }
  if (!converted) result.appendError = RunReader(result.rule.reader, in, target, target, result, notes);
  if (logicalFile && rtf) {
    // The RTF's first paragraph direction, else its first letter: its
    // paragraphs are still Windows-1255 bytes in logical order.
    for (uint32_t i = 0; !result.englishByContent && i < target.ParaCount(); ++i) {
      result.englishByContent = EnglishByFirstLetter(target.Para(i), TTextForm::Bytes);
    }
    if (result.englishByContent) target.SetEnglishDocument(*result.englishByContent);
    turnFor = target.EnglishDocument();
  }
  result.lfLineEnds = in.LfLineEnds();
  result.finalLineEnd = result.rule.reader == TReaderKind::Lines ? lastLineEnded : notes.finalLineEnd;
  const bool zerosDropped = (NotesZeroBytes(result.rule.reader) || unicode) && in.nulSeen;

  switch (result.rule.pass) {
    case TLoadPass::None:
      break;
    case TLoadPass::Fixed:
    case TLoadPass::FixedReversed: {
      result.conversion = ConvertText(target, result.rule.fixedMode, false);
      if (result.rule.pass == TLoadPass::FixedReversed) ReverseClassRuns(target);
      break;
    }
    case TLoadPass::General: {
      if (ConvertsWhileReading(result.rule)) break;  // converted as it was read, or nothing to convert
      result.conversion = ConvertText(target, generalMode, false, turnFor);
      break;
    }
  }
  if (logicalFile && !result.conversion.turned) TurnParagraphs(target, target.EnglishDocument());
  // The Divine Name protection reads names as they are written, in logical
  // order, whichever direction the document stores them in.
  if (result.rule.pass == TLoadPass::General && target.SheimFiltered()) {
    TLogicalOrderText logical(target, target.EnglishDocument());
    RunSheimFilter(logical, kSheimApplyFilter);
  }

  result.losses.lostChars = notes.lostChars + result.conversion.lostChars;
  // Counted whole: the zero bytes trimmed from the end are left out too (a
  // file of zeros is trimmed to its first byte, which the reader drops).
  result.losses.nulBytes = zerosDropped ? in.nulBytes + (unicode ? 0 : in.trailingNulBytes) : 0;
  result.losses.splitLines = in.splitLines;
  if (notes.changed || zerosDropped || in.splitLines != 0) target.SetModified(true);
  target.LoadDone();
  return result;
}

}  // namespace nuvel
