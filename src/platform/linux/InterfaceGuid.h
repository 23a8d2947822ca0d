#pragma once

#include <string>

#include "platform/SharingService.h"

namespace orvane::platform::linux_backend {

// An interface's identity: a name-based (SHA-1) UUID of its name, so the same interface has
// the same GUID on every start and saved choices survive restarts.
Guid InterfaceGuid(const std::string& interfaceName);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case.
std::string GuidText(const Guid& guid);

}  // namespace orvane::platform::linux_backend
