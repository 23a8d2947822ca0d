#include "wireless/WifiNetwork.h"

#include <algorithm>
#include <cctype>

namespace orvane {
namespace {

// Interface identifiers are GUID texts; the library and the connection list may differ in case.
bool SameGuidText(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) ==
           std::toupper(static_cast<unsigned char>(y));
  });
}

}  // namespace

bool TWifiConnection::StartNetwork(const std::string& interfaceGuid, bool keepConnected) {
  TWLanNetwork* found = nullptr;
  for (const auto& entry : networks_) {
    TWLanNetwork* network = entry.object.get();
    if (network == nullptr) continue;
    if (IsOwnNetwork(*network)) {
      found = network;
      network->Key = system_.ToUtf16(key_);
    } else if (network->State == TWLanNetwork::kStateConnected && !keepConnected) {
      network->Leave();
    }
  }
  return found != nullptr ? Succeeded(found->JoinResult()) : CreateNetwork(interfaceGuid);
}

bool TWifiConnection::CreateNetwork(const std::string& interfaceGuid) {
  const auto interfaceId = ChosenInterface(interfaceGuid);
  if (!interfaceId) return false;
  createdOn_ = system_.FromUtf16(*interfaceId);
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
  const auto interfaceId = ChosenInterface(createdOn_);
  if (!interfaceId) return false;
  return Succeeded(library_.DeleteSsid(interfaceId->c_str(), system_.ToUtf16(ssid_).c_str()));
}

std::optional<std::u16string> TWifiConnection::ChosenInterface(const std::string& guid) {
  const std::size_t count = wlan::InterfaceCount(interfaceList_);
  if (count == 0) {
    // A failed enumeration says more than "none" (no service, no Wi-Fi device).
    lastError_ = enumResult_ != 0 ? enumResult_ : kNoInterface;
    lastReason_.clear();
    return std::nullopt;
  }
  // The user's destination, when the library knows it by that name: with two Wi-Fi adapters
  // the first listed need not be the one chosen.
  for (std::size_t i = 0; i < count && !guid.empty(); ++i) {
    std::u16string id = wlan::InterfaceId(interfaceList_, i);
    if (SameGuidText(system_.FromUtf16(id), guid)) return id;
  }
  return wlan::InterfaceId(interfaceList_, 0);
}

bool TWifiConnection::Succeeded(uint32_t result) {
  lastError_ = result;
  lastReason_.clear();
  if (result != 0 && library_.LastReason != nullptr) {
    std::u16string text(kReasonUnits, u'\0');
    library_.LastReason(text.data(), static_cast<uint32_t>(text.size()));
    if (const std::size_t end = text.find(u'\0'); end != std::u16string::npos) text.resize(end);
    lastReason_ = system_.FromUtf16(text);
  }
  return result == 0;
}

}  // namespace orvane
