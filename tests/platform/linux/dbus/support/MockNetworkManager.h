#pragma once

#include <sys/types.h>
#include <systemd/sd-bus.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace orvane::testing {

// python3-dbusmock's NetworkManager template on the private bus, extended with what the
// library asks for and the template lacks (a device's Disconnect, its active access point,
// WEP access points). Running() is false where the mock cannot start.
class MockNetworkManager {
 public:
  explicit MockNetworkManager(const std::string& logFolder);
  ~MockNetworkManager();
  MockNetworkManager(const MockNetworkManager&) = delete;
  MockNetworkManager& operator=(const MockNetworkManager&) = delete;

  bool Running() const { return bus_ != nullptr; }

  // Device kinds; each answers the device's object path.
  std::string AddWifiDevice(const std::string& name, const std::string& interfaceName);
  std::string AddEthernetDevice(const std::string& name, const std::string& interfaceName);
  enum class Security { Open, Wep, Wpa };
  // mode: 1 ad-hoc, 2 infrastructure.
  std::string AddAccessPoint(const std::string& device, const std::string& name,
                             const std::string& ssid, uint32_t mode, uint8_t strength,
                             Security security);
  void SetActiveAccessPoint(const std::string& device, const std::string& accessPoint);
  void SetUint(const std::string& path, const std::string& interface, const std::string& name,
               uint32_t value);

  // Adds a profile the user made, without our marker.
  std::string AddForeignProfile(const std::string& ssid, const std::string& interfaceName);
  std::vector<std::string> Profiles();
  // A profile's settings flattened to "setting.key" -> value as text.
  std::map<std::string, std::string> Settings(const std::string& profile);
  // The settings of the profiles that carry our marker.
  std::vector<std::map<std::string, std::string>> OwnProfiles();
  std::string ActiveConnection(const std::string& device);
  // How often a method was called on an object, as the mock recorded it.
  int CallCount(const std::string& path, const std::string& method);

 private:
  sd_bus_message* CallMock(const std::string& path, const char* member, const char* types, ...);

  pid_t child_ = -1;
  sd_bus* bus_ = nullptr;
};

}  // namespace orvane::testing
