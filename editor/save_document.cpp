#include "editor/save_document.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>

#include "core/border_order.h"
#include "core/conv_guard.h"
#include "core/conv_mode.h"
#include "core/file_messages.h"
#include "core/message_texts.h"
#include "core/settings.h"
#include "formats/disk_format.h"
#include "formats/file_names.h"
#include "formats/logical_order_text.h"
#include "formats/paragraph_out_conversion.h"
#include "formats/sheim_filter_hook.h"
#include "formats/text_conversion.h"
#include "formats/text_readers.h"
#include "platform/atomic_file.h"

namespace nuvel {
namespace {

// The bytes the writer is given are emptied into the file in parts of about this size.
constexpr std::size_t kSavePartBytes = 256 * 1024;

// The paragraphs of a request as the writer gets them, one at a time: Sheim
// Hashem protection removed, then the rule's conversion pass. The pass's
// conversion mode is current while the object lives.
class TSaveParagraphs {
 public:
  TSaveParagraphs(const TSaveRequest& request, const TSaveRule& rule) : request_(request), rule_(rule) {
    // Other programs keep their text in logical order.
    const int mode = request.trTypeFL >= 0 ? request.trTypeFL : GetConvMode();
    logicalFile_ = CurrentEditConfig() != TEditConfig::ProgramEditor &&
                   (rule.writer == TWriterKind::Unicode || rule.writer == TWriterKind::Rtf ||
                    (rule.writer == TWriterKind::Lines && rule.pass == TSavePass::Current && mode == kConvCp1255));
    switch (rule.pass) {
      case TSavePass::None:
        return;
      case TSavePass::Fixed:
      case TSavePass::ThreeB2:
        mode_.emplace(rule.fixedMode);
        break;
      case TSavePass::Current:
        mode_.emplace();
        if (request.trTypeFL >= 0) SetConvMode(request.trTypeFL);
        break;
    }
    conversion_.emplace();
    if (!conversion_->Converts()) conversion_.reset();
  }

  uint32_t Count() const { return request_.ParagraphCount(); }

  // Paragraph `index` ready for the writer; valid until the next call.
  std::span<const uint8_t> Get(uint32_t index) {
    std::span<const uint8_t> para = request_.Paragraph(index);
    const bool reverse = rule_.pass == TSavePass::ThreeB2;
    if (request_.sheimFiltered || reverse || logicalFile_) {
      // The whole-text passes run over a text of this one paragraph.
      TParagraphs& one = single_.Paras();
      one.resize(1);
      one[0].assign(para.begin(), para.end());
      if (logicalFile_) StorageToLogical(request_.englishDocument, one[0]);
      // The Divine Name protection comes off the names as they are written.
      if (request_.sheimFiltered && logicalFile_) {
        RunSheimFilter(single_, kSheimRemoveFilter);
      } else if (request_.sheimFiltered) {
        TLogicalOrderText logical(single_, request_.englishDocument);
        RunSheimFilter(logical, kSheimRemoveFilter);
      }
      if (reverse) ReverseClassRuns(single_);
      para = one[0];
    }
    if (!conversion_) return para;
    conversion_->Convert(para, converted_);
    return converted_;
  }

