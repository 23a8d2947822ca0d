#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/InternetProbe.h"

namespace orvane {

class TWifiConnection;

// Internet state codes shared by the monitor and the component.
inline constexpr uint8_t kInternetUnknown = 0;
inline constexpr uint8_t kInternetReachable = 1;
inline constexpr uint8_t kInternetUnreachable = 2;

// The Internet monitor: checks reachability on its own thread as soon as it starts, then
// after each wait, and hands every change of the result to its Connection. A wait lasts the
// full interval unless a wake-up or stop request ends it; requests made while a check runs
// end the following wait at once, and several requests in one cycle count as one. While it
// runs it also listens to the probe's link announcements: one ends the wait like a wake-up; when
// it says no way out remains the loss is handed on at once, without the forced attempt (which
// could take its whole timeout on a link that is gone), else the full check follows.
class TThreadCheckInternet {
 public:
  static constexpr std::chrono::milliseconds kCheckInterval{5000};

  explicit TThreadCheckInternet(platform::IInternetProbe& probe,
                                std::chrono::milliseconds interval = kCheckInterval);
  // Stops and awaits the thread if it still runs.
  ~TThreadCheckInternet();
  TThreadCheckInternet(const TThreadCheckInternet&) = delete;
  TThreadCheckInternet& operator=(const TThreadCheckInternet&) = delete;

  // Starts the thread and the link watch; the monitor is created suspended.
  void Start();
  // Asks the thread to stop: a wait ends at once, a running check is finished first.
  void Terminate();
  // Waits until the thread has ended (after Terminate) and ends the link watch.
  void WaitFor();

  // Ends the current wait (or the next one, when a check is running).
  void WakeUp();

  // The receiver of the results; may be cleared while the thread runs.
  TWifiConnection* Connection() const { return connection_.load(); }
  void SetConnection(TWifiConnection* connection) { connection_.store(connection); }

  // The last result handed on: 0 none yet, 1 reachable, 2 not reachable.
  uint8_t LastState() const { return lastState_.load(); }

  // How often the thread has woken: its start plus every end of a wait.
  uint64_t Wakeups() const { return wakeups_.load(); }

 private:
  void Execute();
  void Check();
  void Report(uint8_t state);
  void LinkChanged(bool uplink);
  // Answers whether the latest link announcement that ended it said the uplink is lost.
  bool Wait(std::unique_lock<std::mutex>& lock);

  platform::IInternetProbe& probe_;
  const std::chrono::milliseconds interval_;
  std::atomic<TWifiConnection*> connection_{nullptr};
  std::atomic<uint8_t> lastState_{kInternetUnknown};
  std::atomic<uint64_t> wakeups_{0};

  std::mutex mutex_;
  std::condition_variable signal_;
  bool wakeUp_ = false;
  bool linkChanged_ = false;
  bool uplink_ = true;
  bool terminated_ = false;
  std::thread thread_;
  std::unique_ptr<platform::ILinkWatch> linkWatch_;
};

}  // namespace orvane
