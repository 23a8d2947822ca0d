// Throughput through the program's NAT, held steady by a second flow that runs beside it.
//
// On this kind of machine (a virtual machine on a shared host) one TCP run's rate swings by a
// third from one half second to the next, and runs a minute apart differ as much: the host's
// other guests take the cores. Runs made one after another could not tell a 10% loss from that,
// however long. So every run here is two flows at once: the measured one through the sharing
// host, and a reference one through a router namespace of the same make. They compete for the
// same two cores, so a moment the machine loses slows both alike, and the measured flow's share
// of the rate shows what its path costs. Runs with the host routing plainly instead of sharing
// say what that share is without NAT (the two paths are alike, not identical).

#include "NatThroughput.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "BenchFigures.h"
#include "TestNamespace.h"

namespace orvane::bench {
namespace {

// Rounds after the first, which warms up (caches, connection tracking, the CPUs' clocks) and
// is not counted; each round has a shared run and a plain one, in alternating order.
constexpr int kRounds = 10;
constexpr int kIperfSeconds = 15;
constexpr int kMeasuredPort = 5201;
constexpr int kReferencePort = 5202;
constexpr const char* kReferenceServer = "10.79.0.1";
constexpr const char* kPlainRouting =
    "ip addr add 192.168.137.1/24 dev hpriv && "
    "echo 1 > /proc/sys/net/ipv4/conf/hpub/forwarding && "
    "echo 1 > /proc/sys/net/ipv4/conf/hpriv/forwarding";

// Servers and clients each keep a CPU of their own where there are two: the scheduler moving
// them about changed a run's rate by a third.
std::string Pin(int cpu) {
  return std::thread::hardware_concurrency() >= 2 ? "taskset -c " + std::to_string(cpu) + " " : "";
}

// pub - router - guest, as pub - host - priv, with the router forwarding plainly.
struct ReferencePath {
  test::TestNamespace router{"bref"};
  test::TestNamespace guest{"brcl"};

