#include "app/HotspotTexts.h"

#include "common/NetworkSecurity.h"

namespace orvane::texts {

std::string HotspotKeyProblem(const std::string& key) {
  switch (CheckNetworkKey(NetworkSecurity::Wpa2, key)) {
    case KeyProblem::None:
      return {};
    case KeyProblem::Wpa2Length:
      return key.size() < 8 ? kHotspotKeyTooShort : kHotspotKeyInvalid;
    default:
      return kHotspotKeyInvalid;
  }
}

bool HotspotSucceeded(const platform::HotspotAnswer& answer) {
  return platform::Succeeded(answer.code) &&
         answer.connectivity == platform::kConnectivityInternet &&
         answer.capability == platform::kTetheringEnabled &&
         answer.status == platform::kTetheringSuccess;
}

namespace {

std::string CapabilityReason(int32_t capability) {
  switch (capability) {
    case platform::kTetheringDisabledByGroupPolicy:
    case platform::kTetheringDisabledByOperator:
    case platform::kTetheringDisabledBySku:
    case platform::kTetheringDisabledByRequiredAppNotInstalled:
      return kHotspotPolicy;
    case platform::kTetheringDisabledByHardwareLimitation:
    case platform::kTetheringDisabledBySystemCapability:
      return kHotspotNoWifi;
    default:
      return {};
  }
}

std::string StatusReason(int32_t status) {
  switch (status) {
    case platform::kTetheringWiFiDeviceOff:
      return kHotspotNoWifi;
    case platform::kTetheringNetworkLimitedConnectivity:
      return kHotspotNoInternet;
    case platform::kTetheringEntitlementCheckFailure:
    case platform::kTetheringEntitlementCheckTimeout:
      return kHotspotPolicy;
    case platform::kTetheringOperationInProgress:
      return kHotspotBusy;
    default:
      return {};
  }
}

}  // namespace

std::string HotspotFailureReason(const platform::HotspotAnswer& answer,
                                 const std::string& systemText) {
  std::string reason;
  if (answer.code == platform::kHotspotTimedOut) {
    reason = kHotspotTimedOut;
  } else if (answer.code == platform::kSourceProfileMissing) {
    reason = kHotspotNoInternet;
  } else if (platform::Failed(answer.code)) {
    reason = systemText;
  } else if (answer.connectivity != platform::kConnectivityInternet) {
    reason = kHotspotNoInternet;
  } else if (answer.capability != platform::kTetheringEnabled) {
    reason = CapabilityReason(answer.capability);
  } else {
    reason = StatusReason(answer.status);
  }
  // The system's own words, where it gave some, say more than "no reason".
  if (reason.empty()) reason = answer.detail.empty() ? kHotspotNoReason : answer.detail;
  return reason;
}

}  // namespace orvane::texts
