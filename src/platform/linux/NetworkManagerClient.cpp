#include "platform/linux/NetworkManagerClient.h"

#include <sys/stat.h>
#include <systemd/sd-bus.h>

#include <cstdlib>
#include <memory>

#include "platform/linux/SystemBus.h"
#include "platform/linux/wireless/NmBus.h"
#include "platform/linux/wireless/NmProfiles.h"

namespace orvane::platform::linux_backend {
namespace {

constexpr const char* kService = "org.freedesktop.NetworkManager";
constexpr const char* kManagerPath = "/org/freedesktop/NetworkManager";
constexpr uint64_t kCallTimeoutUs = 1'000'000;

// NetworkManager manages the namespace of the init process; in any other namespace (a
// container, or the tests' namespaces) its answers are about other interfaces.
bool InManagedNamespace() {
  struct stat own {
  }, init{};
  if (stat("/proc/self/ns/net", &own) != 0) return false;
  if (stat("/proc/1/ns/net", &init) != 0) return true;  // not allowed to look: assume the same
  return own.st_ino == init.st_ino && own.st_dev == init.st_dev;
}

}  // namespace

NetworkManagerClient::NetworkManagerClient() {
  if (!InManagedNamespace()) return;
  // A short timeout: a bus that accepts but never answers must not stall a refresh.
  bus_ = OpenSystemBus(kCallTimeoutUs);
  if (bus_ == nullptr) return;
  if (!State()) {  // the bus runs but NetworkManager does not
    sd_bus_flush_close_unref(bus_);
    bus_ = nullptr;
  }
}

NetworkManagerClient::~NetworkManagerClient() {
  if (bus_ != nullptr) sd_bus_flush_close_unref(bus_);
}

std::optional<uint32_t> NetworkManagerClient::State() {
  if (bus_ == nullptr) return std::nullopt;
  // Empty, as SD_BUS_ERROR_NULL makes it (that macro is a C compound literal).
  sd_bus_error error{};
  uint32_t state = 0;
  int result = sd_bus_get_property_trivial(bus_, kService, kManagerPath, kService, "State", &error,
                                           'u', &state);
  sd_bus_error_free(&error);
  if (result < 0) return std::nullopt;
  return state;
}

std::optional<std::string> NetworkManagerClient::ObjectProperty(const std::string& path,
                                                                const char* interface,
                                                                const char* name) {
  sd_bus_error error{};
  sd_bus_message* reply = nullptr;
  std::optional<std::string> value;
  if (sd_bus_get_property(bus_, kService, path.c_str(), interface, name, &error, &reply, "o") >=
      0) {
    const char* text = nullptr;
    // sd_bus_get_property leaves the reply inside the variant already.
    if (sd_bus_message_read(reply, "o", &text) >= 0 && text != nullptr) value = text;
  }
  sd_bus_message_unref(reply);
  sd_bus_error_free(&error);
  return value;
}

std::optional<std::string> NetworkManagerClient::DevicePath(const std::string& interfaceName) {
  sd_bus_error error{};
  sd_bus_message* reply = nullptr;
  std::optional<std::string> devicePath;
  if (sd_bus_call_method(bus_, kService, kManagerPath, kService, "GetDeviceByIpIface", &error,
                         &reply, "s", interfaceName.c_str()) >= 0) {
    const char* path = nullptr;
    if (sd_bus_message_read(reply, "o", &path) >= 0 && path != nullptr) devicePath = path;
  }
  sd_bus_message_unref(reply);
  sd_bus_error_free(&error);
  return devicePath;
}

std::optional<ManagedDevice> NetworkManagerClient::Device(const std::string& interfaceName) {
  if (bus_ == nullptr) return std::nullopt;
  sd_bus_error error{};
  const std::optional<std::string> devicePath = DevicePath(interfaceName);
  if (!devicePath) return std::nullopt;

  ManagedDevice device;
  const char* deviceInterface = "org.freedesktop.NetworkManager.Device";
  auto dhcpConfig = ObjectProperty(*devicePath, deviceInterface, "Dhcp4Config");
  device.dhcp = dhcpConfig && *dhcpConfig != "/";
  auto active = ObjectProperty(*devicePath, deviceInterface, "ActiveConnection");
  if (active && *active != "/") {
    char* id = nullptr;
    const int result = sd_bus_get_property_string(
        bus_, kService, active->c_str(), "org.freedesktop.NetworkManager.Connection.Active", "Id",
        &error, &id);
    const BusText ownedId = OwnBusText(id);
    if (result >= 0 && id != nullptr) device.connectionName = id;
    sd_bus_error_free(&error);
  }
  return device;
}

bool NetworkManagerClient::OwnAccessPoint(const std::string& interfaceName) {
  if (bus_ == nullptr) return false;
  const std::optional<std::string> devicePath = DevicePath(interfaceName);
  if (!devicePath) return false;
  const auto active =
      ObjectProperty(*devicePath, "org.freedesktop.NetworkManager.Device", "ActiveConnection");
  if (!active || *active == "/") return false;
  const auto profile =
      ObjectProperty(*active, "org.freedesktop.NetworkManager.Connection.Active", "Connection");
  if (!profile || *profile == "/") return false;
  BusError error;
  sd_bus_message* reply = nullptr;
  if (sd_bus_call_method(bus_, kService, profile->c_str(),
                         "org.freedesktop.NetworkManager.Settings.Connection", "GetSettings",
                         error.get(), &reply, "") < 0) {
    return false;
  }
  const MessagePtr owned(reply);
  try {
    const ProfileFacts facts = ReadProfileFacts(reply);
    return facts.own && facts.mode == "ap" && facts.interfaceName == interfaceName;
  } catch (const NmFailure&) {
    return false;  // a reply it cannot read proves nothing
  }
}

}  // namespace orvane::platform::linux_backend
