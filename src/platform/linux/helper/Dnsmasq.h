#pragma once

#include <sys/types.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

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
  // The name servers it asks ("1.1.1.1", "2001:db8::1"); none leaves names unresolved.
  std::vector<std::string> upstreams;
};

// The user dnsmasq runs as: Debian's own account for it, else nobody.
struct ServerAccount {
  uid_t uid = 65534;
  gid_t gid = 65534;
};
ServerAccount DnsmasqAccount();

// At most this many clients hold a lease on one share: one client faking hardware addresses
// cannot take the whole network.
inline constexpr int kMaxLeases = 32;

// The name servers the host itself uses, without loopback ones (a local stub would let guests
// resolve what only the host should: its hosts file, a VPN's internal names). Behind a stub,
// the upstreams systemd-resolved or NetworkManager list are used instead.
std::vector<std::string> UpstreamNameServers();
// The name servers of one resolv.conf text, loopback and unreadable lines left out.
std::vector<std::string> NameServersOf(const std::string& text);

// A running server, told apart from a later process that reuses its id by its start time.
struct ServerProcess {
  pid_t pid = -1;
  uint64_t startTime = 0;  // in clock ticks since boot, as /proc/<pid>/stat has it
};
// The process's start time, 0 when there is no such process.
uint64_t ProcessStartTime(pid_t pid);

// The range of addresses handed out within the gateway's network, gateway excluded when it
// sits at either end. first > last when the network has no room for clients.
struct LeaseRange {
  std::array<uint8_t, 4> first{};
  std::array<uint8_t, 4> last{};
};
LeaseRange LeaseRangeOf(const std::array<uint8_t, 4>& gateway, uint8_t prefixLength);

// Starts dnsmasq and waits until it serves DHCP. Answers its pid, or -1 with error set. The
// lease file is the server account's, readable by it and root only.
pid_t StartDnsmasq(const DnsmasqPlan& plan, std::string& error);
// Ends it and reaps it.
void StopDnsmasq(pid_t pid);
// Whether the child is still running (reaps it if it has ended).
bool DnsmasqRunning(pid_t pid);
// Whether the process is the dnsmasq serving interfaceName that a dead helper started (for
// cleaning up after it): same start time, same name, same interface.
bool IsDnsmasqFor(const ServerProcess& process, const std::string& interfaceName);

}  // namespace orvane::platform::linux_backend
