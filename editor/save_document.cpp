#include "editor/save_document.h"

#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/conv_guard.h"
#include "core/conv_mode.h"
#include "core/file_messages.h"
#include "core/message_texts.h"
#include "core/settings.h"
#include "formats/disk_format.h"
#include "formats/file_names.h"
#include "formats/sheim_filter_hook.h"
#include "formats/text_conversion.h"
#include "formats/text_readers.h"
#include "platform/atomic_file.h"

namespace nuvel {
namespace {

void ConvertCopy(TParaVector& copy, const TSaveRule& rule, int32_t trTypeFL) {
  switch (rule.pass) {
    case TSavePass::None:
      return;
    case TSavePass::Fixed: {
      ConvStateGuard keep(rule.fixedMode);
      ConvertText(copy, true);
      return;
    }
    case TSavePass::ThreeB2: {
      ConvStateGuard keep(rule.fixedMode);
      ReverseClassRuns(copy);
      ConvertText(copy, true);
      return;
    }
    case TSavePass::Current: {
      ConvStateGuard keep;
      if (trTypeFL >= 0) SetConvMode(trTypeFL);
      ConvertText(copy, true);
      return;
    }
  }
}

}  // namespace

bool BuildSaveBytes(const TSaveRequest& request, const TSaveRule& rule, std::vector<uint8_t>& out) {
  TParaVector copy(request.text);
  if (request.sheimFiltered) RunSheimFilter(copy, kSheimRemoveFilter);
  ConvertCopy(copy, rule, request.trTypeFL);
  TParagraphs& paras = copy.Paras();
  if (!paras.empty() && paras.back().empty()) paras.pop_back();
  const bool lf = request.lfLineEnds;
  switch (rule.writer) {
    case TWriterKind::None:
      out.clear();
      return false;
    case TWriterKind::Lines:
      out = WriteLinesFormat(paras, lf);
      return true;
    case TWriterKind::Nvs:
      out = WriteNvsFormat(paras, request.wrap);
      return true;
    case TWriterKind::DosText:
      out = WriteDosTextFormat(paras, request.wrap, lf);
      return true;
    case TWriterKind::Einstein:
      out = WriteEinsteinFormat(paras, request.wrap);
      return true;
    case TWriterKind::ThreeB2:
      out = Write3B2Format(paras, request.wrap, DefaultStyle3B2());
      return true;
    case TWriterKind::Unicode:
      out = WriteUnicodeFormat(paras, lf, request.textForm, request.finalLineEnd);
      return true;
    case TWriterKind::Rtf:
      return WriteRtfFormat(paras, request.englishDocument, ReadRegString("RtfInf", "UserHead"), out);
  }
  return false;
}

TSaveRule SaveRuleFor(const TSaveRequest& request) {
  TSaveRule rule = ChooseSaveRule(CurrentEditConfig(), DocumentExtension(request.fileName), GetConvMode(),
                                  EffectiveDiskFormat(request.diskConv, ReadDiskFormat()));
  const bool keepsForm = IsUnicodeForm(request.textForm) && rule.writer != TWriterKind::Rtf &&
                         rule.writer != TWriterKind::None && CurrentEditConfig() != TEditConfig::ProgramEditor &&
                         rule.row != 'e';
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

  std::vector<uint8_t> bytes;
  if (!BuildSaveBytes(request, result.rule, bytes)) {
    result.status = TSaveStatus::WriteFailed;
    result.message = "The document could not be written: " + request.fileName;
    return result;
  }

  platform::AtomicWriteOptions options;
  if (request.makeBackup) {
    const std::string backup = BackupFileName(request.fileName, request.backupExt);
    if (backup != request.fileName) options.backupPath = backup;
  }
  const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  result.write = platform::ReplaceFileContents(request.fileName, data, options);
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
