#include "platform/linux/LinuxPlatform.h"

#include <unistd.h>

#include <filesystem>

#include "platform/linux/LinuxAdapterQuery.h"
#include "platform/linux/LinuxInternetProbe.h"
#include "platform/linux/LinuxServiceControl.h"
#include "platform/linux/LinuxSharingService.h"
#include "platform/linux/LinuxSystemInfo.h"
#include "platform/linux/LinuxWzcStore.h"
#include "platform/linux/SharingHelperClient.h"
#include "platform/linux/XdgAutoRunStore.h"
#include "platform/linux/wireless/NmWirelessLibrary.h"

namespace orvane::platform::linux_backend {
namespace {

constexpr const char* kHelperName = "orvane-sharing-helper";

class LinuxPlatform : public Platform {
 public:
  explicit LinuxPlatform(const LinuxPlatformOptions& options)
      : adapters_(options.machine),
        kinds_(options.machine),
        helper_(options.sharingHelperPath.empty()
                    ? DefaultSharingHelperPath(system_.ExecutablePath())
                    : options.sharingHelperPath,
                options.sharingHelperLaunch),
        sharing_(helper_, system_, options.machine) {}

  IAdapterQuery& Adapters() override { return adapters_; }
  IConnectionKindSource& ConnectionKinds() override { return kinds_; }
  ISharingService& Sharing() override { return sharing_; }
  IInternetProbe& Internet() override { return internet_; }
  IServiceControlManager& Services() override { return services_; }
  ISystemInfo& System() override { return system_; }
  IAutoRunStore& AutoRun() override { return autoRun_; }
  IWzcStore& Wzc() override { return wzc_; }
  const WirelessLibrary& Wireless() override { return NetworkManagerWirelessLibrary(); }

 private:
  LinuxSystemInfo system_;
  LinuxAdapterQuery adapters_;
  LinuxConnectionKinds kinds_;
  // Declared before the service that uses it and destroyed after it; its end undoes sharing.
  SharingHelperClient helper_;
  LinuxSharingService sharing_;
  LinuxInternetProbe internet_;
  LinuxServiceControl services_;
  XdgAutoRunStore autoRun_;
  LinuxWzcStore wzc_;
};

}  // namespace

std::string DefaultSharingHelperPath(const std::string& executablePath) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(executablePath).parent_path();
  // The installed, root-owned copy comes first: that is the one polkit knows.
  const fs::path candidates[] = {folder.parent_path() / "libexec" / "orvane" / kHelperName,
                                 folder / kHelperName};
  for (const fs::path& candidate : candidates)
    if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
  return candidates[1].string();  // starting it fails, and sharing reports that
}

std::unique_ptr<Platform> CreateLinuxPlatform(const LinuxPlatformOptions& options) {
  return std::make_unique<LinuxPlatform>(options);
}

}  // namespace orvane::platform::linux_backend
