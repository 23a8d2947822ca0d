#pragma once

#include <functional>

#include "TempFolder.h"

namespace orvane::testing {

// Runs `body` as a user whom file permissions stop, owning `folder`; skips the calling test
// where the system cannot arrange that.
void RunAsOwnerWithoutPrivileges(const TempFolder& folder, const std::function<void()>& body);

}  // namespace orvane::testing
