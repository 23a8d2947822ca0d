#include "platform/linux/helper/SharingHelper.h"

#include <linux/nl80211.h>
#include <net/if.h>
#include <signal.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <vector>

#include "platform/linux/Netlink.h"
#include "platform/linux/NetworkManagerClient.h"
#include "platform/linux/Nl80211.h"
#include "platform/linux/SharingProtocol.h"
#include "platform/linux/helper/Dnsmasq.h"
#include "platform/linux/helper/DnsmasqLeases.h"
#include "platform/linux/helper/PrivateNetwork.h"

namespace orvane::platform::linux_backend {
namespace {

// A server that dies again and again is not started forever.
constexpr int kMaxServerRestarts = 5;

std::string ForwardingPath(const std::string& interfaceName) {
  return "/proc/sys/net/ipv4/conf/" + interfaceName + "/forwarding";
}

std::string ReadForwarding(const std::string& interfaceName) {
  std::ifstream file(ForwardingPath(interfaceName));
  std::string value;
  file >> value;
  return value;
}

bool WriteForwarding(const std::string& interfaceName, const std::string& value) {
  std::ofstream file(ForwardingPath(interfaceName));
  file << value << "\n";
  file.flush();
  return static_cast<bool>(file);
}

std::string CidrOf(const std::array<uint8_t, 4>& address, uint8_t prefixLength) {
  return Ipv4Text(address) + "/" + std::to_string(prefixLength);
}

bool ParseCidr(const std::string& cidr, std::array<uint8_t, 4>& address, uint8_t& prefixLength) {
  auto slash = cidr.find('/');
  if (slash == std::string::npos) return false;
  auto parsed = ParseIpv4(cidr.substr(0, slash));
  if (!parsed) return false;
  try {
    int prefix = std::stoi(cidr.substr(slash + 1));
    if (prefix < 0 || prefix > 32) return false;
    prefixLength = static_cast<uint8_t>(prefix);
  } catch (const std::exception&) {
    return false;
  }
  address = *parsed;
  return true;
}

// The interface's first IPv4 address, if it has one.
bool FirstAddress(uint32_t index, std::array<uint8_t, 4>& address, uint8_t& prefixLength) {
  try {
    for (const Ipv4Address& entry : ReadNetlinkSnapshot().addresses) {
      if (entry.index != index) continue;
      address = entry.address;
      prefixLength = entry.prefixLength;
      return true;
    }
  } catch (const NetlinkError&) {
  }
  return false;
}

// Looks the interface up; answers why it cannot be shared ("" when it can).
std::string Refusal(const std::string& interfaceName, NetlinkSnapshot& machine,
                    const LinkInfo*& link) {
  if (!ValidInterfaceName(interfaceName)) return "no interface " + interfaceName;
  try {
    machine = ReadNetlinkSnapshot();
  } catch (const NetlinkError&) {
    return "cannot read the network configuration";
  }
  link = nullptr;
  for (const LinkInfo& candidate : machine.links)
    if (candidate.name == interfaceName) link = &candidate;
  if (link == nullptr) return "no interface " + interfaceName;
  // Forwarding to or from the host's own loopback would open its local services to others.
  if ((link->flags & IFF_LOOPBACK) != 0)
    return interfaceName + " is the loopback interface, which cannot be shared";
  return {};
}

// NetworkManager is asked; outside the namespace it manages, the answer is no.
bool OwnAccessPoint(const std::string& interfaceName) {
  NetworkManagerClient networkManager;
  return networkManager.OwnAccessPoint(interfaceName);
}

}  // namespace

bool ValidInterfaceName(const std::string& name) {
  if (name.empty() || name.size() >= IFNAMSIZ || name == "." || name == "..") return false;
  for (char c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.' &&
        c != '@' && c != '+' && c != '=') {
      return false;
    }
  }
  return true;
}

