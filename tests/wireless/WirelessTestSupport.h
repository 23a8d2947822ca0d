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

#include "platform/SystemInfo.h"
#include "platform/sim/SimCallLog.h"
#include "platform/sim/SimInternet.h"
#include "platform/sim/SimRadio.h"
#include "wireless/WifiNetwork.h"

namespace orvane::test {

inline constexpr std::chrono::seconds kGenerousBound{10};

// A system whose 8-bit code page is Latin-1: enough to tell conversions from copies.
class Latin1System : public platform::ISystemInfo {
 public:
  bool GetOsVersion(platform::OsVersion&) override { return false; }
  uint32_t GetFileVersionInfoSize(const std::string&) override { return 0; }
  bool GetFileVersionInfo(const std::string&, std::vector<uint8_t>&) override { return false; }
  bool QueryFixedFileVersion(const std::vector<uint8_t>&, platform::FixedFileVersion&) override {
    return false;
  }
  std::string SystemErrorMessage(uint32_t) override { return {}; }
  std::string FromUtf16(std::u16string_view text) override {
    std::string out;
    for (char16_t c : text) out += c < 0x100 ? static_cast<char>(c) : '?';
    return out;
  }
  std::u16string ToUtf16(std::string_view text) override {
    std::u16string out;
    for (char c : text) out += static_cast<char16_t>(static_cast<unsigned char>(c));
    return out;
  }
  std::string ExecutablePath() override { return {}; }
  std::string SettingsFolder() override { return {}; }
};

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
  Latin1System system;
};

}  // namespace orvane::test
