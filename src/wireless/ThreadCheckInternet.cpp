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
  if (!thread_.joinable()) thread_ = std::thread(&TThreadCheckInternet::Execute, this);
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
}

void TThreadCheckInternet::WakeUp() {
  {
    std::lock_guard lock(mutex_);
    wakeUp_ = true;
  }
  signal_.notify_all();
}

void TThreadCheckInternet::Execute() {
  std::unique_lock lock(mutex_);
  while (!terminated_) {
    lock.unlock();
    Check();
    lock.lock();
    Wait(lock);
  }
}

void TThreadCheckInternet::Check() {
  ++wakeups_;
  // A failing probe or receiver must not end the monitor: the next cycle tries again.
  try {
    const uint8_t state = IsInternetAvailable(probe_) ? kInternetReachable : kInternetUnreachable;
    if (state == lastState_.load()) return;
    lastState_.store(state);
    if (TWifiConnection* connection = connection_.load()) connection->SetInternetState(state);
  } catch (...) {
  }
}

void TThreadCheckInternet::Wait(std::unique_lock<std::mutex>& lock) {
  const auto deadline = std::chrono::steady_clock::now() + interval_;
  while (!terminated_ && !wakeUp_) {
    const bool timedOut = signal_.wait_until(lock, deadline) == std::cv_status::timeout;
    ++wakeups_;
    if (timedOut) break;
  }
  wakeUp_ = false;
}

}  // namespace orvane