std::string SharingHelper::PrivateShare::Network() const {
  auto mask = PrefixMask(prefixLength);
  std::array<uint8_t, 4> network{};
  for (std::size_t i = 0; i < 4; ++i) network[i] = address[i] & mask[i];
  return CidrOf(network, prefixLength);
}

SharingHelper::SharingHelper(std::string journalFolder)
    : journal_(std::move(journalFolder), NetworkNamespaceId(), static_cast<int>(getpid())) {}

SharingHelper::~SharingHelper() {
  StopAll();
  journal_.RemoveLeaseFiles();
}

void SharingHelper::Recover() {
  // Journals are only ever written by helpers, but a bad line must still not steer root to
  // another file or a value the kernel setting never had.
  for (const auto& [path, entries] : journal_.Orphans()) {
    for (const auto& server : entries.servers)
      if (ValidInterfaceName(server.interfaceName) &&
          IsDnsmasqFor({server.pid, server.startTime}, server.interfaceName))
        kill(server.pid, SIGKILL);  // not our child: it cannot be waited for
    for (const auto& address : entries.addresses) {
      std::array<uint8_t, 4> ip{};
      uint8_t prefix = 0;
      unsigned index = ValidInterfaceName(address.interfaceName)
                           ? if_nametoindex(address.interfaceName.c_str())
                           : 0;
      if (index != 0 && ParseCidr(address.cidr, ip, prefix)) DeleteIpv4Address(index, ip, prefix);
    }
    for (const auto& forwarding : entries.forwarding)
      if (ValidInterfaceName(forwarding.interfaceName) &&
          (forwarding.originalValue == "0" || forwarding.originalValue == "1"))
        WriteForwarding(forwarding.interfaceName, forwarding.originalValue);
    // Only a Wi-Fi interface of our naming on the recorded radio is removed: a journal line
    // never deletes the user's own interface. It may read as a station: the supplicant that
    // runs the access point takes an interface over in that mode first.
    for (const auto& added : entries.virtualInterfaces) {
      WirelessInterface found;
      if (IsBesideAccessPointName(added.interfaceName) &&
          ReadWirelessInterface(added.interfaceName, found) == 0 && found.wiphy == added.wiphy &&
          (found.iftype == NL80211_IFTYPE_AP || found.iftype == NL80211_IFTYPE_STATION))
        DeleteWirelessInterface(found.index);
    }
    SharingJournal::Remove(path);
  }
  // Forwarding is back as it was: the guard a dead helper left has nothing more to hold
  // closed, unless a live helper of this namespace still shares.
  if (!table_.OwnerTableExists()) table_.DeleteGuard();
  journal_.RemoveOrphanLeaseFiles();
}

std::string SharingHelper::EnableForwarding(const std::string& interfaceName, bool guard) {
  if (originalForwarding_.count(interfaceName) != 0) return {};
  std::string original = ReadForwarding(interfaceName);
  if (original.empty()) return "cannot read the forwarding setting of " + interfaceName;
  if (original != "1" || guard) {
    originalForwarding_[interfaceName] = original;
    // Recorded before the change, so a crash right after it is undone too; a change that could
    // not be recorded is not made. Nor is one without the guard that holds the interface
    // closed should this helper die with forwarding on.
    if (!SaveJournal()) {
      originalForwarding_.erase(interfaceName);
      return "cannot record the change to " + interfaceName;
    }
    if (std::string error = table_.AddGuard(interfaceName); !error.empty()) {
      originalForwarding_.erase(interfaceName);
      SaveJournal();
      return "cannot guard " + interfaceName + ": " + error;
    }
    if (original != "1" && !WriteForwarding(interfaceName, "1")) {
      table_.RemoveGuard(interfaceName);
      originalForwarding_.erase(interfaceName);
      SaveJournal();
      return "cannot turn on forwarding on " + interfaceName;
    }
  } else {
    originalForwarding_[interfaceName] = original;
  }
  return {};
}