 private:
  const TSaveRequest& request_;
  const TSaveRule& rule_;
  bool logicalFile_ = false;
  std::optional<ConvStateGuard> mode_;                  // the pass's mode, put back afterwards
  std::optional<TParagraphOutConversion> conversion_;  // none when the pass changes no byte
  TParaVector single_;
  std::vector<uint8_t> converted_;
};

std::unique_ptr<TDocumentWriter> MakeWriter(const TSaveRequest& request, TWriterKind kind) {
  const bool lf = request.lfLineEnds;
  switch (kind) {
    case TWriterKind::None: return nullptr;
    case TWriterKind::Lines: return MakeLinesWriter(lf);
    case TWriterKind::Nvs: return MakeNvsWriter(request.wrap);
    case TWriterKind::DosText: return MakeDosTextWriter(request.wrap, lf);
    case TWriterKind::Einstein: return MakeEinsteinWriter(request.wrap);
    case TWriterKind::ThreeB2: return Make3B2Writer(request.wrap, DefaultStyle3B2());
    case TWriterKind::Unicode: return MakeUnicodeWriter(lf, request.textForm, request.finalLineEnd);
    case TWriterKind::Rtf: return MakeRtfWriter(request.englishDocument, ReadRegString("RtfInf", "UserHead"));
  }
  return nullptr;
}

}  // namespace

bool StreamSaveBytes(const TSaveRequest& request, const TSaveRule& rule,
                     const std::function<bool(std::span<const uint8_t>)>& put) {
  const std::unique_ptr<TDocumentWriter> writer = MakeWriter(request, rule.writer);
  if (!writer) return false;
  TSaveParagraphs paras(request, rule);
  std::vector<uint8_t> part;
  part.reserve(kSavePartBytes + kSavePartBytes / 4);
  writer->Begin(part);
  const uint32_t count = paras.Count();
  for (uint32_t i = 0; i < count; ++i) {
    const std::span<const uint8_t> para = paras.Get(i);
    if (i + 1 == count && para.empty()) break;
    writer->Paragraph(para, part);
    if (part.size() >= kSavePartBytes) {
      if (!put(part)) return false;
      part.clear();
    }
  }
  const bool ok = writer->End(part);
  if (!part.empty() && !put(part)) return false;
  return ok;
}

bool BuildSaveBytes(const TSaveRequest& request, const TSaveRule& rule, std::vector<uint8_t>& out) {
  out.clear();
  return StreamSaveBytes(request, rule, [&out](std::span<const uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
    return true;
  });
}

TSaveRule SaveRuleFor(const TSaveRequest& request) {
  TSaveRule rule = ChooseSaveRule(CurrentEditConfig(), DocumentExtension(request.fileName), GetConvMode(),
                                  EffectiveDiskFormat(request.diskConv, ReadDiskFormat()));
  // A form the name chooses (.NVW, .NVS, .3T, .RTF) wins over the form the
  // document was read in.
  const bool keepsForm = IsUnicodeForm(request.textForm) && rule.row == 'g';
  if (keepsForm) rule.writer = TWriterKind::Unicode;
  if (rule.writer == TWriterKind::Unicode) {
    rule.pass = TSavePass::Fixed;
    rule.fixedMode = kConvCp1255;
  }
  return rule;
}

std::string SaveFailureText(const std::string& fileName, const std::string& backupName,
                            const platform::AtomicWriteResult& write) {
  const std::string name = FileNameInMessage(fileName);
  const std::string reason = FileErrorReason(write.error);
  using platform::BackupOutcome;
  using platform::WriteFailure;
  if (write.failure == WriteFailure::ReadOnlyFile) return FileMessageText(FileMessage::ReadOnlyFile, {name});
  if (write.failure == WriteFailure::Backup && write.backup == BackupOutcome::Failed)
    return FileMessageText(FileMessage::BackupFailed, {FileNameInMessage(backupName), reason});
  std::string text = write.keptCopy.empty()
                         ? FileMessageText(FileMessage::CannotWrite, {name, reason})
                         : FileMessageText(FileMessage::CannotWriteCopyKept, {name, reason, FileNameInMessage(write.keptCopy)});
  if (!backupName.empty()) {
    text += ' ';
    text += write.backup == BackupOutcome::Made
                ? FileMessageText(FileMessage::BackupMade, {FileNameInMessage(backupName)})
                : FileMessageText(FileMessage::BackupKept, {FileNameInMessage(backupName)});
  }
  return text;
}

std::string BackupFileName(const std::string& fileName, const std::string& backupExt) {
  std::filesystem::path p(fileName);
  p.replace_extension("." + backupExt.substr(0, 4));
  return p.string();
}

TSaveResult SaveDocument(const TSaveRequest& request) {
  TSaveResult result;
  if (request.fileName.empty()) return result;
  result.rule = SaveRuleFor(request);
  if (result.rule.writer == TWriterKind::None) {
    result.status = TSaveStatus::RefusedPalm;
    result.message = std::string(kPalmSaveMessage);
    return result;
  }

  platform::AtomicWriteOptions options;
  if (request.makeBackup) {
    const std::string backup = BackupFileName(request.fileName, request.backupExt);
    if (backup != request.fileName) options.backupPath = backup;
  }
  // The bytes go to the temporary file as they are made; the target is
  // replaced only by the commit, after the last of them.
  platform::AtomicFileWriter file(request.fileName, options);
  if (file.Ready()) {
    bool shortWrite = false;
    const bool built = StreamSaveBytes(request, result.rule, [&](std::span<const uint8_t> bytes) {
      shortWrite = std::fwrite(bytes.data(), 1, bytes.size(), file.Stream()) != bytes.size();
      return !shortWrite;
    });
    if (!built && !shortWrite) {
      // Dropped uncommitted, the temporary file goes and the target stays as it was.
      result.status = TSaveStatus::WriteFailed;
      result.message = "The document could not be written: " + request.fileName;
      return result;
    }
    // A short write is reported by the commit, with the system's reason.
    result.write = file.Commit();
  } else {
    result.write = file.Result();
  }
  if (!result.write.Ok()) {
    result.status =
        result.write.failure == platform::WriteFailure::ReadOnlyFile ? TSaveStatus::ReadOnly : TSaveStatus::WriteFailed;
    result.message = SaveFailureText(request.fileName, options.backupPath, result.write);
    return result;
  }
  result.status = TSaveStatus::Saved;
  return result;
}

}  // namespace nuvel
