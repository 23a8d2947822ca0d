#include "platform/linux/InterfaceInventory.h"

#include <linux/if.h>
#include <linux/if_arp.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/linux/InterfaceGuid.h"
#include "platform/linux/NetworkManagerClient.h"
#include "platform/linux/Nl80211.h"

namespace orvane::platform::linux_backend {

uint32_t AdapterTypeOf(uint16_t arpType, bool wireless) {
  switch (arpType) {
    case ARPHRD_ETHER:
      return wireless ? kIfTypeIeee80211 : kIfTypeEthernet;
    case ARPHRD_IEEE80211:
    case ARPHRD_IEEE80211_PRISM:
    case ARPHRD_IEEE80211_RADIOTAP:
      return kIfTypeIeee80211;
    case ARPHRD_PPP:
      return kIfTypePpp;
    case ARPHRD_LOOPBACK:
      return kIfTypeLoopback;
    case ARPHRD_TUNNEL:
    case ARPHRD_TUNNEL6:
    case ARPHRD_SIT:
    case ARPHRD_IPGRE:
    case ARPHRD_IP6GRE:
    case ARPHRD_NONE:  // tun devices and WireGuard
      return kIfTypeTunnel;
    default:
      return kIfTypeOther;
  }
}

uint32_t OperStatusOf(uint32_t flags, uint8_t operState) {
  if ((flags & IFF_UP) == 0 || operState == IF_OPER_NOTPRESENT) return kOperNonOperational;
  if (operState == IF_OPER_DORMANT) return kOperConnecting;
  // Virtual links without carrier reporting say "unknown"; then the lower-up flag decides.
  if (operState == IF_OPER_UP || (operState == IF_OPER_UNKNOWN && (flags & IFF_LOWER_UP) != 0))
    return kOperOperational;
  return kOperDisconnected;
}

uint32_t NetconStatusOf(uint32_t flags, uint8_t operState) {
  switch (OperStatusOf(flags, operState)) {
    case kOperNonOperational:
      return kNcsDisconnected;
    case kOperOperational:
      return kNcsConnected;
    default:
      return kNcsMediaDisconnected;
  }
}

uint32_t MediaTypeOf(uint32_t adapterType, const std::string& linkKind) {
  if (adapterType == kIfTypePpp) return kNcmPhone;
  if (adapterType == kIfTypeTunnel) return kNcmTunnel;
  if (linkKind == "bridge") return kNcmBridge;
  return kNcmLan;
}

namespace {

bool HasNetworkdLease(const MachinePaths& paths, uint32_t index) {
  std::error_code error;
  return std::filesystem::exists(
      std::filesystem::path(paths.networkdLeases) / std::to_string(index), error);
}

}  // namespace

std::vector<InterfaceView> ReadInterfaces(const MachinePaths& paths) {
  NetlinkSnapshot snapshot = ReadNetlinkSnapshot();
  NetworkManagerClient networkManager;
  std::vector<InterfaceView> interfaces;
  interfaces.reserve(snapshot.links.size());
  for (const LinkInfo& link : snapshot.links) {
    // The access point sharing adds beside a Wi-Fi station is part of that share, not a
    // connection of its own to choose or to share again.
    if (IsBesideAccessPointName(link.name)) continue;
    InterfaceView view;
    view.link = link;
    view.guid = InterfaceGuid(link.name);
    view.guidText = GuidText(view.guid);
    view.facts = ReadInterfaceFacts(paths.sysfsNet, link.name, link.kind);
    view.adapterType = AdapterTypeOf(link.arpType, view.facts.wireless);
    for (const Ipv4Address& address : snapshot.addresses)
      if (address.index == link.index) view.addresses.push_back(address);
    for (const DefaultRoute& route : snapshot.defaultRoutes)
      if (route.index == link.index) view.gateways.push_back(route);

    view.connectionName = link.name;
    if (auto managed = networkManager.Device(link.name)) {
      view.dhcp = managed->dhcp;
      if (!managed->connectionName.empty()) view.connectionName = managed->connectionName;
    } else {
      // Leased addresses carry a lifetime; static ones are permanent.
      view.dhcp = HasNetworkdLease(paths, link.index) ||
                  std::any_of(view.addresses.begin(), view.addresses.end(),
                              [](const Ipv4Address& address) { return !address.permanent; });
    }
    interfaces.push_back(std::move(view));
  }
  return interfaces;
}

bool SameGuidText(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

const InterfaceView* FindByGuid(const std::vector<InterfaceView>& interfaces,
                                const std::string& guidText) {
  for (const InterfaceView& view : interfaces)
    if (SameGuidText(view.guidText, guidText)) return &view;
  return nullptr;
}

}  // namespace orvane::platform::linux_backend
