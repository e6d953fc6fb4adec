#pragma once
// Translation tables of the conversion modes. Modes 1, 2/9, 4 and 5 (and
// every mode without a table of its own, which takes mode 1's) read theirs
// from the data file "DIDOD.drf"; mode 6 (3B2) has two built-in tables.
// A caller prepares a table of its own (see PreparedConv in
// core/conv_context.h); no table is shared.
#include "core/conv_engine.h"

namespace nuvel {

// First record of the mode's table in the data file.
uint16_t DataFileTableRecord(int mode, bool out);
// Byte offset of a table inside its four records.
inline constexpr std::size_t kTableOffsetInRecords = 64;

// The built-in 3B2 table of one direction.
const ConvTableBytes& Builtin3B2Table(bool out);
// The table that maps every byte to itself.
const ConvTableBytes& IdentityConvTable();

// Fills `table` for `mode` and the direction: the data file's table, the
// built-in 3B2 table, or for mode 7 byte 1 := 1 (out) or 0 (in). When the
// data file is missing or damaged the table keeps its contents.
void PrepareConvTable(int mode, bool out, ConvTableBytes& table);
// The settings that convert by `mode` through `table` in the direction:
// in mode 9 the outside codes of the shin and sin dots are exchanged.
ConvSettings ConvSettingsFor(int mode, bool out, const ConvTableBytes& table);

}  // namespace nuvel
