#include "platform/windows/WindowsPlatform.h"

#include "platform/windows/RegistryStores.h"
#include "platform/windows/TaskAutoRunStore.h"
#include "platform/windows/TetheringHotspot.h"
#include "platform/windows/WinAdapterQuery.h"
#include "platform/windows/WinInternetProbe.h"
#include "platform/windows/WinServiceControl.h"
#include "platform/windows/WinSharingService.h"
#include "platform/windows/WinSystemInfo.h"
#include "platform/windows/WirelessLibraryLoader.h"

namespace orvane::platform::windows_backend {
namespace {

class WindowsPlatform : public Platform {
 public:
  explicit WindowsPlatform(const std::string& wirelessLibraryPath)
      : wireless_(wirelessLibraryPath.empty() ? system_.SettingsFolder() + "wireless.dll"
                                              : wirelessLibraryPath) {}

  IAdapterQuery& Adapters() override { return adapters_; }
  IConnectionKindSource& ConnectionKinds() override { return kinds_; }
  ISharingService& Sharing() override { return sharing_; }
  IInternetProbe& Internet() override { return internet_; }
  IServiceControlManager& Services() override { return services_; }
  ISystemInfo& System() override { return system_; }
  IAutoRunStore& AutoRun() override { return logonTask_; }
  IWzcStore& Wzc() override { return wzc_; }
  const WirelessLibrary& Wireless() override { return wireless_.Table(); }
  std::string WirelessProblem() const override { return wireless_.Problem(); }
  IMobileHotspot* MobileHotspot() override { return hotspot_.Present() ? &hotspot_ : nullptr; }

 private:
  WinSystemInfo system_;
  WinAdapterQuery adapters_;
  WinConnectionKinds kinds_;
  WinSharingService sharing_;
  WinInternetProbe internet_;
  WinServiceControl services_;
  WinAutoRunStore runKey_;  // only to remove what older versions wrote there
  ComLogonTasks tasks_;
  TaskAutoRunStore logonTask_{tasks_, runKey_};
  WinWzcStore wzc_;
  WirelessLibraryLoader wireless_;
  WinRuntimeActivation runtime_;
  TetheringHotspot hotspot_{runtime_, system_, QueryNativeWifiAdHocPairs};
};

}  // namespace

std::unique_ptr<Platform> CreateWindowsPlatform(const std::string& wirelessLibraryPath) {
  return std::make_unique<WindowsPlatform>(wirelessLibraryPath);
}

}  // namespace orvane::platform::windows_backend
