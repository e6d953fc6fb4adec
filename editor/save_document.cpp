#include "editor/save_document.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>

#include "core/border_order.h"
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
#include "platform/ordered_work.h"

namespace nuvel {
namespace {

// The bytes the writer is given are emptied into the file in parts of about this size.
constexpr std::size_t kSavePartBytes = 256 * 1024;
// A text of at least this many paragraphs is made ready on worker threads.
constexpr uint32_t kAheadParagraphs = 20000;

}  // namespace

bool WritesLogicalOrder(const TSaveRule& rule, const TSaveRequest& request) {
  // Other programs keep their text in logical order.
  const int mode = request.CurrentMode();
  return !request.conversion.NoConversion() &&
         (rule.writer == TWriterKind::Unicode || rule.writer == TWriterKind::Rtf ||
          (rule.writer == TWriterKind::Lines && rule.pass == TSavePass::Current && mode == kConvCp1255));
}

namespace {

// The paragraphs of a request as the writer gets them, one at a time: Sheim
// Hashem protection removed, then the rule's conversion pass.
class TSaveParagraphs {
 public:
  TSaveParagraphs(const TSaveRequest& request, const TSaveRule& rule) : request_(request), rule_(rule) {
    logicalFile_ = WritesLogicalOrder(rule, request);
    int mode = kConvNone;
    switch (rule.pass) {
      case TSavePass::None:
        return;
      case TSavePass::Fixed:
      case TSavePass::ThreeB2:
        mode = rule.fixedMode;
        break;
      case TSavePass::Current:
        mode = request.CurrentMode();
        break;
    }
    conversion_.emplace(mode);
    if (!conversion_->Converts()) conversion_.reset();
  }

  uint32_t Count() const { return request_.ParagraphCount(); }
  std::span<const uint8_t> Source(uint32_t index) const { return request_.Paragraph(index); }

  // True when a paragraph is made ready for the writer from its own bytes
  // and the pass's tables alone, with work worth threads of their own: then
  // Transform may run on several threads at once.
  bool TransformsAlone() const {
    return !request_.sheimFiltered && rule_.pass != TSavePass::ThreeB2 && (logicalFile_ || conversion_);
  }
  // For TransformsAlone: `para` ready for the writer, in `out` or `copy`
  // (buffers of the caller's); valid while they are.
  std::span<const uint8_t> Transform(std::span<const uint8_t> para, std::vector<uint8_t>& copy,
                                     std::vector<uint8_t>& out) const {
    if (logicalFile_) {
      copy.assign(para.begin(), para.end());
      StorageToLogical(request_.englishDocument, copy);
      para = copy;
    }
    if (!conversion_) return para;
    conversion_->Convert(para, out);
    return out;
  }

  // Paragraph `index` ready for the writer; valid until the next call.
  std::span<const uint8_t> Get(uint32_t index) {
    std::span<const uint8_t> para = request_.Paragraph(index);
    if (TransformsAlone()) return Transform(para, copy_, converted_);
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
  std::optional<TParagraphOutConversion> conversion_;  // none when the pass changes no byte
  TParaVector single_;
  std::vector<uint8_t> copy_;
  std::vector<uint8_t> converted_;
};

// The paragraphs of a large text made ready on worker threads, a part of
// some hundred kilobytes at a time, and handed on in order: each part's
// bytes as the file has them to `put` when the format writes a paragraph
// from its own bytes alone (the workers then write them too), else each
// paragraph to `write`. False when `put` or `write` refused.
bool TransformAhead(const TSaveParagraphs& paras, const TDocumentWriter& writer,
                    const std::function<bool(std::span<const uint8_t> bytes)>& put,
                    const std::function<bool(std::span<const uint8_t> para)>& write) {
  struct Part {
    std::vector<std::span<const uint8_t>> sources;  // read on the calling thread: the editor's lookup is its own
    bool last = false;                               // the part ends with the text's last paragraph
    std::vector<uint8_t> text;                       // the paragraphs made ready, or written, one after another
    std::vector<uint32_t> ends;                      // where each ends, when not written
  };
  struct Worker {
    std::vector<uint8_t> copy, out;
    std::unique_ptr<TDocumentWriter> writer;
  };
  const std::size_t workers = platform::OrderedWorkers(6);
  const std::size_t window = 2 * workers + 2;
  std::vector<Part> parts(window);
  std::vector<Worker> own(std::max<std::size_t>(workers, 1));
  for (Worker& w : own) w.writer = writer.ParagraphWriter();
  const bool written = own.front().writer != nullptr;
  const uint32_t count = paras.Count();
  uint32_t next = 0;
  platform::OrderedWork steps;
  steps.prepare = [&](std::size_t k) {
    if (next >= count) return false;
    Part& part = parts[k % window];
    part.sources.clear();
    std::size_t bytes = 0;
    while (next < count && bytes < kSavePartBytes) {
      part.sources.push_back(paras.Source(next++));
      bytes += part.sources.back().size() + 2;
    }
    part.last = next == count;
    return true;
  };
  steps.work = [&](std::size_t k, std::size_t worker) {
    Part& part = parts[k % window];
    Worker& w = own[worker];
    part.text.clear();
    part.ends.clear();
    for (std::size_t i = 0; i < part.sources.size(); ++i) {
      const std::span<const uint8_t> ready = paras.Transform(part.sources[i], w.copy, w.out);
      if (!written) {
        part.text.insert(part.text.end(), ready.begin(), ready.end());
        part.ends.push_back(static_cast<uint32_t>(part.text.size()));
      } else if (!(part.last && i + 1 == part.sources.size() && ready.empty())) {
        // The empty last paragraph the editor always holds is no line of the file.
        w.writer->Paragraph(ready, part.text);
      }
    }
  };
  steps.finish = [&](std::size_t k) {
    const Part& part = parts[k % window];
    if (written) return put(part.text);
    uint32_t from = 0;
    for (const uint32_t end : part.ends) {
      if (!write(std::span<const uint8_t>(part.text).subspan(from, end - from))) return false;
      from = end;
    }
    return true;
  };
  return platform::RunOrderedWork(steps, workers, window);
}

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
  uint32_t i = 0;
  auto write = [&](std::span<const uint8_t> para) {
    const bool last = ++i == count;
    if (last && para.empty()) return true;
    writer->Paragraph(para, part);
    if (part.size() >= kSavePartBytes) {
      if (!put(part)) return false;
      part.clear();
    }
    return true;
  };
  // A large text's paragraphs are made ready on worker threads while the
  // calling thread writes, when that needs nothing but each paragraph.
  if (paras.TransformsAlone() && count >= kAheadParagraphs) {
    if (!part.empty() && !put(part)) return false;
    part.clear();
    if (!TransformAhead(paras, *writer, put, write)) return false;
  } else {
    while (i < count) {
      if (!write(paras.Get(i))) return false;
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
  TSaveRule rule = ChooseSaveRule(request.conversion.config, DocumentExtension(request.fileName), request.conversion.mode,
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
