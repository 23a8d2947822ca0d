// Sharing on a real (namespaced) machine: "pub" serves, the host shares, "priv" is the client.
//   sharing_start_to_first_fetch_ms: from StartSharing to the client's first fetched page, and
//       its parts: StartSharing itself, the client's lease, the fetch; the client is udhcpc and
//       busybox nc, and alternately a lean one of this program's own (..._lean_ms)
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

#include "BenchFigures.h"
#include "LeanGuest.h"
#include "SharingTopology.h"
#include "TestNamespace.h"
#include "network/ConnectionUnit.h"

namespace {

using namespace orvane;
using bench::Median;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int kStartRuns = 5;
// Alternating rounds of plain routing and sharing, each an iperf3 run long enough that one
// scheduling hiccup of a shared machine does not decide the figure. The first round warms up
// (caches, connection tracking, the CPUs' clocks) and is not counted.
constexpr int kThroughputRounds = 10;
constexpr int kIperfSeconds = 5;
constexpr int kIperfPort = 5201;
constexpr const char* kPage = "page";

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
// Server and client each keep a CPU of their own where there are two: the scheduler moving
// them about, or putting both on one CPU for a while, changed a run's rate by a third.
double Throughput(test::TestNamespace& pub, const test::TestNamespace& priv) {
  const bool pinned = std::thread::hardware_concurrency() >= 2;
  pub.Spawn(std::string(pinned ? "taskset -c 0 " : "") + "iperf3 --server --one-off --bind " +
            test::kInternet + " --port " + std::to_string(kIperfPort) + " >/dev/null 2>&1");
  const std::string client = std::string(pinned ? "taskset -c 1 " : "") + "iperf3 --client " +
                             test::kInternet + " --port " + std::to_string(kIperfPort) +
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
  // serving), the client's lease, its first page. The guest is this program's own lean client
  // or, alternately, udhcpc with its script and busybox nc, whose processes take longer than
  // the rest together; both figures are printed.
  struct Parts {
    std::vector<double> total, shared, lease, fetch;
    void Add(double sharedAt, double leasedAt, double fetchedAt) {
      total.push_back(fetchedAt);
      shared.push_back(sharedAt);
      lease.push_back(leasedAt - sharedAt);
      fetch.push_back(fetchedAt - leasedAt);
    }
  } lean, tools;
  const auto since = [](Clock::time_point from, Clock::time_point to = Clock::now()) {
    return std::chrono::duration<double, std::milli>(to - from).count();
  };
  for (int run = 0; run < 2 * kStartRuns; ++run) {
    const bool withTools = run % 2 == 1;
    net.priv.Run("ip addr flush dev cl0");
    const auto start = Clock::now();
    const bool shared = manager.StartSharing(source, destination);
    const double sharedAt = since(start);
    if (!shared) {
      std::printf("sharing: failed (cannot share in run %d)\n", run + 1);
      return 1;
    }
    if (!withTools) {
      const bench::GuestTimes guest =
          bench::LeaseAndFetch(net.priv, "cl0", test::kInternet, 8080, 20, 100);
      manager.StopSharing();
      if (!guest.error.empty() || guest.page != kPage) {
        std::printf("sharing: failed (%s in run %d)\n",
                    guest.error.empty() ? "a wrong page" : guest.error.c_str(), run + 1);
        return 1;
      }
      lean.Add(sharedAt, since(start, guest.leased), since(start, guest.fetched));
      continue;
    }
    if (!net.ClientGetsAddress(20)) {
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
    tools.Add(sharedAt, leasedAt, fetchedAt);
  }
  std::printf("sharing_start_to_first_fetch_ms: %.0f ms (udhcpc and busybox nc)\n",
              Median(tools.total));
  std::printf("sharing_start_parts_ms: started %.1f, lease %.0f, fetch %.0f (medians)\n",
              Median(tools.shared), Median(tools.lease), Median(tools.fetch));
  std::printf("sharing_start_to_first_fetch_lean_ms: %.1f ms (the benchmark's own guest)\n",
              Median(lean.total));
  std::printf("sharing_start_lean_parts_ms: started %.1f, lease %.1f, fetch %.1f (medians)\n",
              Median(lean.shared), Median(lean.lease), Median(lean.fetch));

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
  const auto plainRun = [&]() -> double {
    if (net.host.Run(plainRouting) != 0) return -1;
    const double rate = Throughput(net.pub, net.priv);
    return net.host.Run("ip addr del 192.168.137.1/24 dev hpriv") == 0 ? rate : -1;
  };
  const auto sharedRun = [&]() -> double {
    if (!manager.StartSharing(source, destination)) return -1;
    const double rate = Throughput(net.pub, net.priv);
    manager.StopSharing();
    return rate;
  };
  std::vector<double> ratios;
  for (int round = 0; round <= kThroughputRounds; ++round) {
    // Which goes first alternates, so a drift over the run weighs on both sides alike.
    double plain = 0, shared = 0;
    if (round % 2 == 0) {
      plain = plainRun();
      shared = plain < 0 ? -1 : sharedRun();
    } else {
      shared = sharedRun();
      plain = shared < 0 ? -1 : plainRun();
    }
    if (plain < 0 || shared < 0) {
      std::printf("sharing: failed (cannot switch between plain routing and sharing)\n");
      return 1;
    }
    if (plain == 0 || shared == 0) {
      std::printf("sharing: failed (an iperf3 run did not complete in round %d)\n", round + 1);
      return 1;
    }
    if (round > 0) ratios.push_back(shared / plain);
  }
  const auto [lowest, highest] = std::minmax_element(ratios.begin(), ratios.end());
  std::printf("nat_throughput_ratio: %.2f (median of %d rounds)\n", Median(ratios),
              kThroughputRounds);
  std::printf("nat_throughput_ratio_spread: %.2f (highest %.2f minus lowest %.2f)\n",
              *highest - *lowest, *highest, *lowest);
  std::string each;
  for (double ratio : ratios)
    each += (each.empty() ? "" : " ") + std::to_string(ratio).substr(0, 4);
  std::printf("nat_throughput_ratios: %s (round by round)\n", each.c_str());
  return 0;
}

}  // namespace

int main() {
  return orvane::bench::RunPrintingFailure("sharing", Run);
}
