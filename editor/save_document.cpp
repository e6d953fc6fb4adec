#include "editor/save_document.h"

#include <filesystem>
#include <string_view>
#include <system_error>

#include "core/conv_guard.h"
#include "core/conv_mode.h"
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
      out = WriteUnicodeFormat(paras, lf);
      return true;
    case TWriterKind::Rtf:
      return WriteRtfFormat(paras, request.englishDocument, ReadRegString("RtfInf", "UserHead"), out);
  }
  return false;
}

std::string BackupFileName(const std::string& fileName, const std::string& backupExt) {
  std::filesystem::path p(fileName);
  p.replace_extension("." + backupExt.substr(0, 4));
  return p.string();
}

TSaveResult SaveDocument(const TSaveRequest& request) {
  TSaveResult result;
  if (request.fileName.empty()) return result;
  const std::string ext = DocumentExtension(request.fileName);
  result.rule = ChooseSaveRule(CurrentEditConfig(), ext, GetConvMode(),
                               EffectiveDiskFormat(request.diskConv, ReadDiskFormat()));
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

  std::error_code ec;
  if (request.makeBackup && std::filesystem::is_regular_file(request.fileName, ec)) {
    const std::string backup = BackupFileName(request.fileName, request.backupExt);
    if (backup != request.fileName) {
      // A copy, so that the target stays whole until the new text replaces it.
      std::filesystem::remove(backup, ec);
      std::filesystem::copy_file(request.fileName, backup, std::filesystem::copy_options::overwrite_existing, ec);
    }
  }

  const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!platform::WriteFileAtomically(request.fileName, data)) {
    result.status = TSaveStatus::WriteFailed;
    result.message = "The file could not be written: " + request.fileName;
    return result;
  }
  result.status = TSaveStatus::Saved;
  return result;
}

}  // namespace nuvel