void SharingHelper::RestoreForwarding(const std::string& interfaceName) {
  auto found = originalForwarding_.find(interfaceName);
  if (found == originalForwarding_.end()) return;
  if (found->second != "1") WriteForwarding(interfaceName, found->second);
  originalForwarding_.erase(found);
  table_.RemoveGuard(interfaceName);
  SaveJournal();
}

std::string SharingHelper::EnablePublic(const std::string& interfaceName) {
  NetlinkSnapshot machine;
  const LinkInfo* link = nullptr;
  if (std::string refusal = Refusal(interfaceName, machine, link); !refusal.empty()) return refusal;
  if (publics_.count(interfaceName) != 0) return {};
  if (privates_.count(interfaceName) != 0) return interfaceName + " is shared as private";
  if (std::string error = EnableForwarding(interfaceName, false); !error.empty()) return error;
  const PublicShare share{link->index, originalForwarding_[interfaceName] != "1"};
  if (std::string error = table_.AddPublic(interfaceName, share.opened); !error.empty()) {
    RestoreForwarding(interfaceName);
    table_.DeleteIfEmpty(publics_.empty() && privates_.empty());
    return error;
  }
  publics_[interfaceName] = share;
  return {};
}

std::string SharingHelper::ChoosePrivateAddress(const NetlinkSnapshot& machine, uint32_t index,
                                                PrivateShare& share) {
  for (const Ipv4Address& entry : machine.addresses) {
    // Only the address of Orvane's own access point gets here, checked for clashes already.
    if (entry.index != index) continue;
    share.address = entry.address;  // kept as it is, and left there afterwards
    share.prefixLength = entry.prefixLength;
    return {};
  }
  const auto gateway = FreePrivateGateway(machine);
  if (!gateway) return "every network from 192.168.137.0/24 to 192.168.254.0/24 is in use";
  share.address = *gateway;
  share.prefixLength = kPrivatePrefixLength;
  share.addedAddress = true;
  return {};
}

std::string SharingHelper::StartServer(const std::string& interfaceName, PrivateShare& share) {
  if (!journal_.PrepareFolder())
    return "the folder for the lease file is missing or open to other users";
  std::string error;
  share.server.pid =
      StartDnsmasq({interfaceName, share.address, share.prefixLength,
                    journal_.LeaseFile(interfaceName), share.addedAddress, UpstreamNameServers()},
                   error);
  share.server.startTime = ProcessStartTime(share.server.pid);
  SaveJournal();
  return error;
}

bool SharingHelper::ServerRunning(PrivateShare& share) {
  if (DnsmasqRunning(share.server.pid)) return true;
  if (share.server.pid > 0) {
    share.server = {};
    SaveJournal();
  }
  return false;
}

void SharingHelper::StopServer(PrivateShare& share) {
  if (ServerRunning(share)) StopDnsmasq(share.server.pid);
  share.server = {};
}

std::string SharingHelper::EnablePrivate(const std::string& interfaceName, bool localNetwork) {
  // The public side asked to be private too: its own network goes on a second interface of
  // the same card.
  std::string error = publics_.count(interfaceName) != 0
                          ? EnableBeside(interfaceName, localNetwork)
                          : EnablePrivateOnly(interfaceName, localNetwork);
  // Masquerading with nothing behind it is of no use: a failed start leaves nothing at all.
  if (!error.empty() && privates_.empty())
    while (!publics_.empty()) Disable(std::string(publics_.begin()->first));
  return error;
}

