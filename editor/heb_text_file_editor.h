#pragma once
// The bilingual layer of the text-file editor: one editor serves a document
// whose main direction is English (left to right) or Hebrew (right to
// left). Text is kept in the reading order of the main direction; a Hebrew
// document mirrors the window (mouse, caret) and swaps the left/right
// commands; typed characters pass through the keyboard layers; a vowel
// point typed after a vowel point replaces it; Enter puts the paragraph
// mark in the Nuvel DOS and Tag configurations; the block markers 100 and
// 101 join the bookmarks; Scroll Lock keeps the caret on one screen row.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/logical_line.h"
#include "editor/heb_layout.h"
#include "editor/heb_paint_plan.h"
#include "editor/keyboard_layers.h"
#include "editor/text_file_editor.h"

namespace nuvel {

class THebTextFILEEditor : public TNvcTextFileEditor {
 public:
  THebTextFILEEditor();

  // ---- Direction and keyboard ----
  bool Engm() const { return engm_; }
  void SetEngm(bool v);
  // A Hebrew document keeps a letter's points after it, an English one
  // (stored left to right) before it.
  TPointSide PointSide() const override { return PointSideFor(engm_); }
  bool SEng() const { return seng_; }
  void SetSEng(bool v) { seng_ = v; }
  bool OV() const { return ov_; }
  void SetOV(bool v) { ov_ = v; }
  bool PhKy() const { return phKy_; }
  void SetPhKy(bool v) { phKy_ = v; }
  TKeytype KeyType() const { return keyType_; }
  void SetKeyType(TKeytype v) { keyType_ = v; }
  bool CtrlNums() const { return ctrlNums_; }
  void SetCtrlNums(bool v);
  bool PersistentBlocks() const { return persistentBlocks_; }
  void SetPersistentBlocks(bool v);
  bool LiteralNext() const { return literalNext_; }
  TKeyLayers Layers() const { return {keyType_, phKy_, ov_}; }

  // Average character widths of the two fonts, as last measured.
  int32_t FirstFontWidth() const { return firstFontWidth_; }
  int32_t SecondFontWidth() const { return secondFontWidth_; }
  // The window's geometry now.
  THebGeometry Geometry() const;

  // Whether Scroll Lock is switched on; the window answers.
  std::function<bool()> ScrollLockOn;
  // The cells of the English font (FixedFont) and of the Hebrew screen font
  // (SecondFont), measured by the window. The grid takes ChooseGridCell of
  // them through the window's MeasureFont.
  std::function<std::array<TFontCell, 2>()> MeasureFonts;

  // ---- Operations of the editor ----
  void UpdateMetrics() override;
  void MouseToLineCol(int32_t x, int32_t y, int32_t& line, int32_t& col) override;
  void InsertChar(uint8_t ch) override;
  void PositionCaret(int32_t screenCol) override;
  void Clear(bool refresh) override;
  int32_t GetMarkerPosition(int n, int32_t& col) override;
  bool DoCommand(TNvcCommand command, uint8_t ch) override;
  void SetMarker(int n) override;
  void SetMarkerAt(int n, int32_t line, int32_t col) override;
  bool KeyDown(const platform::KeyStroke& key) override;
  void KeyChar(uint8_t ch) override;
  // Enter splits the paragraph in reading order: each half is the turn of
  // its own text.
  void NewLine(bool split, bool moveDown) override;
  void MouseDoubleClick(int32_t x, int32_t y, bool shift) override;

  // ---- Painting ----
  // The plan of the rows inside the clip box [clipTop, clipBottom).
  THebPaintPlan PlanPaint(int32_t clipTop, int32_t clipBottom, bool enabled, int32_t glyphStripWidth,
                          int32_t glyphStripHeight);

  // Scroll Lock: when it is on and a row is recorded, the top line that
  // keeps the caret on that row; applied after every command and before a
  // paint, never during it.
  void ApplyScrollLock();

  // The caret in the reading order of its paragraph, as the keys that
  // change text use it: the one the last such key left while the caret
  // stays where that key put it, else the one the caret's cell gives for
  // typing `typed` (0: no character).
  std::size_t LogicalCaret(uint8_t typed) const;

 protected:
  // Called when the direction has changed.
  virtual void DirectionChanged() {}

 private:
  // Backspace, Delete and Enter without a selection, by the paragraph's
  // text in reading order; false for any other command.
  bool DoLogicalCommand(TNvcCommand command);
  // Whether the caret is where the last key that changed text left it, in
  // the paragraph as that key left it.
  bool TypingCaretHolds() const;
  void LogicalBackspace();
  void LogicalDelete();
  void LogicalNewLine();
  // Joins paragraph `para` and the next in reading order, the caret where
  // they meet.
  void JoinLogical(int32_t para);
  // Puts a change of paragraph `para`'s stored bytes into the text.
  uint16_t ApplyStoredChange(int32_t para, const StoredChange& change);
  // The caret to logical place `at` of paragraph `para`, shown where a
  // further `probe` would show, and kept for the next key.
  void PlaceLogicalCaret(int32_t para, std::size_t at, uint8_t probe);

  struct TypingCaret {
    int32_t Para = 0;
    int32_t Pos = 0;
    bool English = true;
    std::size_t Logical = 0;
    std::vector<uint8_t> Stored;
  };
  std::optional<TypingCaret> typing_;

  bool engm_ = true;
  bool seng_ = false;
  bool ov_ = false;
  bool phKy_ = false;
  bool ctrlNums_ = true;
  TKeytype keyType_ = TKeytype::English;
  bool persistentBlocks_ = false;
  bool literalNext_ = false;
  int32_t firstFontWidth_ = 8;
  int32_t secondFontWidth_ = 8;
  int32_t lastDblLine_ = 0;
  int32_t lastDblCol_ = 0;
};

}  // namespace nuvel
