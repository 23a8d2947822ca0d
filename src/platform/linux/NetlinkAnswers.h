#pragma once

#include <linux/netlink.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

#include "platform/linux/Netlink.h"

// Reading the kernel's answers to route-table requests. The bytes come from a socket, so every
// length is checked against what was really received before a field is read.
namespace orvane::platform::linux_backend {

// Hands visit each message of request `sequence` in one received datagram. Answers how the
// request ended: 0 at the end of a dump, the acknowledged error, EPROTO for an error message too
// short to hold one; nothing while more datagrams are to come.
std::optional<int> WalkDatagram(std::span<const uint8_t> datagram, uint32_t sequence,
                                const std::function<void(const nlmsghdr&)>& visit);

// Hands visit each message of a datagram of announcements (of any sequence number: the kernel
// repeats the number of the request that caused a change), control messages left out.
void WalkAnnouncements(std::span<const uint8_t> datagram,
                       const std::function<void(const nlmsghdr&)>& visit);

// Each reads one answer message of a dump; a message too short for its fixed part gives nothing.
std::optional<LinkInfo> ParseLink(const nlmsghdr& header);
std::optional<Ipv4Address> ParseAddress(const nlmsghdr& header);
// Appends the main table's default routes in the message (one per hop of a multipath route).
// Default routes of other tables than main (policy routing) go to otherTables when it is given.
void ParseDefaultRoutes(const nlmsghdr& header, std::vector<DefaultRoute>& routes,
                        std::vector<DefaultRoute>* otherTables = nullptr);
// Appends the route to a network (any table) the message holds, if it is one.
void ParseNetworkRoute(const nlmsghdr& header, std::vector<NetworkRoute>& routes);

// A link that can carry traffic: administratively up and running (it has its carrier).
bool IsUsableLink(const LinkInfo& link);

// True when some default route (IPv4 of any table, or IPv6) leads over a usable link, or over a
// link the snapshot does not list (its state is unknown, so it is not called lost).
bool HasUsableDefaultRoute(const NetlinkSnapshot& snapshot);

// Whether one announcement of the kernel may change the way out: a link that became usable or
// unusable or went away (each link's last state is kept in `usable`; a link not seen before
// counts when it is unusable), or an IPv4 default route that came or went.
bool AffectsUplink(const nlmsghdr& header, std::unordered_map<uint32_t, bool>& usable);

}  // namespace orvane::platform::linux_backend
