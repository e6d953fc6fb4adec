#pragma once
// The mark "+C+" that the collecting window's caption and tab carry.
#include <string>
#include <string_view>

namespace nuvel {

inline constexpr std::string_view kCollectMark = "+C+";

// The caption cut before its first "+C+" (the caption itself without one).
std::string_view WithoutCollectMark(std::string_view caption);
// The caption with "+C+" at the end, added when it lacks it.
std::string WithCollectMark(std::string_view caption);

}  // namespace nuvel
