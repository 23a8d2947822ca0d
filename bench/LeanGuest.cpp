#include "LeanGuest.h"

#include <arpa/inet.h>
#include <net/if.h>
#include <net/route.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

namespace orvane::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr uint8_t kDiscover = 1, kOffer = 2, kRequest = 3, kAck = 5, kNak = 6;
constexpr uint8_t kOptionMask = 1, kOptionRouter = 3, kOptionRequestedAddress = 50,
                  kOptionMessageType = 53, kOptionServer = 54, kOptionParameters = 55,
                  kOptionEnd = 255;
constexpr std::size_t kOptionsAt = 240;  // after the fixed BOOTP part and the magic cookie

class Socket {
 public:
  explicit Socket(int fd) : fd_(fd) {}
  ~Socket() {
    if (fd_ >= 0) close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

struct Offer {
  uint8_t type = 0;
  in_addr address{};
  in_addr mask{};
  in_addr router{};
  in_addr server{};
};

std::vector<uint8_t> Message(uint8_t type, uint32_t xid, const std::array<uint8_t, 6>& hardware,
                             const Offer* offer) {
  std::vector<uint8_t> packet(300, 0);  // BOOTP's least size, room for the options below
  packet[0] = 1;                        // a request
  packet[1] = 1;                        // Ethernet
  packet[2] = 6;
  std::memcpy(&packet[4], &xid, 4);
  packet[10] = 0x80;  // answer by broadcast: the interface has no address to be sent to yet
  std::memcpy(&packet[28], hardware.data(), hardware.size());
  const uint8_t cookie[] = {99, 130, 83, 99};
  std::memcpy(&packet[236], cookie, 4);
  std::size_t at = kOptionsAt;
  for (uint8_t byte : {kOptionMessageType, uint8_t{1}, type, kOptionParameters, uint8_t{2},
                       kOptionMask, kOptionRouter})
    packet[at++] = byte;
  if (offer != nullptr) {
    for (auto [option, value] : {std::pair{kOptionRequestedAddress, offer->address},
                                 std::pair{kOptionServer, offer->server}}) {
      packet[at++] = option;
      packet[at++] = 4;
      std::memcpy(&packet[at], &value.s_addr, 4);
      at += 4;
    }
  }
  packet[at] = kOptionEnd;
  return packet;
}

// The answer to xid, or type 0 when the packet is someone else's or malformed.
Offer Parse(const uint8_t* packet, std::size_t size, uint32_t xid) {
  Offer offer;
  if (size < kOptionsAt || packet[0] != 2 || std::memcmp(&packet[4], &xid, 4) != 0) return offer;
  std::memcpy(&offer.address, &packet[16], 4);
  for (std::size_t at = kOptionsAt; at < size && packet[at] != kOptionEnd;) {
    if (packet[at] == 0) {  // padding
      ++at;
      continue;
    }
    if (at + 1 >= size || at + 2 + packet[at + 1] > size) break;
    const uint8_t option = packet[at], length = packet[at + 1];
    const uint8_t* value = &packet[at + 2];
    if (option == kOptionMessageType && length == 1) offer.type = value[0];
    if (length >= 4 && option == kOptionMask) std::memcpy(&offer.mask, value, 4);
    if (length >= 4 && option == kOptionRouter) std::memcpy(&offer.router, value, 4);
    if (length >= 4 && option == kOptionServer) std::memcpy(&offer.server, value, 4);
    at += 2 + length;
  }
  return offer;
}

// Sends type and waits up to a second for the answer wanted; type 0 when none came.
Offer Exchange(int fd, const std::vector<uint8_t>& message, uint32_t xid, uint8_t wanted) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(67);
  to.sin_addr.s_addr = INADDR_BROADCAST;
  if (sendto(fd, message.data(), message.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to) <
      0)
    return {};
  const auto deadline = Clock::now() + std::chrono::seconds(1);
  for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
    pollfd ready{fd, POLLIN, 0};
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count() + 1;
    if (poll(&ready, 1, static_cast<int>(left)) <= 0) continue;
    uint8_t packet[1500];
    const ssize_t got = recv(fd, packet, sizeof packet, 0);
    if (got <= 0) continue;
    Offer answer = Parse(packet, static_cast<std::size_t>(got), xid);
    if (answer.type == wanted || answer.type == kNak) return answer;
  }
  return {};
}

bool SetAddress(int fd, const std::string& interfaceName, unsigned long request, in_addr value) {
  ifreq entry{};
  std::strncpy(entry.ifr_name, interfaceName.c_str(), IFNAMSIZ - 1);
  auto* address = reinterpret_cast<sockaddr_in*>(&entry.ifr_addr);
  address->sin_family = AF_INET;
  address->sin_addr = value;
  return ioctl(fd, request, &entry) == 0;
}

