#pragma once

#include <string>

#include "platform/MobileHotspot.h"

namespace orvane::texts {

// The "Share My Internet" page's line on how the running share's wireless network was made.
inline constexpr const char* kMadeByMobileHotspot =
    "The wireless network was made by Windows' Mobile Hotspot (WPA2), which shares the Internet "
    "connection itself.";
inline constexpr const char* kMadeAsAdHoc =
    "The wireless network was made as an ad-hoc network, and the Internet connection is shared "
    "to it.";

inline constexpr const char* kHotspotNotStarted = "The Mobile Hotspot could not be started.";
inline constexpr const char* kHotspotNotStopped =
    "The Mobile Hotspot could not be turned off. Click \"Stop\" again, or turn it off in "
    "Windows' settings (Network & Internet, Mobile hotspot).";
inline constexpr const char* kHotspotPolicy =
    "Mobile Hotspot is not allowed on this computer: a policy of the administrator, the network "
    "operator or this edition of Windows turns it off.";
inline constexpr const char* kHotspotNoWifi =
    "No Wi-Fi adapter of this computer can host a Mobile Hotspot. Check that Wi-Fi is turned on.";
inline constexpr const char* kHotspotNoInternet =
    "The source connection has no Internet access, and Windows shares only a connection that "
    "has. Choose a source that reaches the Internet, or wait until it does.";
inline constexpr const char* kHotspotKeyTooShort =
    "The network key is too short for WPA2, which the Mobile Hotspot always uses: it needs 8 to "
    "63 characters. Change it in Options.";
inline constexpr const char* kHotspotKeyInvalid =
    "The network key does not suit WPA2, which the Mobile Hotspot always uses: it needs 8 to 63 "
    "characters, letters, digits, blanks and signs of plain ASCII only. Change it in Options.";
inline constexpr const char* kHotspotTimedOut =
    "Windows did not finish turning the Mobile Hotspot on or off in time. Try again.";
inline constexpr const char* kHotspotBusy =
    "Windows is turning the Mobile Hotspot on or off already. Wait a moment and try again.";
inline constexpr const char* kHotspotNoReason = "Windows gave no reason.";

// Why the key cannot be the Mobile Hotspot's passphrase; empty when it can.
std::string HotspotKeyProblem(const std::string& key);

// Why starting or stopping the Mobile Hotspot failed, from its answer; `systemText` is the
// system's message for the answer's code, used when no reason here fits.
std::string HotspotFailureReason(const platform::HotspotAnswer& answer,
                                 const std::string& systemText);
// Whether the answer says it worked.
bool HotspotSucceeded(const platform::HotspotAnswer& answer);

}  // namespace orvane::texts
