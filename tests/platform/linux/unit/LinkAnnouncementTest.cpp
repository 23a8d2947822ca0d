// Which kernel announcements may change the way out, and when a default route still leads over
// a working link. The announcements are built byte by byte, as the socket would deliver them.

#include <gtest/gtest.h>
#include <linux/if.h>
#include <linux/if_arp.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

#include <cstring>
#include <span>
#include <unordered_map>
#include <vector>

#include "platform/linux/NetlinkAnswers.h"

namespace orvane::platform::linux_backend {
namespace {

constexpr unsigned kWorking = IFF_UP | IFF_RUNNING;

LinkInfo LinkWith(uint32_t index, unsigned flags) {
  LinkInfo link;
  link.index = index;
  link.flags = flags;
  return link;
}

DefaultRoute Over(uint32_t index) {
  DefaultRoute route;
  route.index = index;
  return route;
}

// A message of `type` with a fixed part `body` and one 4-byte attribute when `attribute` > 0,
// in a buffer aligned as the socket's.
template <typename Body>
std::vector<uint32_t> Message(uint16_t type, const Body& body, uint16_t attribute = 0,
                              uint32_t value = 0) {
  const std::size_t length =
      NLMSG_LENGTH(sizeof(Body)) + (attribute != 0 ? RTA_SPACE(sizeof value) : 0);
  std::vector<uint32_t> words((length + 3) / 4);
  auto* header = reinterpret_cast<nlmsghdr*>(words.data());
  header->nlmsg_len = static_cast<uint32_t>(length);
  header->nlmsg_type = type;
  std::memcpy(NLMSG_DATA(header), &body, sizeof(Body));
  if (attribute != 0) {
    auto* rta = reinterpret_cast<rtattr*>(reinterpret_cast<uint8_t*>(header) +
                                          NLMSG_ALIGN(NLMSG_LENGTH(sizeof(Body))));
    rta->rta_type = attribute;
    rta->rta_len = RTA_LENGTH(sizeof value);
    std::memcpy(RTA_DATA(rta), &value, sizeof value);
  }
  return words;
}

const nlmsghdr& Header(const std::vector<uint32_t>& words) {
  return *reinterpret_cast<const nlmsghdr*>(words.data());
}

std::vector<uint32_t> Link(uint16_t type, int index, unsigned flags) {
  ifinfomsg body{};
  body.ifi_type = ARPHRD_ETHER;
  body.ifi_index = index;
  body.ifi_flags = flags;
  return Message(type, body);
}

std::vector<uint32_t> Route(uint16_t type, uint8_t family, uint8_t destinationLength,
                            uint8_t table = RT_TABLE_MAIN) {
  rtmsg body{};
  body.rtm_family = family;
  body.rtm_dst_len = destinationLength;
  body.rtm_table = table;
  body.rtm_type = RTN_UNICAST;
  return Message(type, body, RTA_OIF, 2);
}

TEST(LinkAnnouncement, OnlyChangesOfALinksWorkingStateCount) {
  std::unordered_map<uint32_t, bool> usable{{2, true}};
  EXPECT_FALSE(AffectsUplink(Header(Link(RTM_NEWLINK, 2, kWorking)), usable))
      << "an announcement that leaves the link working (statistics, a wireless event)";
  EXPECT_TRUE(AffectsUplink(Header(Link(RTM_NEWLINK, 2, IFF_UP)), usable)) << "carrier lost";
  EXPECT_FALSE(AffectsUplink(Header(Link(RTM_NEWLINK, 2, 0)), usable)) << "still not working";
  EXPECT_TRUE(AffectsUplink(Header(Link(RTM_NEWLINK, 2, kWorking)), usable)) << "back";
  EXPECT_TRUE(AffectsUplink(Header(Link(RTM_DELLINK, 2, kWorking)), usable)) << "removed";
  EXPECT_FALSE(usable.contains(2));
  // A link not seen before counts only when it does not work.
  EXPECT_FALSE(AffectsUplink(Header(Link(RTM_NEWLINK, 7, kWorking)), usable));
  EXPECT_TRUE(AffectsUplink(Header(Link(RTM_NEWLINK, 8, IFF_UP)), usable));
}

TEST(LinkAnnouncement, OnlyIpv4DefaultRoutesOutsideTheLocalTableCount) {
  std::unordered_map<uint32_t, bool> usable;
  EXPECT_TRUE(AffectsUplink(Header(Route(RTM_DELROUTE, AF_INET, 0)), usable));
  EXPECT_TRUE(AffectsUplink(Header(Route(RTM_NEWROUTE, AF_INET, 0)), usable));
  EXPECT_TRUE(AffectsUplink(Header(Route(RTM_DELROUTE, AF_INET, 0, 100)), usable))
      << "policy routing's table";
  EXPECT_FALSE(AffectsUplink(Header(Route(RTM_DELROUTE, AF_INET, 24)), usable));
  EXPECT_FALSE(AffectsUplink(Header(Route(RTM_DELROUTE, AF_INET, 0, RT_TABLE_LOCAL)), usable));
  EXPECT_FALSE(AffectsUplink(Header(Route(RTM_DELROUTE, AF_INET6, 0)), usable));
  ifaddrmsg address{};
  EXPECT_FALSE(AffectsUplink(Header(Message(RTM_DELADDR, address)), usable));
}

TEST(LinkAnnouncement, MessagesTooShortForTheirFixedPartAreIgnored) {
  std::unordered_map<uint32_t, bool> usable{{2, true}};
  for (uint16_t type : {RTM_NEWLINK, RTM_DELLINK, RTM_NEWROUTE, RTM_DELROUTE}) {
    auto words =
        type == RTM_NEWLINK || type == RTM_DELLINK ? Link(type, 2, 0) : Route(type, AF_INET, 0);
    reinterpret_cast<nlmsghdr*>(words.data())->nlmsg_len = NLMSG_LENGTH(2);
    EXPECT_FALSE(AffectsUplink(Header(words), usable)) << type;
  }
  EXPECT_TRUE(usable.at(2));
}

// Two announcements in one datagram, with the lengths of the second made hostile.
TEST(LinkAnnouncement, AWalkStopsAtALengthThatDoesNotFitWhatArrived) {
  std::vector<uint32_t> words = Link(RTM_NEWLINK, 2, IFF_UP);
  const std::size_t first = words.size();
  auto second = Route(RTM_DELROUTE, AF_INET, 0);
  reinterpret_cast<nlmsghdr*>(second.data())->nlmsg_seq = 41;  // caused by someone's request
  words.insert(words.end(), second.begin(), second.end());
  const auto bytes = std::span(reinterpret_cast<const uint8_t*>(words.data()), words.size() * 4);
  auto* secondHeader = reinterpret_cast<nlmsghdr*>(words.data() + first);

  const auto types = [&](std::span<const uint8_t> datagram) {
    std::vector<uint16_t> seen;
    WalkAnnouncements(datagram, [&](const nlmsghdr& header) { seen.push_back(header.nlmsg_type); });
    return seen;
  };
  EXPECT_EQ(types(bytes), (std::vector<uint16_t>{RTM_NEWLINK, RTM_DELROUTE}));
  EXPECT_EQ(types(bytes.first(bytes.size() - 1)), std::vector<uint16_t>{RTM_NEWLINK})
      << "the second cut short";
  EXPECT_EQ(types(bytes.first(first * 4 + 3)), std::vector<uint16_t>{RTM_NEWLINK})
      << "not even a header left";
  for (uint32_t length : {0u, 3u, 0xffffffffu}) {
    secondHeader->nlmsg_len = length;
    EXPECT_EQ(types(bytes), std::vector<uint16_t>{RTM_NEWLINK}) << length;
  }
  secondHeader->nlmsg_len = NLMSG_LENGTH(0);
  secondHeader->nlmsg_type = NLMSG_ERROR;
  EXPECT_EQ(types(bytes), std::vector<uint16_t>{RTM_NEWLINK}) << "control messages are no news";
}

TEST(UsableDefaultRoute, NeedsARouteOverAWorkingOrUnlistedLink) {
  NetlinkSnapshot snapshot;
  snapshot.links = {LinkWith(2, kWorking), LinkWith(3, IFF_UP)};
  EXPECT_FALSE(HasUsableDefaultRoute(snapshot)) << "no default route";
  snapshot.defaultRoutes = {Over(3)};
  EXPECT_FALSE(HasUsableDefaultRoute(snapshot)) << "over a link without carrier";
  snapshot.ipv6DefaultRouteLinks = {3};
  EXPECT_FALSE(HasUsableDefaultRoute(snapshot));
  snapshot.otherTableDefaultRoutes = {Over(2)};
  EXPECT_TRUE(HasUsableDefaultRoute(snapshot)) << "a VPN's table over a working link";
  snapshot.otherTableDefaultRoutes.clear();
  snapshot.ipv6DefaultRouteLinks = {2};
  EXPECT_TRUE(HasUsableDefaultRoute(snapshot)) << "IPv6 alone";
  snapshot.ipv6DefaultRouteLinks.clear();
  snapshot.defaultRoutes = {Over(9)};
  EXPECT_TRUE(HasUsableDefaultRoute(snapshot)) << "a link the snapshot missed is not called lost";
}

}  // namespace
}  // namespace orvane::platform::linux_backend
