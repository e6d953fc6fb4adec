#pragma once
// The bilingual editor of every document window: the bilingual layer plus
// the document's disk format and translation type, the Sheim Hashem state,
// the append routine of the document readers, Cut Word, and the load that
// reads the document's file.
#include <cstdint>
#include <span>
#include <string>

#include "core/font_descriptor.h"
#include "editor/heb_text_file_editor.h"

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
  // Writes the document through the save rules on a converted copy of the
  // text, and clears the modified flag when the file was written. A Palm
  // e-book name shows "No Loading Over Here!" and writes nothing; a failed
  // write raises EInOutError and leaves the old file and the flag as they were.
  void SaveToFile(const std::string& name) override;
  // The last load found LF-only line ends; the plain-text formats keep them.
  bool LfLineEnds() const { return lfLineEnds_; }
  void SetLfLineEnds(bool v) { lfLineEnds_ = v; }

  // The selection to the clipboard service, converted by the current mode.
  bool CopyToClipboard() override;
  // The clipboard text at the caret, converted by the current mode; nothing
  // in a read-only editor.
  void PasteFromClipboard() override;

 private:
  uint8_t diskConv_ = 255;
  int32_t trTypeFl_ = -1;
  bool hebScreenFont_ = true;
  bool sheimFiltered_ = false;
  bool engSheimFiltered_ = false;
  bool lfLineEnds_ = false;
};

}  // namespace nuvel