  bool Build(test::TestNamespace& pub) {
    return router.Run("ip link add rup type veth peer name up1 netns " + pub.Name() +
                      " && ip link add rdown type veth peer name rcl0 netns " + guest.Name() +
                      " && ip addr add 10.79.0.2/24 dev rup && "
                      "ip addr add 192.168.138.1/24 dev rdown && "
                      "ip link set rup up && ip link set rdown up && "
                      "echo 1 > /proc/sys/net/ipv4/conf/rup/forwarding && "
                      "echo 1 > /proc/sys/net/ipv4/conf/rdown/forwarding") == 0 &&
           pub.Run(
               "ip addr add 10.79.0.1/24 dev up1 && ip link set up1 up && "
               "ip route add 192.168.138.0/24 via 10.79.0.2") == 0 &&
           guest.Run(
               "ip addr add 192.168.138.2/24 dev rcl0 && ip link set rcl0 up && "
               "ip route add default via 192.168.138.1") == 0;
  }
};

// Bits per second the client received from the iperf3 server at server:port (the server
// sends), its first second of slow start left out; 0 when the run failed.
double ClientRate(const test::TestNamespace& client, const std::string& server, int port) {
  const std::string report = client.Output(
      Pin(1) + "iperf3 --client " + server + " --port " + std::to_string(port) +
      " --reverse --json --omit 1 --time " + std::to_string(kIperfSeconds) + " 2>/dev/null");
  const std::string key = "\"bits_per_second\":";
  const auto sum = report.find("\"sum_received\"");
  const auto at = sum == std::string::npos ? sum : report.find(key, sum);
  return at == std::string::npos ? 0 : std::strtod(report.c_str() + at + key.size(), nullptr);
}

// The measured flow's rate over the reference flow's, both running at once; 0 when either
// failed.
double MeasuredShare(test::SharingTopology& net, const ReferencePath& reference) {
  const std::pair<std::string, int> servers[] = {{test::kInternet, kMeasuredPort},
                                                 {kReferenceServer, kReferencePort}};
  for (const auto& [address, port] : servers) {
    net.pub.Spawn(Pin(0) + "iperf3 --server --one-off --bind " + address + " --port " +
                  std::to_string(port) + " >/dev/null 2>&1");
  }
  const std::string listening = "ss -Hltn '( sport = :" + std::to_string(kMeasuredPort) +
                                " or sport = :" + std::to_string(kReferencePort) + " )' | wc -l";
  if (net.pub.Run("for i in $(seq 100); do [ \"$(" + listening +
                  ")\" -ge 2 ] && exit 0; sleep 0.02; done; exit 1") != 0) {
    return 0;
  }
  double referenceRate = 0;
  std::thread referenceFlow(
      [&] { referenceRate = ClientRate(reference.guest, kReferenceServer, kReferencePort); });
  const double measuredRate = ClientRate(net.priv, test::kInternet, kMeasuredPort);
  referenceFlow.join();
  return measuredRate > 0 && referenceRate > 0 ? measuredRate / referenceRate : 0;
}

}  // namespace

std::string MeasureNatThroughput(test::SharingTopology& net, TConnectionManager& manager,
                                 const std::string& source, const std::string& destination) {
  ReferencePath reference;
  // For plain routing the public side needs the way back to the client's lease; with sharing
  // the client's traffic leaves with the host's address and this route goes unused.
  if (!reference.Build(net.pub) || net.pub.Run("ip route add 192.168.137.0/24 via 10.77.0.2") != 0)
    return "cannot set up the reference path and plain routing";

  // Each answers the measured flow's share, -1 when switching failed, 0 when a flow failed.
  const auto plainRun = [&]() -> double {
    if (net.host.Run(kPlainRouting) != 0) return -1;
    const double share = MeasuredShare(net, reference);
    return net.host.Run("ip addr del 192.168.137.1/24 dev hpriv") == 0 ? share : -1;
  };
  const auto sharedRun = [&]() -> double {
    if (!manager.StartSharing(source, destination)) return -1;
    const double share = MeasuredShare(net, reference);
    manager.StopSharing();
    return share;
  };
  std::vector<double> shared, plain;
  for (int round = 0; round <= kRounds; ++round) {
    // Which goes first alternates, so a drift over the run weighs on both sides alike.
    double plainShare = 0, sharedShare = 0;
    if (round % 2 == 0) {
      plainShare = plainRun();
      sharedShare = plainShare < 0 ? -1 : sharedRun();
    } else {
      sharedShare = sharedRun();
      plainShare = sharedShare < 0 ? -1 : plainRun();
    }
    if (plainShare < 0 || sharedShare < 0) return "cannot switch between plain routing and sharing";
    if (plainShare == 0 || sharedShare == 0)
      return "an iperf3 run did not complete in round " + std::to_string(round + 1);
    if (round == 0) continue;
    shared.push_back(sharedShare);
    plain.push_back(plainShare);
  }

  const double plainMedian = Median(plain);
  std::vector<double> ratios;
  for (double share : shared) ratios.push_back(share / plainMedian);
  const auto [lowest, highest] = std::minmax_element(ratios.begin(), ratios.end());
  const auto [plainLowest, plainHighest] = std::minmax_element(plain.begin(), plain.end());
  std::printf("nat_throughput_ratio: %.2f (median of %d rounds)\n", Median(ratios), kRounds);
  std::printf("nat_throughput_ratio_spread: %.2f (highest %.2f minus lowest %.2f)\n",
              *highest - *lowest, *highest, *lowest);
  std::string each;
  for (double ratio : ratios)
    each += (each.empty() ? "" : " ") + std::to_string(ratio).substr(0, 4);
  std::printf("nat_throughput_ratios: %s (round by round)\n", each.c_str());
  std::printf(
      "nat_throughput_plain_share: %.2f (spread %.2f; plain routing against the "
      "reference path, the ratios' unit)\n",
      plainMedian, *plainHighest - *plainLowest);
  return {};
}

}  // namespace orvane::bench
