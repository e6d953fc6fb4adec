#pragma once
// The bilingual editor of every document window: the bilingual layer plus
// the document's disk format and translation type, the Sheim Hashem state,
// the append routine of the document readers, Cut Word, and the load that
// reads the document's file.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/font_descriptor.h"
#include "editor/clipboard_text.h"
#include "editor/heb_text_file_editor.h"
#include "editor/reading_para.h"
#include "formats/text_form.h"

namespace nuvel {

// The editor's two fonts as the settings give them: [GENPREFS] CurFont for
// the English font ("Courier New" 11 when absent) and CurFont2 for the
// Hebrew screen font ("VoraziRARO Vor" 11 when absent). A malformed value
// gives that font's default.
struct TEditorFontSettings {
  FontDescriptor English;
  FontDescriptor Hebrew;
};
TEditorFontSettings ReadEditorFontSettings();

class THebTextEditor : public THebTextFILEEditor {
 public:
  THebTextEditor();

  // Disk format code of the document (0 .NVW, 1 .NVS, 2 DOS text, 3
  // Einstein, 4 3B2, 5 Unicode text); 255 = not set. Not checked.
  uint8_t Disk_Conv() const { return diskConv_; }
  void SetDisk_Conv(uint8_t code) { diskConv_ = code; }
  // The conversion wizard's translation type; -1 = none.
  int32_t Tr_Type_FL() const { return trTypeFl_; }
  void SetTr_Type_FL(int32_t type) { trTypeFl_ = type; }
  // The second font is one of the Hebrew screen fonts.
  bool HebScreenFont() const { return hebScreenFont_; }
  void SetHebScreenFont(bool v) { hebScreenFont_ = v; }
  bool SheimFiltered() const { return sheimFiltered_; }
  void SetSheimFiltered(bool v) { sheimFiltered_ = v; }
  bool EngSheimFiltered() const { return engSheimFiltered_; }
  void SetEngSheimFiltered(bool v) { engSheimFiltered_ = v; }

  // Adds one line read from a document as one or more paragraphs at the
  // end, split at a word start when longer than the paragraph length
  // limit. The first `firstLength` bytes (at most up to a zero byte) are
  // taken. Returns the editor error code, 0 on success; nothing is raised.
  uint16_t AppendParaText(std::span<const uint8_t> text, uint16_t firstLength);

  // Cuts the selection, or, without one, the word at the caret with the
  // blanks after it. Nothing in a read-only editor.
  void CutWord();
  // The word at the caret as CutWord takes it: [start, end) positions in
  // the caret's paragraph.
  void WordAtCaret(int32_t& start, int32_t& end) const;

  // Reads the file through the load dispatch of the document formats. A
  // file that cannot be read raises EInOutError; an editor limit that stops
  // the reading is reported through the error event.
  void LoadFromFile(const std::string& name) override;
  // The same, converting by `conversion` instead of the document's own.
  void LoadFromFileWith(const std::string& name, const ConvContext& conversion);
  // Writes the document through the save rules on a converted copy of the
  // text, and clears the modified flag when the file was written. A Palm
  // e-book name shows "No Loading Over Here!" and writes nothing; a failed
  // write raises EInOutError and leaves the old file and the flag as they were.
  // A form whose conversion cannot hold points the document holds asks
  // first, naming them and their counts, and keeps the file as it was as
  // the backup copy; once answered for a file it is not asked again.
  void SaveToFile(const std::string& name) override;
  // The same, converting by `conversion` instead of the document's own.
  void SaveToFileWith(const std::string& name, const ConvContext& conversion);
  // The last load found LF-only line ends; the plain-text formats keep them.
  bool LfLineEnds() const { return lfLineEnds_; }
  void SetLfLineEnds(bool v) { lfLineEnds_ = v; }
  // The last load read Unicode text in this form; saving keeps it.
  TTextForm TextForm() const { return textForm_; }
  // Opening a file kept in logical order sets the direction its content
  // chooses (see LoadDocument); off for editors that keep a direction given.
  void SetDirectionFromContent(bool v) { directionFromContent_ = v; }
  // The text is kept as a file of another program keeps it, in logical
  // order, turned into the document's storage order at the border: a new
  // document, or one last read or saved in such a form. Not for the
  // system's visual forms, which hold the storage order itself.
  bool LogicalOrder() const { return logicalOrder_; }
  // For a text given in the system's visual storage order without a file
  // (LoadString of such text): off, the tools work on the stored order.
  void SetLogicalOrder(bool v) { logicalOrder_ = v; }
  // The user's choice of direction: a document in logical order keeps its
  // text as it reads (each paragraph is turned for the new direction, and
  // the undo history, which holds the old order, is cleared); a visual one
  // keeps its bytes and shows them the other way.
  void ChooseDirection(bool english);
  // The last load could not keep the file as it is: the user was told, and
  // the first save over that file asks first and keeps it as the backup copy.
  bool LossyLoad() const { return lossyLoad_; }

