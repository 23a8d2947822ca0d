#include "platform/EndRequests.h"
#include "platform/Platform.h"

#if defined(__linux__)
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/SignalEndRequests.h"
#endif

namespace orvane::platform {

#if defined(__linux__)
std::unique_ptr<Platform> CreateDefaultPlatform() {
  return linux_backend::CreateLinuxPlatform();
}

std::unique_ptr<EndRequestSource> CreateEndRequestSource() {
  return linux_backend::CreateSignalEndRequests();
}
#endif

}  // namespace orvane::platform
