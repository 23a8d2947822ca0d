#include "platform/linux/LinkWatch.h"

#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/linux/Netlink.h"
#include "platform/linux/NetlinkAnswers.h"

namespace orvane::platform::linux_backend {
namespace {

// Larger than any announcement the kernel sends for links and routes.
constexpr std::size_t kDatagramSize = 32768;

}  // namespace

std::unique_ptr<LinkWatch> LinkWatch::Start(std::function<void(bool uplink)> changed) {
  const int socket = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
  if (socket < 0) return nullptr;
  sockaddr_nl local{};
  local.nl_family = AF_NETLINK;
  local.nl_groups = RTMGRP_LINK | RTMGRP_IPV4_ROUTE;
  const int stop = eventfd(0, EFD_CLOEXEC);
  if (stop < 0 || bind(socket, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
    if (stop >= 0) close(stop);
    close(socket);
    return nullptr;
  }
  return std::unique_ptr<LinkWatch>(new LinkWatch(socket, stop, std::move(changed)));
}

LinkWatch::LinkWatch(int socket, int stop, std::function<void(bool)> changed)
    : socket_(socket), stop_(stop), changed_(std::move(changed)) {
  thread_ = std::thread(&LinkWatch::Run, this);
}

LinkWatch::~LinkWatch() {
  const uint64_t one = 1;
  // The eventfd cannot be full after one write; the thread ends at its next poll.
  [[maybe_unused]] const ssize_t written = write(stop_, &one, sizeof one);
  if (thread_.joinable()) thread_.join();
  close(stop_);
  close(socket_);
}

void LinkWatch::Run() {
  // The links' states as they are now, so announcements that change nothing cost no snapshot.
  std::unordered_map<uint32_t, bool> usable;
  try {
    for (const LinkInfo& link : ReadNetlinkSnapshot().links)
      usable[link.index] = IsUsableLink(link);
  } catch (const NetlinkError&) {
  }
  std::vector<uint8_t> buffer(kDatagramSize);
  for (;;) {
    pollfd ready[2] = {{socket_, POLLIN, 0}, {stop_, POLLIN, 0}};
    if (poll(ready, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (ready[1].revents != 0) return;
    if (ready[0].revents == 0) continue;
    sockaddr_nl sender{};
    socklen_t senderSize = sizeof sender;
    const ssize_t got = recvfrom(socket_, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                 reinterpret_cast<sockaddr*>(&sender), &senderSize);
    if (got < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      // Announcements were dropped (the socket's buffer overran): the tables may have changed.
      if (errno == ENOBUFS) {
        Announce();
        continue;
      }
      return;
    }
    // Only the kernel's announcements count; any local process could write to this port.
    if (sender.nl_pid != 0) continue;
    bool affects = false;
    WalkAnnouncements({buffer.data(), static_cast<std::size_t>(got)}, [&](const nlmsghdr& header) {
      affects = AffectsUplink(header, usable) || affects;
    });
    if (affects) Announce();
  }
}

void LinkWatch::Announce() {
  bool uplink = true;  // when the tables cannot be read, the full check decides
  try {
    uplink = HasUsableDefaultRoute(ReadNetlinkSnapshot());
  } catch (const NetlinkError&) {
  }
  try {
    changed_(uplink);
  } catch (...) {
  }
}

}  // namespace orvane::platform::linux_backend
