// Sharing on a real (namespaced) machine: "pub" serves, the host shares, "priv" is the client.
//   sharing_start_to_first_fetch_ms: from StartSharing to the client's first fetched page, and
//       its parts: StartSharing itself, the client's lease, the fetch; the client is udhcpc and
//       busybox nc, and alternately a lean one of this program's own (..._lean_ms)
//   nat_throughput_ratio: TCP throughput (iperf3) through the shared path over plain routing,
//                         each beside a reference flow (NatThroughput.cpp)

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchFigures.h"
#include "LeanGuest.h"
#include "NatThroughput.h"
#include "SharingTopology.h"
#include "TestNamespace.h"
#include "network/ConnectionUnit.h"

namespace {

using namespace orvane;
using bench::Median;
using Clock = std::chrono::steady_clock;

constexpr int kStartRuns = 5;
constexpr const char* kPage = "page";

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

  // The client keeps its last lease for the throughput runs.
  if (std::string failure = bench::MeasureNatThroughput(net, manager, source, destination);
      !failure.empty()) {
    std::printf("sharing: failed (%s)\n", failure.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main() {
  return orvane::bench::RunPrintingFailure("sharing", Run);
}