std::string SharingHelper::EnablePrivateOnly(const std::string& interfaceName, bool localNetwork) {
  NetlinkSnapshot machine;
  const LinkInfo* link = nullptr;
  if (std::string refusal = Refusal(interfaceName, machine, link); !refusal.empty()) return refusal;
  if (auto found = privates_.find(interfaceName); found != privates_.end()) {
    // Asked again: a server that died is started again, or the answer says why not.
    RepairPrivate(interfaceName, found->second);
    if (found->second.localNetwork != localNetwork)
      return interfaceName + " is shared already, with the other choice for the local network";
    return ServerRunning(found->second) ? std::string()
                                        : "the DHCP server on " + interfaceName + " keeps failing";
  }
  if (publics_.count(interfaceName) != 0) return interfaceName + " is shared as public";
  if (std::string reason =
          PrivateSideReason(machine, link->index, interfaceName, OwnAccessPoint(interfaceName));
      !reason.empty())
    return reason;
  if (std::string firewall = table_.ForeignForwardDrop(); !firewall.empty())
    return "another firewall drops forwarded traffic (" + firewall +
           "): allow forwarding between the shared interfaces there, or turn it off";

  PrivateShare share;
  share.index = link->index;
  share.localNetwork = localNetwork;
  if (std::string error = ChoosePrivateAddress(machine, link->index, share); !error.empty())
    return error;
  privates_[interfaceName] = share;
  if (!SaveJournal()) {  // the address is recorded before it is added
    privates_.erase(interfaceName);
    return "cannot record the change to " + interfaceName;
  }
  std::string error;
  if (share.addedAddress) {
    if (int code = AddIpv4Address(link->index, share.address, share.prefixLength); code != 0) {
      privates_[interfaceName].addedAddress = false;
      error = "cannot add the gateway address to " + interfaceName;
    }
  }
  if (error.empty()) error = EnableForwarding(interfaceName, true);
  if (error.empty())
    error =
        table_.AddPrivate(interfaceName, share.Network(), Ipv4Text(share.address), localNetwork);
  if (error.empty()) error = StartServer(interfaceName, privates_[interfaceName]);
  if (!error.empty()) DisablePrivate(interfaceName);
  return error;
}

void SharingHelper::RepairPrivate(const std::string& interfaceName, PrivateShare& share) {
  const unsigned index = if_nametoindex(interfaceName.c_str());
  if (index == 0) return;  // gone: nothing to serve until it is back
  if (index != share.index) {
    // Created anew: it has none of what sharing gave the old one.
    share.index = index;
    StopServer(share);
    share.restarts = 0;
    originalForwarding_.erase(interfaceName);
    if (!EnableForwarding(interfaceName, true).empty()) return;
  }
  std::array<uint8_t, 4> address{};
  uint8_t prefix = 0;
  if (share.addedAddress && !FirstAddress(index, address, prefix))
    AddIpv4Address(index, share.address, share.prefixLength);
  if (!ServerRunning(share) && share.restarts < kMaxServerRestarts) {
    ++share.restarts;
    StartServer(interfaceName, share);
  }
}

void SharingHelper::WatchBesides() {
  // A card runs both on one channel: when the station's network goes or moves, the access
  // point cannot follow it by itself. It is closed, and the program told why.
  constexpr int kOffChannelChecks = 3;  // a roam between access points takes a moment
  std::vector<std::pair<std::string, std::string>> closing;
  for (auto& [station, added] : besides_) {
    WirelessInterface now;
    const bool found = ReadWirelessInterface(station, now) == 0;
    if (found && now.iftype == NL80211_IFTYPE_STATION && now.frequencyMHz == added.frequencyMHz) {
      added.offChannelChecks = 0;
    } else if (found && now.iftype == NL80211_IFTYPE_STATION && now.frequencyMHz != 0) {
      closing.emplace_back(station,
                           "the Wi-Fi network of " + station + " moved to another channel");
    } else if (++added.offChannelChecks >= kOffChannelChecks) {
      closing.emplace_back(station, "the Wi-Fi network of " + station + " was lost");
    }
  }
  for (const auto& [station, reason] : closing) {
    RemoveBeside(station);
    lostBesides_[station] = reason;
  }
}

std::string SharingHelper::Lost(const std::string& stationName) const {
  auto found = lostBesides_.find(stationName);
  return found == lostBesides_.end() ? std::string() : found->second;
}

