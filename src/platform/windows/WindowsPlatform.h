#pragma once

#include <memory>
#include <string>

#include "platform/Platform.h"

namespace orvane::platform::windows_backend {

// The real Windows machine; wireless.dll is loaded from wirelessLibraryPath (empty: the
// program's own folder).
std::unique_ptr<Platform> CreateWindowsPlatform(const std::string& wirelessLibraryPath = {});

}  // namespace orvane::platform::windows_backend
