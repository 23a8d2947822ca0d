#include "platform/linux/helper/SharingHelper.h"

#include <net/if.h>
#include <unistd.h>

#include <cctype>
#include <fstream>

#include "platform/linux/Netlink.h"
#include "platform/linux/SharingProtocol.h"
#include "platform/linux/helper/Dnsmasq.h"

namespace orvane::platform::linux_backend {
namespace {

constexpr std::array<uint8_t, 4> kDefaultGateway = {192, 168, 137, 1};
constexpr uint8_t kDefaultPrefix = 24;

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
          IsDnsmasqFor(server.pid, server.interfaceName))
        StopDnsmasq(server.pid);
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
    SharingJournal::Remove(path);
  }
  journal_.RemoveOrphanLeaseFiles();
}

std::string SharingHelper::EnableForwarding(const std::string& interfaceName) {
  if (originalForwarding_.count(interfaceName) != 0) return {};
  std::string original = ReadForwarding(interfaceName);
  if (original.empty()) return "cannot read the forwarding setting of " + interfaceName;
  if (original != "1") {
    originalForwarding_[interfaceName] = original;
    // Recorded before the change, so a crash right after it is undone too; a change that could
    // not be recorded is not made.
    if (!SaveJournal()) {
      originalForwarding_.erase(interfaceName);
      return "cannot record the change to " + interfaceName;
    }
    if (!WriteForwarding(interfaceName, "1")) {
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
  SaveJournal();
}

std::string SharingHelper::EnablePublic(const std::string& interfaceName) {
  if (!ValidInterfaceName(interfaceName) || if_nametoindex(interfaceName.c_str()) == 0)
    return "no interface " + interfaceName;
  if (publics_.count(interfaceName) != 0) return {};
  if (privates_.count(interfaceName) != 0) return interfaceName + " is shared as private";
  if (std::string error = EnableForwarding(interfaceName); !error.empty()) return error;
  if (std::string error = table_.AddPublic(interfaceName); !error.empty()) {
    RestoreForwarding(interfaceName);
    return error;
  }
  publics_[interfaceName] = true;
  return {};
}

std::string SharingHelper::EnablePrivate(const std::string& interfaceName) {
  const unsigned index =
      ValidInterfaceName(interfaceName) ? if_nametoindex(interfaceName.c_str()) : 0;
  if (index == 0) return "no interface " + interfaceName;
  if (privates_.count(interfaceName) != 0) return {};
  if (publics_.count(interfaceName) != 0) return interfaceName + " is shared as public";

  PrivateShare share;
  if (!FirstAddress(index, share.address, share.prefixLength)) {
    share.address = kDefaultGateway;
    share.prefixLength = kDefaultPrefix;
    share.addedAddress = true;
  }
  privates_[interfaceName] = share;
  if (!SaveJournal()) {  // the address is recorded before it is added
    privates_.erase(interfaceName);
    return "cannot record the change to " + interfaceName;
  }
  std::string error;
  if (share.addedAddress) {
    if (int code = AddIpv4Address(index, share.address, share.prefixLength); code != 0) {
      privates_[interfaceName].addedAddress = false;
      error = "cannot add the gateway address to " + interfaceName;
    }
  }
  if (error.empty()) error = EnableForwarding(interfaceName);
  if (error.empty()) error = table_.AddPrivate(interfaceName, share.Network());
  if (error.empty() && !journal_.PrepareFolder())
    error = "the folder for the lease file is missing or open to other users";
  if (error.empty()) {
    pid_t server = StartDnsmasq(
        {interfaceName, share.address, share.prefixLength, journal_.LeaseFile(interfaceName)},
        error);
    privates_[interfaceName].server = server;
    SaveJournal();
  }
  if (!error.empty()) DisablePrivate(interfaceName);
  return error;
}

std::string SharingHelper::DisablePrivate(const std::string& interfaceName) {
  auto found = privates_.find(interfaceName);
  if (found == privates_.end()) return {};
  const PrivateShare share = found->second;
  StopDnsmasq(share.server);
  std::string error = table_.RemovePrivate(interfaceName, share.Network());
  if (share.addedAddress) {
    unsigned index = if_nametoindex(interfaceName.c_str());
    if (index != 0) DeleteIpv4Address(index, share.address, share.prefixLength);
  }
  privates_.erase(found);
  RestoreForwarding(interfaceName);
  SaveJournal();
  return error;
}

std::string SharingHelper::Disable(const std::string& interfaceName) {
  std::string error;
  if (publics_.erase(interfaceName) != 0) {
    error = table_.RemovePublic(interfaceName);
    RestoreForwarding(interfaceName);
  }
  std::string privateError = DisablePrivate(interfaceName);
  if (error.empty()) error = privateError;
  std::string tableError = table_.DeleteIfEmpty(publics_.empty() && privates_.empty());
  return error.empty() ? tableError : error;
}

std::string SharingHelper::Role(const std::string& interfaceName) {
  if (!ValidInterfaceName(interfaceName)) return protocol::kRoleNone;
  if (table_.IsPublic(interfaceName)) return protocol::kRolePublic;
  auto found = privates_.find(interfaceName);
  if (found != privates_.end() && DnsmasqRunning(found->second.server) &&
      table_.IsPrivate(interfaceName)) {
    return protocol::kRolePrivate;
  }
  return protocol::kRoleNone;
}

void SharingHelper::StopAll() {
  // Copies: Disable erases the entry its name would otherwise refer to.
  while (!privates_.empty()) Disable(std::string(privates_.begin()->first));
  while (!publics_.empty()) Disable(std::string(publics_.begin()->first));
}

bool SharingHelper::SaveJournal() {
  JournalEntries entries;
  for (const auto& [name, value] : originalForwarding_) entries.forwarding.push_back({name, value});
  for (const auto& [name, share] : privates_) {
    if (share.addedAddress)
      entries.addresses.push_back({name, CidrOf(share.address, share.prefixLength)});
    if (share.server > 0) entries.servers.push_back({name, static_cast<int>(share.server)});
  }
  return journal_.Save(entries);
}

}  // namespace orvane::platform::linux_backend