void SharingHelper::Repair() {
  WatchBesides();
  for (auto& [name, share] : publics_) {
    const unsigned index = if_nametoindex(name.c_str());
    if (index == 0 || index == share.index) continue;
    share.index = index;
    originalForwarding_.erase(name);
    EnableForwarding(name, false);
  }
  for (auto& [name, share] : privates_) RepairPrivate(name, share);
}

std::string SharingHelper::EnableBeside(const std::string& stationName, bool localNetwork) {
  if (auto found = besides_.find(stationName); found != besides_.end())
    return EnablePrivateOnly(found->second.name, localNetwork);
  WirelessInterface station;
  if (int code = ReadWirelessInterface(stationName, station); code != 0)
    return stationName + " is shared as public and is no Wi-Fi interface";
  if (station.iftype != NL80211_IFTYPE_STATION || station.frequencyMHz == 0)
    return stationName + " is not connected to a Wi-Fi network";
  BesideAccessPoint added{BesideAccessPointName(station.index), 0, station.wiphy,
                          station.frequencyMHz};
  lostBesides_.erase(stationName);
  if (if_nametoindex(added.name.c_str()) != 0) return added.name + " exists already";
  // Recorded before it is made, so that a crash right after it is undone too.
  besides_[stationName] = added;
  if (!SaveJournal()) {
    besides_.erase(stationName);
    return "cannot record the change to " + stationName;
  }
  const int code = AddAccessPointInterface(
      station.wiphy, added.name, BesideAccessPointAddress(station.hardwareAddress), added.index);
  if (code != 0 || added.index == 0) {
    besides_.erase(stationName);
    SaveJournal();
    return "the Wi-Fi card of " + stationName + " cannot add an access point beside it (" +
           std::strerror(code != 0 ? code : ENODEV) + ")";
  }
  besides_[stationName] = added;
  // Up before its server starts: the connection manager may take a while to bring it up.
  std::string error;
  if (const int up = BringInterfaceUp(added.name); up != 0)
    error = "cannot bring " + added.name + " up (" + std::strerror(up) + ")";
  if (error.empty()) error = EnablePrivateOnly(added.name, localNetwork);
  if (!error.empty()) RemoveBeside(stationName);
  return error;
}

std::string SharingHelper::RemoveBeside(const std::string& stationName) {
  auto found = besides_.find(stationName);
  if (found == besides_.end()) return {};
  const BesideAccessPoint added = found->second;
  std::string error = DisablePrivate(added.name);
  // Only while the index still names our interface: it may have gone and the number be reused.
  WirelessInterface current;
  if (ReadWirelessInterface(added.name, current) == 0 && current.index == added.index &&
      current.wiphy == added.wiphy) {
    if (int code = DeleteWirelessInterface(added.index); code != 0 && error.empty())
      error = "cannot remove " + added.name + " (" + std::strerror(code) + ")";
  }
  if (error.empty() || if_nametoindex(added.name.c_str()) == 0) {
    besides_.erase(stationName);
    SaveJournal();
  }
  return error;
}

std::string SharingHelper::DisablePublic(const std::string& interfaceName) {
  auto found = publics_.find(interfaceName);
  if (found == publics_.end()) return {};
  const bool opened = found->second.opened;
  publics_.erase(found);
  std::string error = table_.RemovePublic(interfaceName, opened);
  RestoreForwarding(interfaceName);
  return error;
}

std::string SharingHelper::DisablePrivate(const std::string& interfaceName) {
  auto found = privates_.find(interfaceName);
  if (found == privates_.end()) return {};
  StopServer(found->second);
  const PrivateShare share = found->second;
  std::string error = table_.RemovePrivate(interfaceName, share.Network(), Ipv4Text(share.address),
                                           share.localNetwork);
  if (share.addedAddress) {
    unsigned index = if_nametoindex(interfaceName.c_str());
    if (index != 0) DeleteIpv4Address(index, share.address, share.prefixLength);
  }
  privates_.erase(found);
  RestoreForwarding(interfaceName);
  SaveJournal();
  return error;
}

