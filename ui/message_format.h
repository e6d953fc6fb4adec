#pragma once
// Message formats from the string library, filled in with a formatter that
// checks the format's placeholders against the arguments: "%s" takes a text,
// "%d" a number, "%%" is a percent sign. A format whose placeholders do not
// match its arguments is shown as it stands, never read past its arguments.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace nuvel {

using FormatArg = std::variant<std::string, int64_t>;

// The kinds of the placeholders in order, 's' or 'd' each; nullopt when the
// format holds an unknown or unfinished placeholder.
std::optional<std::string> FormatSignature(std::string_view format);

// The signature of the arguments ('s' for a text, 'd' for a number).
std::string ArgumentSignature(const std::vector<FormatArg>& args);

// The format with its placeholders filled in; the format itself when its
// signature differs from the arguments'.
std::string FormatMessage(std::string_view format, const std::vector<FormatArg>& args);

}  // namespace nuvel
