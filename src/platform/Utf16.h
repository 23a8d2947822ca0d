#pragma once

#include <string>
#include <string_view>

namespace orvane::platform {

// UTF-8 <-> UTF-16 for the backends whose 8-bit text is UTF-8. Malformed input never fails:
// each malformed sequence (its longest valid beginning) and each unpaired surrogate becomes
// U+FFFD, so no text from the system can stop the program.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace orvane::platform
