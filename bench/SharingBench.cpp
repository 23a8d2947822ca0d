// Sharing on a real (namespaced) machine: "pub" serves, the host shares, "priv" is the client.
//   sharing_start_to_first_fetch_ms: from StartSharing to the client's first fetched page
//   nat_throughput_ratio: TCP throughput through the shared path over plain routing, measured
//                         alternately on the same veth pairs

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "SharingTopology.h"
#include "TestNamespace.h"
#include "network/ConnectionUnit.h"

namespace {

using namespace orvane;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kStartRuns = 5;
constexpr int kThroughputRounds = 6;
constexpr std::size_t kTransferBytes = 256u << 20;
constexpr uint16_t kTransferPort = 9100;
constexpr int kAcceptTimeoutMs = 5000;
constexpr const char* kPage = "page";

// One bulk TCP transfer from pub to priv; answers bytes per second (0 on failure).
double Transfer(const test::TestNamespace& pub, const test::TestNamespace& priv) {
  std::thread server([&] {
    if (!test::EnterNetwork(pub)) return;
    const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int yes = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(kTransferPort);
    inet_pton(AF_INET, "10.77.0.1", &local.sin_addr);
    // A client that gave up (or never got into its namespace) must not leave accept blocked.
    pollfd waiting{listener, POLLIN, 0};
    const int peer = bind(listener, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 &&
                             listen(listener, 1) == 0 && poll(&waiting, 1, kAcceptTimeoutMs) == 1
                         ? accept(listener, nullptr, nullptr)
                         : -1;
    if (listener >= 0) close(listener);
    std::vector<char> block(1 << 16, 'x');
    for (std::size_t sent = 0; peer >= 0 && sent < kTransferBytes;) {
      ssize_t n = send(peer, block.data(), block.size(), MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    if (peer >= 0) close(peer);
  });
  double rate = 0;
  std::thread client([&] {
    if (!test::EnterNetwork(priv)) return;
    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(kTransferPort);
    inet_pton(AF_INET, "10.77.0.1", &remote.sin_addr);
    for (int attempt = 0; attempt < 100; ++attempt) {  // until the server listens
      int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
      if (connect(fd, reinterpret_cast<sockaddr*>(&remote), sizeof remote) == 0) {
        std::vector<char> buffer(1 << 16);
        std::size_t received = 0;
        const auto start = Clock::now();
        for (ssize_t n; (n = recv(fd, buffer.data(), buffer.size(), 0)) > 0;)
          received += static_cast<std::size_t>(n);
        const std::chrono::duration<double> seconds = Clock::now() - start;
        close(fd);
        if (received == kTransferBytes) rate = static_cast<double>(received) / seconds.count();
        return;
      }
      close(fd);
      std::this_thread::sleep_for(10ms);
    }
  });
  client.join();
  server.join();
  return rate;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

int Run() {
  if (std::string reason = test::NamespaceSkipReason(); !reason.empty()) {
    std::printf("sharing: skipped (%s)\n", reason.c_str());
    return 0;
  }
  test::SharingTopology net("b", kPage);
  if (std::string failure = net.Build(); !failure.empty()) {
    std::printf("sharing: failed (%s)\n", failure.c_str());
    return 1;
  }

  test::NamespaceEntry entry(net.host);
  test::SharingProgram program(ORVANE_BENCH_SHARING_HELPER);
  TConnectionManager& manager = program.manager;
  const std::string source = program.Guid("hpub");
  const std::string destination = program.Guid("hpriv");

  std::vector<double> startTimes;
  for (int run = 0; run < kStartRuns; ++run) {
    net.priv.Run("ip addr flush dev cl0");
    const auto start = Clock::now();
    if (!manager.StartSharing(source, destination) || !net.ClientGetsAddress(20)) {
      std::printf("sharing: failed (no lease in run %d)\n", run + 1);
      return 1;
    }
    bool fetched = false;
    for (int attempt = 0; attempt < 100 && !fetched; ++attempt)
      fetched = net.ClientFetch() == kPage;
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
    manager.StopSharing();
    if (!fetched) {
      std::printf("sharing: failed (no fetch in run %d)\n", run + 1);
      return 1;
    }
    startTimes.push_back(elapsed.count());
  }
  std::printf("sharing_start_to_first_fetch_ms: %.0f ms\n", Median(startTimes));

  // Plain routing on the same pairs: the client keeps its last lease, the host routes it and
  // the public side knows the way back. Sharing then only adds masquerading and the server.
  if (net.host.Run("ip addr add 192.168.137.1/24 dev hpriv && "
                   "echo 1 > /proc/sys/net/ipv4/conf/hpub/forwarding && "
                   "echo 1 > /proc/sys/net/ipv4/conf/hpriv/forwarding") != 0 ||
      net.pub.Run("ip route add 192.168.137.0/24 via 10.77.0.2") != 0) {
    std::printf("sharing: failed (cannot set up plain routing)\n");
    return 1;
  }
  std::vector<double> plain, shared;
  for (int round = 0; round < kThroughputRounds; ++round) {
    plain.push_back(Transfer(net.pub, net.priv));
    if (!manager.StartSharing(source, destination)) {
      std::printf("sharing: failed (cannot share for throughput)\n");
      return 1;
    }
    shared.push_back(Transfer(net.pub, net.priv));
    manager.StopSharing();
  }
  if (Median(plain) <= 0 || Median(shared) <= 0) {
    std::printf("sharing: failed (a transfer did not complete)\n");
    return 1;
  }
  std::printf("nat_throughput_ratio: %.2f\n", Median(shared) / Median(plain));
  return 0;
}

}  // namespace

int main() {
  try {
    return Run();
  } catch (const std::exception& error) {
    std::printf("sharing: failed (%s)\n", error.what());
    return 1;
  }
}
