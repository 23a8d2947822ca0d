#include "MockNetworkManager.h"

#include <chrono>
#include <cstdarg>
#include <stdexcept>
#include <thread>

#include "support/Processes.h"

namespace orvane::testing {
namespace {

constexpr const char* kService = "org.freedesktop.NetworkManager";
constexpr const char* kMockPath = "/org/freedesktop";
constexpr const char* kMock = "org.freedesktop.DBus.Mock";
constexpr const char* kDevice = "org.freedesktop.NetworkManager.Device";
constexpr const char* kWireless = "org.freedesktop.NetworkManager.Device.Wireless";
constexpr const char* kAccessPoint = "org.freedesktop.NetworkManager.AccessPoint";

void Check(int result, const char* what) {
  if (result < 0) throw std::runtime_error(std::string("mock NetworkManager: ") + what);
}

std::string ReadValue(sd_bus_message* m);

std::string ReadContainerItems(sd_bus_message* m, char type, const char* contents) {
  Check(sd_bus_message_enter_container(m, type, contents), "enter");
  std::string text;
  while (sd_bus_message_at_end(m, 0) == 0) {
    if (!text.empty()) text += ",";
    text += ReadValue(m);
  }
  Check(sd_bus_message_exit_container(m), "exit");
  return text;
}

// Any value as text: numbers in decimal, byte arrays as their characters, containers in
// brackets, dictionary entries as key=value.
std::string ReadValue(sd_bus_message* m) {
  char type = 0;
  const char* contents = nullptr;
  Check(sd_bus_message_peek_type(m, &type, &contents), "peek");
  switch (type) {
    case 'v':
      return ReadContainerItems(m, 'v', contents);
    case 'e': {
      Check(sd_bus_message_enter_container(m, 'e', contents), "entry");
      std::string key = ReadValue(m);
      std::string value = ReadValue(m);
      Check(sd_bus_message_exit_container(m), "entry");
      return key + "=" + value;
    }
    case 'a':
      if (std::string(contents) == "y") {
        const void* data = nullptr;
        size_t size = 0;
        Check(sd_bus_message_read_array(m, 'y', &data, &size), "bytes");
        return std::string(static_cast<const char*>(data), size);
      }
      return "[" + ReadContainerItems(m, 'a', contents) + "]";
    case 'r':
      return "(" + ReadContainerItems(m, 'r', contents) + ")";
    case 's':
    case 'o':
    case 'g': {
      const char* text = nullptr;
      Check(sd_bus_message_read_basic(m, type, &text), "text");
      return text;
    }
    case 'b': {
      int value = 0;
      Check(sd_bus_message_read_basic(m, type, &value), "bool");
      return value ? "true" : "false";
    }
    case 'y': {
      uint8_t value = 0;
      Check(sd_bus_message_read_basic(m, type, &value), "byte");
      return std::to_string(value);
    }
    case 'd': {
      double value = 0;
      Check(sd_bus_message_read_basic(m, type, &value), "double");
      return std::to_string(value);
    }
    default: {
      uint64_t value = 0;  // every integer type fits; the width read follows the type
      Check(sd_bus_message_read_basic(m, type, &value), "number");
      if (type == 'i') return std::to_string(static_cast<int32_t>(value));
      if (type == 'u') return std::to_string(static_cast<uint32_t>(value));
      return std::to_string(value);
    }
  }
}

}  // namespace

MockNetworkManager::MockNetworkManager(const std::string& logFolder) {
  child_ = Spawn("/usr/bin/python3", {"-m", "dbusmock", "--system", "--template", "networkmanager"},
                 logFolder + "/mock-networkmanager.log");
  if (child_ <= 0) return;
  sd_bus* bus = nullptr;
  if (sd_bus_open_system(&bus) < 0) return;
  for (int i = 0; i < 500; ++i) {
    if (sd_bus_get_name_creds(bus, kService, 0, nullptr) >= 0) {
      bus_ = bus;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  sd_bus_flush_close_unref(bus);
}

MockNetworkManager::~MockNetworkManager() {
  if (bus_ != nullptr) sd_bus_flush_close_unref(bus_);
  Stop(child_);
}

sd_bus_message* MockNetworkManager::CallMock(const std::string& path, const char* member,
                                             const char* types, ...) {
  va_list arguments;
  va_start(arguments, types);
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;
  const int result = sd_bus_call_methodv(bus_, kService, path.c_str(), kMock, member, &error,
                                         &reply, types, arguments);
  va_end(arguments);
  const std::string message = error.message != nullptr ? error.message : "";
  sd_bus_error_free(&error);
  if (result < 0) throw std::runtime_error(std::string("mock call ") + member + ": " + message);
  return reply;
}

namespace {
// Reads the one text (type "s" or "o") a reply carries, and releases the reply.
std::string TakeText(sd_bus_message* reply, const char* type, const char* what) {
  const char* text = nullptr;
  Check(sd_bus_message_read(reply, type, &text), what);
  std::string value = text;
  sd_bus_message_unref(reply);
  return value;
}
}  // namespace

std::string MockNetworkManager::AddWifiDevice(const std::string& name,
                                              const std::string& interfaceName) {
  const std::string path =
      TakeText(CallMock(kMockPath, "AddWiFiDevice", "ssi", name.c_str(), interfaceName.c_str(), 30),
               "s", "path");
  // What the template lacks: leaving a network, and which access point the device uses.
  sd_bus_message_unref(
      CallMock(path, "AddMethod", "sssss", kDevice, "Disconnect", "", "",
               "objects['/org/freedesktop'].SetDeviceDisconnected(self.__dbus_object_path__)"));
  sd_bus_message_unref(
      CallMock(path, "AddProperty", "ssv", kWireless, "ActiveAccessPoint", "o", "/"));
  return path;
}

std::string MockNetworkManager::AddEthernetDevice(const std::string& name,
                                                  const std::string& interfaceName) {
  return TakeText(
      CallMock(kMockPath, "AddEthernetDevice", "ssi", name.c_str(), interfaceName.c_str(), 100),
      "s", "path");
}

std::string MockNetworkManager::AddAccessPoint(const std::string& device, const std::string& name,
                                               const std::string& ssid, uint32_t mode,
                                               uint8_t strength, Security security) {
  const uint32_t flags = security == Security::Open ? 0 : 0x108;  // PSK with CCMP
  const std::string path =
      TakeText(CallMock(kMockPath, "AddAccessPoint", "ssssuuuyu", device.c_str(), name.c_str(),
                        ssid.c_str(), "00:11:22:33:44:55", mode, 2437u, 54000u, strength, flags),
               "s", "path");
  if (security == Security::Wep) {  // the template knows only WPA: privacy without it is WEP
    SetUint(path, kAccessPoint, "WpaFlags", 0);
    SetUint(path, kAccessPoint, "RsnFlags", 0);
  }
  return path;
}

void MockNetworkManager::SetActiveAccessPoint(const std::string& device,
                                              const std::string& accessPoint) {
  sd_bus_message_unref(CallMock(kMockPath, "SetProperty", "sssv", device.c_str(), kWireless,
                                "ActiveAccessPoint", "o", accessPoint.c_str()));
}

void MockNetworkManager::SetUint(const std::string& path, const std::string& interface,
                                 const std::string& name, uint32_t value) {
  sd_bus_message_unref(CallMock(kMockPath, "SetProperty", "sssv", path.c_str(), interface.c_str(),
                                name.c_str(), "u", value));
}

std::string MockNetworkManager::AddForeignProfile(const std::string& ssid,
                                                  const std::string& interfaceName) {
  sd_bus_message* reply = nullptr;
  sd_bus_error error = SD_BUS_ERROR_NULL;
  const int result = sd_bus_call_method(
      bus_, kService, "/org/freedesktop/NetworkManager/Settings",
      "org.freedesktop.NetworkManager.Settings", "AddConnection", &error, &reply, "a{sa{sv}}", 2,
      "connection", 3, "id", "s", ssid.c_str(), "type", "s", "802-11-wireless", "interface-name",
      "s", interfaceName.c_str(), "802-11-wireless", 1, "ssid", "ay", ssid.size(), ssid.data());
  sd_bus_error_free(&error);
  Check(result, "AddConnection");
  return TakeText(reply, "o", "profile path");
}

std::vector<std::string> MockNetworkManager::Profiles() {
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;
  const int result = sd_bus_get_property(bus_, kService, "/org/freedesktop/NetworkManager/Settings",
                                         "org.freedesktop.NetworkManager.Settings", "Connections",
                                         &error, &reply, "ao");
  sd_bus_error_free(&error);
  Check(result, "Connections");
  std::vector<std::string> profiles;
  Check(sd_bus_message_enter_container(reply, 'a', "o"), "array");
  const char* path = nullptr;
  while (sd_bus_message_read(reply, "o", &path) > 0) profiles.emplace_back(path);
  sd_bus_message_unref(reply);
  return profiles;
}

std::map<std::string, std::string> MockNetworkManager::Settings(const std::string& profile) {
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;
  const int result = sd_bus_call_method(bus_, kService, profile.c_str(),
                                        "org.freedesktop.NetworkManager.Settings.Connection",
                                        "GetSettings", &error, &reply, "");
  sd_bus_error_free(&error);
  Check(result, "GetSettings");
  std::map<std::string, std::string> settings;
  Check(sd_bus_message_enter_container(reply, 'a', "{sa{sv}}"), "settings");
  while (sd_bus_message_enter_container(reply, 'e', "sa{sv}") > 0) {
    const char* setting = nullptr;
    Check(sd_bus_message_read(reply, "s", &setting), "setting");
    const std::string prefix = std::string(setting) + ".";
    Check(sd_bus_message_enter_container(reply, 'a', "{sv}"), "values");
    while (sd_bus_message_enter_container(reply, 'e', "sv") > 0) {
      const char* key = nullptr;
      Check(sd_bus_message_read(reply, "s", &key), "key");
      settings[prefix + key] = ReadValue(reply);
      Check(sd_bus_message_exit_container(reply), "entry");
    }
    Check(sd_bus_message_exit_container(reply), "values");
    Check(sd_bus_message_exit_container(reply), "setting");
  }
  sd_bus_message_unref(reply);
  return settings;
}

std::vector<std::map<std::string, std::string>> MockNetworkManager::OwnProfiles() {
  std::vector<std::map<std::string, std::string>> own;
  for (const std::string& profile : Profiles()) {
    auto settings = Settings(profile);
    if (settings.count("user.data") != 0) own.push_back(std::move(settings));
  }
  return own;
}

std::string MockNetworkManager::ActiveConnection(const std::string& device) {
  sd_bus_error error = SD_BUS_ERROR_NULL;
  sd_bus_message* reply = nullptr;
  const int result = sd_bus_get_property(bus_, kService, device.c_str(), kDevice,
                                         "ActiveConnection", &error, &reply, "o");
  sd_bus_error_free(&error);
  Check(result, "ActiveConnection");
  return TakeText(reply, "o", "active");
}

int MockNetworkManager::CallCount(const std::string& path, const std::string& method) {
  sd_bus_message* reply = CallMock(path, "GetMethodCalls", "s", method.c_str());
  int count = 0;
  Check(sd_bus_message_enter_container(reply, 'a', "(tav)"), "calls");
  while (sd_bus_message_at_end(reply, 0) == 0) {
    Check(sd_bus_message_skip(reply, "(tav)"), "call");
    ++count;
  }
  sd_bus_message_unref(reply);
  return count;
}

}  // namespace orvane::testing
