#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sim/SimCallLog.h"
#include "platform/sim/SimInternet.h"
#include "platform/sim/SimRadio.h"
#include "platform/sim/SimSystem.h"
#include "wireless/WifiNetwork.h"

namespace orvane::test {

inline constexpr std::chrono::seconds kGenerousBound{10};

// Polls a condition until it holds or the bound passes.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds bound = kGenerousBound) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// Collects values handed over from other threads, in arrival order.
template <typename T>
class Recorder {
 public:
  void Add(T value) {
    {
      std::lock_guard lock(mutex_);
      values_.push_back(std::move(value));
    }
    changed_.notify_all();
  }
  bool WaitForCount(std::size_t count, std::chrono::milliseconds bound = kGenerousBound) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, bound, [&] { return values_.size() >= count; });
  }
  std::vector<T> Values() const {
    std::lock_guard lock(mutex_);
    return values_;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<T> values_;
};

// A simulated radio and probe, and the component over them.
class WirelessFixture : public ::testing::Test {
 protected:
  std::unique_ptr<TWifiConnection> MakeWifi(
      std::chrono::milliseconds checkInterval = TThreadCheckInternet::kCheckInterval) {
    return std::make_unique<TWifiConnection>(sim::SimRadio::Library(), internet, system,
                                             checkInterval);
  }

  sim::SimCallLog log;
  sim::SimRadio radio{log};
  sim::SimInternet internet{log};
  // Its own log: conversions are recorded and would crowd the radio's calls.
  sim::SimCallLog systemLog;
  sim::SimSystem system{systemLog};
};

}  // namespace orvane::test
