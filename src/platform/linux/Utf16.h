#pragma once

#include <string>
#include <string_view>

namespace orvane::platform::linux_backend {

// UTF-8 <-> UTF-16. Malformed input (stray bytes, lone surrogates, overlong forms) becomes
// U+FFFD instead of failing, so no text from the system can stop the program.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace orvane::platform::linux_backend
