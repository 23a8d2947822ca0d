#pragma once

#include "platform/InternetProbe.h"

namespace orvane::platform::linux_backend {

// A TCP connection to the probe address's host and port, and the system's own online state:
// NetworkManager's where it runs, else whether a default route exists.
class LinuxInternetProbe : public IInternetProbe {
 public:
  LinuxInternetProbe();
  bool CheckConnection(const std::string& url, std::chrono::milliseconds timeout) override;
  bool QueryConnectedState(uint32_t& state) override;
  // From the kernel's netlink announcements (see LinkWatch).
  std::unique_ptr<ILinkWatch> WatchLinks(const std::function<void(bool uplink)>& changed) override;
};

}  // namespace orvane::platform::linux_backend
