#include "wireless/ThreadCheckInternet.h"

#include "wireless/InternetCheck.h"
#include "wireless/WifiNetwork.h"

namespace orvane {

TThreadCheckInternet::TThreadCheckInternet(platform::IInternetProbe& probe,
                                           std::chrono::milliseconds interval)
    : probe_(probe), interval_(interval) {}

TThreadCheckInternet::~TThreadCheckInternet() {
  Terminate();
  WaitFor();
}

void TThreadCheckInternet::Start() {
  if (thread_.joinable()) return;
  // Without a watch the monitor still works, only on its interval.
  try {
    linkWatch_ = probe_.WatchLinks([this](bool uplink) { LinkChanged(uplink); });
  } catch (...) {
    linkWatch_.reset();
  }
  thread_ = std::thread(&TThreadCheckInternet::Execute, this);
}

void TThreadCheckInternet::Terminate() {
  {
    std::lock_guard lock(mutex_);
    terminated_ = true;
  }
  signal_.notify_all();
}

void TThreadCheckInternet::WaitFor() {
  if (thread_.joinable()) thread_.join();
  linkWatch_.reset();
}

void TThreadCheckInternet::WakeUp() {
  {
    std::lock_guard lock(mutex_);
    wakeUp_ = true;
  }
  signal_.notify_all();
}

void TThreadCheckInternet::LinkChanged(bool uplink) {
  {
    std::lock_guard lock(mutex_);
    linkChanged_ = true;
    uplink_ = uplink;  // the latest announcement is the one that holds
  }
  signal_.notify_all();
}

void TThreadCheckInternet::Execute() {
  ++wakeups_;
  std::unique_lock lock(mutex_);
  bool uplinkLost = false;
  while (!terminated_) {
    lock.unlock();
    if (uplinkLost) {
      Report(kInternetUnreachable);
    } else {
      Check();
    }
    lock.lock();
    uplinkLost = Wait(lock);
  }
}

void TThreadCheckInternet::Check() {
  // A failing probe must not end the monitor: the next cycle tries again.
  bool available = false;
  try {
    available = IsInternetAvailable(probe_);
  } catch (...) {
    return;
  }
  Report(available ? kInternetReachable : kInternetUnreachable);
}

void TThreadCheckInternet::Report(uint8_t state) {
  if (state == lastState_.load()) return;
  lastState_.store(state);
  // A failing receiver must not end the monitor.
  try {
    if (TWifiConnection* connection = connection_.load()) connection->SetInternetState(state);
  } catch (...) {
  }
}

bool TThreadCheckInternet::Wait(std::unique_lock<std::mutex>& lock) {
  const auto deadline = std::chrono::steady_clock::now() + interval_;
  while (!terminated_ && !wakeUp_ && !linkChanged_) {
    const bool timedOut = signal_.wait_until(lock, deadline) == std::cv_status::timeout;
    ++wakeups_;
    if (timedOut) break;
  }
  const bool uplinkLost = linkChanged_ && !uplink_ && !wakeUp_;
  wakeUp_ = false;
  linkChanged_ = false;
  return uplinkLost;
}

}  // namespace orvane