std::string SharingHelper::DisableVanished() {
  std::vector<std::string> gone;
  for (const auto& [name, share] : publics_)
    if (if_nametoindex(name.c_str()) == 0) gone.push_back(name);
  for (const auto& [name, share] : privates_)
    if (if_nametoindex(name.c_str()) == 0) gone.push_back(name);
  std::string error;
  for (const std::string& name : gone) {
    std::string publicError = DisablePublic(name);
    std::string privateError = DisablePrivate(name);
    if (error.empty()) error = publicError.empty() ? privateError : publicError;
  }
  return error;
}

std::string SharingHelper::Disable(const std::string& interfaceName) {
  lostBesides_.erase(interfaceName);
  std::string error = RemoveBeside(interfaceName);
  if (std::string publicError = DisablePublic(interfaceName); error.empty()) error = publicError;
  std::string privateError = DisablePrivate(interfaceName);
  if (error.empty()) error = privateError;
  // The other end of a share may be gone for good; it is not listed for a stop any more.
  std::string vanishedError = DisableVanished();
  if (error.empty()) error = vanishedError;
  std::string tableError = table_.DeleteIfEmpty(publics_.empty() && privates_.empty());
  return error.empty() ? tableError : error;
}

std::string SharingHelper::Role(const std::string& interfaceName) {
  if (!ValidInterfaceName(interfaceName)) return protocol::kRoleNone;
  const unsigned index = if_nametoindex(interfaceName.c_str());
  if (auto found = publics_.find(interfaceName);
      found != publics_.end() && found->second.index == index && table_.IsPublic(interfaceName))
    return protocol::kRolePublic;
  std::array<uint8_t, 4> address{};
  uint8_t prefix = 0;
  auto found = privates_.find(interfaceName);
  if (found != privates_.end() && found->second.index == index && ServerRunning(found->second) &&
      table_.IsPrivate(interfaceName) && FirstAddress(index, address, prefix)) {
    return protocol::kRolePrivate;
  }
  return protocol::kRoleNone;
}

std::vector<ConnectedDevice> SharingHelper::Devices(const std::string& interfaceName) {
  // A share that reads as gone (its server, address or rule missing) serves nobody, whatever
  // the leases still say.
  // A station's guests are those of the access point beside it.
  if (auto beside = besides_.find(interfaceName); beside != besides_.end())
    return Devices(beside->second.name);
  if (Role(interfaceName) != protocol::kRolePrivate) return {};
  return ReadDnsmasqLeases(journal_.LeaseFile(interfaceName), static_cast<int64_t>(time(nullptr)));
}

void SharingHelper::StopAll() {
  // Copies: Disable erases the entry its name would otherwise refer to.
  while (!privates_.empty()) Disable(std::string(privates_.begin()->first));
  while (!publics_.empty()) Disable(std::string(publics_.begin()->first));
  // One that cannot be removed stays journalled, for the next helper's recovery.
  std::vector<std::string> stations;
  for (const auto& [station, added] : besides_) stations.push_back(station);
  for (const std::string& station : stations) RemoveBeside(station);
}

bool SharingHelper::SaveJournal() {
  JournalEntries entries;
  for (const auto& [name, value] : originalForwarding_) entries.forwarding.push_back({name, value});
  for (const auto& [name, share] : privates_) {
    if (share.addedAddress)
      entries.addresses.push_back({name, CidrOf(share.address, share.prefixLength)});
    if (share.server.pid > 0)
      entries.servers.push_back({name, static_cast<int>(share.server.pid), share.server.startTime});
  }
  for (const auto& [station, added] : besides_)
    entries.virtualInterfaces.push_back({added.name, added.wiphy});
  return journal_.Save(entries);
}

}  // namespace orvane::platform::linux_backend
