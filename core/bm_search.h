#pragma once
// Boyer-Moore search with a 256-entry skip table, as the editor's search and
// the file viewer use it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace nuvel {

// Skip distance per byte: the pattern's length for bytes it lacks, else the
// distance from the byte's last place (the final character not counted) to
// the pattern's end.
using SkipTable = std::array<size_t, 256>;

void MakeSkipTable(std::span<const uint8_t> pattern, SkipTable& table);

// Searches `pattern` in `buffer` using `table` (made from the same pattern).
// True with `pos` the 0-based position of the first match; an empty pattern
// matches nothing.
bool BMSearch(std::span<const uint8_t> buffer, const SkipTable& table, std::span<const uint8_t> pattern,
              size_t& pos);
// The same without regard to ASCII case. The table may be made from the
// pattern as typed or upper-cased: both cases of a byte are looked up, so no
// match is skipped.
bool BMSearchUC(std::span<const uint8_t> buffer, const SkipTable& table, std::span<const uint8_t> pattern,
                size_t& pos);

}  // namespace nuvel
