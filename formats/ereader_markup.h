#pragma once
// The backslash markup of eReader text, removed for plain reading.
#include <string>
#include <string_view>

namespace nuvel {

// One pass: "\" with one of b c i l n o p r s t u v x drops both; "\a" and
// three digits become that byte ("?" when they are not a number up to 255);
// "\" before anything else drops only the backslash. An escape cut off by
// the end of the text is dropped.
std::string RemoveEReaderMarkup(std::string_view text);

}  // namespace nuvel
