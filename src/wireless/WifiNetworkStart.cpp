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
  return Succeeded(library_.AddSsid(interfaceId->c_str(), system_.ToUtf16(ssid_).c_str(),
                                    system_.ToUtf16(key_).c_str()));
}

bool TWifiConnection::DeleteNetwork() {
  const auto interfaceId = FirstInterface();
  if (!interfaceId) return false;
  return Succeeded(library_.DeleteSsid(interfaceId->c_str(), system_.ToUtf16(ssid_).c_str()));
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
