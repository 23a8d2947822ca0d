#pragma once

#include <sys/types.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/SharingService.h"
#include "platform/linux/Netlink.h"
#include "platform/linux/SharingJournal.h"
#include "platform/linux/helper/Dnsmasq.h"
#include "platform/linux/helper/NftTable.h"

namespace orvane::platform::linux_backend {

// The privileged half of connection sharing: a public interface is masqueraded, a private one
// gets a gateway address, forwarding and a DHCP and DNS server. Everything it adds it records,
// and it takes it all away again on Disable, on StopAll and, after a crash, in the next helper's
// Recover.
class SharingHelper {
 public:
  explicit SharingHelper(std::string journalFolder);
  ~SharingHelper();
  SharingHelper(const SharingHelper&) = delete;
  SharingHelper& operator=(const SharingHelper&) = delete;

  // Undoes what dead helpers of this network namespace left behind.
  void Recover();

  // Each answers an empty text on success, else what went wrong.
  std::string EnablePublic(const std::string& interfaceName);
  // localNetwork: its clients may also reach the private ranges behind the public side (the
  // home network); without it they reach the Internet only.
  std::string EnablePrivate(const std::string& interfaceName, bool localNetwork = false);
  std::string Disable(const std::string& interfaceName);
  // "public", "private" or "none", read back from the kernel and the server process after a
  // repair.
  std::string Role(const std::string& interfaceName);
  // The devices holding a lease on an interface whose role is private; none for any other.
  std::vector<ConnectedDevice> Devices(const std::string& interfaceName);
  // Gives an interface that was deleted and created again its role back, and restarts a server
  // that died (a bounded number of times).
  void Repair();
  void StopAll();
  // Why the access point beside a Wi-Fi station was closed (its network lost, or moved to
  // another channel); empty while it serves or when there was none.
  std::string Lost(const std::string& stationName) const;

 private:
  struct PublicShare {
    uint32_t index = 0;
    bool opened = false;  // forwarding was off before
  };
  // An access point interface added on a Wi-Fi station's radio, shared as private.
  struct BesideAccessPoint {
    std::string name;
    uint32_t index = 0;
    uint32_t wiphy = 0;
    uint32_t frequencyMHz = 0;  // the station's channel, which the access point shares
    int offChannelChecks = 0;   // repairs in a row that found the station on no channel
  };
  struct PrivateShare {
    uint32_t index = 0;
    std::array<uint8_t, 4> address{};
    uint8_t prefixLength = 24;
    bool addedAddress = false;
    bool localNetwork = false;
    ServerProcess server;
    int restarts = 0;
    std::string Network() const;
  };

  // guard: the interface is guarded even when its forwarding was on already (a private side).
  std::string EnableForwarding(const std::string& interfaceName, bool guard);
  void RestoreForwarding(const std::string& interfaceName);
  std::string EnablePrivateOnly(const std::string& interfaceName, bool localNetwork);
  // Whether the share's server runs; one found ended is reaped and forgotten at once, so that
  // its id, free for reuse, is never signalled.
  bool ServerRunning(PrivateShare& share);
  void StopServer(PrivateShare& share);
  std::string ChoosePrivateAddress(const NetlinkSnapshot& machine, uint32_t index,
                                   PrivateShare& share);
  std::string StartServer(const std::string& interfaceName, PrivateShare& share);
  void RepairPrivate(const std::string& interfaceName, PrivateShare& share);
  // The private side of a Wi-Fi station that is shared as public: an access point interface
  // added on the same radio.
  std::string EnableBeside(const std::string& stationName, bool localNetwork);
  std::string RemoveBeside(const std::string& stationName);
  std::string DisablePublic(const std::string& interfaceName);
  std::string DisablePrivate(const std::string& interfaceName);
  // Drops the shares of interfaces that no longer exist; answers the first error.
  std::string DisableVanished();
  // False when the journal could not be written.
  bool SaveJournal();

  NftTable table_;
  SharingJournal journal_;
  std::map<std::string, PublicShare> publics_;
  std::map<std::string, PrivateShare> privates_;
  std::map<std::string, std::string> originalForwarding_;
  std::map<std::string, BesideAccessPoint> besides_;  // by the station's name
  std::map<std::string, std::string> lostBesides_;    // why, by the station's name
  void WatchBesides();
};

// Interface names the helper accepts: what the kernel allows, minus anything that could break
// out of a quoted nftables string or a command-line argument.
bool ValidInterfaceName(const std::string& name);

}  // namespace orvane::platform::linux_backend
