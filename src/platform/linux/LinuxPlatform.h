#pragma once

#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/linux/InterfaceInventory.h"
#include "platform/linux/SharingHelperClient.h"

namespace orvane::platform::linux_backend {

struct LinuxPlatformOptions {
  // The privileged sharing helper; empty: found next to the program or in ../libexec/orvane.
  std::string sharingHelperPath;
  MachinePaths machine;
  SharingHelperLaunch sharingHelperLaunch;
};

// The real Linux machine.
std::unique_ptr<Platform> CreateLinuxPlatform(const LinuxPlatformOptions& options = {});

// Where the helper is looked for when no path is given.
std::string DefaultSharingHelperPath(const std::string& executablePath);

}  // namespace orvane::platform::linux_backend
