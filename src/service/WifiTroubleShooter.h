#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Platform.h"
#include "service/ServiceControl.h"

namespace orvane {

// The platform services the troubleshooter needs, and nothing more.
struct TroubleShooterPlatform {
  platform::ISystemInfo& system;
  platform::IServiceControlManager& services;
  platform::IWzcStore& wzc;
};

TroubleShooterPlatform TroubleShooterPlatformOf(platform::Platform& platform);

// The wireless configuration service and the flag its first interface must carry.
inline constexpr const char* kWifiServiceName = "wzcsvc";
inline constexpr const char* kControlFlagsValue = "ControlFlags";
inline constexpr uint32_t kControlFlagsBit = 0x8000;

// What the animation shows: the three frames in turn, or one picture for the outcome.
inline constexpr int32_t kAnimateCycle = -1;
inline constexpr int32_t kAnimateFailure = 0;
inline constexpr int32_t kAnimateSuccess = 1;
inline constexpr int32_t kFrameCount = 3;

// The window's texts.
inline constexpr const char* kTroubleShooterCaption = "Starting WIFI Service";
inline constexpr const char* kWaitingText = "Starting Microsoft Windows WIFI Service ...";
inline constexpr const char* kCancelCaption = "&Cancel";

// How the window looks once the repair has answered.
struct OutcomeLook {
  int32_t mode = kAnimateFailure;
  std::string text;
  std::string buttonCaption;
};
OutcomeLook LookOf(bool repaired);

// Which of the three pictures a frame leaves visible; none for a mode that changes nothing.
std::optional<std::array<bool, kFrameCount>> VisibleFrames(int32_t mode, int32_t frameIndex);
// The frame after frameIndex: 0, 1, 2, 0, ...
int32_t NextFrame(int32_t frameIndex);

// Whether the troubleshooter is offered at all: only on operating-system version 5.1.
bool TroubleShooterOffered(platform::ISystemInfo& system);

// The troubleshooter's decisions, without the window: whether the wireless configuration
// service needs a repair, and the repair itself (stop the service, set the flag on the first
// interface, start the service again). Service errors raise OsError, registry read and write
// errors RegistryError; both reach the caller.
class WifiTroubleShooter {
 public:
  // The platform services must outlive the object.
  explicit WifiTroubleShooter(const TroubleShooterPlatform& platform);

  // The service is not running, or else the flag is missing; the registry is read only when
  // the service runs.
  bool NeedsRepair();
  // The result of SetInterfaceFlag; the service is started again even when setting the flag
  // raised, and the outcome of the start is not consulted.
  bool Repair();
  // False when there is no interface to look at; else whether its flag is clear.
  bool IsInterfaceFlagMissing();
  // Sets the flag on the first interface, no other bit and no other interface; false when
  // there is no interface.
  bool SetInterfaceFlag();

  TServiceControl& WifiService() { return wifiService_; }

 private:
  // The first interface in the store's order; none when the key cannot be opened or is empty.
  std::optional<std::string> FirstInterface();
  uint32_t ReadFlags(const std::string& interfaceName);

  platform::IWzcStore& wzc_;
  TServiceControl wifiService_;
};

}  // namespace orvane
