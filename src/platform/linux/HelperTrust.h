#pragma once

#include <string>

namespace orvane::platform::linux_backend {

// Why the helper at path must not be run as root through pkexec ("" when it may): whoever can
// replace the file, or rename things in a folder on its way, would get root. The file and every
// folder above it must belong to root and be writable by nobody else, and the path must be
// canonical (no link, no "." or ".." on the way), so what was checked is what pkexec runs.
std::string HelperTrustProblem(const std::string& path);

}  // namespace orvane::platform::linux_backend
