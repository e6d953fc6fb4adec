#pragma once
// Reading a large text file's lines with their conversion done ahead, on
// worker threads: the file is cut into parts at line ends, each part's lines
// are read, converted and turned by a worker, and the calling thread appends
// the finished paragraphs to the document in order. What the document gets,
// and what the input notes, are what ReadLines with a conversion in front of
// the sink gives.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "formats/para_sink.h"
#include "formats/paragraph_in_conversion.h"
#include "formats/reader_input.h"

namespace nuvel {

// Makes one conversion for a worker; called on the calling thread only.
using TMakeInConversion = std::function<std::unique_ptr<TParagraphInConversion>()>;

// True when reading `in` ahead is worth its threads: a large file on a
// machine with more than one processor. `partBytes` is the size of a part.
bool WorthReadingAhead(const TReaderInput& in, std::size_t partBytes);

// Reads the lines of `in` (its line end CR) as ReadLines does, each line
// converted in by a conversion from `make`, with the trailing blanks the
// sink drops dropped first; appends them to `sink` in order. Returns 0, or
// the sink's error code that stopped it. `report` gets what the
// conversions could not keep.
uint16_t ReadLinesAhead(TReaderInput& in, TParaSink& sink, const TMakeInConversion& make, TConvertReport& report,
                        std::size_t partBytes = std::size_t{1} << 20);

}  // namespace nuvel
