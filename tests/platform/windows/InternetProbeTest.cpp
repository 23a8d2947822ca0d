// WinINet's forced connection against a loopback listener of the test's own.

// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
// clang-format on

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/windows/WinInternetProbe.h"

namespace orvane::platform::windows_backend {
namespace {

// A TCP socket listening on 127.0.0.1 at a port the system picks; closed when it goes.
class LoopbackListener {
 public:
  LoopbackListener() {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (socket_ == INVALID_SOCKET ||
        ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        ::listen(socket_, 4) != 0)
      return;
    port_ = ntohs(address.sin_port);
  }
  ~LoopbackListener() {
    Close();
    if (started_) WSACleanup();
  }
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  uint16_t Port() const { return port_; }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
  void Close() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
    socket_ = INVALID_SOCKET;
  }

 private:
  bool started_ = false;
  SOCKET socket_ = INVALID_SOCKET;
  uint16_t port_ = 0;
};

TEST(WindowsInternetProbe, AnOpenPortConnectsAndAClosedOneFailsWithinTheBound) {
  WinInternetProbe probe;
  LoopbackListener listener;
  ASSERT_NE(listener.Port(), 0);
  EXPECT_TRUE(probe.CheckConnection(listener.Url(), kDefaultProbeTimeout));

  listener.Close();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(probe.CheckConnection(listener.Url(), kDefaultProbeTimeout));
  // Not a speed figure: a refused check must not hang the monitor far past its bound.
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3 * kDefaultProbeTimeout);
}

TEST(WindowsInternetProbe, AnswersTheConnectedState) {
  WinInternetProbe probe;
  uint32_t state = 0xFFFFFFFF;
  ASSERT_TRUE(probe.QueryConnectedState(state));
  EXPECT_NE(state, 0xFFFFFFFFu);
}

}  // namespace
}  // namespace orvane::platform::windows_backend
