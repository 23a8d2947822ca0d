#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// Decodes standard Base64 ("A"-"Z", "a"-"z", "0"-"9", "+", "/", "=" as fill). Line breaks and
// every other character outside the alphabet are skipped, so text split into lines of any
// length decodes the same. Answers nothing when the input cannot be Base64: alphabet
// characters after the fill, or a lone character left over at the end. A final group of two
// or three characters without fill decodes to the bytes it holds.
std::optional<std::string> Base64Decode(std::string_view text);

}  // namespace orvane
