#pragma once
// Resources compiled into the program: the message tables, made at build
// time from their readable sources in data/messages/.
#include <cstdint>
#include <span>
#include <string_view>

namespace nuvel {

// The bytes of the resource `name` (compared without regard to case); empty when absent.
std::span<const uint8_t> FindProgramResource(std::string_view name);

}  // namespace nuvel
