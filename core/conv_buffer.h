#pragma once
// Conversion of text by the current mode with the prepared table ConvTable,
// as the loader, the savers and the clipboard use it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/conv_engine.h"
#include "core/conv_table.h"

namespace nuvel {

// The settings of the conversion in progress: the current mode, ConvTable,
// the direction of the last prepared table and the dot codes.
ConvSettings CurrentConvSettings();
// The same with a table of its own: `table` prepared for the current mode
// and the direction `out` (see PrepareConvTable), and the settings using it.
ConvSettings PreparedConvSettings(bool out, std::unique_ptr<ConvTableBytes>& table);

// Converts `text` in place by the current mode with ConvTable (prepared by
// the caller); its length may change. Nothing happens under the Program
// Editor configuration (NoConversion); under the 3B2 configuration
// (ForceCP1255) mode 2 is used. The current mode is unchanged afterwards.
// Mode 7 (Unicode) leaves the bytes alone: HebToWideBuffer turns them into
// UTF-16.
void ConvertBuffer(std::vector<uint8_t>& text);
void ConvertBuffer(std::string& text);

// Converts the byte at `pos` of `buf` in place by the current mode, the bytes
// before it being converted already; bytes it inserts or removes shift the
// rest. Answers the position of the next byte to convert. In mode 7 with the
// direction out, the bytes stay and `wide` receives the UTF-16 code.
std::size_t ConvertCharByMode(std::vector<uint8_t>& buf, std::size_t pos,
                              std::optional<char16_t>* wide = nullptr);

}  // namespace nuvel