  // ---- Keys the system feeds itself, and paragraph commands ----
  // Runs one key as if typed, through the WordStar translation: control
  // keys and the prefixes ^J, ^K, ^P and ^Q become commands; other
  // characters are inserted without any keyboard layer.
  void ExecKey(uint16_t key);
  // ExecKey for every byte of `s`, in order.
  void TypeString(std::string_view s);
  // The prefix a fed key left pending (0: none).
  uint16_t WordStarPrefix() const { return wsPrefix_; }
  // The caret to the start of the next paragraph, when there is one.
  void NextParagraph();
  // The caret to the start of its paragraph, or, when it is there already,
  // to the start of the previous one; nothing in paragraph 1.
  void PreviousParagraph();
  // Replaces (para1, pos1) up to (para2, pos2) by `text` (up to a zero
  // byte) in one undo step; the editor error code.
  uint16_t ReplaceRange(int32_t para1, int32_t pos1, std::span<const uint8_t> text, int32_t para2, int32_t pos2);
  // Replaces the whole text of paragraph `para` by `text`; the error code.
  uint16_t ReplacePara(int32_t para, std::span<const uint8_t> text);
  // Re-wraps the run of paragraphs around the caret that ends with the
  // paragraph mark 20 (one paragraph per screen line, as the Nuvel DOS
  // configuration stores them) to the wrap column, in one undo step.
  void ReformatParagraph();

  // ---- Text services, counters and word services ----
  // Flips the case of the byte at the caret (the case-flip table: ASCII
  // letters change case, plain Hebrew letters and their forms with dagesh
  // are exchanged) as one undo step; the caret stays in front of it and a
  // selection stays as it is. Nothing in a read-only editor.
  void FlipCaseOfChar();
  // The number of words (runs of bytes that are not delimiters) and the
  // caret's character position over the whole text (paragraph ends not
  // counted).
  void GetFileStats(int64_t& words, int64_t& charPos) const;
  // The word at the caret with its paragraph, start position and the
  // position after it; empty (start = the caret's position) when the caret
  // is not on a word.
  // Words, their places and their order are those of the reading text
  // (ReadingPara): the word reads as written and Start and EndPos are
  // positions in the reading text.
  std::string GetCaretWord(int32_t& para, int32_t& start, int32_t& endPos) const;
  // The next word from 0-based index `pos` of paragraph `para`'s reading
  // text on, going on into the following paragraphs; an apostrophe, and a
  // double quote between two letters (the Hebrew gershayim), belong to the
  // word. On return `pos` lies one byte after the word and `start` (when
  // given) is the word's first position in the reading text. False at the end.
  bool GetNextWord(int32_t& para, int32_t& pos, std::string& word, int32_t* start = nullptr) const;
  // Paragraph `para` as the tools that read words see it: in reading order
  // when the document keeps its text in logical order (LogicalOrder), else
  // as stored. The reference holds until the next call.
  const TReadingPara& ReadingPara(int32_t para) const;
  // The reading position (from 1) of the byte at stored position `pos` of
  // `para`; the paragraph's start and a position past its end stay.
  int32_t ReadingPos(int32_t para, int32_t pos) const;
  // Selects the stored cells that hold the reading positions [from, to) of
  // `para`, the caret at the end.
  void SelectReading(int32_t para, int32_t from, int32_t to);
  // Replaces the reading positions [from, to) of `para` by `text` (in
  // reading order), written back through the same turn as one undo step
  // over the stored bytes that change; the editor error code.
  uint16_t ReplaceReading(int32_t para, int32_t from, int32_t to, std::span<const uint8_t> text);
  // Runs the bracket commands of every paragraph, in one undo step.
  void Shul_Cmds();
  // Numbers the counter markers of each digit 1-9 in the order of the text:
  // mode 0 replaces each marker by its number, mode 1 rebuilds the marker
  // with its number inside. One undo step; the caret stays.
  void Number_Cmds(uint8_t mode);
  // Removes the parts between angle brackets from every paragraph. The text
  // is rebuilt, so the undo history is cleared.
  void Strip_File_HTML();
  // `s` less one trailing "." when it is longer than one character.
  static std::string StripTrailingDot(std::string_view s);
  // Runs of blanks become one blank (inside the selection, or everywhere
  // without one); leading blanks of every paragraph go. One undo step.
  void RemoveDoubleSpaces();
  // Reverses the bytes of every paragraph. Not undoable: clears the undo
  // history.
  void ReverseFile();
  // Exchanges ( ), [ ], { } and < > everywhere. Not undoable: clears the
  // undo history when anything changed.
  void ReverseParentheses();
  // Deletes each paragraph equal to the one before it; one undo step.
  void RemoveDuplicates();
  // Joins the screen lines of the text into paragraphs as a DOS text file
  // is read. The text is rebuilt, so the undo history is cleared; the text
  // stays as it was when the result would not fit the editor's limits.
  void MergeParagraphs();
  // Puts an empty paragraph between every two non-empty neighbours (texts
  // of three or more paragraphs); one undo step.
  void AddParagraphLines();
  // Shift+Delete cuts; true when the key was that.
  bool ShiftDeleteKey(uint16_t virtualKey, const platform::TShiftState& shift);

