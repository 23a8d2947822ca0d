#include "wireless/WifiNetwork.h"

namespace orvane {

bool TWifiConnection::StartNetwork() {
  TWLanNetwork* found = nullptr;
  for (const auto& entry : networks_) {
    TWLanNetwork* network = entry.object.get();
    if (network == nullptr) continue;
    if (IsOwnNetwork(*network)) {
      found = network;
      network->Key = system_.ToUtf16(key_);
    } else if (network->State == TWLanNetwork::kStateConnected) {
      network->Leave();
    }
  }
  return found != nullptr ? Succeeded(found->JoinResult()) : CreateNetwork();
}

bool TWifiConnection::CreateNetwork() {
  const auto interfaceId = FirstInterface();
  if (!interfaceId) return false;
  const std::u16string ssid = system_.ToUtf16(ssid_);
  const std::u16string key = system_.ToUtf16(key_);
  // A WEP network goes the old way, which every library knows.
  if (security_ == NetworkSecurity::Wep)
    return Succeeded(library_.AddSsid(interfaceId->c_str(), ssid.c_str(), key.c_str()));
  if (library_.AddSsidEx == nullptr) return Succeeded(kNotSupported);
  return Succeeded(library_.AddSsidEx(interfaceId->c_str(), ssid.c_str(), key.c_str(),
                                      platform::wlan::kSecurityWpa2Psk));
}

bool TWifiConnection::DeleteNetwork() {
  const auto interfaceId = FirstInterface();
  if (!interfaceId) return false;
  return Succeeded(library_.DeleteSsid(interfaceId->c_str(), system_.ToUtf16(ssid_).c_str()));
}

std::u16string TWifiConnection::FirstInterfaceId() const {
  if (wlan::InterfaceCount(interfaceList_) == 0) return {};
  return wlan::InterfaceId(interfaceList_, 0);
}

std::optional<std::u16string> TWifiConnection::FirstInterface() {
  if (wlan::InterfaceCount(interfaceList_) == 0) {
    // A failed enumeration says more than "none" (no service, no Wi-Fi device).
    lastError_ = enumResult_ != 0 ? enumResult_ : kNoInterface;
    return std::nullopt;
  }
  return wlan::InterfaceId(interfaceList_, 0);
}

bool TWifiConnection::Succeeded(uint32_t result) {
  lastError_ = result;
  return result == 0;
}

}  // namespace orvane
