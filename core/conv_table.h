#pragma once
// Translation tables of the conversion modes. Modes 1, 2/9, 4 and 5 (and
// every mode without a table of its own, which takes mode 1's) read theirs
// from the data file "DIDOD.drf"; mode 6 (3B2) has two built-in tables.
//
// The table of the conversion in progress is the shared ConvTable (see
// core/shared_state.h); PrepareConvTable() fills it, FreeConvTable() frees it.
#include <memory>

#include "core/conv_engine.h"

namespace nuvel {

// Direction of the last prepared table: true for out (own set -> outside).
extern bool ConvTableOut;
// Outside codes of the shin and sin dots: 0xD1 and 0xD2, exchanged in mode 9.
extern uint8_t ShinDotCode;
extern uint8_t SinDotCode;

// First record of the mode's table in the data file.
uint16_t DataFileTableRecord(int mode, bool out);
// Byte offset of a table inside its four records.
inline constexpr std::size_t kTableOffsetInRecords = 64;

// The built-in 3B2 table of one direction.
const ConvTableBytes& Builtin3B2Table(bool out);

// Fills `table` (allocated as the identity when null) for the current mode
// and the direction: the data file's table, the built-in 3B2 table, or for
// mode 7 byte 1 := 1 (out) or 0 (in). Records the direction and, in modes 2
// and 9, the dot codes. When the data file is missing or damaged the table
// keeps its contents.
void PrepareConvTable(bool out, std::unique_ptr<ConvTableBytes>& table);
// Frees the table and leaves it null.
void FreeConvTable(std::unique_ptr<ConvTableBytes>& table);

// The same for the shared table: prepares it and points ConvTable at it.
void PrepareConvTable(bool out);
// Frees the shared table; ConvTable becomes null.
void FreeConvTable();
// The storage behind ConvTable when PrepareConvTable(bool) made it.
std::unique_ptr<ConvTableBytes>& SharedConvTable();

}  // namespace nuvel
