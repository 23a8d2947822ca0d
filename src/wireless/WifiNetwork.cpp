#include "wireless/WifiNetwork.h"

#include <algorithm>

namespace orvane {
namespace {

constexpr std::size_t kShortKeyLength = 5;
constexpr std::size_t kLongKeyLength = 13;

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

std::size_t TrimmedLength(const std::string& text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlankOrControl);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlankOrControl).base();
  return first < last ? static_cast<std::size_t>(last - first) : 0;
}

}  // namespace

TWifiConnection::TWifiConnection(const platform::WirelessLibrary& library,
                                 platform::IInternetProbe& probe, platform::ISystemInfo& system,
                                 std::chrono::milliseconds checkInterval)
    : library_(library), system_(system) {
  monitor_ = std::make_unique<TThreadCheckInternet>(probe, checkInterval);
  monitor_->SetConnection(this);
  monitor_->Start();
  MakeCurrent();
  library_.RegisterNotification(&TWifiConnection::NotificationCallback);
}

TWifiConnection::~TWifiConnection() {
  library_.UnRegisterNotification();
  // The library may still be delivering, or may not honour the withdrawal: the callback only
  // reaches an instance through the current reference, which is cleared under its lock.
  ClearCurrent();
  monitor_->SetConnection(nullptr);
  monitor_->Terminate();
  monitor_->WaitFor();
  monitor_.reset();
}

void TWifiConnection::SetSSID(const std::string& ssid) {
  if (ssid != ssid_) ssid_ = ssid;
}

void TWifiConnection::SetKey(const std::string& key) {
  if (key == key_) return;
  const std::size_t length = TrimmedLength(key);
  if (length == kShortKeyLength || length == kLongKeyLength) key_ = key;
}

std::string TWifiConnection::ConnectedSSID() const {
  std::lock_guard lock(connectedSSIDLock_);
  return connectedSSID_;
}

void TWifiConnection::SetConnectedSSID(std::string ssid) {
  std::lock_guard lock(connectedSSIDLock_);
  connectedSSID_ = std::move(ssid);
}

void TWifiConnection::CheckInternetNow() {
  monitor_->WakeUp();
}

void TWifiConnection::SetInternetState(uint8_t state) {
  if (internetState_.exchange(state) != state) OnInternetStateChange(state);
}

}  // namespace orvane
