#include "formats/load_document.h"

#include <span>

#include "core/conv_guard.h"
#include "core/conv_mode.h"
#include "core/exceptions.h"
#include "core/file_messages.h"
#include "core/message_texts.h"
#include "core/settings.h"
#include "formats/disk_format.h"
#include "formats/file_names.h"
#include "formats/reader_input.h"
#include "formats/rtf_reader.h"
#include "formats/sheim_filter_hook.h"
#include "formats/text_conversion.h"
#include "formats/text_readers.h"
#include "platform/atomic_file.h"

namespace nuvel {
namespace {

uint16_t RunReader(TReaderKind kind, TReaderInput& in, TLoadTarget& target, TLoadResult& result) {
  switch (kind) {
    case TReaderKind::None:
      return 0;
    case TReaderKind::Rtf: {
      TRtfReader reader(target);
      result.rtfError = reader.ReadRtf(in.file);
      result.damaged = result.rtfError != TRtfReader::kOk;
      return reader.AppendError();
    }
    case TReaderKind::Lines:
      return ReadLines(in, target);
    case TReaderKind::DosText:
      return ReadDosText(in, target);
    case TReaderKind::SmartDos:
      return ReadSmartDos(in, target, ReadIniBool("GENPREFS", "Smart_Load"));
    case TReaderKind::Einstein:
      in.lineEndChar = kEinsteinLineEnd;
      return ReadSmartDos(in, target, ReadIniBool("GENPREFS", "Smart_Load"));
    case TReaderKind::ThreeB2:
      return Read3B2(in, target, DefaultStyle3B2());
    case TReaderKind::NulRecords:
      return ReadNulRecords(in, target);
    case TReaderKind::Unicode:
      return ReadUnicodeText(in, target, CurrentEditConfig() == TEditConfig::NuvelDos ||
                                             CurrentEditConfig() == TEditConfig::Tag);
  }
  return 0;
}

// Readers that drop zero bytes mark the document modified when they did.
bool NotesZeroBytes(TReaderKind kind) {
  return kind == TReaderKind::Lines || kind == TReaderKind::DosText || kind == TReaderKind::SmartDos ||
         kind == TReaderKind::Einstein || kind == TReaderKind::ThreeB2;
}

}  // namespace

TLoadResult LoadDocument(TLoadTarget& target, const std::string& fileName) {
  if (fileName.empty()) return {};
  const TLoadRule rule = LoadRuleFor(target, fileName);
  std::string bytes;
  int error = 0;
  if (rule.reader != TReaderKind::None && !platform::ReadFileBytes(fileName, bytes, error)) {
    throw EInOutError(FileMessageText(FileMessage::CannotRead, {FileNameInMessage(fileName), FileErrorReason(error)}));
  }
  return LoadDocumentBytes(target, rule,
                           std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

TLoadRule LoadRuleFor(const TLoadTarget& target, const std::string& fileName) {
  uint8_t disk = target.DiskConv();
  if (disk == kDiskNotSet) disk = ReadDiskFormat();
  return ChooseLoadRule(CurrentEditConfig(), DocumentExtension(fileName), GetConvMode(), disk);
}

TLoadResult LoadDocumentBytes(TLoadTarget& target, const TLoadRule& rule, std::span<const uint8_t> bytes) {
  TLoadResult result;
  result.rule = rule;
  target.ClearText();
  TReaderInput in(bytes);
  result.appendError = RunReader(result.rule.reader, in, target, result);
  result.lfLineEnds = in.LfLineEnds();
  if (NotesZeroBytes(result.rule.reader) && in.nulSeen) target.SetModified(true);

  switch (result.rule.pass) {
    case TLoadPass::None:
      break;
    case TLoadPass::Fixed:
    case TLoadPass::FixedReversed: {
      ConvStateGuard keep(result.rule.fixedMode);
      ConvertText(target, false);
      if (result.rule.pass == TLoadPass::FixedReversed) ReverseClassRuns(target);
      break;
    }
    case TLoadPass::General:
      ConvertText(target, false);
      if (target.SheimFiltered()) RunSheimFilter(target, kSheimApplyFilter);
      break;
  }
  target.LoadDone();
  return result;
}

}  // namespace nuvel
