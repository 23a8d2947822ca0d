#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SharingService.h"

namespace orvane::platform::linux_backend {

// How many devices one answer lists, and how long a shown name may be: enough for any real
// network, and a bound whatever the lease file holds.
inline constexpr std::size_t kMaxDevices = 256;
inline constexpr std::size_t kMaxDeviceNameLength = 63;

// "aa:bb:cc:dd:ee:ff" in lower case, or nothing when the text is not six hex octets.
std::optional<std::string> CanonicalHardwareAddress(std::string_view text);
// Dotted decimal, or nothing when the text is not exactly an IPv4 address.
std::optional<std::string> CanonicalIpv4(std::string_view text);
// What of a name a device gave is safe to show: printable ASCII only, at most
// kMaxDeviceNameLength characters, no blanks at either end.
std::string ShowableName(std::string_view text);

// The devices as one line of records "<mac>,<ipv4>,<name>" separated by blanks, the name
// percent-encoded, so that no name can add a record, a field or a line. The addresses go as they
// are: the lease reader hands them over in the canonical forms above.
std::string DeviceListText(const std::vector<ConnectedDevice>& devices);
// Reads such a line back. A record that is not exactly that (a field missing or malformed, a
// name that is not showable) is dropped; at most kMaxDevices are kept.
std::vector<ConnectedDevice> ParseDeviceListText(std::string_view text);

}  // namespace orvane::platform::linux_backend
