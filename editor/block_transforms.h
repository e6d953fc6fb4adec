#pragma once
// Block transforms of the marked text: upper case, lower case without vowel
// points, case flip, fill, capitalised words, and reversal; the case-flip
// table that the editor's single-character flip shares; and the tag
// stripper behind the removal of HTML tags.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace nuvel {

class THebTextEditor;

// One entry per byte: ASCII letters exchange case, and each Hebrew letter
// that has a precomposed form with dagesh is exchanged with it (the pointed
// form is the letter's byte less 0x60). Every other byte maps to itself; the
// table is its own inverse.
const std::array<uint8_t, 256>& CaseFlipTable();

enum class TBlockMode : uint8_t {
  UpperCase = 1,   // lower-case Latin letters and plain Hebrew letters up
  LowerCase = 2,   // the other way, and vowel points removed
  FlipCase = 3,    // the case-flip table as it stands
  Fill = 4,        // every byte but CR and LF becomes the fill character
  Capitalise = 5,  // upper case at the start of each word only
};

struct TBlockTable {
  std::array<uint8_t, 256> Map{};
  // Bytes the transform drops (the vowel points, in lower case).
  std::array<bool, 256> Remove{};
};
TBlockTable MakeBlockTable(TBlockMode mode, uint8_t fill);

// Paragraph `text` with the bytes [from, to) (0-based) transformed. In
// capitalise mode a byte changes only at the paragraph's start or after a
// blank (also a blank outside the block), in reading order when
// `readingFor` gives the direction of a document that keeps its text in
// logical order (so that the first letter of an English word stored
// reversed in a Hebrew paragraph is the one that changes).
std::vector<uint8_t> TransformBytes(std::span<const uint8_t> text, std::size_t from, std::size_t to,
                                    const TBlockTable& table, TBlockMode mode,
                                    std::optional<bool> readingFor = std::nullopt);

// Transforms the editor's selection, paragraph by paragraph, in one undo
// step; nothing without a selection. The caret is the caller's to restore.
void TransformBlock(THebTextEditor& editor, TBlockMode mode, uint8_t fill = '!');
// Lower case without vowel points, then capitals at the start of each word,
// over the same selection, in one undo step ("Up and Down").
void UpAndDownBlock(THebTextEditor& editor);
// Reverses the selected bytes within each paragraph of the selection, in
// one undo step; paragraphs do not move.
void ReverseBlock(THebTextEditor& editor);

// One paragraph without the parts between angle brackets: "<" opens and
// ">" closes in an English document, the other way round in a Hebrew one
// (whose lines are stored from the right). Brackets nest; a closing bracket
// with nothing open is text; an opening bracket never closed drops the rest.
std::vector<uint8_t> StripTags(std::span<const uint8_t> text, bool english);

}  // namespace nuvel
