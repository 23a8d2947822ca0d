#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvane {

// A 32-bit integer written in decimal, or in hexadecimal after "0x", "0X" or "$", with an
// optional sign in front. Hexadecimal takes the full 32 bits (so "$FFFFFFFF" is -1).
// Anything else, including blanks, an empty text and values out of range, gives nothing.
std::optional<int32_t> ParseInteger(std::string_view text);

}  // namespace orvane
