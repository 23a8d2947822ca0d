// Runs an idle Internet monitor over the simulated probe for about 11 seconds and prints how
// often its thread woke (checks plus ends of waits) per second.

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/sim/SimCallLog.h"
#include "platform/sim/SimInternet.h"
#include "wireless/ThreadCheckInternet.h"

int main() {
  using Clock = std::chrono::steady_clock;
  constexpr std::chrono::milliseconds kMeasured{11000};

  orvane::sim::SimCallLog log;
  orvane::sim::SimInternet internet(log);
  orvane::TThreadCheckInternet monitor(internet);

  const auto start = Clock::now();
  monitor.Start();
  std::this_thread::sleep_for(kMeasured);
  const uint64_t wakeups = monitor.Wakeups();
  const std::chrono::duration<double> elapsed = Clock::now() - start;
  monitor.Terminate();
  monitor.WaitFor();

  std::printf("monitor_idle_wakeups: %.2f per s\n", static_cast<double>(wakeups) / elapsed.count());
  return 0;
}
