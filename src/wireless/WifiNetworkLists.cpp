#include "wireless/WifiNetwork.h"

#include <algorithm>

namespace orvane {
namespace {

// Guards the refill of the library's lists, process-wide.
std::mutex listLock;

bool IsBlankText(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

}  // namespace

void TWifiConnection::ReadLibraryLists() {
  std::lock_guard lock(listLock);
  interfaceList_ = {};
  networkLists_ = {};
  listResult_ = 0;
  enumResult_ = library_.EnumInterface(interfaceList_.bytes.data());
  if (enumResult_ != 0) return;
  for (std::size_t i = 0; i < wlan::InterfaceCount(interfaceList_); ++i) {
    const std::u16string id = wlan::InterfaceId(interfaceList_, i);
    const uint32_t result =
        library_.GetVisibleNetworkList(id.c_str(), networkLists_[i].bytes.data());
    // A refused list reads as empty; the code says why it is (no location consent).
    if (result != 0) {
      networkLists_[i] = {};
      if (listResult_ == 0) listResult_ = result;
    }
  }
}

void TWifiConnection::RefreshNetworks() {
  OnBeforeRefresh(*this);
  ReadLibraryLists();

  ClearObjects(&networks_);
  networks_.Clear();
  connectedNetwork_ = nullptr;
  SetConnectedSSID({});
  networkCount_ = 0;

  for (std::size_t i = 0; i < wlan::InterfaceCount(interfaceList_); ++i) {
    for (std::size_t j = 0; j < wlan::NetworkCount(networkLists_[i]); ++j) {
      AddNetwork(i, wlan::ReadNetworkEntry(networkLists_[i], j));
    }
  }
}

void TWifiConnection::AddNetwork(std::size_t interfaceSlot, const wlan::NetworkEntry& entry) {
  const std::string ssid = system_.FromUtf16(entry.ssid);
  if (IsBlankText(ssid)) return;

  auto network = std::make_unique<TWLanNetwork>(library_);
  network->SSID = system_.ToUtf16(ssid);
  network->InterfaceName = wlan::InterfaceId(interfaceList_, interfaceSlot);
  network->Kind = entry.kind;
  network->State = entry.state;
  network->ConnectValue1 = entry.value1;
  network->ConnectValue2 = entry.value2;
  TWLanNetwork& record = *network;
  networks_.Add(ssid, std::move(network));
  ++networkCount_;

  if (record.State == TWLanNetwork::kStateConnected) {
    connectedNetwork_ = &record;
    SetConnectedSSID(ssid);
  }
  if (IsOwnNetwork(record)) record.Key = system_.ToUtf16(key_);
  OnNetworkFound(record.SSID, record.State, record.Kind);
}

bool TWifiConnection::IsOwnNetwork(const TWLanNetwork& network) const {
  // Whatever its security: another installation may use WPA2 or WEP, and the join follows what
  // the network announces.
  return network.SSID == system_.ToUtf16(ssid_);
}

}  // namespace orvane
