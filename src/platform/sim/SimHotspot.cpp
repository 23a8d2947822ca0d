#include "platform/sim/SimHotspot.h"

namespace orvane::sim {

void SimHotspot::SetPresent(bool present) {
  std::lock_guard lock(mutex_);
  present_ = present;
}

bool SimHotspot::Present() const {
  std::lock_guard lock(mutex_);
  return present_;
}

void SimHotspot::SetAdHocPairs(const std::string& interfaceGuid,
                               const std::vector<platform::AuthCipherPair>& pairs) {
  std::lock_guard lock(mutex_);
  pairs_[interfaceGuid] = pairs;
}

void SimHotspot::SetStartAnswer(const platform::HotspotAnswer& answer) {
  std::lock_guard lock(mutex_);
  startAnswer_ = answer;
}

void SimHotspot::SetClients(const std::vector<platform::ConnectedDevice>& clients) {
  std::lock_guard lock(mutex_);
  clients_ = clients;
}

bool SimHotspot::Running() const {
  std::lock_guard lock(mutex_);
  return running_;
}

std::string SimHotspot::Ssid() const {
  std::lock_guard lock(mutex_);
  return ssid_;
}

std::string SimHotspot::Passphrase() const {
  std::lock_guard lock(mutex_);
  return passphrase_;
}

uint32_t SimHotspot::QueryAdHocPairs(const std::string& interfaceGuid,
                                     std::vector<platform::AuthCipherPair>& pairs) {
  pairs.clear();
  if (auto failure = log_.Record("QueryAdHocPairs " + interfaceGuid))
    return static_cast<uint32_t>(*failure);
  std::lock_guard lock(mutex_);
  const auto found = pairs_.find(interfaceGuid);
  if (found != pairs_.end()) pairs = found->second;
  return 0;
}

platform::HotspotAnswer SimHotspot::Start(const std::string& sourceGuid, const std::string& ssid,
                                          const std::string& passphrase) {
  platform::HotspotAnswer answer;
  if (auto failure = log_.Record("StartHotspot " + sourceGuid + " " + ssid)) {
    answer.code = static_cast<platform::HResult>(*failure);
    return answer;
  }
  std::lock_guard lock(mutex_);
  answer = startAnswer_;
  ssid_ = ssid;
  passphrase_ = passphrase;
  running_ = platform::Succeeded(answer.code) &&
             answer.connectivity == platform::kConnectivityInternet &&
             answer.capability == platform::kTetheringEnabled &&
             answer.status == platform::kTetheringSuccess;
  return answer;
}

platform::HotspotAnswer SimHotspot::Stop() {
  platform::HotspotAnswer answer;
  if (auto failure = log_.Record("StopHotspot")) {
    answer.code = static_cast<platform::HResult>(*failure);
    return answer;
  }
  std::lock_guard lock(mutex_);
  running_ = false;
  return answer;
}

platform::HResult SimHotspot::Clients(std::vector<platform::ConnectedDevice>& devices) {
  devices.clear();
  if (auto failure = log_.Record("HotspotClients")) return static_cast<platform::HResult>(*failure);
  std::lock_guard lock(mutex_);
  if (running_) devices = clients_;
  return platform::kSOk;
}

}  // namespace orvane::sim
