#pragma once

#include <sys/types.h>

#include <array>
#include <cstdint>
#include <string>

namespace orvane::platform::linux_backend {

// The DHCP and DNS server of one private interface: a dnsmasq child that the kernel kills
// when this process dies.
struct DnsmasqPlan {
  std::string interfaceName;
  std::array<uint8_t, 4> gateway{};  // the interface's own address: router and name server
  uint8_t prefixLength = 24;
  // Kept while the helper lives, so an address a client still holds is not handed to another
  // one; that is what lets the server skip its slow ping before each offer. Private to root:
  // it names the clients and their hardware addresses.
  std::string leaseFile;
  // Whether the helper gave the interface its address. Only then is the network known to be
  // ours alone, so that the server may answer for it authoritatively and skip its ping.
  bool ownNetwork = false;
};

// The range of addresses handed out within the gateway's network, gateway excluded when it
// sits at either end. first > last when the network has no room for clients.
struct LeaseRange {
  std::array<uint8_t, 4> first{};
  std::array<uint8_t, 4> last{};
};
LeaseRange LeaseRangeOf(const std::array<uint8_t, 4>& gateway, uint8_t prefixLength);

// Starts dnsmasq and waits until it serves DHCP. Answers its pid, or -1 with error set.
pid_t StartDnsmasq(const DnsmasqPlan& plan, std::string& error);
// Ends it and reaps it.
void StopDnsmasq(pid_t pid);
// Whether the child is still running (reaps it if it has ended).
bool DnsmasqRunning(pid_t pid);
// Whether pid is a dnsmasq serving interfaceName (for cleaning up after a dead helper).
bool IsDnsmasqFor(pid_t pid, const std::string& interfaceName);

}  // namespace orvane::platform::linux_backend
