#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SharingService.h"

namespace orvane::platform::linux_backend {

// The devices holding a lease in the text of a dnsmasq lease file, whose lines read
// "<expiry|0> <mac> <ipv4> <name|*> <client id|*>". Leases that expired by `now` (seconds since
// the epoch; 0 never expires), IPv6 leases, lines it cannot read whole and a last line without
// its newline (one being written) are skipped; at most kMaxDevices are listed.
std::vector<ConnectedDevice> ParseDnsmasqLeases(std::string_view text, int64_t now);

// Reads the lease file at path, at most a bounded size, and parses it. The file is ours but is
// read like a stranger's: a link, anything but a regular file, or a file root does not own
// reads as no devices.
std::vector<ConnectedDevice> ReadDnsmasqLeases(const std::string& path, int64_t now);

}  // namespace orvane::platform::linux_backend
