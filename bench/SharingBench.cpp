// Sharing on a real (namespaced) machine: "pub" serves, the host shares, "priv" is the client.
//   sharing_start_to_first_fetch_ms: from StartSharing to the client's first fetched page, and
//       its parts: StartSharing itself, the client's lease, the fetch
//   nat_throughput_ratio: TCP throughput (iperf3) through the shared path over plain routing,
//                         measured alternately on the same veth pairs; the median of the
//                         rounds' ratios, with their spread

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
// Alternating rounds of plain routing and sharing, each an iperf3 run long enough that one
// scheduling hiccup of a shared machine does not decide the figure.
constexpr int kThroughputRounds = 8;
constexpr int kIperfSeconds = 5;
constexpr int kIperfPort = 5201;
constexpr const char* kPage = "page";

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The rate of each half-second report of an iperf3 JSON run that was not left out.
std::vector<double> IntervalRates(const std::string& report) {
  std::vector<double> rates;
  const std::string key = "\"sum\":";
  const std::string rate = "\"bits_per_second\":";
  for (auto at = report.find(key); at != std::string::npos; at = report.find(key, at + 1)) {
    const auto end = report.find('}', at);
    const auto value = report.find(rate, at);
    if (end == std::string::npos || value == std::string::npos || value > end) continue;
    // cJSON writes a tab after each colon.
    const auto omitted = report.find("\"omitted\":", at);
    if (omitted < end) {
      const auto flag = report.find_first_not_of(" \t", omitted + std::strlen("\"omitted\":"));
      if (flag < end && report[flag] == 't') continue;
    }
    rates.push_back(std::strtod(report.c_str() + value + rate.size(), nullptr));
  }
  return rates;
}

// Bits per second of one iperf3 run from pub to priv (the server sends), its first second of
// slow start left out; 0 when the run failed. The median of the half-second reports rather
// than the mean: a build stealing the CPU for a moment spoils a report, not the run.
double Throughput(test::TestNamespace& pub, const test::TestNamespace& priv) {
  pub.Spawn("iperf3 --server --one-off --bind " + std::string(test::kInternet) + " --port " +
            std::to_string(kIperfPort) + " >/dev/null 2>&1");
  const std::string client = "iperf3 --client " + std::string(test::kInternet) + " --port " +
                             std::to_string(kIperfPort) +
                             " --reverse --json --omit 1 --interval 0.5 --time " +
                             std::to_string(kIperfSeconds) + " 2>/dev/null";
  for (int attempt = 0; attempt < 50; ++attempt) {  // until the server listens
    const std::string report = priv.Output(client);
    if (report.find("\"sum_received\"") != std::string::npos) {
      const std::vector<double> rates = IntervalRates(report);
      return rates.empty() ? 0 : Median(rates);
    }
    std::this_thread::sleep_for(100ms);
  }
  return 0;
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

  // Each run in three parts: the sharing started (the helper's rules and its DHCP server
  // serving), the client's lease, its first page.
  std::vector<double> startTimes, sharedTimes, leaseTimes, fetchTimes;
  const auto since = [](Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
  };
  for (int run = 0; run < kStartRuns; ++run) {
    net.priv.Run("ip addr flush dev cl0");
    const auto start = Clock::now();
    const bool shared = manager.StartSharing(source, destination);
    const double sharedAt = since(start);
    if (!shared || !net.ClientGetsAddress(20)) {
      std::printf("sharing: failed (no lease in run %d)\n", run + 1);
      return 1;
    }
    const double leasedAt = since(start);
    bool fetched = false;
    for (int attempt = 0; attempt < 100 && !fetched; ++attempt)
      fetched = net.ClientFetch() == kPage;
    const double fetchedAt = since(start);
    manager.StopSharing();
    if (!fetched) {
      std::printf("sharing: failed (no fetch in run %d)\n", run + 1);
      return 1;
    }
    startTimes.push_back(fetchedAt);
    sharedTimes.push_back(sharedAt);
    leaseTimes.push_back(leasedAt - sharedAt);
    fetchTimes.push_back(fetchedAt - leasedAt);
  }
  std::printf("sharing_start_to_first_fetch_ms: %.0f ms\n", Median(startTimes));
  std::printf("sharing_start_parts_ms: started %.0f, lease %.0f, fetch %.0f (medians)\n",
              Median(sharedTimes), Median(leaseTimes), Median(fetchTimes));

  // Plain routing on the same pairs: the client keeps its last lease, the host routes it and
  // the public side knows the way back. Sharing then only adds masquerading and the server.
  // The host's address on the private side is there only for the plain runs: sharing refuses a
  // destination that already has one.
  const std::string plainRouting =
      "ip addr add 192.168.137.1/24 dev hpriv && "
      "echo 1 > /proc/sys/net/ipv4/conf/hpub/forwarding && "
      "echo 1 > /proc/sys/net/ipv4/conf/hpriv/forwarding";
  if (net.pub.Run("ip route add 192.168.137.0/24 via 10.77.0.2") != 0) {
    std::printf("sharing: failed (cannot set up plain routing)\n");
    return 1;
  }
  std::vector<double> ratios;
  for (int round = 0; round < kThroughputRounds; ++round) {
    if (net.host.Run(plainRouting) != 0) {
      std::printf("sharing: failed (cannot set up plain routing)\n");
      return 1;
    }
    const double plain = Throughput(net.pub, net.priv);
    if (net.host.Run("ip addr del 192.168.137.1/24 dev hpriv") != 0 ||
        !manager.StartSharing(source, destination)) {
      std::printf("sharing: failed (cannot share for throughput)\n");
      return 1;
    }
    const double shared = Throughput(net.pub, net.priv);
    manager.StopSharing();
    if (plain <= 0 || shared <= 0) {
      std::printf("sharing: failed (an iperf3 run did not complete in round %d)\n", round + 1);
      return 1;
    }
    ratios.push_back(shared / plain);
  }
  const auto [lowest, highest] = std::minmax_element(ratios.begin(), ratios.end());
  std::printf("nat_throughput_ratio: %.2f (median of %d rounds)\n", Median(ratios),
              kThroughputRounds);
  std::printf("nat_throughput_ratio_spread: %.2f (highest %.2f minus lowest %.2f)\n",
              *highest - *lowest, *highest, *lowest);
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
