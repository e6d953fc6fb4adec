#pragma once
// Turning a line between logical order, in which every other program keeps
// text, and the document's storage order, in which it is shown cell by cell:
// an English document shows its lines left to right and keeps a Hebrew
// phrase reversed; a Hebrew document shows them right to left and keeps an
// English phrase or a number reversed.
//
// What the screen then shows follows the Unicode bidirectional algorithm for
// ordinary mixed text, with the document's direction as the paragraph's:
// - in a Hebrew document, a stretch without Hebrew letters that holds a Latin
//   letter is one left-to-right run from its first letter or digit to its
//   last; a stretch of numbers alone is one run per number (digits with the
//   separators and signs the algorithm joins to them: 12.5, 2024/05/12,
//   50%, 03-1234567); brackets outside the runs are mirrored;
// - in an English document, a stretch without Latin letters is one
//   right-to-left run from its first Hebrew letter or point to its last; the
//   numbers inside it still read left to right, and its brackets are
//   mirrored.
// The algorithm itself cannot be undone where it shows two texts alike (a
// number before or after an English word inside Hebrew); here every run is
// decided by what it holds, never by its neighbours' order, so the same
// routine turns a line either way and undoes itself exactly: loading and
// saving an unedited file gives back its bytes.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace nuvel {

// Reorders `line` (bytes of the system's set) in place between the two
// orders; applying it twice gives the line back. In an English document a
// line without any Hebrew is kept as it is.
void ReorderAtBorder(bool englishDocument, std::span<uint8_t> line);

// The same turn, moving `places` (as long as the line) as it moves the
// bytes: afterwards places[k] is what was beside the byte now at k. With
// places[k] = k beforehand, byte k of the turned line is the byte that was
// at places[k] (its bracket shown the other way round where the turn
// mirrors it). core/border_map.h builds the map between the two orders on it.
void ReorderAtBorder(bool englishDocument, std::span<uint8_t> line, std::span<uint32_t> places);

inline void LogicalToStorage(bool englishDocument, std::span<uint8_t> line) { ReorderAtBorder(englishDocument, line); }
inline void StorageToLogical(bool englishDocument, std::span<uint8_t> line) { ReorderAtBorder(englishDocument, line); }

}  // namespace nuvel