// What the client script does with a lease: the address, its network and the default route.
std::string Configure(const std::string& interfaceName, const Offer& lease) {
  Socket control(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
  in_addr mask = lease.mask;
  if (mask.s_addr == 0) mask.s_addr = htonl(0xffffff00u);
  if (!SetAddress(control.get(), interfaceName, SIOCSIFADDR, lease.address) ||
      !SetAddress(control.get(), interfaceName, SIOCSIFNETMASK, mask))
    return "cannot give the guest its address";
  if (lease.router.s_addr == 0) return "the lease names no router";
  rtentry route{};
  auto* gateway = reinterpret_cast<sockaddr_in*>(&route.rt_gateway);
  gateway->sin_family = AF_INET;
  gateway->sin_addr = lease.router;
  reinterpret_cast<sockaddr_in*>(&route.rt_dst)->sin_family = AF_INET;
  reinterpret_cast<sockaddr_in*>(&route.rt_genmask)->sin_family = AF_INET;
  route.rt_flags = RTF_UP | RTF_GATEWAY;
  std::string device = interfaceName;
  route.rt_dev = device.data();
  if (ioctl(control.get(), SIOCADDRT, &route) != 0 && errno != EEXIST)
    return "cannot add the guest's default route";
  return {};
}

std::string Lease(const std::string& interfaceName, int discoverSeconds, Offer& lease) {
  Socket fd(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
  const int on = 1;
  ifreq hardware{};
  std::strncpy(hardware.ifr_name, interfaceName.c_str(), IFNAMSIZ - 1);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(68);
  if (fd.get() < 0 || setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
      setsockopt(fd.get(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0 ||
      setsockopt(fd.get(), SOL_SOCKET, SO_BINDTODEVICE, interfaceName.c_str(),
                 static_cast<socklen_t>(interfaceName.size())) != 0 ||
      bind(fd.get(), reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
      ioctl(fd.get(), SIOCGIFHWADDR, &hardware) != 0)
    return "cannot open the guest's DHCP socket";
  std::array<uint8_t, 6> address{};
  std::memcpy(address.data(), hardware.ifr_hwaddr.sa_data, address.size());
  const uint32_t xid = std::random_device{}();
  for (int attempt = 0; attempt < discoverSeconds; ++attempt) {
    const Offer offer = Exchange(fd.get(), Message(kDiscover, xid, address, nullptr), xid, kOffer);
    if (offer.type != kOffer) continue;
    lease = Exchange(fd.get(), Message(kRequest, xid, address, &offer), xid, kAck);
    if (lease.type == kAck) return {};
  }
  return "no lease";
}

std::string Fetch(const std::string& server, int port) {
  Socket fd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<uint16_t>(port));
  if (fd.get() < 0 || inet_pton(AF_INET, server.c_str(), &to.sin_addr) != 1) return {};
  const timeval wait{3, 0};
  setsockopt(fd.get(), SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
  setsockopt(fd.get(), SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
  if (connect(fd.get(), reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) return {};
  const std::string request = "GET /index.html HTTP/1.0\r\n\r\n";
  if (send(fd.get(), request.data(), request.size(), MSG_NOSIGNAL) !=
      static_cast<ssize_t>(request.size()))
    return {};
  std::string answer;
  char buffer[4096];
  for (ssize_t got; (got = recv(fd.get(), buffer, sizeof buffer, 0)) > 0 && answer.size() < 65536;)
    answer.append(buffer, static_cast<std::size_t>(got));
  const auto body = answer.find("\r\n\r\n");
  return body == std::string::npos ? std::string() : answer.substr(body + 4);
}

}  // namespace

GuestTimes LeaseAndFetch(const test::TestNamespace& space, const std::string& interfaceName,
                         const std::string& server, int port, int discoverSeconds,
                         int fetchAttempts) {
  GuestTimes times;
  std::thread guest([&] {
    if (!test::EnterNetwork(space)) {
      times.error = "cannot enter the guest's namespace";
      return;
    }
    Offer lease;
    if (times.error = Lease(interfaceName, discoverSeconds, lease); !times.error.empty()) return;
    if (times.error = Configure(interfaceName, lease); !times.error.empty()) return;
    times.leased = Clock::now();
    for (int attempt = 0; attempt < fetchAttempts && times.page.empty(); ++attempt) {
      if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      times.page = Fetch(server, port);
    }
    times.fetched = Clock::now();
    if (times.page.empty()) times.error = "no page fetched";
  });
  guest.join();
  return times;
}

}  // namespace orvane::bench
