#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

#include "platform/InternetProbe.h"
#include "platform/sim/SimCallLog.h"

namespace orvane::sim {

// The simulated Internet probe. Answers are settable from any thread; every call is recorded
// ("CheckConnection URL TIMEOUT_MS", "QueryConnectedState") and a scripted failure makes the
// call answer false. Tests can hold connection attempts in progress to act while one runs.
class SimInternet : public platform::IInternetProbe {
 public:
  explicit SimInternet(SimCallLog& log);
  // Lets any held attempt return.
  ~SimInternet() override;

  // Whether a forced connection attempt succeeds (default: yes).
  void SetReachable(bool reachable);
  // The uplink's link: while it is down no attempt connects and the connected-state query says
  // offline (default: up). A change is announced to the link watch, if there is one.
  void SetLinkUp(bool up);

  // The connected-state query's answer: whether it succeeds and the flags it reports
  // (default: succeeds, no flags).
  void SetConnectedState(bool querySucceeds, uint32_t flags = 0);

  // From now on each connection attempt waits, once recorded, until released.
  void HoldProbes();
  // True once an attempt is waiting; false when none arrived within `bound`.
  bool WaitUntilHeld(std::chrono::milliseconds bound);
  // Lets the attempts now waiting return; later ones wait again.
  void ReleaseHeld();
  // Lets every attempt run through, now and later.
  void StopHolding();

  bool CheckConnection(const std::string& url, std::chrono::milliseconds timeout) override;
  bool QueryConnectedState(uint32_t& state) override;
  // One receiver at a time (a newer watch replaces it); a watch must end before the probe.
  std::unique_ptr<platform::ILinkWatch> WatchLinks(
      const std::function<void(bool)>& changed) override;

 private:
  class Watch;
  void WaitWhileHeld();

  SimCallLog& log_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool reachable_ = true;
  bool linkUp_ = true;
  bool querySucceeds_ = true;
  uint32_t flags_ = 0;
  bool holding_ = false;
  int held_ = 0;
  uint64_t releases_ = 0;

  // Apart from mutex_, so a receiver may call back into the probe.
  std::mutex watchMutex_;
  std::function<void(bool)> watcher_;
  uint64_t watchNumber_ = 0;
};

}  // namespace orvane::sim
