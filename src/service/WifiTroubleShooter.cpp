#include "service/WifiTroubleShooter.h"

#include <exception>

#include "common/Errors.h"
#include "common/SystemHelpers.h"

namespace orvane {

TroubleShooterPlatform TroubleShooterPlatformOf(platform::Platform& platform) {
  return {platform.System(), platform.Services(), platform.Wzc()};
}

OutcomeLook LookOf(bool repaired) {
  if (repaired) {
    return {kAnimateSuccess, "The Windows WIFI service was started successfully.", "&Close"};
  }
  return {kAnimateFailure, "The Windows WIFI service is not started.", "&Close"};
}

std::optional<std::array<bool, kFrameCount>> VisibleFrames(int32_t mode, int32_t frameIndex) {
  switch (mode) {
    case kAnimateCycle:
      return std::array<bool, kFrameCount>{frameIndex == 0, frameIndex == 1, frameIndex == 2};
    case kAnimateFailure:
      return std::array<bool, kFrameCount>{true, false, false};
    case kAnimateSuccess:
      return std::array<bool, kFrameCount>{false, false, true};
    default:
      return std::nullopt;
  }
}

int32_t NextFrame(int32_t frameIndex) {
  return frameIndex + 1 >= kFrameCount ? 0 : frameIndex + 1;
}

bool TroubleShooterOffered(platform::ISystemInfo& system) {
  return IsWindowsXP(system);
}

WifiTroubleShooter::WifiTroubleShooter(const TroubleShooterPlatform& platform)
    : wzc_(platform.wzc), wifiService_(platform.services, platform.system, kWifiServiceName, "") {}

bool WifiTroubleShooter::NeedsRepair() {
  return wifiService_.GetState() != TServiceState::ssRunning || IsInterfaceFlagMissing();
}

bool WifiTroubleShooter::Repair() {
  wifiService_.Stop();
  bool flagSet = false;
  std::exception_ptr error;
  try {
    flagSet = SetInterfaceFlag();
  } catch (...) {
    error = std::current_exception();
  }
  // The service must come back even when the flag could not be written.
  wifiService_.Start();
  if (error) std::rethrow_exception(error);
  return flagSet;
}

bool WifiTroubleShooter::IsInterfaceFlagMissing() {
  const auto name = FirstInterface();
  if (!name) return false;
  return (ReadFlags(*name) & kControlFlagsBit) != kControlFlagsBit;
}

bool WifiTroubleShooter::SetInterfaceFlag() {
  const auto name = FirstInterface();
  if (!name) return false;
  const uint32_t flags = ReadFlags(*name) | kControlFlagsBit;
  if (const int32_t result = wzc_.WriteControlFlags(*name, flags)) {
    throw RegistryError(std::string("Failed to set data for '") + kControlFlagsValue + "'", result);
  }
  return true;
}

std::optional<std::string> WifiTroubleShooter::FirstInterface() {
  if (!wzc_.OpenInterfacesKey()) return std::nullopt;
  const auto names = wzc_.InterfaceNames();
  if (names.empty()) return std::nullopt;
  return names.front();
}

uint32_t WifiTroubleShooter::ReadFlags(const std::string& interfaceName) {
  const platform::StoredNumber flags = wzc_.ReadControlFlags(interfaceName);
  switch (flags.state) {
    case platform::ValueState::Present:
      return flags.value;
    case platform::ValueState::WrongType:
      throw RegistryError(std::string("Invalid data type for '") + kControlFlagsValue + "'");
    case platform::ValueState::Missing:
      break;
  }
  throw RegistryError(std::string("Failed to get data for '") + kControlFlagsValue + "'");
}

}  // namespace orvane
