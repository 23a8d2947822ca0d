#include "platform/sim/SimRadio.h"

#include <algorithm>
#include <stdexcept>

#include "platform/Utf16.h"
#include "platform/WlanRecords.h"

namespace orvane::sim {
namespace {

namespace layout = platform::wlan;

// The process-wide active radio and the number of library calls now inside it.
struct ActiveRadio {
  std::mutex mutex;
  std::condition_variable idle;
  SimRadio* radio = nullptr;
  int callsInside = 0;
};

ActiveRadio& Active() {
  static ActiveRadio active;
  return active;
}

std::u16string TextOf(const char16_t* text) {
  return text != nullptr ? text : u"";
}

// The simulated machine's 8-bit text is UTF-8.
std::string ToUtf8(const std::u16string& text) {
  return platform::Utf16ToUtf8(text);
}

}  // namespace

// The C table's functions: each finds the active radio, keeps it from going away while the
// call runs, and forwards.
struct SimRadioLibrary {
  template <typename R, typename F>
  static R WithActive(R whenNone, F call) {
    ActiveRadio& active = Active();
    SimRadio* radio;
    {
      std::lock_guard lock(active.mutex);
      radio = active.radio;
      if (radio == nullptr) return whenNone;
      ++active.callsInside;
    }
    struct Leave {
      ActiveRadio& active;
      ~Leave() {
        std::lock_guard lock(active.mutex);
        if (--active.callsInside == 0) active.idle.notify_all();
      }
    } leave{active};
    return call(*radio);
  }

