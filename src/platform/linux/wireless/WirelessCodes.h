#pragma once

#include <cstdint>

// The library's failure codes, in the Win32 numbering the window explains with the system's
// message texts.
namespace orvane::platform::linux_backend::wireless_codes {

inline constexpr uint32_t kAccessDenied = 5;  // NetworkManager refused the change
inline constexpr uint32_t kOutOfMemory = 8;
inline constexpr uint32_t kNotSupported = 50;          // the device cannot be an access point
inline constexpr uint32_t kInvalidParameter = 87;      // a name, key or kind it cannot use
inline constexpr uint32_t kServiceNotActive = 1062;    // no bus, or no NetworkManager on it
inline constexpr uint32_t kDeviceNotConnected = 1167;  // NetworkManager has no Wi-Fi device
inline constexpr uint32_t kNotFound = 1168;            // no such interface, or no own profile
inline constexpr uint32_t kTimeout = 1460;             // NetworkManager did not answer in time
inline constexpr uint32_t kFunctionFailed = 1627;      // any other refusal

}  // namespace orvane::platform::linux_backend::wireless_codes