  // ---- Search and replace ----
  // Finds `search` (with its '#nnn' escapes) under the option word (see
  // editor/search_options.h) and, in the replace modes, replaces it by
  // `replace`. 0: found and selected (or the caret moved there); -1:
  // nothing found; a positive count: the replacements made; an editor
  // error code (263-268) when a replacement failed, which is reported
  // through the error event too. An empty search text, or no replacement in
  // a replace mode, does nothing and gives 0. Replace All is one undo step.
  // In a document kept in logical order the texts are in reading order, as
  // typed: each paragraph is searched in its logical view, a match selects
  // the smallest stored stretch that holds it, and a replacement changes
  // only the stored bytes between the first and the last that differ.
  int32_t SearchReplace(std::string_view search, std::optional<std::string_view> replace, uint16_t options);
  // The error code of the last SearchReplace (0: none), since a count and
  // an error code share the result's range.
  uint16_t LastSearchError() const { return lastSearchError_; }
  // True when the text (its first 255 characters) is found.
  bool FindText(std::string_view text, uint16_t options);
  // Both texts cut to 255 characters; SearchReplace's result.
  int32_t ReplaceText(std::string_view search, std::string_view replace, uint16_t options);
  // Finds `word` or one of its spellings without some of its inner vav and
  // yod letters, whichever lies nearest after the caret; True when any was
  // found (then selected), else the caret stays.
  bool FindChoseir(std::string_view word, uint16_t options);
  // The macro commands' search: in the replace modes, true when something
  // was replaced or found; otherwise true when found.
  bool Replace(std::string_view find, std::string_view replaceWith, uint16_t options) override;

  // The selection to the clipboard service, converted by the current mode.
  bool CopyToClipboard() override;
  // The clipboard text at the caret, converted by the current mode; nothing
  // in a read-only editor.
  void PasteFromClipboard() override;
  // The selection as copy puts it on the clipboard; nothing without one.
  std::optional<TClipboardCopy> SelectionClipboardText() const;
  // `paste` (what a clipboard offers) at the caret, replacing the selection,
  // through the same conversion as Paste, in one undo step; nothing in a
  // read-only editor or when it holds no text.
  void PasteClipboardText(const TClipboardPaste& paste);
  // The same at the window point (x, y): the caret goes there first, as a
  // click would put it, and no selection is replaced.
  void PasteClipboardTextAt(int32_t x, int32_t y, const TClipboardPaste& paste);

 private:
  uint8_t diskConv_ = 255;
  int32_t trTypeFl_ = -1;
  bool hebScreenFont_ = true;
  bool sheimFiltered_ = false;
  bool engSheimFiltered_ = false;
  bool lfLineEnds_ = false;
  TTextForm textForm_ = TTextForm::Bytes;
  bool finalLineEnd_ = false;
  bool lossyLoad_ = false;
  bool directionFromContent_ = false;
  bool logicalOrder_ = true;
  // The paragraph last read in reading order: a word tool reads the same
  // paragraph word by word.
  mutable std::optional<TReadingPara> reading_;

  void DirectionChanged() override { UpdateWrapRuns(); }
  // A document kept in logical order keeps the runs stored against its
  // direction whole on its screen lines; a visual form wraps as stored.
  void UpdateWrapRuns();
  std::string lossyName_;
  std::string formLossAnswered_;  // the file whose save was allowed to lose points
  uint16_t wsPrefix_ = 0;
  uint16_t lastSearchError_ = 0;
  // What the last search through the logical view selected, and the
  // logical stretch of its match (or of the replacement it made), so that
  // the next search goes on from there in reading order.
  struct TLogicalSearchMark {
    int32_t para = 0;
    int32_t selBegin = 0;
    int32_t selEnd = 0;
    int32_t caret = 0;
    uint32_t logicalBegin = 0;
    uint32_t logicalEnd = 0;
  };
  TLogicalSearchMark searchMark_;
  // The mark when the selection is still the one it names.
  std::optional<TLogicalSearchMark> CurrentSearchMark() const;
  void SetSearchMark(uint32_t logicalBegin, uint32_t logicalEnd);
  // Replace's first step in the logical view: when the selection holds
  // `find` in reading order, it becomes `with`. -1: it does not; else 0 or
  // an editor error code.
  int32_t ReplaceLogicalSelection(std::string_view find, std::string_view with, bool matchCase);
};

}  // namespace nuvel
