#include "platform/linux/NetlinkAnswers.h"

#include <linux/if.h>
#include <linux/if_addr.h>
#include <linux/if_link.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string>

namespace orvane::platform::linux_backend {
namespace {

// Calls visit for each attribute in [first, first + length).
void ForEachAttribute(const rtattr* first, int length,
                      const std::function<void(const rtattr&)>& visit) {
  for (const rtattr* attribute = first; RTA_OK(attribute, length);
       attribute = RTA_NEXT(attribute, length)) {
    visit(*attribute);
  }
}

std::size_t PayloadSize(const rtattr& attribute) {
  return RTA_PAYLOAD(&attribute);
}

std::array<uint8_t, 4> AddressOf(const rtattr& attribute) {
  std::array<uint8_t, 4> address{};
  if (PayloadSize(attribute) >= address.size())
    std::memcpy(address.data(), RTA_DATA(&attribute), 4);
  return address;
}

uint32_t U32Of(const rtattr& attribute) {
  uint32_t value = 0;
  if (PayloadSize(attribute) >= sizeof value)
    std::memcpy(&value, RTA_DATA(&attribute), sizeof value);
  return value;
}

std::string TextOf(const rtattr& attribute) {
  const char* text = static_cast<const char*>(RTA_DATA(&attribute));
  return std::string(text, strnlen(text, PayloadSize(attribute)));
}

}  // namespace

std::optional<int> WalkDatagram(std::span<const uint8_t> datagram, uint32_t sequence,
                                const std::function<void(const nlmsghdr&)>& visit) {
  std::size_t offset = 0;
  while (datagram.size() - offset >= sizeof(nlmsghdr)) {
    const auto* header = reinterpret_cast<const nlmsghdr*>(datagram.data() + offset);
    const std::size_t length = header->nlmsg_len;
    if (length < sizeof(nlmsghdr) || length > datagram.size() - offset) break;
    offset = std::min<std::size_t>(datagram.size(), offset + NLMSG_ALIGN(length));
    if (header->nlmsg_seq != sequence) continue;
    if (header->nlmsg_type == NLMSG_DONE) return 0;
    if (header->nlmsg_type == NLMSG_ERROR) {
      if (length < NLMSG_LENGTH(sizeof(nlmsgerr))) return EPROTO;
      const auto* error = static_cast<const nlmsgerr*>(NLMSG_DATA(header));
      // The kernel acknowledges with 0 or a negative errno; any other number is no answer of its
      // (and negating the smallest int would overflow).
      const int code = error->error;
      if (code > 0 || code < -4095) return EPROTO;
      return -code;
    }
    visit(*header);
  }
  return std::nullopt;
}

void WalkAnnouncements(std::span<const uint8_t> datagram,
                       const std::function<void(const nlmsghdr&)>& visit) {
  std::size_t offset = 0;
  while (datagram.size() - offset >= sizeof(nlmsghdr)) {
    const auto* header = reinterpret_cast<const nlmsghdr*>(datagram.data() + offset);
    const std::size_t length = header->nlmsg_len;
    if (length < sizeof(nlmsghdr) || length > datagram.size() - offset) return;
    offset = std::min<std::size_t>(datagram.size(), offset + NLMSG_ALIGN(length));
    if (header->nlmsg_type >= NLMSG_MIN_TYPE) visit(*header);
  }
}

std::optional<LinkInfo> ParseLink(const nlmsghdr& header) {
  if (header.nlmsg_len < NLMSG_LENGTH(sizeof(ifinfomsg))) return std::nullopt;
  const auto* info = static_cast<const ifinfomsg*>(NLMSG_DATA(&header));
  LinkInfo link;
  link.index = static_cast<uint32_t>(info->ifi_index);
  link.arpType = info->ifi_type;
  link.flags = info->ifi_flags;
  ForEachAttribute(
      IFLA_RTA(info), static_cast<int>(IFLA_PAYLOAD(&header)), [&](const rtattr& attribute) {
        switch (attribute.rta_type) {
          case IFLA_IFNAME:
            link.name = TextOf(attribute);
            break;
          case IFLA_OPERSTATE:
            if (PayloadSize(attribute) >= 1)
              link.operState = *static_cast<const uint8_t*>(RTA_DATA(&attribute));
            break;
          case IFLA_ADDRESS: {
            const auto* bytes = static_cast<const uint8_t*>(RTA_DATA(&attribute));
            link.hardwareAddress.assign(bytes, bytes + PayloadSize(attribute));
            break;
          }
          case IFLA_LINKINFO:
            ForEachAttribute(static_cast<const rtattr*>(RTA_DATA(&attribute)),
                             static_cast<int>(PayloadSize(attribute)), [&](const rtattr& nested) {
                               if (nested.rta_type == IFLA_INFO_KIND) link.kind = TextOf(nested);
                             });
            break;
          default:
            break;
        }
      });
  return link;
}

std::optional<Ipv4Address> ParseAddress(const nlmsghdr& header) {
  if (header.nlmsg_len < NLMSG_LENGTH(sizeof(ifaddrmsg))) return std::nullopt;
  const auto* info = static_cast<const ifaddrmsg*>(NLMSG_DATA(&header));
  Ipv4Address address;
  address.index = info->ifa_index;
  address.prefixLength = info->ifa_prefixlen;
  uint32_t flags = info->ifa_flags;
  bool haveLocal = false;
  ForEachAttribute(IFA_RTA(info), static_cast<int>(IFA_PAYLOAD(&header)),
                   [&](const rtattr& attribute) {
                     if (attribute.rta_type == IFA_LOCAL) {
                       address.address = AddressOf(attribute);
                       haveLocal = true;
                     } else if (attribute.rta_type == IFA_ADDRESS && !haveLocal) {
                       address.address = AddressOf(attribute);
                     } else if (attribute.rta_type == IFA_FLAGS) {
                       flags = U32Of(attribute);
                     }
                   });
  address.permanent = (flags & IFA_F_PERMANENT) != 0;
  return address;
}

void ParseDefaultRoutes(const nlmsghdr& header, std::vector<DefaultRoute>& routes,
                        std::vector<DefaultRoute>* otherTables) {
  if (header.nlmsg_len < NLMSG_LENGTH(sizeof(rtmsg))) return;
  const auto* info = static_cast<const rtmsg*>(NLMSG_DATA(&header));
  if (info->rtm_dst_len != 0 || info->rtm_type != RTN_UNICAST) return;
  DefaultRoute route;
  uint32_t table = info->rtm_table;
  std::vector<DefaultRoute> hops;
  ForEachAttribute(
      RTM_RTA(info), static_cast<int>(RTM_PAYLOAD(&header)), [&](const rtattr& attribute) {
        switch (attribute.rta_type) {
          case RTA_OIF:
            route.index = U32Of(attribute);
            break;
          case RTA_GATEWAY:
            route.gateway = AddressOf(attribute);
            break;
          case RTA_TABLE:
            table = U32Of(attribute);
            break;
          case RTA_MULTIPATH: {
            auto length = static_cast<int>(PayloadSize(attribute));
            const auto* hop = static_cast<const rtnexthop*>(RTA_DATA(&attribute));
            // RTNH_OK reads the hop's length before it checks that a whole hop is left.
            while (length >= static_cast<int>(sizeof(rtnexthop)) && RTNH_OK(hop, length)) {
              DefaultRoute next{static_cast<uint32_t>(hop->rtnh_ifindex), {}};
              ForEachAttribute(RTNH_DATA(hop), static_cast<int>(hop->rtnh_len - RTNH_LENGTH(0)),
                               [&](const rtattr& nested) {
                                 if (nested.rta_type == RTA_GATEWAY)
                                   next.gateway = AddressOf(nested);
                               });
              hops.push_back(next);
              length -= static_cast<int>(RTNH_ALIGN(hop->rtnh_len));
              hop = RTNH_NEXT(hop);
            }
            break;
          }
          default:
            break;
        }
      });
  if (table == RT_TABLE_LOCAL) return;
  std::vector<DefaultRoute>* target = table == RT_TABLE_MAIN ? &routes : otherTables;
  if (target == nullptr) return;
  if (hops.empty()) {
    target->push_back(route);
  } else {
    target->insert(target->end(), hops.begin(), hops.end());
  }
}

void ParseNetworkRoute(const nlmsghdr& header, std::vector<NetworkRoute>& routes) {
  if (header.nlmsg_len < NLMSG_LENGTH(sizeof(rtmsg))) return;
  const auto* info = static_cast<const rtmsg*>(NLMSG_DATA(&header));
  if (info->rtm_dst_len == 0 || info->rtm_type != RTN_UNICAST) return;
  NetworkRoute route;
  route.prefixLength = info->rtm_dst_len;
  ForEachAttribute(RTM_RTA(info), static_cast<int>(RTM_PAYLOAD(&header)),
                   [&](const rtattr& attribute) {
                     if (attribute.rta_type == RTA_DST) route.destination = AddressOf(attribute);
                     if (attribute.rta_type == RTA_OIF) route.index = U32Of(attribute);
                   });
  routes.push_back(route);
}

bool IsUsableLink(const LinkInfo& link) {
  return (link.flags & IFF_UP) != 0 && (link.flags & IFF_RUNNING) != 0;
}

bool HasUsableDefaultRoute(const NetlinkSnapshot& snapshot) {
  const auto usable = [&](uint32_t index) {
    const auto link =
        std::find_if(snapshot.links.begin(), snapshot.links.end(),
                     [&](const LinkInfo& candidate) { return candidate.index == index; });
    return link == snapshot.links.end() || IsUsableLink(*link);
  };
  const auto usableRoute = [&](const DefaultRoute& route) { return usable(route.index); };
  return std::any_of(snapshot.defaultRoutes.begin(), snapshot.defaultRoutes.end(), usableRoute) ||
         std::any_of(snapshot.otherTableDefaultRoutes.begin(),
                     snapshot.otherTableDefaultRoutes.end(), usableRoute) ||
         std::any_of(snapshot.ipv6DefaultRouteLinks.begin(), snapshot.ipv6DefaultRouteLinks.end(),
                     usable);
}

bool AffectsUplink(const nlmsghdr& header, std::unordered_map<uint32_t, bool>& usable) {
  switch (header.nlmsg_type) {
    case RTM_NEWLINK: {
      const auto link = ParseLink(header);
      if (!link) return false;
      const bool now = IsUsableLink(*link);
      const auto [known, added] = usable.try_emplace(link->index, now);
      if (added) return !now;
      if (known->second == now) return false;  // statistics, names, wireless events...
      known->second = now;
      return true;
    }
    case RTM_DELLINK: {
      const auto link = ParseLink(header);
      if (!link) return false;
      const auto known = usable.find(link->index);
      const bool wasUsable = known == usable.end() || known->second;
      if (known != usable.end()) usable.erase(known);
      return wasUsable;
    }
    case RTM_NEWROUTE:
    case RTM_DELROUTE: {
      if (header.nlmsg_len < NLMSG_LENGTH(sizeof(rtmsg))) return false;
      if (static_cast<const rtmsg*>(NLMSG_DATA(&header))->rtm_family != AF_INET) return false;
      std::vector<DefaultRoute> main, others;
      ParseDefaultRoutes(header, main, &others);
      return !main.empty() || !others.empty();
    }
    default:
      return false;
  }
}

}  // namespace orvane::platform::linux_backend
