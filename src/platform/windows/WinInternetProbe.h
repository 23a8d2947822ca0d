#pragma once

#include "platform/InternetProbe.h"

namespace orvane::platform::windows_backend {

// WinINet's forced connection check and its connected-state option.
class WinInternetProbe : public IInternetProbe {
 public:
  bool CheckConnection(const std::string& url, std::chrono::milliseconds timeout) override;
  bool QueryConnectedState(uint32_t& state) override;
};

}  // namespace orvane::platform::windows_backend
