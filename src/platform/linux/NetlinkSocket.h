#pragma once

#include <linux/netlink.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace orvane::platform::linux_backend {

// A netlink socket of one protocol (route, generic) that talks to the kernel only. Throws
// NetlinkError when the socket cannot be made or used.
class NetlinkSocket {
 public:
  explicit NetlinkSocket(int protocol);
  ~NetlinkSocket();
  NetlinkSocket(const NetlinkSocket&) = delete;
  NetlinkSocket& operator=(const NetlinkSocket&) = delete;

  // Sends a request, numbering it and setting its length.
  void Send(std::vector<uint8_t>& message);

  // Hands every reply message of the last request to visit, until the dump ends or the
  // acknowledgement arrives. Returns the acknowledged error (0 for success).
  int Receive(const std::function<void(const nlmsghdr&)>& visit);

 private:
  int fd_;
  uint32_t sequence_ = 0;
};

}  // namespace orvane::platform::linux_backend