  static uint32_t ORVANE_WLAN_CDECL EnumInterface(void* list) {
    return WithActive(SimRadio::kErrorNoRadio, [&](SimRadio& r) { return r.EnumInterface(list); });
  }
  static uint32_t ORVANE_WLAN_CDECL GetVisibleNetworkList(const char16_t* id, void* list) {
    return WithActive(SimRadio::kErrorNoRadio,
                      [&](SimRadio& r) { return r.GetVisibleNetworkList(id, list); });
  }
  static uint32_t ORVANE_WLAN_CDECL AddSsid(const char16_t* id, const char16_t* ssid,
                                            const char16_t* key) {
    return WithActive(SimRadio::kErrorNoRadio,
                      [&](SimRadio& r) { return r.AddSsid(id, ssid, key); });
  }
  static uint32_t ORVANE_WLAN_CDECL AddSsidEx(const char16_t* id, const char16_t* ssid,
                                              const char16_t* key, uint32_t security) {
    return WithActive(SimRadio::kErrorNoRadio,
                      [&](SimRadio& r) { return r.AddSsidEx(id, ssid, key, security); });
  }
  static uint32_t ORVANE_WLAN_CDECL DeleteSsid(const char16_t* id, const char16_t* ssid) {
    return WithActive(SimRadio::kErrorNoRadio, [&](SimRadio& r) { return r.DeleteSsid(id, ssid); });
  }
  static uint32_t ORVANE_WLAN_CDECL Connect(const char16_t* id, const char16_t* ssid,
                                            const char16_t* key, uint32_t kind, uint32_t value1,
                                            uint32_t value2) {
    return WithActive(SimRadio::kErrorNoRadio,
                      [&](SimRadio& r) { return r.Connect(id, ssid, key, kind, value1, value2); });
  }
  static uint32_t ORVANE_WLAN_CDECL Disconnect(const char16_t* id) {
    return WithActive(SimRadio::kErrorNoRadio, [&](SimRadio& r) { return r.Disconnect(id); });
  }
  static void ORVANE_WLAN_CDECL RegisterNotification(OrvaneWlanCallback callback) {
    WithActive(0, [&](SimRadio& r) {
      r.RegisterNotification(callback);
      return 0;
    });
  }
  static uint32_t ORVANE_WLAN_CDECL LastReason(char16_t* text, uint32_t units) {
    return WithActive(0u, [&](SimRadio& r) { return r.LastReason(text, units); });
  }
  static void ORVANE_WLAN_CDECL UnRegisterNotification() {
    WithActive(0, [](SimRadio& r) {
      r.UnRegisterNotification();
      return 0;
    });
  }
};

SimRadio::SimRadio(SimCallLog& log) : log_(log) {
  {
    std::lock_guard lock(Active().mutex);
    if (Active().radio != nullptr) throw std::logic_error("another simulated radio exists");
    Active().radio = this;
  }
  deliveryThread_ = std::thread(&SimRadio::Deliver, this);
}

SimRadio::~SimRadio() {
  {
    std::unique_lock lock(Active().mutex);
    Active().radio = nullptr;
    Active().idle.wait(lock, [] { return Active().callsInside == 0; });
  }
  {
    std::lock_guard lock(queueMutex_);
    stopping_ = true;
  }
  queueChanged_.notify_all();
  deliveryThread_.join();
}

const OrvaneWirelessLibrary& SimRadio::Library() {
  static const OrvaneWirelessLibrary table{
      &SimRadioLibrary::EnumInterface,
      &SimRadioLibrary::GetVisibleNetworkList,
      &SimRadioLibrary::AddSsid,
      &SimRadioLibrary::DeleteSsid,
      &SimRadioLibrary::Connect,
      &SimRadioLibrary::Disconnect,
      &SimRadioLibrary::RegisterNotification,
      &SimRadioLibrary::UnRegisterNotification,
      &SimRadioLibrary::AddSsidEx,
      &SimRadioLibrary::LastReason,
  };
  return table;
}

void SimRadio::AddInterface(const std::u16string& id) {
  std::lock_guard lock(stateMutex_);
  if (FindInterface(id) != nullptr) throw std::invalid_argument("interface exists: " + ToUtf8(id));
  if (interfaces_.size() == layout::kMaxInterfaces) {
    throw std::length_error("the radio has 4 interfaces already");
  }
  interfaces_.push_back({id, {}, {}});
}

void SimRadio::AddNetwork(const std::u16string& interfaceId, SimVisibleNetwork network) {
  std::lock_guard lock(stateMutex_);
  Interface* interface = FindInterface(interfaceId);
  if (interface == nullptr) throw std::invalid_argument("no interface " + ToUtf8(interfaceId));
  if (interface->networks.size() == layout::kMaxNetworks) {
    throw std::length_error("the interface sees 21 networks already");
  }
  interface->networks.push_back(std::move(network));
}

std::vector<SimVisibleNetwork> SimRadio::Networks(const std::u16string& interfaceId) const {
  std::lock_guard lock(stateMutex_);
  for (const auto& interface : interfaces_) {
    if (interface.id == interfaceId) return interface.networks;
  }
  return {};
}

SimRadio::Interface* SimRadio::FindInterface(const std::u16string& id) {
  const auto found = std::find_if(interfaces_.begin(), interfaces_.end(),
                                  [&](const Interface& interface) { return interface.id == id; });
  return found != interfaces_.end() ? &*found : nullptr;
}

uint32_t SimRadio::EnumInterface(void* interfaceList) {
  if (const auto failure = log_.Record("EnumInterface")) return static_cast<uint32_t>(*failure);
  if (interfaceList == nullptr) return kErrorInvalidParameter;
  std::lock_guard lock(stateMutex_);
  enumeratedIds_.clear();
  for (const auto& interface : interfaces_) enumeratedIds_.push_back(interface.id);
  std::vector<const char16_t*> ids;
  for (const auto& id : enumeratedIds_) ids.push_back(id.c_str());
  layout::WriteInterfaceList(interfaceList, ids);
  return 0;
}

uint32_t SimRadio::GetVisibleNetworkList(const char16_t* interfaceId, void* networkList) {
  const std::u16string id = TextOf(interfaceId);
  if (const auto failure = log_.Record("GetVisibleNetworkList " + ToUtf8(id))) {
    return static_cast<uint32_t>(*failure);
  }
  std::lock_guard lock(stateMutex_);
  const Interface* interface = FindInterface(id);
  if (interface == nullptr || networkList == nullptr) return kErrorInvalidParameter;
  std::vector<layout::NetworkListEntry> entries;
  for (const SimVisibleNetwork& network : interface->networks)
    entries.push_back({network.ssid, network.state, network.kind, network.value1, network.value2});
  layout::WriteNetworkList(networkList, entries);
  return 0;
}

uint32_t SimRadio::AddSsid(const char16_t* interfaceId, const char16_t* ssid, const char16_t* key) {
  const std::u16string id = TextOf(interfaceId), name = TextOf(ssid), secret = TextOf(key);
  if (const auto failure =
          log_.Record("AddSsid " + ToUtf8(id) + " " + ToUtf8(name) + " " + ToUtf8(secret))) {
    return static_cast<uint32_t>(*failure);
  }
  return Host(id, name, secret, kKindWep);
}

uint32_t SimRadio::AddSsidEx(const char16_t* interfaceId, const char16_t* ssid, const char16_t* key,
                             uint32_t security) {
  const std::u16string id = TextOf(interfaceId), name = TextOf(ssid), secret = TextOf(key);
  if (const auto failure = log_.Record("AddSsidEx " + ToUtf8(id) + " " + ToUtf8(name) + " " +
                                       ToUtf8(secret) + " " + std::to_string(security))) {
    return static_cast<uint32_t>(*failure);
  }
  if (security == layout::kSecurityWep) return Host(id, name, secret, kKindWep);
  if (security == layout::kSecurityWpa2Psk) return Host(id, name, secret, kKindWpa);
  return kErrorInvalidParameter;
}

bool SimRadio::IsHosted(const Interface& interface, const SimVisibleNetwork& network,
                        const std::u16string& name) {
  if (network.ssid != name) return false;
  // A scripted WEP network of the name counts as one an older version made.
  return network.kind == kKindWep || std::find(interface.hosted.begin(), interface.hosted.end(),
                                               name) != interface.hosted.end();
}

uint32_t SimRadio::Host(const std::u16string& id, const std::u16string& name,
                        const std::u16string& secret, uint8_t kind) {
  std::lock_guard lock(stateMutex_);
  Interface* interface = FindInterface(id);
  if (interface == nullptr || name.empty()) return kErrorInvalidParameter;
  auto& networks = interface->networks;
  const auto own = std::find_if(networks.begin(), networks.end(), [&](const SimVisibleNetwork& n) {
    return IsHosted(*interface, n, name);
  });
  if (own == networks.end() && networks.size() == layout::kMaxNetworks) return kErrorListFull;
  // The creator is connected to the network it hosts, and to no other on that interface.
  for (auto& network : networks) network.state = 1;
  if (own != networks.end()) {
    own->key = secret;
    own->state = 0;
    own->kind = kind;
    own->value2 = kind == kKindWpa ? kRsnPsk : 0;
  } else {
    networks.push_back({name, 0, kind, 0, kind == kKindWpa ? kRsnPsk : 0u, secret});
  }
  if (std::find(interface->hosted.begin(), interface->hosted.end(), name) ==
      interface->hosted.end())
    interface->hosted.push_back(name);
  return 0;
}

uint32_t SimRadio::DeleteSsid(const char16_t* interfaceId, const char16_t* ssid) {
  const std::u16string id = TextOf(interfaceId), name = TextOf(ssid);
  if (const auto failure = log_.Record("DeleteSsid " + ToUtf8(id) + " " + ToUtf8(name))) {
    return static_cast<uint32_t>(*failure);
  }
  std::lock_guard lock(stateMutex_);
  Interface* interface = FindInterface(id);
  if (interface == nullptr) return kErrorInvalidParameter;
  auto& networks = interface->networks;
  const auto own = std::find_if(networks.begin(), networks.end(), [&](const SimVisibleNetwork& n) {
    return IsHosted(*interface, n, name);
  });
  if (own == networks.end()) return kErrorNotFound;
  networks.erase(own);
  std::erase(interface->hosted, name);
  return 0;
}

uint32_t SimRadio::Connect(const char16_t* interfaceId, const char16_t* ssid, const char16_t* key,
                           uint32_t kind, uint32_t value1, uint32_t value2) {
  const std::u16string id = TextOf(interfaceId), name = TextOf(ssid), secret = TextOf(key);
  if (const auto failure = log_.Record("Connect " + ToUtf8(id) + " " + ToUtf8(name) + " " +
                                       ToUtf8(secret) + " " + std::to_string(kind) + " " +
                                       std::to_string(value1) + " " + std::to_string(value2))) {
    return static_cast<uint32_t>(*failure);
  }
  {
    std::lock_guard lock(stateMutex_);
    Interface* interface = FindInterface(id);
    if (interface == nullptr || kind > 3) return kErrorInvalidParameter;
    auto& networks = interface->networks;
    const auto target = std::find_if(networks.begin(), networks.end(),
                                     [&](const SimVisibleNetwork& n) { return n.ssid == name; });
    if (target == networks.end()) return kErrorNotFound;
    for (auto& network : networks) network.state = 1;
    target->state = 0;
  }
  SendNotification(kSourceAcm, layout::kCodeConnectionComplete, ToUtf8(name));
  return 0;
}

uint32_t SimRadio::Disconnect(const char16_t* interfaceId) {
  const std::u16string id = TextOf(interfaceId);
  if (const auto failure = log_.Record("Disconnect " + ToUtf8(id))) {
    return static_cast<uint32_t>(*failure);
  }
  std::optional<std::string> left;
  {
    std::lock_guard lock(stateMutex_);
    Interface* interface = FindInterface(id);
    if (interface == nullptr) return kErrorInvalidParameter;
    for (auto& network : interface->networks) {
      if (network.state != 0) continue;
      network.state = 1;
      left = ToUtf8(network.ssid);
    }
  }
  if (left) SendNotification(kSourceAcm, layout::kCodeDisconnected, left);
  return 0;
}

void SimRadio::RegisterNotification(OrvaneWlanCallback callback) {
  if (log_.Record("RegisterNotification")) return;
  std::lock_guard lock(callbackMutex_);
  callback_ = callback;
}

void SimRadio::UnRegisterNotification() {
  if (log_.Record("UnRegisterNotification")) return;
  // Taking the delivery lock waits for a callback now running.
  std::lock_guard lock(callbackMutex_);
  callback_ = nullptr;
}

void SimRadio::SendNotification(uint32_t source, uint32_t code, std::optional<std::string> ssid,
                                uint32_t reason) {
  {
    std::lock_guard lock(queueMutex_);
    queue_.push_back({source, code, std::move(ssid), reason});
  }
  queueChanged_.notify_all();
}

bool SimRadio::WaitForDeliveries(std::chrono::milliseconds bound) {
  std::unique_lock lock(queueMutex_);
  return queueChanged_.wait_for(lock, bound, [&] { return queue_.empty() && !delivering_; });
}

void SimRadio::Deliver() {
  std::unique_lock lock(queueMutex_);
  while (true) {
    queueChanged_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
    if (stopping_) return;
    const Pending pending = std::move(queue_.front());
    queue_.pop_front();
    delivering_ = true;
    lock.unlock();
    DeliverOne(pending);
    lock.lock();
    delivering_ = false;
    queueChanged_.notify_all();
  }
}

void SimRadio::DeliverOne(const Pending& pending) {
  const layout::NotificationRecord record(pending.source, pending.code, pending.ssid,
                                          pending.reason);
  std::lock_guard lock(callbackMutex_);
  if (callback_ != nullptr) callback_(record.Data(), nullptr);
}

void SimRadio::SetFailureReason(std::u16string text) {
  std::lock_guard lock(stateMutex_);
  failureReason_ = std::move(text);
}

uint32_t SimRadio::LastReason(char16_t* text, uint32_t units) {
  std::lock_guard lock(stateMutex_);
  if (text != nullptr && units > 0) {
    const std::size_t length = std::min<std::size_t>(failureReason_.size(), units - 1);
    std::copy_n(failureReason_.begin(), length, text);
    text[length] = u'\0';
  }
  // A reason code of the auto-configuration module, when there are words for one.
  return failureReason_.empty() ? 0 : 0x28001;
}

}  // namespace orvane::sim
