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
  return found != nullptr ? found->Join() : CreateNetwork();
}

bool TWifiConnection::CreateNetwork() {
  if (wlan::InterfaceCount(interfaceList_) == 0) return false;
  const std::u16string interfaceId = wlan::InterfaceId(interfaceList_, 0);
  return library_.AddSsid(interfaceId.c_str(), system_.ToUtf16(ssid_).c_str(),
                          system_.ToUtf16(key_).c_str()) == 0;
}

bool TWifiConnection::DeleteNetwork() {
  if (wlan::InterfaceCount(interfaceList_) == 0) return false;
  const std::u16string interfaceId = wlan::InterfaceId(interfaceList_, 0);
  return library_.DeleteSsid(interfaceId.c_str(), system_.ToUtf16(ssid_).c_str()) == 0;
}

}  // namespace orvane
