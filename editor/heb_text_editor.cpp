#include "editor/heb_text_editor.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/border_order.h"
#include "core/exceptions.h"
#include "core/file_messages.h"
#include "core/message_texts.h"
#include "core/fixed_font_names.h"
#include "core/logical_line.h"
#include "core/settings.h"
#include "editor/clipboard_service.h"
#include "editor/clipboard_text.h"
#include "editor/editor_document_io.h"
#include "editor/load_loss_messages.h"
#include "formats/form_losses.h"
#include "platform/message_sink.h"
#include "platform/file_facts.h"

namespace nuvel {

namespace {
// What the save of `request` would lose of the points of the document: the
// conversions whose sets have fewer points than the system's are tried both
// ways; the Windows-1255 and Unicode roads keep every point.
TFormLosses SaveLosses(const TSaveRequest& request) {
  const TSaveRule rule = SaveRuleFor(request);
  int mode = kConvNone;
  switch (rule.pass) {
    case TSavePass::None: break;
    case TSavePass::Fixed:
    case TSavePass::ThreeB2: mode = rule.fixedMode; break;
    case TSavePass::Current: mode = request.CurrentMode(); break;
  }
  if (mode != kConvWindows31 && mode != kConvNuvelDos && mode != kConvEinstein && mode != kConv3B2) return {};
  return CountFormLosses(mode, request.ParagraphCount(), [&request](uint32_t i) { return request.Paragraph(i); });
}

FontDescriptor FontSetting(std::string_view key, std::string_view defaultName) {
  const FontDescriptor fallback{std::string(defaultName), 11, {}};
  const std::string value = ReadIniString("GENPREFS", key);
  if (value == "NotFound") return fallback;
  return ParseFontDescriptorOr(value, fallback);
}
}  // namespace

TEditorFontSettings ReadEditorFontSettings() {
  return {FontSetting("CurFont", kEnglishDefaultFont), FontSetting("CurFont2", kHebrewScreenFont1)};
}

THebTextEditor::THebTextEditor() {
  SetPersistentBlocks(false);
  hebScreenFont_ = IsHebScreenFont(ReadEditorFontSettings().Hebrew.Name);
  UpdateWrapRuns();
}

uint16_t THebTextEditor::AppendParaText(std::span<const uint8_t> text, uint16_t firstLength) {
  text = text.first(std::min<size_t>(text.size(), firstLength));
  if (const void* zero = std::memchr(text.data(), 0, text.size())) {
    text = text.first(static_cast<size_t>(static_cast<const uint8_t*>(zero) - text.data()));
  }
  return AppendPara(text);
}

void THebTextEditor::WordAtCaret(int32_t& start, int32_t& end) const {
  const auto text = GetPara(CaretPara());
  const auto length = static_cast<int32_t>(text.size());
  const int32_t p = CaretPos();
  auto at = [&](int32_t pos) { return text[static_cast<size_t>(pos - 1)]; };
  if (p < 2 || length == 0) {
    start = p;
  } else {
    // Back from the byte at the caret over delimiters, then over the word.
    int32_t k = std::min(p, length);
    while (k >= 1 && IsDelimiter(at(k))) --k;
    while (k >= 1 && !IsDelimiter(at(k))) --k;
    start = k + 1;
  }
  end = std::max(p, 1);
  while (end <= length && !IsDelimiter(at(end))) ++end;
  while (end <= length && (at(end) == ' ' || at(end) == '\t')) ++end;
}

void THebTextEditor::CutWord() {
  if (ReadOnly()) return;
  if (!HasSelection()) {
    int32_t start = 0;
    int32_t end = 0;
    WordAtCaret(start, end);
    int32_t line1 = CaretPara();
    int32_t col1 = start;
    int32_t line2 = CaretPara();
    int32_t col2 = end;
    ParaToLine(line1, col1);
    ParaToLine(line2, col2);
    SetSelection(line1, col1, line2, col2, true);
  }
  CutToClipboard();
}

void THebTextEditor::LoadFromFile(const std::string& name) { LoadFromFileWith(name, Conversion()); }

void THebTextEditor::LoadFromFileWith(const std::string& name, const ConvContext& conversion) {
  // Taken before reading: a change made while the file is read is noticed.
  const platform::FileStamp stamp = platform::StampOfFile(name);
  SetLoadNotice({});
  const TLoadResult result = LoadEditorFromFile(*this, name, conversion, diskConv_, sheimFiltered_, Engm(), directionFromContent_);
  if (directionFromContent_ && result.englishByContent) SetEngm(*result.englishByContent);
  logicalOrder_ = result.logicalOrder;
  UpdateWrapRuns();
  SetDiskStamp(stamp);
  lfLineEnds_ = result.lfLineEnds;
  textForm_ = result.textForm;
  finalLineEnd_ = result.finalLineEnd;
  formLossAnswered_.clear();
  lossyLoad_ = result.losses.Any();
  lossyName_ = lossyLoad_ ? name : std::string();
  if (result.damaged) {
    // What was read differs from the file: a save must not pass for the
    // file's own content, and the file as it was stays as the backup copy.
    SetModified(true);
    SetBackupOnNextSave(true);
    SetLoadNotice(FileMessageText(FileMessage::DamagedFile, {FileNameInMessage(name)}));
  }
  if (result.appendError != 0) DoOnError(result.appendError);
  if (lossyLoad_) {
    // Told once; the document is modified, and its first save keeps the file.
    SetModified(true);
    SetBackupOnNextSave(true);
    std::string notice = LoadNotice();
    if (!notice.empty()) notice += "\n";
    SetLoadNotice(notice + LoadLossText(name, result.losses));
  }
}

void THebTextEditor::SaveToFile(const std::string& name) { SaveToFileWith(name, Conversion()); }

void THebTextEditor::SaveToFileWith(const std::string& name, const ConvContext& conversion) {
  if (lossyLoad_ && name == lossyName_) {
    platform::MessageRequest question;
    question.text = ReplaceLossyFileText(name, BackupFileName(name, BackupExt()));
    question.type = platform::MsgDlgType::Confirmation;
    question.buttons = platform::mbYes | platform::mbNo;
    if (platform::ShowMessageRequest(question) != platform::mrYes) return;
  }
  TSaveRequest request = SaveRequestFor(*this, name);
  request.textForm = textForm_;
  request.finalLineEnd = finalLineEnd_;
  request.englishDocument = Engm();
  request.diskConv = diskConv_;
  request.trTypeFL = trTypeFl_;
  request.conversion = conversion;
  request.lfLineEnds = lfLineEnds_;
  request.sheimFiltered = sheimFiltered_;
  if (name != formLossAnswered_) {
    const TFormLosses losses = SaveLosses(request);
    if (losses.Any()) {
      const bool exists = platform::StampOfFile(name).exists;
      platform::MessageRequest question;
      question.text = FormLossText(name, losses, exists ? BackupFileName(name, BackupExt()) : std::string());
      question.type = platform::MsgDlgType::Warning;
      question.buttons = platform::mbYes | platform::mbCancel;
      question.yesCaption = SaveAnywayCaption();
      if (platform::ShowMessageRequest(question) != platform::mrYes) return;
      formLossAnswered_ = name;
      request.makeBackup = true;
    }
  }
  const TSaveResult result = SaveEditorToFile(*this, request);
  if (result.status == TSaveStatus::RefusedPalm) {
    platform::MessageRequest message;
    message.text = result.message;
    message.type = platform::MsgDlgType::Information;
    platform::ShowMessageRequest(message);
  } else if (result.status == TSaveStatus::WriteFailed || result.status == TSaveStatus::ReadOnly) {
    throw EFileWriteError(result.message, result.status == TSaveStatus::ReadOnly);
  } else if (result.status == TSaveStatus::Saved) {
    SetDiskStamp(result.write.written);
    SetBackupOnNextSave(false);
    lossyLoad_ = false;
    // The document is now the file it was saved as, in the form written.
    if (result.rule.writer != TWriterKind::Unicode) textForm_ = TTextForm::Bytes;
    logicalOrder_ = WritesLogicalOrder(result.rule, request);
    UpdateWrapRuns();
  }
}

void THebTextEditor::UpdateWrapRuns() {
  ParaList().SetWrapRuns(!logicalOrder_ ? TWrapRuns::None
                         : Engm()       ? TWrapRuns::EnglishDocument
                                        : TWrapRuns::HebrewDocument);
}

void THebTextEditor::ChooseDirection(bool english) {
  const bool from = Engm();
  if (english == from) return;
  if (logicalOrder_) {
    TNvcParaList& list = ParaList();
    const bool modified = list.Modified();
    bool turned = false;
    std::vector<uint8_t> p;
    BeginUpdate();
    for (int32_t i = 1; i <= ParaCount(); ++i) {
      const std::span<const uint8_t> para = GetPara(i);
      p.assign(para.begin(), para.end());
      StorageToLogical(from, p);
      LogicalToStorage(english, p);
      if (std::equal(p.begin(), p.end(), para.begin(), para.end())) continue;
      list.ReplaceParaForLoad(i, p);
      turned = true;
    }
    list.SetModified(modified);
    if (turned) list.UndoBuffer().Clear();
    EndUpdate();
  }
  SetEngm(english);
}

bool THebTextEditor::CopyToClipboard() {
  TClipboardService* clipboard = CurrentClipboardService();
  if (clipboard == nullptr) return false;
  const std::optional<TClipboardCopy> copy = SelectionClipboardText();
  if (!copy) return false;
  clipboard->Put(*copy);
  return true;
}

std::optional<TClipboardCopy> THebTextEditor::SelectionClipboardText() const {
  const auto chunks = SelectionChunks(*this);
  if (chunks.empty()) return std::nullopt;
  return BuildClipboardCopy(chunks, Conversion(), Engm());
}

void THebTextEditor::PasteFromClipboard() {
  TClipboardService* clipboard = CurrentClipboardService();
  if (GetReadOnly() || clipboard == nullptr) return;
  PasteClipboardText(clipboard->Read());
}

void THebTextEditor::PasteClipboardText(const TClipboardPaste& paste) {
  if (GetReadOnly()) return;
  const auto text = TextFromClipboard(paste, Conversion(), Engm());
  if (!text || text->empty()) return;
  const int32_t para = CaretPara();
  if (HasSelection() || CaretPos() > ParaLength(para) + 1) {
    if (const uint16_t rc = InsertText(*text)) DoOnError(rc);
    return;
  }
  // In reading order: the pasted lines go in at the logical caret, the
  // first joined to the text before it and the last to the text after it,
  // and each paragraph that comes out is turned as a whole.
  const LogicalLine line(Engm(), GetPara(para));
  const std::size_t at = std::min(LogicalCaret(0), line.size());
  std::vector<std::vector<uint8_t>> lines(1);
  for (const uint8_t b : *text) {
    if (b == 10) {
      if (!lines.back().empty() && lines.back().back() == 13) lines.back().pop_back();
      lines.emplace_back();
    } else {
      lines.back().push_back(b);
    }
  }
  for (std::vector<uint8_t>& l : lines) StorageToLogical(Engm(), l);
  const std::vector<uint8_t>& logical = line.Text();
  const std::size_t endAt = lines.back().size() + (lines.size() == 1 ? at : 0);
  lines.front().insert(lines.front().begin(), logical.begin(), logical.begin() + static_cast<std::ptrdiff_t>(at));
  lines.back().insert(lines.back().end(), logical.begin() + static_cast<std::ptrdiff_t>(at), logical.end());
  std::vector<uint8_t> stored;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    LogicalToStorage(Engm(), lines[i]);
    if (i > 0) stored.insert(stored.end(), {13, 10});
    stored.insert(stored.end(), lines[i].begin(), lines[i].end());
  }
  if (const uint16_t rc = ReplaceRange(para, 1, stored, para, ParaLength(para) + 1)) {
    DoOnError(rc);
    return;
  }
  const int32_t last = para + static_cast<int32_t>(lines.size()) - 1;
  const LogicalLine pasted(Engm(), GetPara(last));
  MoveCaretToPara(last, static_cast<int32_t>(pasted.StoredCaret(endAt)) + 1, false);
}

void THebTextEditor::PasteClipboardTextAt(int32_t x, int32_t y, const TClipboardPaste& paste) {
  if (GetReadOnly()) return;
  // Converted before the caret moves: the text may be this editor's own
  // selection, which the move clears.
  const auto text = TextFromClipboard(paste, Conversion(), Engm());
  if (!text || text->empty()) return;
  int32_t line = 1;
  int32_t col = 1;
  MouseToLineCol(x, y, line, col);
  SetCaretPosition(line, col);
  if (const uint16_t rc = InsertText(*text)) DoOnError(rc);
}

}  // namespace nuvel
