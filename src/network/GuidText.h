#pragma once

#include <string>
#include <string_view>

#include "platform/SharingService.h"

namespace orvane {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper-case hex, 38 characters.
std::string GuidToText(const platform::Guid& guid);

// Equality ignoring the case of ASCII letters, as connections are matched to adapters.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace orvane
