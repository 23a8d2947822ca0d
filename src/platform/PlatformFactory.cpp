#include "platform/Platform.h"

#if defined(__linux__)
#include "platform/linux/LinuxPlatform.h"
#endif

namespace orvane::platform {

#if defined(__linux__)
std::unique_ptr<Platform> CreateDefaultPlatform() {
  return linux_backend::CreateLinuxPlatform();
}
#endif

}  // namespace orvane::platform
