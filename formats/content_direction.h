#pragma once
// The direction a text kept in logical order asks for, by the paragraph rule
// of the Unicode bidirectional algorithm: its first strong letter decides,
// Latin for an English document and Hebrew for a Hebrew one.
#include <cstdint>
#include <optional>
#include <span>

#include "formats/text_form.h"

namespace nuvel {

// True for English, false for Hebrew, nullopt when `bytes` hold no strong
// letter. Bytes is Windows-1255 text; the Unicode forms are decoded (a
// byte-order mark is no letter).
std::optional<bool> EnglishByFirstLetter(std::span<const uint8_t> bytes, TTextForm form);

}  // namespace nuvel
