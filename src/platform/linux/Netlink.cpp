#include "platform/linux/Netlink.h"

#include "platform/linux/NetlinkAnswers.h"
#include "platform/linux/NetlinkSocket.h"

#include <arpa/inet.h>
#include <linux/if.h>
#include <linux/if_addr.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

namespace orvane::platform::linux_backend {
namespace {

template <typename Body>
std::vector<uint8_t> Request(uint16_t type, uint16_t flags, const Body& body) {
  std::vector<uint8_t> message(NLMSG_LENGTH(sizeof(Body)));
  auto* header = reinterpret_cast<nlmsghdr*>(message.data());
  header->nlmsg_type = type;
  header->nlmsg_flags = static_cast<uint16_t>(NLM_F_REQUEST | flags);
  std::memcpy(NLMSG_DATA(header), &body, sizeof(Body));
  message.resize(NLMSG_ALIGN(message.size()));
  return message;
}

void AppendAttribute(std::vector<uint8_t>& message, uint16_t type, const void* data,
                     std::size_t size) {
  std::size_t start = message.size();
  message.resize(start + RTA_SPACE(size));
  auto* attribute = reinterpret_cast<rtattr*>(message.data() + start);
  attribute->rta_type = type;
  attribute->rta_len = static_cast<uint16_t>(RTA_LENGTH(size));
  std::memcpy(RTA_DATA(attribute), data, size);
}

// Asks for a dump and hands visit each answer of the given type. Answers the kernel's error (0 for
// success).
template <typename Body, typename Visit>
int Dump(NetlinkSocket& socket, uint16_t requestType, const Body& body, uint16_t answerType,
         Visit visit) {
  auto message = Request(requestType, NLM_F_DUMP, body);
  socket.Send(message);
  return socket.Receive([&](const nlmsghdr& header) {
    if (header.nlmsg_type == answerType) visit(header);
  });
}

int ChangeAddress(uint16_t type, uint16_t flags, uint32_t index,
                  const std::array<uint8_t, 4>& address, uint8_t prefixLength) {
  try {
    NetlinkSocket socket(NETLINK_ROUTE);
    ifaddrmsg body{};
    body.ifa_family = AF_INET;
    body.ifa_prefixlen = prefixLength;
    body.ifa_index = index;
    auto message = Request(type, static_cast<uint16_t>(NLM_F_ACK | flags), body);
    AppendAttribute(message, IFA_LOCAL, address.data(), address.size());
    AppendAttribute(message, IFA_ADDRESS, address.data(), address.size());
    if (prefixLength < 31) {
      std::array<uint8_t, 4> broadcast = address;
      auto mask = PrefixMask(prefixLength);
      for (std::size_t i = 0; i < 4; ++i)
        broadcast[i] = static_cast<uint8_t>(address[i] | ~mask[i]);
      AppendAttribute(message, IFA_BROADCAST, broadcast.data(), broadcast.size());
    }
    socket.Send(message);
    return socket.Receive([](const nlmsghdr&) {});
  } catch (const NetlinkError& error) {
    return error.error;
  }
}

}  // namespace

NetlinkSnapshot ReadNetlinkSnapshot() {
  NetlinkSocket socket(NETLINK_ROUTE);
  NetlinkSnapshot snapshot;

  ifinfomsg linkRequest{};
  linkRequest.ifi_family = AF_UNSPEC;
  int error = Dump(socket, RTM_GETLINK, linkRequest, RTM_NEWLINK, [&](const nlmsghdr& header) {
    if (auto link = ParseLink(header)) snapshot.links.push_back(*link);
  });
  if (error != 0) throw NetlinkError{error};

  ifaddrmsg addressRequest{};
  addressRequest.ifa_family = AF_INET;
  error = Dump(socket, RTM_GETADDR, addressRequest, RTM_NEWADDR, [&](const nlmsghdr& header) {
    if (auto address = ParseAddress(header)) snapshot.addresses.push_back(*address);
  });
  if (error != 0) throw NetlinkError{error};

  rtmsg routeRequest{};
  routeRequest.rtm_family = AF_INET;
  error = Dump(socket, RTM_GETROUTE, routeRequest, RTM_NEWROUTE, [&](const nlmsghdr& header) {
    ParseDefaultRoutes(header, snapshot.defaultRoutes, &snapshot.otherTableDefaultRoutes);
    ParseNetworkRoute(header, snapshot.networkRoutes);
  });
  if (error != 0) throw NetlinkError{error};

  routeRequest.rtm_family = AF_INET6;
  std::vector<DefaultRoute> ipv6Routes;
  error = Dump(socket, RTM_GETROUTE, routeRequest, RTM_NEWROUTE,
               [&](const nlmsghdr& header) { ParseDefaultRoutes(header, ipv6Routes); });
  // A kernel without IPv6 refuses the dump; that only means there is no IPv6 default route.
  snapshot.hasIpv6DefaultRoute = error == 0 && !ipv6Routes.empty();
  if (snapshot.hasIpv6DefaultRoute) {
    for (const DefaultRoute& route : ipv6Routes)
      snapshot.ipv6DefaultRouteLinks.push_back(route.index);
  }
  return snapshot;
}

int AddIpv4Address(uint32_t index, const std::array<uint8_t, 4>& address, uint8_t prefixLength) {
  return ChangeAddress(RTM_NEWADDR, NLM_F_CREATE | NLM_F_EXCL, index, address, prefixLength);
}

int DeleteIpv4Address(uint32_t index, const std::array<uint8_t, 4>& address, uint8_t prefixLength) {
  return ChangeAddress(RTM_DELADDR, 0, index, address, prefixLength);
}

std::string Ipv4Text(const std::array<uint8_t, 4>& address) {
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, address.data(), text, sizeof text);
  return text;
}

std::optional<std::array<uint8_t, 4>> ParseIpv4(const std::string& text) {
  std::array<uint8_t, 4> address{};
  if (inet_pton(AF_INET, text.c_str(), address.data()) != 1) return std::nullopt;
  return address;
}

std::array<uint8_t, 4> PrefixMask(uint8_t prefixLength) {
  uint32_t bits =
      prefixLength == 0 ? 0 : ~uint32_t{0} << (32 - std::min<uint8_t>(prefixLength, 32));
  return {static_cast<uint8_t>(bits >> 24), static_cast<uint8_t>(bits >> 16),
          static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits)};
}

}  // namespace orvane::platform::linux_backend
