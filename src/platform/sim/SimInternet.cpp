#include "platform/sim/SimInternet.h"

namespace orvane::sim {

SimInternet::SimInternet(SimCallLog& log) : log_(log) {}

SimInternet::~SimInternet() {
  StopHolding();
}

void SimInternet::SetReachable(bool reachable) {
  std::lock_guard lock(mutex_);
  reachable_ = reachable;
}

class SimInternet::Watch : public platform::ILinkWatch {
 public:
  Watch(SimInternet& internet, uint64_t number) : internet_(internet), number_(number) {}
  ~Watch() override {
    std::lock_guard lock(internet_.watchMutex_);
    if (internet_.watchNumber_ == number_) internet_.watcher_ = nullptr;
  }
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;

 private:
  SimInternet& internet_;
  const uint64_t number_;
};

void SimInternet::SetLinkUp(bool up) {
  {
    std::lock_guard lock(mutex_);
    if (linkUp_ == up) return;
    linkUp_ = up;
  }
  std::lock_guard lock(watchMutex_);
  if (watcher_) watcher_(up);
}

std::unique_ptr<platform::ILinkWatch> SimInternet::WatchLinks(
    const std::function<void(bool)>& changed) {
  std::lock_guard lock(watchMutex_);
  watcher_ = changed;
  return std::make_unique<Watch>(*this, ++watchNumber_);
}

void SimInternet::SetConnectedState(bool querySucceeds, uint32_t flags) {
  std::lock_guard lock(mutex_);
  querySucceeds_ = querySucceeds;
  flags_ = flags;
}

void SimInternet::HoldProbes() {
  std::lock_guard lock(mutex_);
  holding_ = true;
}

bool SimInternet::WaitUntilHeld(std::chrono::milliseconds bound) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, bound, [&] { return held_ > 0; });
}

void SimInternet::ReleaseHeld() {
  {
    std::lock_guard lock(mutex_);
    ++releases_;
    held_ = 0;
  }
  changed_.notify_all();
}

void SimInternet::StopHolding() {
  {
    std::lock_guard lock(mutex_);
    holding_ = false;
    held_ = 0;
  }
  changed_.notify_all();
}

void SimInternet::WaitWhileHeld() {
  std::unique_lock lock(mutex_);
  if (!holding_) return;
  const uint64_t generation = releases_;
  ++held_;
  changed_.notify_all();
  changed_.wait(lock, [&] { return !holding_ || releases_ != generation; });
}

bool SimInternet::CheckConnection(const std::string& url, std::chrono::milliseconds timeout) {
  const auto failure =
      log_.Record("CheckConnection " + url + " " + std::to_string(timeout.count()));
  WaitWhileHeld();
  std::lock_guard lock(mutex_);
  return !failure && reachable_ && linkUp_;
}

bool SimInternet::QueryConnectedState(uint32_t& state) {
  const auto failure = log_.Record("QueryConnectedState");
  std::lock_guard lock(mutex_);
  if (failure || !querySucceeds_) return false;
  state = linkUp_ ? flags_ : flags_ | platform::kInternetStateDisconnected;
  return true;
}

}  // namespace orvane::sim
