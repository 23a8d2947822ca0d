// Answers read from the route netlink socket, which the sharing helper acts on as root.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "FuzzCheck.h"
#include "platform/linux/NetlinkAnswers.h"

using namespace orvane::platform::linux_backend;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  uint32_t sequence = 0;
  if (size < sizeof sequence) return 0;
  std::memcpy(&sequence, data, sizeof sequence);
  // A buffer of the datagram's exact size, aligned as the socket's receive buffer is.
  std::vector<uint8_t> datagram(data + sizeof sequence, data + size);

  std::vector<DefaultRoute> routes;
  std::unordered_map<uint32_t, bool> usable;
  std::size_t visited = 0;
  (void)WalkDatagram(datagram, sequence, [&](const nlmsghdr& header) {
    FUZZ_CHECK(header.nlmsg_seq == sequence);
    FUZZ_CHECK(header.nlmsg_len <= datagram.size());
    ++visited;
    (void)ParseLink(header);
    (void)ParseAddress(header);
    ParseDefaultRoutes(header, routes);
  });
  // Announcements arrive on the same kind of socket, with any sequence number.
  WalkAnnouncements(datagram, [&](const nlmsghdr& header) {
    FUZZ_CHECK(header.nlmsg_len <= datagram.size());
    (void)AffectsUplink(header, usable);
  });
  FUZZ_CHECK(visited <= datagram.size() / sizeof(nlmsghdr));
  return 0;
}
