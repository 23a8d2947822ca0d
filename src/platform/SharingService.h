#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvane::platform {

using HResult = int32_t;

inline constexpr HResult kSOk = 0;
inline constexpr HResult kSFalse = 1;
inline constexpr HResult kEFail = static_cast<HResult>(0x80004005u);
inline constexpr HResult kEAccessDenied = static_cast<HResult>(0x80070005u);
inline constexpr HResult kRpcEChangedMode = static_cast<HResult>(0x80010106u);

// Why turning sharing on can fail where the service is a helper run with privilege, each with
// its own code, so that the window can say what to do.
inline constexpr HResult kHelperMissing = static_cast<HResult>(0x80070002u);    // file not found
inline constexpr HResult kHelperUntrusted = static_cast<HResult>(0x800704ECu);  // blocked
inline constexpr HResult kRefusedByUser = static_cast<HResult>(0x800704C7u);    // cancelled
inline constexpr HResult kNoAuthenticationAgent = static_cast<HResult>(0x80070520u);  // no logon
inline constexpr HResult kElevationToolMissing = static_cast<HResult>(0x80070003u);   // no path
inline constexpr HResult kSharedByAnother = static_cast<HResult>(0x800700AAu);        // busy
// A Wi-Fi connection shared through its own card lost its network or moved to another channel:
// the network beside it was closed (network unreachable).
inline constexpr HResult kSharedNetworkLost = static_cast<HResult>(0x800704CFu);
// Not authorised: kEAccessDenied. A refusal of the helper itself (an interface it will not
// share, a firewall in the way, no free network) is kEFail with its reason as the description.

inline bool Succeeded(HResult hr) {
  return hr >= 0;
}
inline bool Failed(HResult hr) {
  return hr < 0;
}

// A GUID as it is stored: Data1, Data2, Data3, then 8 bytes.
struct Guid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  std::array<uint8_t, 8> data4{};
  friend bool operator==(const Guid&, const Guid&) = default;
};

// NETCON_STATUS and NETCON_MEDIATYPE numbers the components rely on.
inline constexpr uint32_t kNcsDisconnected = 0;
inline constexpr uint32_t kNcsConnected = 2;
inline constexpr uint32_t kNcsMediaDisconnected = 7;
inline constexpr uint32_t kNcmLan = 3;

// Sharing types of EnableSharing.
inline constexpr int32_t kIcsSharingTypePublic = 0;
inline constexpr int32_t kIcsSharingTypePrivate = 1;

// The NETCON_PROPERTIES block of one connection (texts in UTF-16, as the service hands them).
struct NetConProperties {
  Guid guidId;
  std::u16string name;
  std::u16string deviceName;
  uint32_t status = kNcsDisconnected;
  uint32_t mediaType = kNcmLan;
};

class INetConnection {
 public:
  virtual ~INetConnection() = default;
  // Not checked by callers, as the service's GetProperties is not; the block is released by the
  // backend's own rule when the returned value is built.
  virtual NetConProperties GetProperties() = 0;
};

// A device that uses a connection shared as private, as the system knows it.
struct ConnectedDevice {
  std::string name;             // as the device gave it; empty when it gave none
  std::string hardwareAddress;  // "aa:bb:cc:dd:ee:ff", lower case
  std::string ipv4Address;      // dotted decimal
  friend bool operator==(const ConnectedDevice&, const ConnectedDevice&) = default;
};

class ISharingConfiguration {
 public:
  virtual ~ISharingConfiguration() = default;
  virtual HResult GetSharingEnabled(bool& enabled) = 0;
  virtual HResult EnableSharing(int32_t sharingType) = 0;
  virtual HResult DisableSharing() = 0;
  // The devices that use this connection while it is shared as private, in no particular
  // order; an empty list when it is not shared as private.
  virtual HResult GetConnectedDevices(std::vector<ConnectedDevice>& devices) = 0;
};

// The every-connection collection's enumerator (get__NewEnum queried for IEnumVARIANT).
class IConnectionEnumerator {
 public:
  virtual ~IConnectionEnumerator() = default;
  // Next(1, item, fetched): S_OK with an item, S_FALSE at the end, or a failure.
  virtual HResult Next(std::unique_ptr<INetConnection>& item) = 0;
};

class ISharingManager {
 public:
  virtual ~ISharingManager() = default;
  // get_EnumEveryConnection, then get__NewEnum and the query for IEnumVARIANT.
  virtual HResult EnumEveryConnection(std::unique_ptr<IConnectionEnumerator>& enumerator) = 0;
  // get_INetSharingConfigurationForINetConnection.
  virtual HResult GetConfiguration(INetConnection& connection,
                                   std::unique_ptr<ISharingConfiguration>& configuration) = 0;
};

// The Internet Connection Sharing service. Interfaces are released when their owners go.
class ISharingService {
 public:
  virtual ~ISharingService() = default;
  virtual HResult CoInitialize() = 0;
  virtual void CoUninitialize() = 0;
  // CoCreateInstance of the sharing manager class, asked for INetSharingManager.
  virtual HResult CreateSharingManager(std::unique_ptr<ISharingManager>& manager) = 0;
  // Whether clients of a private connection shared from now on may also reach the private
  // address ranges behind the public one (the user's local network), or the Internet only.
  // Backends whose sharing cannot tell the two apart ignore it.
  virtual void SetGuestsReachLocalNetwork(bool allowed) { (void)allowed; }
  // How many devices one private connection serves at most; 0 where the service sets no limit.
  virtual std::size_t GuestLimit() { return 0; }
  // Why the last call of this thread that failed did so, in the service's own words (as COM's
  // error information does); empty when it said nothing beyond its code.
  virtual std::string ErrorDescription() { return {}; }
};

}  // namespace orvane::platform
