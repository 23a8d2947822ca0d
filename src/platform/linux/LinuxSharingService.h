#pragma once

#include "platform/SharingService.h"
#include "platform/SystemInfo.h"
#include "platform/linux/InterfaceInventory.h"
#include "platform/linux/SharingHelperClient.h"
#include "platform/linux/helper/Dnsmasq.h"

namespace orvane::platform::linux_backend {

// Connection sharing in the operating system: every interface but loopback is a connection,
// and its sharing is carried out by the privileged helper.
class LinuxSharingService : public ISharingService {
 public:
  LinuxSharingService(SharingHelperClient& helper, ISystemInfo& text, MachinePaths paths = {})
      : helper_(helper), text_(text), paths_(std::move(paths)) {}

  // Nothing to initialise: the calls are plain function calls.
  HResult CoInitialize() override { return kSOk; }
  void CoUninitialize() override {}
  HResult CreateSharingManager(std::unique_ptr<ISharingManager>& manager) override;
  void SetGuestsReachLocalNetwork(bool allowed) override {
    helper_.SetGuestsReachLocalNetwork(allowed);
  }
  std::string ErrorDescription() override { return SharingHelperClient::LastErrorText(); }
  std::size_t GuestLimit() override { return kMaxLeases; }

 private:
  SharingHelperClient& helper_;
  ISystemInfo& text_;
  MachinePaths paths_;
};

}  // namespace orvane::platform::linux_backend
