#pragma once
// The editor's side of loading, saving and the clipboard: a load target
// over an editor, the save request made from its text, and the selection as
// the clipboard copy takes it. The bilingual editor's load, save, copy and
// paste methods call these.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/save_document.h"
#include "editor/text_file_editor.h"
#include "formats/load_document.h"

namespace nuvel {

// The editor as the loader sees it. Replacing a paragraph during the
// conversion pass leaves the modified flag to the loader, and the load
// leaves no undo history behind.
class TEditorLoadTarget : public TLoadTarget {
 public:
  // With `directionFromContent`, a file kept in logical order takes the
  // direction its content chooses; otherwise `englishDocument` holds.
  TEditorLoadTarget(TNvcCustomEditor& editor, uint8_t diskConv, bool sheimFiltered, bool englishDocument = true,
                    bool directionFromContent = false)
      : TEditorLoadTarget(editor, editor.Conversion(), diskConv, sheimFiltered, englishDocument,
                          directionFromContent) {}
  // The same, reading by `conversion` instead of the editor's own.
  TEditorLoadTarget(TNvcCustomEditor& editor, const ConvContext& conversion, uint8_t diskConv, bool sheimFiltered,
                    bool englishDocument = true, bool directionFromContent = false)
      : editor_(editor),
        conversion_(conversion),
        diskConv_(diskConv),
        sheimFiltered_(sheimFiltered),
        englishDocument_(englishDocument),
        directionFromContent_(directionFromContent) {}

  uint16_t AppendParaText(std::span<const uint8_t> text) override { return editor_.AppendPara(text); }
  bool TrimsTrailingBlanks() const override { return editor_.TrimWhiteSpace(); }
  void SetTrimsTrailingBlanks(bool trims) override { editor_.SetTrimWhiteSpace(trims); }
  uint32_t ParaCount() const override { return static_cast<uint32_t>(editor_.ParaCount()); }
  std::span<const uint8_t> Para(uint32_t index) const override {
    return editor_.GetPara(static_cast<int32_t>(index) + 1);
  }
  void ReplacePara(uint32_t index, std::span<const uint8_t> bytes) override;
  void SetModified(bool modified) override { editor_.SetModified(modified); }
  void BeginUpdate() override { editor_.BeginUpdate(); }
  void EndUpdate() override { editor_.EndUpdate(); }
  void ClearText() override { editor_.Clear(true); }
  uint8_t DiskConv() const override { return diskConv_; }
  bool SheimFiltered() const override { return sheimFiltered_; }
  bool EnglishDocument() const override { return englishDocument_; }
  void SetEnglishDocument(bool english) override {
    if (directionFromContent_) englishDocument_ = english;
  }
  void LoadDone() override;
  const ConvContext& Conversion() const override { return conversion_; }

 private:
  TNvcCustomEditor& editor_;
  ConvContext conversion_;
  uint8_t diskConv_;
  bool sheimFiltered_;
  bool englishDocument_;
  bool directionFromContent_;
};

// Loads `fileName` into the editor, converting by `conversion`. The caller reports result.appendError
// through the editor's error event, and keeps result.lfLineEnds with the
// document for its next save; with `directionFromContent` it takes
// result.englishByContent, when set, as the document's direction.
TLoadResult LoadEditorFromFile(TNvcCustomEditor& editor, const std::string& fileName, const ConvContext& conversion,
                               uint8_t diskConv,
                               bool sheimFiltered, bool englishDocument = true, bool directionFromContent = false);

// A save request that reads the editor's paragraphs (the editor must outlive
// it and stay unchanged until the save is done), with its wrapping and its
// backup option; the caller fills in the document's own fields (direction,
// disk format, translation type, line ends, Sheim Hashem state).
TSaveRequest SaveRequestFor(const TNvcCustomTextFileEditor& editor, const std::string& fileName);
// Saves and, when the file was written, clears the editor's modified flag.
TSaveResult SaveEditorToFile(TNvcCustomEditor& editor, const TSaveRequest& request);

// The selected bytes of each paragraph of the selection; none without one.
std::vector<std::vector<uint8_t>> SelectionChunks(const TNvcCustomEditor& editor);

}  // namespace nuvel
