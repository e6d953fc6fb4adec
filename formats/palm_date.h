#pragma once
// Palm database dates. The file holds unsigned 32-bit seconds: since
// 1970-01-01 as this program writes them, or since 1904-01-01 (with the top
// bit set) as handhelds and most other tools write them. In memory a date is a
// date-time number: days since 1899-12-30, the fraction the time of day.
#include <cstdint>

namespace nuvel {

using TDateTime = double;

// Reads stored seconds; a value with the top bit set counts from 1904.
TDateTime PalmDateToDateTime(uint32_t Seconds);

// Seconds since 1970 for storing; a date past what 31 bits hold (2038) is
// stored as seconds since 1904, which a reader tells by the top bit. Dates
// before 1970 store as 0, dates past 2040 as the largest value.
uint32_t DateTimeToPalmDate(TDateTime D);

// Reverses the four bytes of a 32-bit number.
uint32_t SwapLong(uint32_t Value);

// The current local time as a date-time number.
TDateTime NowDateTime();

}  // namespace nuvel
