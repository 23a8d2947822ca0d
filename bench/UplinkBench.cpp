// A lost uplink on the real Linux backend, in network namespaces of its own (needs root):
//   uplink_loss_to_shown_ms: from taking the uplink veth down until the Internet monitor (at its
//       usual 5 s interval) hands "unreachable" on; median of kRuns
//   uplink_loss_probe_only_ms: the same with the link announcements ignored, as the monitor was
//       before it listened to them: the next forced attempt notices
// The forced attempt goes to a listener in the namespace beyond the uplink, not to the public
// address, so no traffic leaves the namespaces.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "BenchFigures.h"
#include "TestNamespace.h"
#include "platform/linux/LinuxInternetProbe.h"
#include "wireless/ThreadCheckInternet.h"

namespace {

using namespace orvane;
using bench::Median;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 7;
constexpr int kProbeOnlyRuns = 3;
constexpr const char* kServer = "10.78.0.2";

class LocalTarget : public platform::IInternetProbe {
 public:
  LocalTarget(platform::IInternetProbe& inner, std::string url, bool watch)
      : inner_(inner), url_(std::move(url)), watch_(watch) {}
  bool CheckConnection(const std::string&, std::chrono::milliseconds timeout) override {
    return inner_.CheckConnection(url_, timeout);
  }
  bool QueryConnectedState(uint32_t& state) override { return inner_.QueryConnectedState(state); }
  std::unique_ptr<platform::ILinkWatch> WatchLinks(
      const std::function<void(bool)>& changed) override {
    return watch_ ? inner_.WatchLinks(changed) : nullptr;
  }

 private:
  platform::IInternetProbe& inner_;
  std::string url_;
  bool watch_;
};

// A listening socket in the namespace the calling thread is in; -1 when it cannot listen.
int Listen(uint16_t& port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  inet_pton(AF_INET, kServer, &local.sin_addr);
  if (fd < 0) return -1;
  if (bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 || listen(fd, 128) != 0) {
    close(fd);
    return -1;
  }
  socklen_t size = sizeof local;
  getsockname(fd, reinterpret_cast<sockaddr*>(&local), &size);
  port = ntohs(local.sin_port);
  return fd;
}

// Polls every millisecond; false after `bound`.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds bound) {
  const auto deadline = Clock::now() + bound;
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(1ms);
  }
  return true;
}

// Takes the uplink down `runs` times, each once the monitor sees the Internet again, and
// collects the times until it hands the loss on.
bool Measure(const test::TestNamespace& host, LocalTarget probe, int runs,
             std::vector<double>& times) {
  TThreadCheckInternet monitor(probe);
  monitor.Start();
  for (int run = 0; run < runs; ++run) {
    if (!WaitUntil([&] { return monitor.LastState() == kInternetReachable; }, 15s)) {
      std::printf("uplink: failed (not reachable before run %d)\n", run + 1);
      return false;
    }
    // Somewhere inside the probe's interval, as a real loss would fall.
    std::this_thread::sleep_for(std::chrono::milliseconds(700 * run % 5000));
    const auto start = Clock::now();
    host.Run("ip link set hup down");
    if (!WaitUntil([&] { return monitor.LastState() == kInternetUnreachable; }, 15s)) {
      std::printf("uplink: failed (the loss was not noticed in run %d)\n", run + 1);
      return false;
    }
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    host.Run("ip link set hup up && ip route add default via 10.78.0.2");
  }
  return true;
}

int Run() {
  if (std::string reason = test::NamespaceSkipReason(); !reason.empty()) {
    std::printf("uplink: skipped (%s)\n", reason.c_str());
    return 0;
  }
  test::TestNamespace host("uh");
  test::TestNamespace pub("up");
  if (host.Run("ip link add hup type veth peer name pup netns " + pub.Name() +
               " && ip addr add 10.78.0.1/24 dev hup && ip link set hup up && "
               "ip route add default via 10.78.0.2") != 0 ||
      pub.Run("ip addr add 10.78.0.2/24 dev pup && ip link set pup up") != 0) {
    std::printf("uplink: failed (cannot build the namespaces)\n");
    return 1;
  }
  uint16_t port = 0;
  int listener = -1;
  {
    test::NamespaceEntry inPub(pub);
    listener = Listen(port);
  }
  if (listener < 0) {
    std::printf("uplink: failed (cannot listen)\n");
    return 1;
  }

  test::NamespaceEntry inHost(host);
  platform::linux_backend::LinuxInternetProbe real;
  const std::string url = "http://" + std::string(kServer) + ":" + std::to_string(port) + "/";
  std::vector<double> announced, probeOnly;
  const bool measured = Measure(host, LocalTarget(real, url, true), kRuns, announced) &&
                        Measure(host, LocalTarget(real, url, false), kProbeOnlyRuns, probeOnly);
  close(listener);
  if (!measured) return 1;
  std::printf("uplink_loss_to_shown_ms: %.0f ms (median of %d; highest %.0f ms)\n",
              Median(announced), kRuns, *std::max_element(announced.begin(), announced.end()));
  std::printf("uplink_loss_probe_only_ms: %.0f ms (median of %d)\n", Median(probeOnly),
              kProbeOnlyRuns);
  return 0;
}

}  // namespace

int main() {
  return orvane::bench::RunPrintingFailure("uplink", Run);
}
