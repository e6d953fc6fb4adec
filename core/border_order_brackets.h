#pragma once
// The turn between logical and storage order of a line that holds paired
// brackets. The Unicode bidirectional algorithm gives a pair of brackets the
// direction of what it encloses, or of the text before it (rule N0), so that
// "[abc] {def}" inside Hebrew shows as two English phrases, each in its
// brackets, in right-to-left order. Storage order is what the screen shows
// (an English document's cells left to right, a Hebrew document's right to
// left), and different lines can show alike: a Hebrew document shows
// "x (y)" and "(y) x" between Hebrew words the same way. Of such lines the
// turn takes one back and leaves the others as they are, so that it stays
// its own inverse on every byte string.
#include <cstdint>
#include <span>

namespace nuvel {

// Reorders `line` in place between the two orders; applying it twice gives
// the line back. `places`, when not empty (it is then as long as the line),
// is moved as the bytes are.
void ReorderWithBrackets(bool englishDocument, std::span<uint8_t> line, std::span<uint32_t> places = {});

}  // namespace nuvel
