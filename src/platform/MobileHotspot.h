#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/SharingService.h"

namespace orvane::platform {

// Native Wifi's numbers for the security of a network (DOT11_AUTH_ALGORITHM and
// DOT11_CIPHER_ALGORITHM) that the choice of how to make the own network reads.
inline constexpr uint32_t kDot11AuthOpen = 1;
inline constexpr uint32_t kDot11AuthSharedKey = 2;
inline constexpr uint32_t kDot11AuthRsnaPsk = 7;
inline constexpr uint32_t kDot11CipherNone = 0;
inline constexpr uint32_t kDot11CipherWep40 = 1;
inline constexpr uint32_t kDot11CipherCcmp = 4;
inline constexpr uint32_t kDot11CipherWep104 = 5;
inline constexpr uint32_t kDot11CipherWep = 0x101;

// One security an adapter can use, as Native Wifi lists it.
struct AuthCipherPair {
  uint32_t authentication = 0;
  uint32_t cipher = 0;
  friend bool operator==(const AuthCipherPair&, const AuthCipherPair&) = default;
};

// Whether Windows lets this source be shared as a Mobile Hotspot (TetheringCapability).
inline constexpr int32_t kTetheringEnabled = 0;
inline constexpr int32_t kTetheringDisabledByGroupPolicy = 1;
inline constexpr int32_t kTetheringDisabledByHardwareLimitation = 2;
inline constexpr int32_t kTetheringDisabledByOperator = 3;
inline constexpr int32_t kTetheringDisabledBySku = 4;
inline constexpr int32_t kTetheringDisabledByRequiredAppNotInstalled = 5;
inline constexpr int32_t kTetheringDisabledDueToUnknownCause = 6;
inline constexpr int32_t kTetheringDisabledBySystemCapability = 7;

// How a start or stop of the Mobile Hotspot went (TetheringOperationStatus).
inline constexpr int32_t kTetheringSuccess = 0;
inline constexpr int32_t kTetheringUnknown = 1;
inline constexpr int32_t kTetheringMobileBroadbandDeviceOff = 2;
inline constexpr int32_t kTetheringWiFiDeviceOff = 3;
inline constexpr int32_t kTetheringEntitlementCheckTimeout = 4;
inline constexpr int32_t kTetheringEntitlementCheckFailure = 5;
inline constexpr int32_t kTetheringOperationInProgress = 6;
inline constexpr int32_t kTetheringBluetoothDeviceOff = 7;
inline constexpr int32_t kTetheringNetworkLimitedConnectivity = 8;

// How far a connection reaches (NetworkConnectivityLevel): only the last one is the Internet.
inline constexpr int32_t kConnectivityNone = 0;
inline constexpr int32_t kConnectivityLocal = 1;
inline constexpr int32_t kConnectivityConstrained = 2;
inline constexpr int32_t kConnectivityInternet = 3;

// Codes of the hotspot's own failures: a wait for the system ran out, and the source has no
// profile in the system's list of connected networks.
inline constexpr HResult kHotspotTimedOut = static_cast<HResult>(0x800705B4u);       // timeout
inline constexpr HResult kSourceProfileMissing = static_cast<HResult>(0x80070490u);  // not found
// Native Wifi's answer when an adapter cannot say (or do) what was asked.
inline constexpr uint32_t kErrorNotSupported = 50;

// What starting or stopping the Mobile Hotspot answered. The steps stop at the first that says
// no, so only the fields up to it are meaningful.
struct HotspotAnswer {
  HResult code = kSOk;                           // a runtime call or a wait that failed
  int32_t connectivity = kConnectivityInternet;  // of the source's profile
  int32_t capability = kTetheringEnabled;        // of the source's profile
  int32_t status = kTetheringSuccess;            // of the start or stop itself
  std::string detail{};                          // the system's further words, if any
};

// Windows' own access point (Mobile Hotspot, Windows 10 1607 and later), which shares a source
// connection with its own NAT and makes a WPA2 network on a Wi-Fi adapter, together with what
// Native Wifi says an adapter can do without it. Calls block; one at a time.
class IMobileHotspot {
 public:
  virtual ~IMobileHotspot() = default;
  // The securities the adapter (its interface GUID text, "{8-4-4-4-12}") can make an ad-hoc
  // network with; a Win32 code, 0 when the list was read.
  virtual uint32_t QueryAdHocPairs(const std::string& interfaceGuid,
                                   std::vector<AuthCipherPair>& pairs) = 0;
  // Shares the source connection (its GUID text) on a network with this name and passphrase.
  virtual HotspotAnswer Start(const std::string& sourceGuid, const std::string& ssid,
                              const std::string& passphrase) = 0;
  // Turns off what Start turned on; does nothing when it is not on.
  virtual HotspotAnswer Stop() = 0;
  // The devices that use the hotspot now.
  virtual HResult Clients(std::vector<ConnectedDevice>& devices) = 0;
};

}  // namespace orvane::platform
