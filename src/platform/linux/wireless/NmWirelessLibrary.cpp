#include "platform/linux/wireless/NmWirelessLibrary.h"

#include <net/if.h>
#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/Utf16.h"
#include "platform/WlanRecords.h"
#include "platform/linux/InterfaceGuid.h"
#include "platform/linux/InterfaceInventory.h"
#include "platform/linux/Nl80211.h"
#include "platform/linux/wireless/NmBus.h"
#include "platform/linux/wireless/NmNotifier.h"
#include "platform/linux/wireless/NmProfiles.h"
#include "platform/linux/wireless/VisibleNetworks.h"
#include "platform/linux/wireless/WirelessCodes.h"

namespace orvane::platform::linux_backend {
namespace {

namespace codes = wireless_codes;

constexpr uint32_t kDeviceTypeWifi = 2;
// NM_WIFI_DEVICE_CAP_*: what an access point with WPA2 (RSN, CCMP) needs of the device.
constexpr uint32_t kCapabilityCcmp = 0x08;
constexpr uint32_t kCapabilityRsn = 0x20;
constexpr uint32_t kCapabilityAccessPoint = 0x40;

struct WifiDevice {
  std::string path;
  std::string interfaceName;
};

// The table's functions have no context argument, so what lives between calls is here.
struct LibraryState {
  std::mutex callLock;  // one call at a time; guards `ids`
  // Handed out by the last EnumInterface; valid until the next one.
  std::vector<std::u16string> ids;
  std::mutex notifierLock;
  std::unique_ptr<NmNotifier> notifier;
};

LibraryState& State() {
  static LibraryState state;
  return state;
}

// Runs one library call: exclusive, and every failure becomes the library's code.
template <typename F>
uint32_t Guarded(F call) {
  std::lock_guard lock(State().callLock);
  try {
    return call();
  } catch (const NmFailure& failure) {
    return failure.code;
  } catch (const std::bad_alloc&) {
    return codes::kOutOfMemory;
  } catch (const std::exception&) {
    return codes::kFunctionFailed;  // nothing may cross the C boundary
  }
}

std::u16string TextOf(const char16_t* text) {
  return text != nullptr ? text : u"";
}

// The object paths of a reply that is one array of them.
std::vector<std::string> ObjectPaths(const MessagePtr& reply) {
  std::vector<std::string> paths;
  Check(sd_bus_message_enter_container(reply.get(), 'a', "o"));
  const char* path = nullptr;
  for (int read; (read = sd_bus_message_read(reply.get(), "o", &path)) != 0;) {
    Check(read);
    paths.emplace_back(path);
  }
  return paths;
}

std::vector<WifiDevice> WifiDevices(NmBus& bus) {
  const std::vector<std::string> paths = ObjectPaths(bus.Call(kNmPath, kNmService, "GetDevices"));
  std::vector<WifiDevice> devices;
  for (const std::string& device : paths) {
    if (bus.Uint(device, kNmDevice, "DeviceType") != kDeviceTypeWifi) continue;
    devices.push_back({device, bus.Text(device, kNmDevice, "Interface")});
  }
  return devices;
}

std::u16string IdOf(const WifiDevice& device) {
  return Utf8ToUtf16(GuidText(InterfaceGuid(device.interfaceName)));
}

WifiDevice FindDevice(NmBus& bus, const char16_t* id) {
  const std::string wanted = Utf16ToUtf8(TextOf(id));
  for (WifiDevice& device : WifiDevices(bus)) {
    if (SameGuidText(GuidText(InterfaceGuid(device.interfaceName)), wanted)) return device;
  }
  throw NmFailure{codes::kNotFound};
}

// The profiles this program made for this device and name.
std::vector<std::string> OwnProfiles(NmBus& bus, const WifiDevice& device,
                                     const std::vector<uint8_t>& ssid) {
  std::vector<std::string> own;
  const std::vector<std::string> paths =
      ObjectPaths(bus.Call(kNmSettingsPath, kNmSettings, "ListConnections"));
  for (const std::string& profile : paths) {
    try {
      MessagePtr settings = bus.Call(profile, kNmConnection, "GetSettings");
      const ProfileFacts facts = ReadProfileFacts(settings.get());
      if (facts.own && facts.interfaceName == device.interfaceName && facts.ssid == ssid)
        own.push_back(profile);
    } catch (const NmFailure& failure) {
      // Another user's profile may be closed to us; it cannot be ours then.
      if (failure.code == codes::kTimeout || failure.code == codes::kServiceNotActive) throw;
    }
  }
  return own;
}

void DeleteProfiles(NmBus& bus, const std::vector<std::string>& profiles) {
  for (const std::string& profile : profiles) bus.Call(profile, kNmConnection, "Delete");
}

// Adds the profile in memory only (nothing is left on disk if the program dies) and
// activates it on the device; a profile that cannot be activated is taken away again.
void AddAndActivate(NmBus& bus, const WifiDevice& device, const WifiProfile& profile) {
  DeleteProfiles(bus, OwnProfiles(bus, device, profile.ssid));
  MessagePtr added = bus.Call(kNmSettingsPath, kNmSettings, "AddConnectionUnsaved",
                              [&](sd_bus_message* m) { return AppendProfile(m, profile); });
  const char* path = nullptr;
  Check(sd_bus_message_read(added.get(), "o", &path));
  const std::string created = path;
  try {
    bus.Call(kNmPath, kNmService, "ActivateConnection", [&](sd_bus_message* m) {
      return sd_bus_message_append(m, "ooo", created.c_str(), device.path.c_str(), "/");
    });
  } catch (const NmFailure&) {
    try {
      bus.Call(created, kNmConnection, "Delete");
    } catch (const NmFailure&) {
      // Unsaved, it goes with NetworkManager's next start at the latest.
    }
    throw;
  }
}

// Root needs no permission and has no desktop session to tie the profile to.
std::string ProfileUser() {
  if (geteuid() == 0) return {};
  const passwd* entry = getpwuid(geteuid());
  return entry != nullptr && entry->pw_name != nullptr ? entry->pw_name : "";
}

// The address the sharing put on the interface, which the profile must keep.
std::optional<Ipv4Setting> AddressOf(const std::string& interfaceName) {
  try {
    const NetlinkSnapshot snapshot = ReadNetlinkSnapshot();
    for (const LinkInfo& link : snapshot.links) {
      if (link.name != interfaceName) continue;
      for (const Ipv4Address& address : snapshot.addresses) {
        if (address.index == link.index && address.permanent)
          return Ipv4Setting{address.address, address.prefixLength};
      }
    }
  } catch (const NetlinkError&) {
    // Unknown: the profile then configures no IPv4 of its own.
  }
  return std::nullopt;
}

AccessPointFacts ReadAccessPoint(NmBus& bus, const std::string& path) {
  AccessPointFacts facts;
  facts.path = path;
  MessagePtr reply =
      bus.Call(path, "org.freedesktop.DBus.Properties", "GetAll",
               [](sd_bus_message* m) { return sd_bus_message_append(m, "s", kNmAccessPoint); });
  ForEachEntry(reply.get(), "sv", [&](const std::string& name) {
    if (name == "Ssid") {
      facts.ssid = ReadVariantBytes(reply.get());
    } else if (name == "Mode") {
      ReadVariant(reply.get(), 'u', &facts.mode);
    } else if (name == "Flags") {
      ReadVariant(reply.get(), 'u', &facts.flags);
    } else if (name == "WpaFlags") {
      ReadVariant(reply.get(), 'u', &facts.wpaFlags);
    } else if (name == "RsnFlags") {
      ReadVariant(reply.get(), 'u', &facts.rsnFlags);
    } else if (name == "Strength") {
      ReadVariant(reply.get(), 'y', &facts.strength);
    } else {
      Check(sd_bus_message_skip(reply.get(), "v"));
    }
  });
  return facts;
}

std::string ActiveAccessPoint(NmBus& bus, const WifiDevice& device) {
  try {
    return bus.Text(device.path, kNmWireless, "ActiveAccessPoint", 'o');
  } catch (const NmFailure& failure) {
    if (failure.code == codes::kTimeout || failure.code == codes::kServiceNotActive) throw;
    return {};  // a device that does not say is connected to none
  }
}

// Whether the device is in access-point mode (a hotspot) now.
bool IsAccessPoint(NmBus& bus, const WifiDevice& device) {
  constexpr uint32_t kModeAccessPoint = 3;
  try {
    return bus.Uint(device.path, kNmWireless, "Mode") == kModeAccessPoint;
  } catch (const NmFailure& failure) {
    if (failure.code == codes::kTimeout || failure.code == codes::kServiceNotActive) throw;
    return false;  // a device that does not say is taken as a plain client
  }
}

uint32_t ORVANE_WLAN_CDECL EnumInterface(void* interfaceList) {
  return Guarded([&]() -> uint32_t {
    if (interfaceList == nullptr) return codes::kInvalidParameter;
    LibraryState& state = State();
    state.ids.clear();
    wlan::WriteInterfaceList(interfaceList, {});
    NmBus bus;
    std::vector<WifiDevice> devices = WifiDevices(bus);
    if (devices.empty()) return codes::kDeviceNotConnected;
    if (devices.size() > wlan::kMaxInterfaces) devices.resize(wlan::kMaxInterfaces);
    for (const WifiDevice& device : devices) state.ids.push_back(IdOf(device));
    std::vector<const char16_t*> ids;
    for (const std::u16string& id : state.ids) ids.push_back(id.c_str());
    wlan::WriteInterfaceList(interfaceList, ids);
    return 0;
  });
}

uint32_t ORVANE_WLAN_CDECL GetVisibleNetworkList(const char16_t* interfaceId, void* networkList) {
  return Guarded([&]() -> uint32_t {
    if (networkList == nullptr) return codes::kInvalidParameter;
    wlan::WriteNetworkList(networkList, {});
    NmBus bus;
    const WifiDevice device = FindDevice(bus, interfaceId);
    std::vector<AccessPointFacts> found;
    for (const std::string& path : bus.Paths(device.path, kNmWireless, "AccessPoints"))
      found.push_back(ReadAccessPoint(bus, path));
    wlan::WriteNetworkList(networkList, VisibleNetworks(found, ActiveAccessPoint(bus, device),
                                                        IsAccessPoint(bus, device)));
    return 0;
  });
}

// The name of the access point interface sharing added beside a station device; empty when
// there is none.
std::string BesideName(const WifiDevice& station) {
  const unsigned index = if_nametoindex(station.interfaceName.c_str());
  if (index == 0) return {};
  std::string name = BesideAccessPointName(index);
  return if_nametoindex(name.c_str()) != 0 ? name : std::string();
}

// NetworkManager takes a moment to notice an interface that was just added and to make it
// ready for a profile (NM_DEVICE_STATE_DISCONNECTED or later).
std::optional<WifiDevice> WaitForDevice(NmBus& bus, const std::string& interfaceName) {
  constexpr uint32_t kStateDisconnected = 30;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  for (;;) {
    for (WifiDevice& device : WifiDevices(bus)) {
      if (device.interfaceName == interfaceName &&
          bus.Uint(device.path, kNmDevice, "State") >= kStateDisconnected)
        return device;
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
  }
}

uint32_t HostNetwork(const char16_t* interfaceId, const char16_t* ssid, const char16_t* key,
                     WifiSecurity security) {
  return Guarded([&]() -> uint32_t {
    NmBus bus;
    WifiDevice device = FindDevice(bus, interfaceId);
    // A station whose sharing added an access point beside it: the own network goes there,
    // on the station's channel, as the card runs both on one channel only.
    BandChannel channel;
    if (const std::string beside = BesideName(device); !beside.empty()) {
      WirelessInterface station;
      if (ReadWirelessInterface(device.interfaceName, station) != 0) return codes::kNotFound;
      channel = BandChannelOf(station.frequencyMHz);
      if (channel.channel == 0) return codes::kNotSupported;
      auto found = WaitForDevice(bus, beside);
      if (!found) return codes::kNotFound;
      device = *found;
    }
    const uint32_t capabilities = bus.Uint(device.path, kNmWireless, "WirelessCapabilities");
    if ((capabilities & kCapabilityAccessPoint) == 0) return codes::kNotSupported;
    // Said apart from "no access point at all": WEP would still work on this device.
    constexpr uint32_t kWpa2 = kCapabilityRsn | kCapabilityCcmp;
    if (security == WifiSecurity::Wpa2Psk && (capabilities & kWpa2) != kWpa2)
      return wlan::kErrorSecurityNotSupported;
    WifiProfile profile;
    if (const uint32_t code =
            AccessPointProfile(device.interfaceName, TextOf(ssid), TextOf(key), security,
                               ProfileUser(), AddressOf(device.interfaceName), profile))
      return code;
    profile.band = channel.band;
    profile.channel = channel.channel;
    AddAndActivate(bus, device, profile);
    return 0;
  });
}

// Without a security, what older callers ask for: the WEP network of before.
uint32_t ORVANE_WLAN_CDECL AddSsid(const char16_t* interfaceId, const char16_t* ssid,
                                   const char16_t* key) {
  return HostNetwork(interfaceId, ssid, key, WifiSecurity::Wep);
}

uint32_t ORVANE_WLAN_CDECL AddSsidEx(const char16_t* interfaceId, const char16_t* ssid,
                                     const char16_t* key, uint32_t security) {
  if (security == wlan::kSecurityWep) return HostNetwork(interfaceId, ssid, key, WifiSecurity::Wep);
  if (security == wlan::kSecurityWpa2Psk)
    return HostNetwork(interfaceId, ssid, key, WifiSecurity::Wpa2Psk);
  return codes::kInvalidParameter;
}

uint32_t ORVANE_WLAN_CDECL DeleteSsid(const char16_t* interfaceId, const char16_t* ssid) {
  return Guarded([&]() -> uint32_t {
    NmBus bus;
    const WifiDevice device = FindDevice(bus, interfaceId);
    const std::string name = Utf16ToUtf8(TextOf(ssid));
    const std::vector<uint8_t> bytes(name.begin(), name.end());
    auto own = OwnProfiles(bus, device, bytes);
    // The access point beside this station is gone with the sharing by now; its profile is
    // not.
    const unsigned index = if_nametoindex(device.interfaceName.c_str());
    if (index != 0) {
      const auto beside = OwnProfiles(bus, {{}, BesideAccessPointName(index)}, bytes);
      own.insert(own.end(), beside.begin(), beside.end());
    }
    if (own.empty()) return codes::kNotFound;
    // Deleting an active profile deactivates it; NetworkManager then connects the device
    // as it would have without us.
    DeleteProfiles(bus, own);
    return 0;
  });
}

uint32_t ORVANE_WLAN_CDECL Connect(const char16_t* interfaceId, const char16_t* ssid,
                                   const char16_t* key, uint32_t kind, uint32_t value1,
                                   uint32_t value2) {
  return Guarded([&]() -> uint32_t {
    NmBus bus;
    const WifiDevice device = FindDevice(bus, interfaceId);
    WifiProfile profile;
    if (const uint32_t code = JoinProfile(device.interfaceName, TextOf(ssid), TextOf(key), kind,
                                          value1, value2, ProfileUser(), profile))
      return code;
    AddAndActivate(bus, device, profile);
    return 0;
  });
}

uint32_t ORVANE_WLAN_CDECL Disconnect(const char16_t* interfaceId) {
  return Guarded([&]() -> uint32_t {
    NmBus bus;
    const WifiDevice device = FindDevice(bus, interfaceId);
    bus.Call(device.path, kNmDevice, "Disconnect");
    return 0;
  });
}

void ORVANE_WLAN_CDECL RegisterNotification(OrvaneWlanCallback callback) {
  LibraryState& state = State();
  std::lock_guard lock(state.notifierLock);
  state.notifier.reset();  // a second registration replaces the first
  try {
    state.notifier = std::make_unique<NmNotifier>(callback);
  } catch (const std::exception&) {
    // No thread could be started: the program runs without notifications.
  }
}

void ORVANE_WLAN_CDECL UnRegisterNotification() {
  LibraryState& state = State();
  std::lock_guard lock(state.notifierLock);
  state.notifier.reset();
}

constexpr WirelessLibrary kLibrary = {
    EnumInterface,        GetVisibleNetworkList,  AddSsid,  DeleteSsid, Connect, Disconnect,
    RegisterNotification, UnRegisterNotification, AddSsidEx};

}  // namespace

const WirelessLibrary& NetworkManagerWirelessLibrary() {
  return kLibrary;
}

}  // namespace orvane::platform::linux_backend
