#include "platform/linux/NetlinkSocket.h"

#include "platform/linux/Netlink.h"
#include "platform/linux/NetlinkAnswers.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace orvane::platform::linux_backend {
namespace {

// A datagram claiming more than this is not a kernel answer worth reading whole.
constexpr std::size_t kLargestDatagram = std::size_t{1} << 22;

}  // namespace

NetlinkSocket::NetlinkSocket(int protocol)
    : fd_(socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, protocol)) {
  if (fd_ < 0) throw NetlinkError{errno};
  // The kernel fills in the port id, so several sockets per process can coexist.
  sockaddr_nl local{};
  local.nl_family = AF_NETLINK;
  if (bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
    int error = errno;
    close(fd_);
    throw NetlinkError{error};
  }
}

NetlinkSocket::~NetlinkSocket() {
  close(fd_);
}

void NetlinkSocket::Send(std::vector<uint8_t>& message) {
  auto* header = reinterpret_cast<nlmsghdr*>(message.data());
  header->nlmsg_len = static_cast<uint32_t>(message.size());
  header->nlmsg_seq = ++sequence_;
  sockaddr_nl kernel{};
  kernel.nl_family = AF_NETLINK;
  if (sendto(fd_, message.data(), message.size(), 0, reinterpret_cast<sockaddr*>(&kernel),
             sizeof kernel) < 0) {
    throw NetlinkError{errno};
  }
}

int NetlinkSocket::Receive(const std::function<void(const nlmsghdr&)>& visit) {
  std::vector<uint8_t> buffer(65536);  // grown when a message would not fit
  for (;;) {
    // Peek at the size first: a datagram larger than the buffer would be cut short.
    ssize_t size = recv(fd_, nullptr, 0, MSG_PEEK | MSG_TRUNC);
    if (size < 0) {
      if (errno == EINTR) continue;
      throw NetlinkError{errno};
    }
    if (static_cast<std::size_t>(size) > buffer.size())
      buffer.resize(std::min(static_cast<std::size_t>(size), kLargestDatagram));
    sockaddr_nl sender{};
    socklen_t senderSize = sizeof sender;
    ssize_t got = recvfrom(fd_, buffer.data(), buffer.size(), 0,
                           reinterpret_cast<sockaddr*>(&sender), &senderSize);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw NetlinkError{errno};
    }
    // Any local process may send to our port; only the kernel's answers count (the helper
    // acts as root on what it reads here).
    if (sender.nl_pid != 0) continue;
    const auto end = WalkDatagram({buffer.data(), static_cast<std::size_t>(got)}, sequence_, visit);
    if (end) return *end;
  }
}

}  // namespace orvane::platform::linux_backend
