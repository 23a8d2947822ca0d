#include "platform/EndRequests.h"
#include "platform/Platform.h"

#if defined(__linux__)
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/SignalEndRequests.h"
#elif defined(_WIN32)
#include "platform/windows/WindowsPlatform.h"
#endif

namespace orvane::platform {

#if defined(__linux__)
std::unique_ptr<Platform> CreateDefaultPlatform() {
  return linux_backend::CreateLinuxPlatform();
}

std::unique_ptr<EndRequestSource> CreateEndRequestSource() {
  return linux_backend::CreateSignalEndRequests();
}
#elif defined(_WIN32)
std::unique_ptr<Platform> CreateDefaultPlatform() {
  return windows_backend::CreateWindowsPlatform();
}

// Log-off and shut-down reach a Windows program through its windows' messages, not here.
std::unique_ptr<EndRequestSource> CreateEndRequestSource() {
  return nullptr;
}
#endif

}  // namespace orvane::platform
