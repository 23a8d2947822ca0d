#include "wireless/WifiNetwork.h"

#include <algorithm>

namespace orvane {
namespace {

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trimmed(std::string_view text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlankOrControl);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlankOrControl).base();
  return first < last ? text.substr(static_cast<std::size_t>(first - text.begin()),
                                    static_cast<std::size_t>(last - first))
                      : std::string_view();
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

void TWifiConnection::SetSecurity(NetworkSecurity security) {
  if (security == security_) return;
  security_ = security;
  if (CheckNetworkKey(security_, Trimmed(key_)) != KeyProblem::None) key_.clear();
}

void TWifiConnection::SetKey(const std::string& key) {
  if (key == key_) return;
  if (CheckNetworkKey(security_, Trimmed(key)) == KeyProblem::None) key_ = key;
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
